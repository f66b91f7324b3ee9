#include <locale.h>
#include <wctype.h>

#include "platform/text_case.h"
#include "platform/utf8.h"

namespace barloom {
namespace {

// The C.UTF-8 locale carries the full Unicode case tables, whatever the process locale is.
locale_t Utf8Locale() {
  static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
  return locale;
}

}  // namespace

std::optional<std::string> LowerCaseText(std::string_view utf8) {
  const locale_t locale = Utf8Locale();
  std::string lower;
  lower.reserve(utf8.size());
  for (std::size_t index = 0; index < utf8.size();) {
    char32_t c = utf8::Next(utf8, index);
    if (c == utf8::Invalid) return std::nullopt;
    if (c >= 'A' && c <= 'Z') {
      c += 'a' - 'A';
    } else if (c >= 0x80) {
      if (!locale) return std::nullopt;  // no case tables: better no match than a wrong one
      const wint_t mapped = towlower_l(static_cast<wint_t>(c), locale);
      if (mapped <= 0x10FFFF && !(mapped >= 0xD800 && mapped <= 0xDFFF)) c = static_cast<char32_t>(mapped);
    }
    utf8::Append(lower, c);
  }
  return lower;
}

}  // namespace barloom
