#pragma once
#include <string>
#include <string_view>

namespace barloom::test_support {

// ASCII text as the bytes of little-endian UTF-16, as a UTF-16 file holds it (without its mark).
inline std::string Utf16Bytes(std::string_view ascii) {
  std::string units;
  for (const char c : ascii) {
    units += c;
    units += '\0';
  }
  return units;
}

}  // namespace barloom::test_support
