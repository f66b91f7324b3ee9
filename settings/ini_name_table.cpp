#include "settings/ini_name_table.h"

#include <cstdint>

namespace barloom {
namespace {

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool SameIniName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

std::size_t IniNameTable::Hash(std::string_view name) {
  // FNV-1a over the folded bytes, then mixed so that the low bits depend on all of them.
  std::uint64_t hash = 0xCBF29CE484222325u;
  for (const char c : name) {
    hash ^= static_cast<unsigned char>(FoldAscii(c));
    hash *= 0x100000001B3u;
  }
  hash ^= hash >> 32;
  hash *= 0x9E3779B97F4A7C15u;
  hash ^= hash >> 29;
  return static_cast<std::size_t>(hash);
}

}  // namespace barloom
