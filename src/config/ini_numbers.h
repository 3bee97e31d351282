#pragma once
// Number texts of the configuration file. Every conversion here is independent of the
// C locale: the file always uses "." as decimal separator.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lupendo {

// Integer value of an ini entry: optional leading blanks and sign, then decimal digits,
// "$" plus hex digits, or "0x"/"0X" plus hex digits (the latter only when the text is longer
// than two characters). Hex values cover the full 32-bit pattern (so "$FFFFFFFF" is -1).
// Anything else, including overflow and trailing characters, gives no value.
std::optional<int32_t> ParseIniInteger(std::string_view text);

// Decimal number with "." as separator and optional exponent; leading and trailing blanks
// are allowed. Empty or malformed text gives no value.
std::optional<double> ParseIniFloat(std::string_view text);

// General decimal form with at most 15 significant digits, "." as separator: 2 -> "2",
// 2.5 -> "2.5", the single 2.3f widened -> "2.29999995231628". Values from 1e-5 up to
// 15 integer digits are written without exponent; others as "1.5E-6" / "1E20".
std::string FormatIniFloat(double value);

// Fixed-point text with the given number of decimals, "." as separator (the zoom factor
// shows as "2.0").
std::string FormatFixed(double value, int decimals);

}  // namespace lupendo
