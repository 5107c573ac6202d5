#pragma once
// The shell as the core sees it: special folders, link files, folder listings,
// file existence and the message loop. The Win32 layer implements these with the
// shell and kernel calls; tests use fakes.

#include <cstdint>
#include <memory>
#include <string>

namespace tessaly {

// The fields read from a shell link file.
struct LinkInfo {
  std::string Name;
  std::string Target;
  std::string Arguments;
  std::string IconFile;
  std::int32_t IconIndex = 0;
  std::string WorkingDirectory;
  std::string Description;
  std::uint16_t HotKey = 0;
  std::int32_t ShowCommand = 1;
};

// Shell folder identifiers (CSIDL numbering) the program asks for.
namespace folder_id {
inline constexpr int Desktop = 0;
inline constexpr int Programs = 2;
inline constexpr int ControlPanel = 3;
inline constexpr int MyDocuments = 5;
inline constexpr int Favorites = 6;
inline constexpr int Recent = 8;
inline constexpr int StartMenu = 11;
inline constexpr int MyMusic = 13;
inline constexpr int MyComputer = 17;
inline constexpr int Network = 18;
inline constexpr int CommonStartMenu = 22;
inline constexpr int AppData = 26;
inline constexpr int Windows = 36;
inline constexpr int System = 37;
inline constexpr int ProgramFiles = 38;
inline constexpr int MyPictures = 39;
inline constexpr int Profile = 40;
}  // namespace folder_id

class Folders {
 public:
  virtual ~Folders() = default;
  // The folder's file-system path ending in "\", or the empty text when the shell
  // has no file-system path for it.
  virtual std::string SpecialFolderPath(int folderId) = 0;
};

struct DirectoryEntry {
  std::string name;
  bool directory = false;
  // As the listing gives them: the size in bytes and the last write in the file
  // system's own ticks (on Windows 100-ns intervals since 1601); 0 when unknown.
  std::uint64_t size = 0;
  std::uint64_t writeTime = 0;
};

// The links of one folder tree read one after the other, as a scan meets them in
// its listings. A reader may hold what every link needs for the whole walk, and may
// answer from what it read before when a link's size and time are unchanged.
class LinkWalk {
 public:
  virtual ~LinkWalk() = default;
  // As ResolveLink, for the link entry found at linkPath. Of the record only Name,
  // Target and Arguments are sure to be set; the other fields may keep old values.
  virtual bool ResolveListedLink(LinkInfo& info, const std::string& linkPath,
                                 const DirectoryEntry& entry) = 0;
  // Every link below the walk's folder has been met (down to the depth the walker
  // goes). Not called for a walk that stopped early.
  virtual void Complete() {}
};

class LinkReader {
 public:
  virtual ~LinkReader() = default;
  // True when the link file could be loaded; info then holds its properties.
  virtual bool ResolveLink(LinkInfo& info, const std::string& linkPath) = 0;
  // Starts a walk of the links below folder (a path ending in "\"). The walk must
  // not outlive the reader.
  virtual std::unique_ptr<LinkWalk> StartWalk(const std::string& folder);
};

class LinkWriter {
 public:
  virtual ~LinkWriter() = default;
  // Writes a shell link file at linkPath, replacing one of that name, with link's
  // Target, Arguments, WorkingDirectory, Description and icon (IconFile, IconIndex; a
  // negative index names the icon by its resource identifier). taskbarId, unless
  // empty, is the application identity the taskbar pins and groups the link by, so
  // that links to one program with different arguments pin apart. Returns why the
  // link could not be written, or the empty text.
  [[nodiscard]] virtual std::string WriteLink(const std::string& linkPath, const LinkInfo& link,
                                              const std::string& taskbarId) = 0;
};

// A walk that reads every link afresh through ResolveLink.
class PlainLinkWalk : public LinkWalk {
 public:
  explicit PlainLinkWalk(LinkReader& reader) : reader_(reader) {}
  bool ResolveListedLink(LinkInfo& info, const std::string& linkPath,
                         const DirectoryEntry&) override {
    return reader_.ResolveLink(info, linkPath);
  }

 private:
  LinkReader& reader_;
};

inline std::unique_ptr<LinkWalk> LinkReader::StartWalk(const std::string&) {
  return std::make_unique<PlainLinkWalk>(*this);
}

// One open enumeration; destroying it closes it.
class DirectoryListing {
 public:
  virtual ~DirectoryListing() = default;
  // The next entry in the order the file system returns them; false at the end.
  virtual bool Next(DirectoryEntry& entry) = 0;
};

class DirectoryLister {
 public:
  virtual ~DirectoryLister() = default;
  // Opens an enumeration of pattern (a folder path followed by "*.*"). A folder that
  // cannot be listed gives an enumeration without entries.
  virtual std::unique_ptr<DirectoryListing> List(const std::string& pattern) = 0;
};

class FileExistence {
 public:
  virtual ~FileExistence() = default;
  virtual bool FileOrFolderExists(const std::string& path) = 0;
  virtual bool FolderExists(const std::string& path) = 0;
};

class MessagePump {
 public:
  virtual ~MessagePump() = default;
  // Handles every window message that is waiting, then returns. Handlers that run
  // meanwhile may re-enter the core (a new category selection among them).
  virtual void ProcessPendingMessages() = 0;
};

}  // namespace tessaly
