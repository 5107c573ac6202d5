// Identifiers of the icon chooser. Prefixes: IDD_ dialogs, IDC_ controls.
#pragma once

#define IDD_ICON_CHOOSER 304

#define IDC_FILE_LABEL 4201
#define IDC_FILE 4202
#define IDC_LOAD 4203
#define IDC_ICON_LIST 4204
#define IDC_DEFAULT 4205
