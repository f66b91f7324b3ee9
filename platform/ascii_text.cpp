#include "platform/ascii_text.h"

#include <algorithm>

namespace barloom {

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

// (A loop: find_first_of would call memchr once for every byte.)
bool HasLineBreak(std::string_view text) { return std::any_of(text.begin(), text.end(), IsLineBreak); }

}  // namespace barloom
