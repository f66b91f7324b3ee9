#include "settings/ini_name_table.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/ascii_text.h"

namespace barloom {
namespace {

// AsciiLower on each byte of `word`: a byte is a capital when its low seven bits lie in 'A'..'Z'
// and its top bit is clear; such bytes get the 0x20 bit.
std::uint64_t FoldAsciiWord(std::uint64_t word) {
  constexpr std::uint64_t ones = 0x0101010101010101u;
  constexpr std::uint64_t tops = 0x8080808080808080u;
  const std::uint64_t low = word & ~tops;
  const std::uint64_t atLeastA = low + (0x80 - 'A') * ones;   // top bit set where >= 'A'
  const std::uint64_t aboveZ = low + (0x80 - 'Z' - 1) * ones;  // top bit set where > 'Z'
  const std::uint64_t capitals = atLeastA & ~aboveZ & ~word & tops;
  return word | (capitals >> 2);
}

}  // namespace

bool SameIniName(std::string_view a, std::string_view b) { return EqualIgnoringAsciiCase(a, b); }

std::size_t IniNameTable::Hash(std::string_view name) {
  // Eight bytes at a time, ASCII capitals folded to small letters in all eight at once, each word
  // multiplied in; then mixed so that the low bits depend on all of them. Names are short (a
  // button key is about ten bytes), so the word steps, not the bytes, set the cost.
  std::uint64_t hash = 0xCBF29CE484222325u ^ name.size();
  for (std::size_t at = 0; at < name.size(); at += 8) {
    const std::size_t length = std::min<std::size_t>(8, name.size() - at);
    std::uint64_t word = 0;
    std::memcpy(&word, name.data() + at, length);
    hash = (hash ^ FoldAsciiWord(word)) * 0x9E3779B97F4A7C15u;
    hash ^= hash >> 32;
  }
  hash *= 0xD6E8FEB86659FD93u;
  hash ^= hash >> 29;
  return static_cast<std::size_t>(hash);
}

}  // namespace barloom
