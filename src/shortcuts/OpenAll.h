#pragma once
// Open all: every shortcut of a category opened the way Open opens one, the missing
// ones named together at the end.

#include <optional>
#include <string>
#include <vector>

#include "model/Shortcut.h"
#include "base/MessageBoxes.h"
#include "categories/CategorySelection.h"
#include "model/CategoryTree.h"
#include "shell/ShellPorts.h"
#include "shortcuts/Launching.h"
#include "store/ShortcutStore.h"

namespace tessaly {

// Up to this many shortcuts open without a question.
inline constexpr int kOpenAllWithoutAsking = 5;

// "Do you want to open all 7 shortcuts of Tools ?"
std::string OpenAllQuestion(int count, const std::string& categoryName);

// What the category lists, in list order: its stored
// section (not for "Get All"), for a computed category what its last filling found,
// otherwise nothing at all. No value when the computed category has not been filled yet.
std::optional<Shortcuts> ShownEntries(const CategoryNode& node, const ShortcutStore& store,
                                     const LatestResults& latest);

struct OpenAllOutcome {
  bool declined = false;             // the question was answered No
  int opened = 0;                    // launches and Run boxes
  std::vector<std::string> missing;  // the titles of the shortcuts not opened
};

// The message that names the shortcuts whose targets are missing: each line
// "title: 'path'".
std::string MissingShortcutsText(const std::string& categoryName, int count,
                                 const std::vector<std::string>& lines);

// Opens every shortcut of entries in order, each as Open opens it; asks
// first when there are more than kOpenAllWithoutAsking; tells at the end which were
// not opened because their target does not exist. An empty category says so.
OpenAllOutcome OpenAllShortcuts(const std::string& categoryName, const Shortcuts& entries,
                                LinkReader& links, FileExistence& existence, Launcher& launcher,
                                MessageBoxes& boxes);

}  // namespace tessaly
