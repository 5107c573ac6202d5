#pragma once
// "/open": every shortcut of one category opened without showing a window. The data
// files are read and never written, and no window of Tessaly's own appears beyond
// the message boxes.

#include <functional>
#include <string>

#include "base/MessageBoxes.h"
#include "model/ShortcutList.h"
#include "shell/ShellPorts.h"
#include "shortcuts/Launching.h"
#include "store/FileStore.h"

namespace tessaly {

struct HeadlessPorts {
  FileStore& files;
  MessageBoxes& boxes;
  Folders& folders;
  LinkReader& links;
  DirectoryLister& lister;
  FileExistence& existence;
  Launcher& launcher;
  // The list's order of titles, as the window's list sorts them.
  TitleOrder titleOrder;
};

// The text for a category path that names no category of the data directory.
std::string UnknownCategoryText(const std::string& categoryPath, const std::string& dataDirectory);

// True when the data directory's Categories.sts was read and holds no category of
// that path. A file that is missing or cannot be read is not judged here: the window's
// start reports it.
bool CategoryFileLacks(FileStore& files, const std::string& dataDirectory,
                       const std::string& categoryPath);

// Opens every shortcut of the category that categoryPath names, as Open All does in
// the window; a computed built-in category is filled first, in memory. False when
// nothing could be opened because the files or the category were not found (the
// user has been told).
bool OpenCategoryWithoutWindow(const HeadlessPorts& ports, const std::string& dataDirectory,
                               const std::string& categoryPath);

}  // namespace tessaly
