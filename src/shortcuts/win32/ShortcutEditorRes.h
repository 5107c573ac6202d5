// Identifiers of the shortcut editor. Prefixes: IDB_ bitmaps, IDD_ dialogs, IDC_ controls.
#pragma once

#define IDB_EDITOR 103
#define IDD_SHORTCUT_EDITOR 302

#define IDC_SELECT_LABEL 3101
#define IDC_PICK_PROGRAM 3102
#define IDC_PICK_FOLDER 3103
#define IDC_TARGET_LABEL 3104
#define IDC_TARGET 3105
#define IDC_TITLE_LABEL 3106
#define IDC_TITLE 3107
