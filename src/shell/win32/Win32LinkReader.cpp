#include "shell/win32/Win32LinkReader.h"

#include <shlobj.h>

#include <cstring>

#include "base/win32/Handle.h"
#include "shell/ShellNames.h"

namespace tessaly::win32 {

namespace {

// The access mode the link file is loaded with.
constexpr DWORD kLoadMode = 1;

// What a shell call left in a buffer of MAX_PATH characters; an unterminated buffer
// is read no further than its end.
std::string BufferText(const char (&buffer)[MAX_PATH]) {
  return std::string(buffer, strnlen(buffer, MAX_PATH));
}

// A path that does not fit (the conversion then fails) or that holds a NUL must not
// be loaded cut short: that could read another file.
bool ToWidePath(const std::string& linkPath, wchar_t (&widePath)[MAX_PATH]) {
  return linkPath.find('\0') == std::string::npos &&
         ::MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, widePath, MAX_PATH) != 0;
}

// Loads the link file into a fresh link object and reads its fields into info.
bool ReadLink(IShellLinkA& link, LinkInfo& info, const wchar_t* widePath,
              const std::string& linkPath) {
  ComPtr<IPersistFile> file;
  if (FAILED(link.QueryInterface(IID_IPersistFile, file.put_void()))) return false;
  if (FAILED(file->Load(widePath, kLoadMode))) return false;

  char buffer[MAX_PATH];
  buffer[0] = '\0';
  link.GetPath(buffer, MAX_PATH, nullptr, 0);
  info.Target = BufferText(buffer);

  buffer[0] = '\0';
  link.GetArguments(buffer, MAX_PATH);
  info.Arguments = BufferText(buffer);

  // NOTE: a link without an icon location still answers S_OK, with an empty path
  // (seen under Wine); an empty path counts as no location, so the record keeps the
  // icon it had.
  buffer[0] = '\0';
  int iconIndex = 0;
  if (link.GetIconLocation(buffer, MAX_PATH, &iconIndex) == S_OK && buffer[0] != '\0') {
    info.IconFile = BufferText(buffer);
    info.IconIndex = iconIndex < 0 ? 0 : iconIndex;
  }

  buffer[0] = '\0';
  link.GetWorkingDirectory(buffer, MAX_PATH);
  info.WorkingDirectory = BufferText(buffer);

  buffer[0] = '\0';
  link.GetDescription(buffer, MAX_PATH);
  info.Description = BufferText(buffer);

  WORD hotKey = 0;
  link.GetHotkey(&hotKey);
  info.HotKey = hotKey;

  int showCommand = SW_SHOWNORMAL;
  link.GetShowCmd(&showCommand);
  info.ShowCommand = showCommand;

  info.Name = StripExtension(FileNamePart(linkPath));
  return true;
}

}  // namespace

bool Win32LinkReader::ResolveLink(LinkInfo& info, const std::string& linkPath) {
  wchar_t widePath[MAX_PATH];
  if (!ToWidePath(linkPath, widePath)) return false;

  const ComScope com;
  if (!com.ok()) {
    boxes_.Plain("Error occured when get info from " + linkPath);
    return false;
  }
  // Declared after the scope so that it is released before CoUninitialize.
  ComPtr<IShellLinkA> link;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.put_void()))) {
    return false;
  }
  return ReadLink(*link.get(), info, widePath, linkPath);
}

// The component system is entered once for the whole walk, and the link class's
// factory is asked for once: CoCreateInstance looks the class up in the registry
// every time, which under Wine costs more than loading the link.
class Win32LinkReader::Walk : public LinkWalk {
 public:
  explicit Walk(Win32LinkReader& reader) : reader_(reader) {
    if (com_.ok()) {
      ::CoGetClassObject(CLSID_ShellLink, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                         factory_.put_void());
    }
  }

  bool ResolveListedLink(LinkInfo& info, const std::string& linkPath,
                         const DirectoryEntry&) override {
    // Without the component system every link fails as it would alone, message and all.
    if (!com_.ok()) return reader_.ResolveLink(info, linkPath);
    wchar_t widePath[MAX_PATH];
    if (!ToWidePath(linkPath, widePath)) return false;
    ComPtr<IShellLinkA> link;
    const HRESULT created =
        factory_ ? factory_->CreateInstance(nullptr, IID_IShellLinkA, link.put_void())
                 : ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IShellLinkA, link.put_void());
    if (FAILED(created) || !link) return false;
    return ReadLink(*link.get(), info, widePath, linkPath);
  }

 private:
  Win32LinkReader& reader_;
  // First, so that the factory is released before CoUninitialize.
  const ComScope com_;
  ComPtr<IClassFactory> factory_;
};

std::unique_ptr<LinkWalk> Win32LinkReader::StartWalk(const std::string&) {
  return std::make_unique<Walk>(*this);
}

}  // namespace tessaly::win32
