#include "settings/options_form.h"

namespace lupendo {

TOptionsForm* OptionsForm = nullptr;

// The dialog's pages and controls are not built yet: showing it returns at once.
void TOptionsForm::ShowModal() {}

std::unique_ptr<TOptionsForm> CreateOptionsForm() { return std::make_unique<TOptionsForm>(); }

}  // namespace lupendo

namespace lupendo {

unsigned long ActiveColor = 0x00C0FFFF;
unsigned long InactiveColor = 0x00F0F0F0;
bool OptionsLoading = false;

}  // namespace lupendo
