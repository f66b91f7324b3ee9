#include "settings/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>
#include <utility>

#include "platform/ascii_text.h"

namespace barloom {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

struct Scan {
  double Value = 0;
  std::size_t Length = 0;  // characters taken; 0 when the text does not begin with a number
};

Scan ScanRadix(std::string_view text, int radix) {
  Scan scan;
  std::size_t pos = 2;  // after "&H" / "&O"
  while (pos < text.size() && DigitValue(text[pos]) < radix) {
    scan.Value = scan.Value * radix + DigitValue(text[pos]);
    ++pos;
  }
  if (pos > 2) scan.Length = pos;
  return scan;
}

// An optional sign at `pos`, which it passes; true for '-'.
bool ScanSign(std::string_view text, std::size_t& pos) {
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) return text[pos++] == '-';
  return false;
}

// Digits, then "." and digits, from `pos` on, which it passes.
struct Mantissa {
  std::string Digits;           // without the point
  long long PointExponent = 0;  // the power of ten the point contributes
};
Mantissa ScanMantissa(std::string_view text, std::size_t& pos) {
  Mantissa mantissa;
  while (pos < text.size() && IsDigit(text[pos])) mantissa.Digits += text[pos++];
  if (pos < text.size() && text[pos] == '.') {
    ++pos;
    while (pos < text.size() && IsDigit(text[pos])) mantissa.Digits += text[pos++], --mantissa.PointExponent;
  }
  return mantissa;
}

// The exponent at `pos` ("E" or "D", optional sign, digits); `pos` passes it only when it is
// whole, else it stays and the exponent is 0. Saturated beyond any digit count a text in memory
// can have (which it may have to balance) and far from where the arithmetic below would overflow.
long long ScanExponent(std::string_view text, std::size_t& pos) {
  constexpr long long ExponentLimit = 100'000'000'000'000'000;
  if (pos >= text.size() || (AsciiLower(text[pos]) != 'e' && AsciiLower(text[pos]) != 'd')) return 0;
  std::size_t expPos = pos + 1;
  const bool negative = ScanSign(text, expPos);
  if (expPos >= text.size() || !IsDigit(text[expPos])) return 0;
  long long exponent = 0;
  for (; expPos < text.size() && IsDigit(text[expPos]); ++expPos)
    if (exponent < ExponentLimit) exponent = exponent * 10 + (text[expPos] - '0');
  pos = expPos;
  return negative ? -exponent : exponent;
}

// The value of digits * 10^exponent, rebuilt in a plain form for from_chars, which rounds
// correctly and knows no locale.
double ValueOfDigits(std::string digits, long long exponent) {
  const std::size_t firstSignificant = digits.find_first_not_of('0');
  if (firstSignificant == std::string::npos) return 0;
  digits.erase(0, firstSignificant);
  // Keep the mantissa's length bounded: digits past the 800th cannot change a double.
  constexpr std::size_t MaxDigits = 800;
  if (digits.size() > MaxDigits) {
    exponent += static_cast<long long>(digits.size() - MaxDigits);
    digits.resize(MaxDigits);
  }
  // Far out of range either way: no need to ask from_chars.
  const long long magnitude = exponent + static_cast<long long>(digits.size());
  if (magnitude > 400) return std::numeric_limits<double>::infinity();
  if (magnitude < -400) return 0;
  const std::string plain = digits + "e" + std::to_string(exponent);
  double value;
  const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (result.ec == std::errc::result_out_of_range) return magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  if (result.ec != std::errc()) return 0;
  return value;
}

// Sign, digits, "." and digits, exponent: the longest such beginning of `text`.
Scan ScanDecimal(std::string_view text) {
  std::size_t pos = 0;
  const bool negative = ScanSign(text, pos);
  Mantissa mantissa = ScanMantissa(text, pos);
  if (mantissa.Digits.empty()) return {};
  const long long exponent = ScanExponent(text, pos);
  const double value = ValueOfDigits(std::move(mantissa.Digits), exponent + mantissa.PointExponent);
  return {negative ? -value : value, pos};
}

Scan ScanNumber(std::string_view text) {
  if (text.size() >= 2 && text[0] == '&') {
    if (AsciiLower(text[1]) == 'h') return ScanRadix(text, 16);
    if (AsciiLower(text[1]) == 'o') return ScanRadix(text, 8);
    return {};
  }
  return ScanDecimal(text);
}

// Blanks that a number may hold anywhere.
constexpr ByteSet IgnoredInNumbers{" \t\n"};

}  // namespace

double ReadLeadingNumber(std::string_view text) {
  std::string compact;
  compact.reserve(text.size());
  for (const char c : text)
    if (!IgnoredInNumbers.Contains(c)) compact += c;
  return ScanNumber(compact).Value;
}

std::optional<std::int16_t> RoundToInt16(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  double whole = std::floor(value);
  const double fraction = value - whole;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0)) whole += 1;
  if (whole < std::numeric_limits<std::int16_t>::min() || whole > std::numeric_limits<std::int16_t>::max())
    return std::nullopt;
  return static_cast<std::int16_t>(whole);
}

std::optional<std::int16_t> ParseWholeInt16(std::string_view text) {
  text = Trim(text, SpacesAndTabs);
  const Scan scan = ScanNumber(text);
  if (scan.Length == 0 || scan.Length != text.size()) return std::nullopt;
  return RoundToInt16(scan.Value);
}

std::optional<std::string> DecimalText(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  value += 0.0;  // -0 becomes 0
  // Fixed notation with the fewest digits that read back as the same double.
  char buffer[400];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  if (result.ec != std::errc()) return std::nullopt;
  return std::string(buffer, result.ptr);
}

}  // namespace barloom
