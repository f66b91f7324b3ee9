// Number reading and writing. Arbitrary text, checked:
//  - ReadLeadingNumber equals a straightforward model: blanks dropped, "&H"/"&O" digits, else the
//    longest decimal beginning converted by strtod;
//  - ParseWholeInt16, when it takes the text, agrees with RoundToInt16 of ReadLeadingNumber;
//  - RoundToInt16 gives the nearest whole number (halves to even) or nothing outside 16 bits;
//  - DecimalText of any finite double (taken from the first 8 bytes) reads back as that double.
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "settings/number_text.h"

namespace {

using barloom::fuzz::Check;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

double ModelRadix(std::string_view text, int radix) {
  double value = 0;
  for (const char c : text.substr(2)) {
    const char lower = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    const int digit = IsDigit(lower) ? lower - '0' : (lower >= 'a' && lower <= 'f') ? lower - 'a' + 10 : 99;
    if (digit >= radix) break;
    value = value * radix + digit;
  }
  return value;
}

// [sign] digits [. digits] [(e|E|d|D) [sign] digits], at least one mantissa digit, for strtod.
double ModelDecimal(std::string_view text) {
  std::string number;
  std::size_t pos = 0;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) number += text[pos++];
  std::size_t digits = 0;
  for (; pos < text.size() && IsDigit(text[pos]); ++pos, ++digits) number += text[pos];
  if (pos < text.size() && text[pos] == '.') {
    number += text[pos++];
    for (; pos < text.size() && IsDigit(text[pos]); ++pos, ++digits) number += text[pos];
  }
  if (digits == 0) return 0;
  if (pos + 1 < text.size() && std::strchr("eEdD", text[pos]) && text[pos] != '\0') {
    std::size_t expPos = pos + 1;
    std::string exponent = "e";
    if (text[expPos] == '+' || text[expPos] == '-') exponent += text[expPos++];
    if (expPos < text.size() && IsDigit(text[expPos])) {
      for (; expPos < text.size() && IsDigit(text[expPos]); ++expPos) exponent += text[expPos];
      number += exponent;
    }
  }
  return std::strtod(number.c_str(), nullptr);
}

double ModelLeadingNumber(std::string_view text) {
  std::string compact;
  for (const char c : text)
    if (c != ' ' && c != '\t' && c != '\n') compact += c;
  if (compact.size() >= 2 && compact[0] == '&') {
    if (compact[1] == 'h' || compact[1] == 'H') return ModelRadix(compact, 16);
    if (compact[1] == 'o' || compact[1] == 'O') return ModelRadix(compact, 8);
    return 0;
  }
  return ModelDecimal(compact);
}

bool SameDouble(double a, double b) { return (std::isnan(a) && std::isnan(b)) || (a == b && std::signbit(a) == std::signbit(b)); }

void CheckRounding(double value) {
  const std::optional<std::int16_t> rounded = barloom::RoundToInt16(value);
  if (!std::isfinite(value)) {
    Check(!rounded, "a value that is no number rounded to one");
    return;
  }
  const double nearest = std::nearbyint(value);  // the default rounding: halves to even
  const bool fits = nearest >= -32768 && nearest <= 32767;
  Check(rounded.has_value() == fits, "RoundToInt16 and the 16-bit range disagree");
  if (rounded) Check(*rounded == nearest, "RoundToInt16 is not the nearest whole number, halves to even");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::setlocale(LC_NUMERIC, "C");  // strtod in the model reads "." as the decimal point
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double value = barloom::ReadLeadingNumber(text);
  Check(SameDouble(value, ModelLeadingNumber(text)), "ReadLeadingNumber differs from the model");
  CheckRounding(value);
  if (const std::optional<std::int16_t> whole = barloom::ParseWholeInt16(text)) {
    Check(barloom::RoundToInt16(value) == whole, "ParseWholeInt16 differs from the leading number, rounded");
  }

  if (size >= sizeof(double)) {
    double bits;
    std::memcpy(&bits, data, sizeof bits);
    CheckRounding(bits);
    const std::optional<std::string> decimal = barloom::DecimalText(bits);
    Check(decimal.has_value() == std::isfinite(bits), "DecimalText exists exactly for finite numbers");
    if (decimal) Check(barloom::ReadLeadingNumber(*decimal) == bits, "DecimalText does not read back as its number");
  }
  return 0;
}
