#pragma once
// What the fuel transfer shows the user: the main window implements it with its
// status bar and dialogs, the console sender with standard output.
#include <string>

namespace simlink {

class TransferView {
 public:
  virtual ~TransferView() = default;
  virtual void SetStatusText(const std::string& text) = 0;
  // The information message dialog with one OK button.
  virtual void ShowInformation(const std::string& text) = 0;
  // A message box with one OK button and no icon.
  virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
};

}  // namespace simlink
