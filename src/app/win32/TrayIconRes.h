// Identifiers of the notification-area icon and its menu. Prefixes: IDR_ menus, IDM_
// menu commands.
#pragma once

#define IDR_TRAY_MENU 210

#define IDM_TRAY_SHOW 2301
#define IDM_TRAY_OPTIONS 2302
#define IDM_TRAY_EXIT 2303
