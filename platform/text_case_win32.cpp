#include <windows.h>

#include "platform/code_page.h"
#include "platform/text_case.h"

namespace barloom {

std::optional<std::string> LowerCaseText(std::string_view utf8) {
  // Invalid UTF-8 must not be compared as U+FFFD.
  if (!IsValidUtf8(utf8)) return std::nullopt;
  if (utf8.empty()) return std::string{};
  const std::wstring wide = WideFromUtf8(utf8);
  const int length = static_cast<int>(wide.size());
  std::wstring lower(wide.size(), L'\0');
  const int mapped = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_LOWERCASE, wide.data(), length, lower.data(), length,
                                   nullptr, nullptr, 0);
  if (mapped != length) return std::nullopt;
  return Utf8FromWide(lower);
}

}  // namespace barloom
