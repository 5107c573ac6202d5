#pragma once

#include "base/MessageBoxes.h"

namespace tessaly::win32 {

// Real message boxes. Information and error boxes belong to the active window, so
// they stay above it; questions are task-modal without an owner.
class Win32MessageBoxes : public MessageBoxes {
 public:
  void Information(const std::string& text) override;
  bool Confirm(const std::string& text) override;
  YesNoCancel AskYesNoCancel(const std::string& text) override;
  void Error(const std::string& text) override;
  void Plain(const std::string& text) override;
  SaveFailureChoice AskAfterFailedSave(const std::string& text) override;
  ReadFailureChoice AskAfterFailedRead(const std::string& text) override;
};

}  // namespace tessaly::win32
