#pragma once
// Everything the windows reach the system through. The program passes the real
// implementations; UI tests replace the shell folders, the message boxes, the
// launcher and the pickers.

#include "app/Options.h"
#include "base/MessageBoxes.h"
#include "base/Pickers.h"
#include "base/Theme.h"
#include "shell/LinkCache.h"
#include "shell/ShellPorts.h"
#include "shortcuts/Launching.h"
#include "store/FileStore.h"

namespace tessaly::win32 {

struct Platform {
  FileStore& files;
  MessageBoxes& boxes;
  Folders& folders;
  LinkReader& links;
  DirectoryLister& lister;
  FileExistence& existence;
  MessagePump& pump;
  Launcher& launcher;
  Pickers& pickers;
  // The cache that links reads the start menus through, when it does: "Get All" from
  // the cache alone and its check at idle need it.
  CachingLinkReader* linkCache = nullptr;
  // The user's Run value, for "Start with Windows"; without it the option is left as
  // the system has it.
  StartupRegistration* startup = nullptr;
  // Where the window reads the apps theme and high contrast; the system's own when
  // none is given.
  ThemeSource* theme = nullptr;
};

}  // namespace tessaly::win32
