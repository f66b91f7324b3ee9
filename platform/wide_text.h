#pragma once
#include <string>
#include <string_view>

namespace barloom {

// The one pair of converters between the program's UTF-8 and the UTF-16 of Win32 calls.
// Invalid UTF-8 becomes U+FFFD; unpaired surrogates likewise.
std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);

}  // namespace barloom
