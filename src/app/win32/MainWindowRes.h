// Identifiers of the main window and the About box, kept by hand. The panes and
// dialogs of the subsystems keep theirs beside their own code. Prefixes: IDI_ icons,
// IDD_ dialogs, IDC_ controls.
#pragma once

#define IDI_TESSALY 1

#define IDD_ABOUTBOX 301

// Main window children besides those of the two panes.
#define IDC_SPLITTER 1003
#define IDC_STATUS_BAR 1006

// About box.
#define IDC_ABOUT_GROUP 3001
#define IDC_ABOUT_PRODUCT 3002
#define IDC_ABOUT_ICON 3003
#define IDC_ABOUT_TEXT 3004
