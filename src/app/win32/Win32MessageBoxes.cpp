#include "app/win32/Win32MessageBoxes.h"

#include <windows.h>

namespace tessaly::win32 {

namespace {
constexpr const char* kProgramCaption = "Tessaly";
}

void Win32MessageBoxes::Information(const std::string& text) {
  ::MessageBoxA(::GetActiveWindow(), text.c_str(), "Information", MB_OK | MB_ICONINFORMATION);
}

bool Win32MessageBoxes::Confirm(const std::string& text) {
  return ::MessageBoxA(nullptr, text.c_str(), "Confirmation",
                       MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL) == IDYES;
}

YesNoCancel Win32MessageBoxes::AskYesNoCancel(const std::string& text) {
  switch (::MessageBoxA(nullptr, text.c_str(), "Confirmation",
                        MB_YESNOCANCEL | MB_ICONQUESTION | MB_TASKMODAL)) {
    case IDYES:
      return YesNoCancel::Yes;
    case IDNO:
      return YesNoCancel::No;
    default:
      return YesNoCancel::Cancel;
  }
}

void Win32MessageBoxes::Error(const std::string& text) {
  ::MessageBoxA(::GetActiveWindow(), text.c_str(), kProgramCaption, MB_OK | MB_ICONERROR);
}

void Win32MessageBoxes::Plain(const std::string& text) {
  ::MessageBoxA(::GetActiveWindow(), text.c_str(), kProgramCaption, MB_OK);
}

SaveFailureChoice Win32MessageBoxes::AskAfterFailedSave(const std::string& text) {
  switch (::MessageBoxA(::GetActiveWindow(), text.c_str(), kProgramCaption,
                        MB_CANCELTRYCONTINUE | MB_ICONWARNING | MB_DEFBUTTON1)) {
    case IDTRYAGAIN:
      return SaveFailureChoice::Retry;
    case IDCONTINUE:
      return SaveFailureChoice::CloseAnyway;
    default:
      return SaveFailureChoice::StayOpen;
  }
}

ReadFailureChoice Win32MessageBoxes::AskAfterFailedRead(const std::string& text) {
  const int answer = ::MessageBoxA(::GetActiveWindow(), text.c_str(), kProgramCaption,
                                   MB_RETRYCANCEL | MB_ICONERROR | MB_DEFBUTTON1);
  return answer == IDRETRY ? ReadFailureChoice::Retry : ReadFailureChoice::Cancel;
}

}  // namespace tessaly::win32
