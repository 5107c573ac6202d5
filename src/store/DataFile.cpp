#include "store/DataFile.h"

namespace tessaly {

ReadResult LoadLines(FileStore& files, const std::string& path, LineList& lines) {
  ReadResult result = files.ReadFile(path);
  if (result.status == ReadStatus::Failed) return result;
  lines = result.status == ReadStatus::Read ? SplitLines(result.bytes) : LineList{};
  result.bytes.clear();
  return result;
}

std::string ReadFailureText(const std::string& path, const std::string& reason) {
  std::string text = "Tessaly could not read the file '" + path + "'";
  if (!reason.empty()) text += ": " + reason;
  text +=
      ".\n\nTry Again: read it again (close the program that holds it first).\n"
      "Cancel: end Tessaly without changing any file.";
  return text;
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
