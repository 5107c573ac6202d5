#include "store/DataFile.h"

namespace tessaly {

LineList LoadLines(FileStore& files, const std::string& path) {
  const auto bytes = files.ReadFile(path);
  if (!bytes) return {};
  return SplitLines(*bytes);
}

std::string WriteFailureText(const std::string& path, const std::string& reason) {
  std::string text = "Could not save the file '" + path + "'";
  if (!reason.empty()) text += ": " + reason;
  text += ".\nThe previous file is unchanged; your change is kept and saved again with the next change.";
  return text;
}

bool SaveLines(FileStore& files, MessageBoxes& boxes, const std::string& path,
               const LineList& lines) {
  const WriteResult result = files.WriteLines(path, lines);
  if (!result) boxes.Error(WriteFailureText(path, result.error));
  return result.ok;
}

}  // namespace tessaly
