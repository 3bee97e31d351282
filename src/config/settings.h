#pragma once
// Option values between the configuration and the program (frame colours, refresh rate and,
// once the settings dialog exists, its controls).
namespace lupendo {

void LoadOptions();
void SaveOptions();

}  // namespace lupendo
