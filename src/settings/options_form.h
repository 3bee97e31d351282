#pragma once
// The settings dialog. It is created once, kept hidden, and shown modally on demand; in
// install mode it is the first-run dialog.
#include <memory>

namespace lupendo {

class TOptionsForm {
 public:
  virtual ~TOptionsForm() = default;
  bool InstallMode = false;
  // Shows the dialog modally and returns when it closes.
  virtual void ShowModal();
};

// Creates the one settings dialog of the program.
std::unique_ptr<TOptionsForm> CreateOptionsForm();

// The settings dialog in use (owned by the program entry).
extern TOptionsForm* OptionsForm;

}  // namespace lupendo

namespace lupendo {

// Frame colours of the magnifier window while active and inactive ($00BBGGRR).
extern unsigned long ActiveColor;
extern unsigned long InactiveColor;
// True while the options are being loaded into the dialog.
extern bool OptionsLoading;

}  // namespace lupendo
