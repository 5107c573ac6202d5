// Resource and control identifiers, kept by hand. Prefixes: IDI_ icons, IDB_ bitmaps,
// IDR_ menus, IDD_ dialogs, IDC_ controls, IDM_ menu commands.
#pragma once

#define IDI_TESSALY 1

#define IDB_TREE 101
#define IDB_TOOLBAR 102
#define IDB_EDITOR 103

#define IDR_POPUPMENUS 201

#define IDD_ABOUTBOX 301
#define IDD_SHORTCUT_EDITOR 302

// Main window children.
#define IDC_PANEL1 1001
#define IDC_TREEVIEW1 1002
#define IDC_SPLITTER1 1003
#define IDC_PANEL3 1004
#define IDC_LISTVIEW1 1005
#define IDC_STATUSBAR1 1006

// Toolbar buttons, named like the buttons they are.
#define IDC_SPEEDBUTTON1 1101
#define IDC_SPEEDBUTTON2 1102
#define IDC_SPEEDBUTTON3 1103
#define IDC_SPEEDBUTTON4 1104
#define IDC_SPEEDBUTTON9 1109
#define IDC_SPEEDBUTTON10 1110

// PopupMenu1, the list's context menu.
#define IDM_OPEN1 2001
#define IDM_LOCATION1 2002
#define IDM_ADD1 2003
#define IDM_EDIT1 2004
#define IDM_REMOVE1 2005
#define IDM_SORT1 2006
#define IDM_CLEAR1 2007
// PopupMenu2, the view styles.
#define IDM_THUMB1 2101
#define IDM_LIST1 2102
#define IDM_REPORT1 2103
// PopupMenu3, the category menu.
#define IDM_ADD2 2201
#define IDM_INSERT1 2202
#define IDM_DELETE1 2203
#define IDM_RENAME1 2204
#define IDM_ICON1 2205

// About box.
#define IDC_ABOUT_GROUP 3001
#define IDC_ABOUT_PRODUCT 3002
#define IDC_ABOUT_ICON 3003
#define IDC_ABOUT_TEXT 3004

// Shortcut editor.
#define IDC_EDITOR_LABEL5 3101
#define IDC_SPEEDBUTTON8 3102
#define IDC_BITBTN1 3103
#define IDC_EDITOR_LABEL2 3104
#define IDC_EDITOR_EDIT1 3105
#define IDC_EDITOR_LABEL1 3106
#define IDC_EDITOR_EDIT2 3107
