#pragma once
#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

// Byte-level text helpers for ASCII rules: letter case, blanks, line breaks. Bytes 0x80-0xFF (and
// so every byte of a multi-byte character) are never letters, blanks or line breaks here.
namespace barloom {

inline char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Equal but for the case of ASCII letters; every other byte must be equal.
inline bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

// A set of bytes, tested in one step. What counts as a blank differs from format to format, so
// every trim names its set.
class ByteSet {
 public:
  constexpr explicit ByteSet(std::string_view bytes) {
    for (const char c : bytes) bits_[Byte(c) / 64] |= std::uint64_t{1} << (Byte(c) % 64);
  }
  constexpr bool Contains(char c) const { return (bits_[Byte(c) / 64] >> (Byte(c) % 64)) & 1; }

 private:
  static constexpr unsigned Byte(char c) { return static_cast<unsigned char>(c); }
  std::array<std::uint64_t, 4> bits_{};
};

inline constexpr ByteSet Spaces{" "};
inline constexpr ByteSet SpacesAndTabs{" \t"};
inline constexpr ByteSet SpacesAndLineBreaks{" \r\n"};

inline std::string_view TrimLeft(std::string_view text, const ByteSet& blanks) {
  std::size_t begin = 0;
  while (begin < text.size() && blanks.Contains(text[begin])) ++begin;
  return text.substr(begin);
}

inline std::string_view TrimRight(std::string_view text, const ByteSet& blanks) {
  std::size_t end = text.size();
  while (end > 0 && blanks.Contains(text[end - 1])) --end;
  return text.substr(0, end);
}

inline std::string_view Trim(std::string_view text, const ByteSet& blanks) {
  return TrimRight(TrimLeft(text, blanks), blanks);
}

inline bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// Whether `text` holds a CR or an LF. (A loop: find_first_of would call memchr once for every
// byte.)
inline bool HasLineBreak(std::string_view text) { return std::any_of(text.begin(), text.end(), IsLineBreak); }

}  // namespace barloom
