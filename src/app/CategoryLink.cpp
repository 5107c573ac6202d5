#include "app/CategoryLink.h"

#include <cstdint>
#include <cstdio>

#include "app/CommandLine.h"
#include "base/Text.h"
#include "categories/CategoryPath.h"
#include "categories/IconText.h"

namespace tessaly {

namespace {

// Long enough for any sensible name, short enough that the desktop's path and ".lnk"
// still fit the shell's limit of 260 characters.
constexpr std::size_t kLinkNameLimit = 120;

bool ForbiddenInFileName(char c) {
  return static_cast<unsigned char>(c) < 32 ||
         std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
}

bool IsDeviceName(const std::string& name) {
  const std::string lower = LowerAscii(name);
  if (lower == "con" || lower == "prn" || lower == "aux" || lower == "nul") return true;
  return lower.size() == 4 && (StartsWith(lower, "com") || StartsWith(lower, "lpt")) &&
         lower[3] >= '1' && lower[3] <= '9';
}

}  // namespace

std::string CategoryLinkQuestion(const std::string& categoryName) {
  const std::string& name = categoryName;
  return "Do you want a shortcut to " + name + " on the desktop ?\n\n" +
         "Yes: the shortcut opens all shortcuts of " + name + ".\n" +
         "No: the shortcut shows " + name + " in Tessaly.\n" +
         "Cancel: create no shortcut.";
}

std::optional<CategoryLinkKind> CategoryLinkKindFrom(YesNoCancel answer) {
  switch (answer) {
    case YesNoCancel::Yes:
      return CategoryLinkKind::OpenAll;
    case YesNoCancel::No:
      return CategoryLinkKind::Show;
    case YesNoCancel::Cancel:
      break;
  }
  return std::nullopt;
}

std::string CategoryLinkFileName(const std::string& categoryName) {
  std::string name;
  for (std::size_t i = 0; i < categoryName.size();) {
    const std::size_t size = CharacterSizeAt(categoryName, i);
    if (name.size() + size > kLinkNameLimit) break;
    // The second byte of a double-byte character may have the code of "\" or "|".
    if (size == 1 && ForbiddenInFileName(categoryName[i])) {
      name += '_';
    } else {
      name.append(categoryName, i, size);
    }
    i += size;
  }
  // The system drops them from a file name, so "Tools." would be written as "Tools".
  // Neither is ever the second byte of a double-byte character.
  while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
  if (name.empty()) name = "Category";
  if (IsDeviceName(name)) name += '_';
  return name + ".lnk";
}

std::string CategoryLinkArguments(const std::string& dataDirectory, const std::string& categoryPath,
                                  CategoryLinkKind kind) {
  return "/data " + QuoteArgument(dataDirectory) +
         (kind == CategoryLinkKind::OpenAll ? " /open " : " /category ") +
         QuoteArgument(categoryPath);
}

std::string CategoryLinkTaskbarId(const std::string& dataDirectory, const std::string& categoryPath,
                                  CategoryLinkKind kind) {
  // The folder as the one-instance lock names it (any case, any trailing ""); the
  // path exactly, as categories are told apart by case. FNV-1a.
  const std::string key = LowerAscii(WithTrailingBackslash(dataDirectory)) + '\n' + categoryPath +
                          (kind == CategoryLinkKind::OpenAll ? "\nopen" : "\nshow");
  std::uint64_t hash = 14695981039346656037ull;
  for (const char c : key) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  char digits[17];
  std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));
  return std::string("Tessaly.Category.") + digits;
}

CategoryLinkIcon CategoryLinkIconOf(const CategoryNode& node) {
  CategoryLinkIcon icon;
  // Without an icon text the node shows the image it was read with.
  const IconSource source = node.iconText ? ParseIconText(*node.iconText)
                                          : ParseIconText(TreeImageIconText(node.imageIndex));
  switch (source.kind) {
    case IconSource::Kind::FileIcon:
      icon.kind = CategoryLinkIcon::Kind::File;
      icon.file = source.file;
      icon.number = source.iconNumber;
      break;
    case IconSource::Kind::TreeImage:
      if (source.imageIndex < kTreePictureCount) {
        icon.kind = CategoryLinkIcon::Kind::TreePicture;
        icon.number = source.imageIndex;
      }
      break;
    case IconSource::Kind::Unreadable:
      // The tree shows a blank page for it.
      icon.kind = CategoryLinkIcon::Kind::TreePicture;
      icon.number = kFallbackTreeImage;
      break;
  }
  return icon;
}

CategoryLinkSubject CategoryLinkSubjectOf(const CategoryNode& node) {
  return {node.name, CategoryPathText(node), CategoryLinkIconOf(node)};
}

LinkInfo CategoryLinkFields(const CategoryLinkSubject& subject, CategoryLinkKind kind,
                            const std::string& dataDirectory, const ProgramFile& program) {
  LinkInfo link;
  link.Target = program.path;
  link.Arguments = CategoryLinkArguments(dataDirectory, subject.path, kind);
  link.WorkingDirectory = dataDirectory;
  link.Description = kind == CategoryLinkKind::OpenAll ? "Opens all shortcuts of " + subject.name
                                                       : "Shows " + subject.name + " in Tessaly";
  const CategoryLinkIcon& icon = subject.icon;
  link.IconFile = program.path;
  link.IconIndex = 0;
  if (icon.kind == CategoryLinkIcon::Kind::File) {
    link.IconFile = icon.file;
    link.IconIndex = icon.number;
  } else if (icon.kind == CategoryLinkIcon::Kind::TreePicture && program.firstTreeIconId > 0) {
    // A negative index names the icon by its resource identifier, which stays put
    // when icons are added to the program; a position would not.
    link.IconIndex = -(program.firstTreeIconId + icon.number);
  }
  return link;
}

std::optional<std::string> CreateCategoryLink(const CategoryLinkSubject& subject,
                                              const std::string& dataDirectory,
                                              const ProgramFile& program, Folders& folders,
                                              LinkWriter& writer, MessageBoxes& boxes) {
  const auto kind = CategoryLinkKindFrom(boxes.AskYesNoCancel(CategoryLinkQuestion(subject.name)));
  if (!kind) return std::nullopt;
  const std::string desktop = folders.SpecialFolderPath(folder_id::Desktop);
  if (desktop.empty()) {
    boxes.Error("The shortcut to " + subject.name +
                " was not created: the desktop folder was not found.");
    return std::nullopt;
  }
  const std::string path = desktop + CategoryLinkFileName(subject.name);
  const std::string failure =
      writer.WriteLink(path, CategoryLinkFields(subject, *kind, dataDirectory, program),
                       CategoryLinkTaskbarId(dataDirectory, subject.path, *kind));
  if (!failure.empty()) {
    boxes.Error("The shortcut '" + path + "' could not be written: " + failure + ".");
    return std::nullopt;
  }
  boxes.Information("The shortcut '" + path + "' is on the desktop.\n\nTo pin " + subject.name +
                    " to the taskbar, right-click the shortcut and choose Pin to taskbar.");
  return path;
}

}  // namespace tessaly
