// Icons of the tree's 21 pictures, in picture order, for the desktop shortcut of a
// category: a link names one by its identifier, IDI_TREE_FIRST + the picture's index.
#pragma once

#define IDI_TREE_FIRST 401
#define IDI_TREE_00 401
#define IDI_TREE_01 402
#define IDI_TREE_02 403
#define IDI_TREE_03 404
#define IDI_TREE_04 405
#define IDI_TREE_05 406
#define IDI_TREE_06 407
#define IDI_TREE_07 408
#define IDI_TREE_08 409
#define IDI_TREE_09 410
#define IDI_TREE_10 411
#define IDI_TREE_11 412
#define IDI_TREE_12 413
#define IDI_TREE_13 414
#define IDI_TREE_14 415
#define IDI_TREE_15 416
#define IDI_TREE_16 417
#define IDI_TREE_17 418
#define IDI_TREE_18 419
#define IDI_TREE_19 420
#define IDI_TREE_20 421
