#pragma once
// A shortcut on the desktop that stands for one category: it starts Tessaly with
// "/open" (every shortcut of the category) or "/category" (the window showing it).
// The question, the link's names, arguments and icon are decided here.

#include <optional>
#include <string>

#include "base/MessageBoxes.h"
#include "model/CategoryTree.h"
#include "shell/ShellPorts.h"

namespace tessaly {

enum class CategoryLinkKind { OpenAll, Show };

// Yes, No or Cancel: what the desktop shortcut of the category is to do.
std::string CategoryLinkQuestion(const std::string& categoryName);
// Yes opens all of it, No shows it, Cancel makes no shortcut.
std::optional<CategoryLinkKind> CategoryLinkKindFrom(YesNoCancel answer);

// The link's file name: the category's name with every character a file name cannot
// hold replaced by "_", trailing dots and blanks dropped, a device name ("CON", "LPT1")
// given a "_", then ".lnk".
std::string CategoryLinkFileName(const std::string& categoryName);

// /data "<data directory>" followed by /open or /category and the category's path,
// each quoted as the command line reads them back.
std::string CategoryLinkArguments(const std::string& dataDirectory, const std::string& categoryPath,
                                  CategoryLinkKind kind);

// The taskbar's identity of the link: one per data directory, category and kind, so
// that each category pins on its own, beside Tessaly itself. "Tessaly.Category." and
// 16 hexadecimal digits.
std::string CategoryLinkTaskbarId(const std::string& dataDirectory, const std::string& categoryPath,
                                  CategoryLinkKind kind);

// The icon the link shows: the category's own, as the tree shows it.
struct CategoryLinkIcon {
  enum class Kind {
    File,         // icon number of file ("1n,file")
    TreePicture,  // the program's icon of tree picture number ("0n")
    Program,      // the program's own icon
  };
  Kind kind = Kind::Program;
  std::string file;
  int number = 0;
};
CategoryLinkIcon CategoryLinkIconOf(const CategoryNode& node);

// What the link needs of the category, taken before the question: while a message
// box is open the category may be deleted.
struct CategoryLinkSubject {
  std::string name;
  std::string path;  // CategoryPathText
  CategoryLinkIcon icon;
};
CategoryLinkSubject CategoryLinkSubjectOf(const CategoryNode& node);

// Where the link leads and how its icons are found in the program file.
struct ProgramFile {
  std::string path;  // tessaly.exe
  // The resource identifier of tree picture 0's icon; the others follow it. 0: the
  // program carries no icons of the tree's pictures, and such links get its own icon.
  int firstTreeIconId = 0;
};

// The link's fields for the category.
LinkInfo CategoryLinkFields(const CategoryLinkSubject& subject, CategoryLinkKind kind,
                            const std::string& dataDirectory, const ProgramFile& program);

// Asks what the shortcut is to do, writes it on the desktop (replacing a link of the
// same name) and says where it is, or why it is not. The path written, if any.
std::optional<std::string> CreateCategoryLink(const CategoryLinkSubject& subject,
                                              const std::string& dataDirectory,
                                              const ProgramFile& program, Folders& folders,
                                              LinkWriter& writer, MessageBoxes& boxes);

}  // namespace tessaly
