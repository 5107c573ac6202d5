#include "support/win32/LinkFixtures.h"

#include <shlobj.h>

#include <stdexcept>

#include "base/win32/Handle.h"

namespace tessaly::testing {

using win32::ComPtr;

void WriteShellLink(const std::string& path, const LinkFields& fields) {
  const win32::ComScope com;
  if (!com.ok()) throw std::runtime_error("CoInitialize failed");
  ComPtr<IShellLinkA> link;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.put_void()))) {
    throw std::runtime_error("no shell link object");
  }
  if (FAILED(link->SetPath(fields.target.c_str())))
    throw std::runtime_error("SetPath " + fields.target);
  if (!fields.arguments.empty()) link->SetArguments(fields.arguments.c_str());
  if (!fields.workingDirectory.empty()) link->SetWorkingDirectory(fields.workingDirectory.c_str());
  if (!fields.description.empty()) link->SetDescription(fields.description.c_str());
  if (fields.iconFile) link->SetIconLocation(fields.iconFile->c_str(), fields.iconIndex);
  if (fields.hotKey != 0) link->SetHotkey(fields.hotKey);
  link->SetShowCmd(fields.showCommand);

  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.put_void()))) {
    throw std::runtime_error("no IPersistFile");
  }
  wchar_t wide[MAX_PATH];
  if (::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH) == 0) {
    throw std::runtime_error("path too long: " + path);
  }
  if (FAILED(file->Save(wide, TRUE))) throw std::runtime_error("cannot save " + path);
}

}  // namespace tessaly::testing
