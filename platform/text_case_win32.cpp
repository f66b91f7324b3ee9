#include <windows.h>

#include "platform/text_case.h"
#include "platform/wide_text.h"

namespace barloom {

std::optional<std::string> LowerCaseText(std::string_view utf8) {
  if (utf8.empty()) return std::string{};
  const int size = static_cast<int>(utf8.size());
  // Strict conversion: invalid UTF-8 must not be compared as U+FFFD.
  const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
  if (length <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), length);
  std::wstring lower(wide.size(), L'\0');
  const int mapped = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_LOWERCASE, wide.data(), length, lower.data(), length,
                                   nullptr, nullptr, 0);
  if (mapped != length) return std::nullopt;
  return Utf8FromWide(lower);
}

}  // namespace barloom
