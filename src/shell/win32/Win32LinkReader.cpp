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

}  // namespace

bool Win32LinkReader::ResolveLink(LinkInfo& info, const std::string& linkPath) {
  // A path that does not fit (the conversion then fails) or that holds a NUL must not
  // be loaded cut short: that could read another file.
  wchar_t widePath[MAX_PATH];
  if (linkPath.find('\0') != std::string::npos ||
      ::MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, widePath, MAX_PATH) == 0) {
    return false;
  }

  const ComScope com;
  if (!com.ok()) {
    boxes_.Plain("Error occured when get info from " + linkPath);
    return false;
  }
  // Declared after the scope so that both are released before CoUninitialize.
  ComPtr<IShellLinkA> link;
  ComPtr<IPersistFile> file;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.put_void()))) {
    return false;
  }
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.put_void()))) return false;
  if (FAILED(file->Load(widePath, kLoadMode))) return false;

  char buffer[MAX_PATH];
  buffer[0] = '\0';
  link->GetPath(buffer, MAX_PATH, nullptr, 0);
  info.Target = BufferText(buffer);

  buffer[0] = '\0';
  link->GetArguments(buffer, MAX_PATH);
  info.Arguments = BufferText(buffer);

  // NOTE: a link without an icon location still answers S_OK, with an empty path
  // (seen under Wine); an empty path counts as no location, so the record keeps the
  // icon it had.
  buffer[0] = '\0';
  int iconIndex = 0;
  if (link->GetIconLocation(buffer, MAX_PATH, &iconIndex) == S_OK && buffer[0] != '\0') {
    info.IconFile = BufferText(buffer);
    info.IconIndex = iconIndex < 0 ? 0 : iconIndex;
  }

  buffer[0] = '\0';
  link->GetWorkingDirectory(buffer, MAX_PATH);
  info.WorkingDirectory = BufferText(buffer);

  buffer[0] = '\0';
  link->GetDescription(buffer, MAX_PATH);
  info.Description = BufferText(buffer);

  WORD hotKey = 0;
  link->GetHotkey(&hotKey);
  info.HotKey = hotKey;

  int showCommand = SW_SHOWNORMAL;
  link->GetShowCmd(&showCommand);
  info.ShowCommand = showCommand;

  info.Name = StripExtension(FileNamePart(linkPath));
  return true;
}

}  // namespace tessaly::win32
