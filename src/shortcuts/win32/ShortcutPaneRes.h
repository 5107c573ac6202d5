// Identifiers of the shortcut pane: the toolbar with its pictures, the shortcut list
// and the list's and the view's menus. Prefixes: IDB_ bitmaps, IDR_ menus, IDC_
// controls and toolbar buttons, IDM_ menu commands.
#pragma once

#define IDB_TOOLBAR 102
#define IDR_LIST_MENUS 201

#define IDC_SHORTCUT_PANE 1008
#define IDC_TOOLBAR 1004
#define IDC_SHORTCUT_LIST 1005
#define IDC_SEARCH 1007

// Toolbar buttons. About and Exit are the main window's; the pane only shows them.
#define IDC_REMOVE 1101
#define IDC_ADD 1102
#define IDC_EDIT 1103
#define IDC_EXIT 1104
#define IDC_VIEW 1109
#define IDC_ABOUT 1110

// The list's context menu.
#define IDM_OPEN 2001
#define IDM_RUN_AS_ADMINISTRATOR 2008
#define IDM_LOCATION 2002
#define IDM_ADD 2003
#define IDM_EDIT 2004
#define IDM_REMOVE 2005
#define IDM_SORT 2006
#define IDM_CLEAR 2007
// Commands of the keyboard path, which the main window's key handling sends.
#define IDM_OPEN_FOUND 2010
#define IDM_RUN_FOUND_ELEVATED 2011
#define IDM_ENTER_RESULTS 2012
#define IDM_END_SEARCH 2013
#define IDM_SHOW_LIST_MENU 2014
// The view menu.
#define IDM_VIEW_THUMB 2101
#define IDM_VIEW_LIST 2102
#define IDM_VIEW_REPORT 2103
