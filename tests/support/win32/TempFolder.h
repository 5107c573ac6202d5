#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it
// when the object goes. Names never reuse process IDs: Wine repeats them.

#include <string>

namespace tessaly::testing {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder's path, ending in "\".
  const std::string& path() const { return path_; }
  // path() + relative; folders on the way are created.
  std::string Make(const std::string& relative) const;
  // Writes a file (creating folders on the way) and returns its full path.
  std::string WriteFile(const std::string& relative, const std::string& bytes) const;

 private:
  std::string path_;
};

// The whole file, or "<missing>" when it cannot be read.
std::string ReadWholeFile(const std::string& path);
bool PathExists(const std::string& path);
// Removes a folder and everything in it.
void RemoveTree(const std::string& path);

}  // namespace tessaly::testing
