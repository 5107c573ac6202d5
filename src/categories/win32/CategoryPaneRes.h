// Identifiers of the category pane: the tree control, its images and the category
// menu. Prefixes: IDB_ bitmaps, IDR_ menus, IDC_ controls, IDM_ menu commands.
#pragma once

#define IDB_TREE 101
#define IDR_CATEGORY_MENU 202

#define IDC_CATEGORY_PANE 1009
#define IDC_CATEGORY_TREE 1002

#define IDM_ADD_CATEGORY 2201
#define IDM_INSERT_CATEGORY 2202
#define IDM_DELETE_CATEGORY 2203
#define IDM_RENAME_CATEGORY 2204
#define IDM_CHANGE_ICON 2205
// The category menu opened from the keyboard, below the selected category.
#define IDM_SHOW_CATEGORY_MENU 2206
