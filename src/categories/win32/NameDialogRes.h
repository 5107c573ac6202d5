// Identifiers of the name dialog. Prefixes: IDD_ dialogs, IDC_ controls.
#pragma once

#define IDD_NAME_DIALOG 303

#define IDC_INFO 4101
#define IDC_NAME_LABEL 4102
#define IDC_NAME 4103
