#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "settings/ini_document.h"
#include "settings/ini_name_table.h"

// Writes gathered in an IniKeyWrites, as the document applies them: the lines they make in one
// buffer, at the cost of copying them, plus one lookup per key the section already has.
namespace barloom {

// The writes as the lines they make ("key=value", the arguments taken as Write takes them) in
// one buffer, and their key names filed in a name table: a document finds the writes that name
// keys it has by looking up its own keys, not every write.
struct IniKeyWrites::Impl {
  struct Entry {
    std::size_t Offset = 0;      // of the line in `Text`
    std::size_t Length = 0;      // of the line
    std::size_t KeyLength = 0;   // the key as written: up to a NUL, leading blanks dropped
    std::size_t NameLength = 0;  // the key's name: trailing blanks dropped too
  };
  std::string Text;
  std::vector<Entry> Entries;
  IniNameTable Names;  // write indexes, by key name
  // Every write makes one key line that is read back under its key's name, and no two name the
  // same key: then each write's effect is independent of the others'.
  bool Independent = true;

  std::size_t Size() const { return Entries.size(); }
  std::string_view Line(std::size_t i) const { return std::string_view(Text).substr(Entries[i].Offset, Entries[i].Length); }
  std::string_view Key(std::size_t i) const { return Line(i).substr(0, Entries[i].KeyLength); }
  std::string_view Value(std::size_t i) const { return Line(i).substr(Entries[i].KeyLength + 1); }
  std::string_view Name(std::size_t i) const { return Line(i).substr(0, Entries[i].NameLength); }
  auto NameOf() const {
    return [this](std::size_t i) { return Name(i); };
  }
};

}  // namespace barloom
