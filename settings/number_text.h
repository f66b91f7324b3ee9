#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Numbers read from text, the program's two ways, and numbers written as text.
namespace barloom {

// The number that `text` begins with, 0 when it begins with none. Spaces, tabs and line feeds
// anywhere are ignored; an optional sign, digits, an optional "." and digits, and an optional
// exponent (E or D, optional sign, digits) are read up to the first character that cannot
// continue the number; "&H" and "&O" read hexadecimal and octal digits (as a non-negative
// value). "." is the decimal separator whatever the locale. Never fails; a huge exponent gives
// an infinite value, a tiny one 0.
double ReadLeadingNumber(std::string_view text);

// `value` rounded to the nearest whole number, halves to the even neighbour, as a 16-bit signed
// integer; nullopt when the result does not fit (or the value is not a number). Never wraps.
std::optional<std::int16_t> RoundToInt16(double value);

// A text that is a number as a whole (blanks around it allowed, a fraction rounded halves to
// even), as a 16-bit signed integer; nullopt for anything else ("", "12abc", "70000").
std::optional<std::int16_t> ParseWholeInt16(std::string_view text);

// The shortest decimal text that reads back as `value`, never in exponent form: "1", "-5",
// "2.5", "0" (also for -0), "100000000000000000000" for 1e20; "." whatever the locale.
// nullopt for an infinite value or NaN, which have no decimal text.
std::optional<std::string> DecimalText(double value);

}  // namespace barloom
