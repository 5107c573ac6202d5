#include "shell/win32/Win32LinkWriter.h"

#include <shlobj.h>
#include <propsys.h>

#include "base/win32/Handle.h"
#include "base/win32/Text.h"

namespace tessaly::win32 {

namespace {

// The reason for a failed call, as the system words it.
std::string Failure(const char* step, HRESULT hr) {
  return std::string(step) + ": " + SystemErrorText(static_cast<DWORD>(hr));
}

// PKEY_AppUserModel_ID, spelt out: the SDKs differ in where they define it.
constexpr PROPERTYKEY kAppUserModelId{
    {0x9f4c2855, 0x9f79, 0x4b39, {0xa8, 0xd0, 0xe1, 0xd4, 0x2d, 0xe1, 0xd5, 0xf3}}, 5};

// Gives the link the taskbar's application identity. NOTE: a link object without a
// property store (before Windows 7) pins by its program alone; that is no reason to
// refuse the link.
std::string SetTaskbarId(IShellLinkA& shellLink, const std::string& taskbarId) {
  ComPtr<IPropertyStore> store;
  if (FAILED(shellLink.QueryInterface(IID_IPropertyStore, store.put_void()))) return {};
  wchar_t wide[128];
  if (::MultiByteToWideChar(CP_ACP, 0, taskbarId.c_str(), -1, wide, 128) == 0) {
    return "the taskbar identity '" + taskbarId + "' is too long";
  }
  PROPVARIANT value{};
  value.vt = VT_LPWSTR;
  value.pwszVal = wide;  // read, not freed, by SetValue
  HRESULT hr = store->SetValue(kAppUserModelId, value);
  if (SUCCEEDED(hr)) hr = store->Commit();
  return FAILED(hr) ? Failure("taskbar identity", hr) : std::string();
}

}  // namespace

std::string Win32LinkWriter::WriteLink(const std::string& linkPath, const LinkInfo& link,
                                       const std::string& taskbarId) {
  wchar_t widePath[MAX_PATH];
  if (linkPath.find('\0') != std::string::npos ||
      ::MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, widePath, MAX_PATH) == 0) {
    return "the path is too long";
  }
  // The shell link keeps each text in a buffer of MAX_PATH characters; a longer one
  // would be cut short without a word.
  for (const std::string* text :
       {&link.Target, &link.Arguments, &link.WorkingDirectory, &link.IconFile, &link.Description}) {
    if (text->size() >= MAX_PATH) return "'" + *text + "' is too long for a shortcut";
  }

  const ComScope com;
  if (!com.ok()) return "the component system could not be started";
  ComPtr<IShellLinkA> shellLink;
  ComPtr<IPersistFile> file;
  HRESULT hr = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  shellLink.put_void());
  if (FAILED(hr)) return Failure("no shell link object", hr);
  if (FAILED(hr = shellLink->SetPath(link.Target.c_str()))) return Failure("target", hr);
  if (FAILED(hr = shellLink->SetArguments(link.Arguments.c_str()))) return Failure("arguments", hr);
  if (FAILED(hr = shellLink->SetWorkingDirectory(link.WorkingDirectory.c_str()))) {
    return Failure("working folder", hr);
  }
  if (FAILED(hr = shellLink->SetDescription(link.Description.c_str()))) {
    return Failure("description", hr);
  }
  if (!link.IconFile.empty() &&
      FAILED(hr = shellLink->SetIconLocation(link.IconFile.c_str(), link.IconIndex))) {
    return Failure("icon", hr);
  }
  shellLink->SetShowCmd(SW_SHOWNORMAL);
  if (!taskbarId.empty()) {
    const std::string failure = SetTaskbarId(*shellLink.get(), taskbarId);
    if (!failure.empty()) return failure;
  }
  if (FAILED(hr = shellLink->QueryInterface(IID_IPersistFile, file.put_void()))) {
    return Failure("no file interface", hr);
  }
  if (FAILED(hr = file->Save(widePath, TRUE))) return Failure("saving", hr);
  return {};
}

}  // namespace tessaly::win32
