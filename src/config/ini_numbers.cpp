#include "config/ini_numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace lupendo {

namespace {

#if defined(_WIN32)
// The Windows C++ runtime hands floating-point from_chars to the C runtime's strtod.
constexpr bool kFromCharsIsExact = false;
#else
constexpr bool kFromCharsIsExact = true;
#endif

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// mantissa * 10^exponent10 rounded to the nearest double. Exact for the mantissas and
// exponents a configuration holds: powers of ten up to 10^27 are exact in the 64-bit
// mantissa of an extended double, and one rounding step from there keeps 15 digits exact.
double DecimalToDouble(uint64_t mantissa, int exponent10) {
  if (mantissa == 0) return 0.0;
  if (exponent10 > 400) return HUGE_VAL;
  if (exponent10 < -400) return 0.0;
  char text[64];
  int length = std::snprintf(text, sizeof text, "%llue%d", static_cast<unsigned long long>(mantissa), exponent10);
  double value = 0;
  // from_chars is correctly rounded where the library implements it itself.
  auto result = std::from_chars(text, text + length, value);
  if (result.ec == std::errc() && kFromCharsIsExact) return value;
  long double scaled = static_cast<long double>(mantissa);
  long double power = 1.0L;
  int magnitude = exponent10 < 0 ? -exponent10 : exponent10;
  long double base = 10.0L;
  while (magnitude) {
    if (magnitude & 1) power *= base;
    base *= base;
    magnitude >>= 1;
  }
  return static_cast<double>(exponent10 < 0 ? scaled / power : scaled * power);
}

}  // namespace

std::optional<int32_t> ParseIniInteger(std::string_view text) {
  std::string normal;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    normal = "$";
    normal.append(text.substr(2));
  } else {
    normal.assign(text);
  }
  size_t i = 0;
  while (i < normal.size() && IsBlank(normal[i])) ++i;
  bool negative = false;
  if (i < normal.size() && (normal[i] == '+' || normal[i] == '-')) {
    negative = normal[i] == '-';
    ++i;
  }
  bool hex = false;
  if (i < normal.size() && normal[i] == '$') {
    hex = true;
    ++i;
  } else if (i + 1 < normal.size() && normal[i] == '0' && (normal[i + 1] == 'x' || normal[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i >= normal.size()) return std::nullopt;
  uint64_t value = 0;
  for (; i < normal.size(); ++i) {
    int digit = hex ? HexDigit(normal[i]) : (normal[i] >= '0' && normal[i] <= '9' ? normal[i] - '0' : -1);
    if (digit < 0) return std::nullopt;
    value = value * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
    if (value > 0xFFFFFFFFull) return std::nullopt;
  }
  if (hex) {
    uint32_t bits = static_cast<uint32_t>(value);
    if (negative) bits = 0u - bits;
    return static_cast<int32_t>(bits);
  }
  if (negative) {
    if (value > 2147483648ull) return std::nullopt;
    return static_cast<int32_t>(-static_cast<int64_t>(value));
  }
  if (value > 2147483647ull) return std::nullopt;
  return static_cast<int32_t>(value);
}

std::optional<double> ParseIniFloat(std::string_view text) {
  size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  std::string_view body = text.substr(begin, end - begin);
  bool negative = false;
  if (!body.empty() && (body[0] == '+' || body[0] == '-')) {
    negative = body[0] == '-';
    body.remove_prefix(1);
  }
  // Shape check first: digits with at most one ".", at least one digit, then an optional
  // exponent with at least one digit. from_chars alone would accept "inf" and "nan".
  size_t i = 0, digits = 0;
  while (i < body.size() && body[i] >= '0' && body[i] <= '9') ++i, ++digits;
  if (i < body.size() && body[i] == '.') {
    ++i;
    while (i < body.size() && body[i] >= '0' && body[i] <= '9') ++i, ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < body.size() && (body[i] == 'e' || body[i] == 'E')) {
    ++i;
    if (i < body.size() && (body[i] == '+' || body[i] == '-')) ++i;
    size_t expDigits = 0;
    while (i < body.size() && body[i] >= '0' && body[i] <= '9') ++i, ++expDigits;
    if (expDigits == 0) return std::nullopt;
  }
  if (i != body.size()) return std::nullopt;
  // Correctly rounded conversion of its own: some C runtimes round strtod badly, and a
  // stored single-precision zoom must read back as the same value.
  uint64_t mantissa = 0;
  int exponent10 = 0;
  int significant = 0;
  bool seenPoint = false;
  size_t k = 0;
  for (; k < body.size() && body[k] != 'e' && body[k] != 'E'; ++k) {
    if (body[k] == '.') {
      seenPoint = true;
      continue;
    }
    int digit = body[k] - '0';
    if (mantissa == 0 && digit == 0) {
      if (seenPoint) --exponent10;
      continue;
    }
    if (significant < 19) {
      mantissa = mantissa * 10 + static_cast<uint64_t>(digit);
      ++significant;
      if (seenPoint) --exponent10;
    } else if (!seenPoint) {
      ++exponent10;
    }
  }
  if (k < body.size()) {
    int expSign = 1;
    ++k;
    if (body[k] == '+' || body[k] == '-') expSign = body[k++] == '-' ? -1 : 1;
    int expValue = 0;
    for (; k < body.size(); ++k) expValue = expValue > 100000 ? expValue : expValue * 10 + (body[k] - '0');
    exponent10 += expSign * expValue;
  }
  double value = DecimalToDouble(mantissa, exponent10);
  if (!std::isfinite(value)) return std::nullopt;
  return negative ? -value : value;
}

std::string FormatIniFloat(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  if (value == 0) return "0";
  // 15 significant digits in scientific form give the digits and the decimal exponent.
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
  std::string sci(buffer, result.ptr);
  bool negative = sci[0] == '-';
  if (negative) sci.erase(0, 1);
  size_t ePos = sci.find('e');
  int exponent = std::atoi(sci.c_str() + ePos + 1);
  std::string digits;
  for (size_t k = 0; k < ePos; ++k)
    if (sci[k] != '.') digits.push_back(sci[k]);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out = negative ? "-" : "";
  if (exponent >= 15 || exponent < -5) {
    out += digits[0];
    if (digits.size() > 1) {
      out += '.';
      out.append(digits, 1, std::string::npos);
    }
    out += 'E';
    out += std::to_string(exponent);
    return out;
  }
  if (exponent < 0) {
    out += "0.";
    out.append(static_cast<size_t>(-exponent - 1), '0');
    out += digits;
    return out;
  }
  size_t intDigits = static_cast<size_t>(exponent) + 1;
  if (digits.size() <= intDigits) {
    out += digits;
    out.append(intDigits - digits.size(), '0');
  } else {
    out.append(digits, 0, intDigits);
    out += '.';
    out.append(digits, intDigits, std::string::npos);
  }
  return out;
}

std::string FormatFixed(double value, int decimals) {
  char buffer[128];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  if (result.ec != std::errc()) return "0";
  return std::string(buffer, result.ptr);
}

}  // namespace lupendo
