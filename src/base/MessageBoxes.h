#pragma once
// How the core talks to the user. The Win32 layer shows real message boxes; tests
// answer and record them.

#include <string>

namespace tessaly {

enum class SaveFailureChoice {
  Retry,        // write the file again
  CloseAnyway,  // give the unsaved changes up and go on closing
  StayOpen,     // keep the program running with the changes in memory
};

enum class ReadFailureChoice {
  Retry,   // read the file again
  Cancel,  // end the program without writing any file
};

enum class YesNoCancel { Yes, No, Cancel };

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;

  // Information box: caption "Information", one OK button.
  virtual void Information(const std::string& text) = 0;
  // Task-modal Yes/No question, caption "Confirmation", question icon, no owner.
  // True when the answer is Yes.
  virtual bool Confirm(const std::string& text) = 0;
  // The same question with a third button, Cancel, that chooses neither.
  virtual YesNoCancel AskYesNoCancel(const std::string& text) = 0;
  // The standard error box for failed writes and unreadable numbers.
  virtual void Error(const std::string& text) = 0;
  // A plain box with one OK button and no caption of its own.
  virtual void Plain(const std::string& text) = 0;
  // Asked when a file that holds unsaved changes cannot be written at close.
  virtual SaveFailureChoice AskAfterFailedSave(const std::string& text) = 0;
  // Asked when a data file exists but cannot be read: Try Again or Cancel.
  virtual ReadFailureChoice AskAfterFailedRead(const std::string& text) = 0;
};

}  // namespace tessaly
