#pragma once
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/ini_document.h"
#include "settings/ini_name_table.h"
#include "settings/numbered_keys.h"

// Writes gathered in an IniKeyWrites, as the document applies them: the lines they make in one
// buffer, which the documents share, plus one lookup per key the section already has.
namespace barloom {

// The writes as the lines they make ("key=value", the arguments taken as Write takes them) in
// one buffer, each followed by a line end (a document keeps a stretch of them as one run of this
// buffer), and their key names filed in a name table (or, for a numbered family, found by taking
// a name apart): a document finds the writes that name keys it has by looking up its own keys,
// not every write.
struct IniKeyWrites::Impl {
  struct Entry {
    std::size_t Offset = 0;      // of the line in `Text`
    std::size_t Length = 0;      // of the line
    std::size_t KeyLength = 0;   // the key as written: up to a NUL, leading blanks dropped
    std::size_t NameLength = 0;  // the key's name: trailing blanks dropped too
  };
  // Shared with the documents the writes went into, which keep runs of its lines.
  std::shared_ptr<std::string> Shared = std::make_shared<std::string>();
  std::string& Text = *Shared;
  std::vector<Entry> Entries;
  IniNameTable Names;  // write indexes, by key name, but for the family's
  // Writes to keys of one numbered family (AddNumbered), found by taking a name apart: the write
  // index of each of its keys, NoWrite where it has none.
  static constexpr std::size_t NoWrite = static_cast<std::size_t>(-1);
  std::optional<NumberedKeys> Family;
  std::size_t PlainWrites = 0;  // filed in Names
  std::vector<std::size_t> FamilyWrites;
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
  // The write to the key named `name`, if any.
  std::optional<std::size_t> Find(std::string_view name) const {
    if (const auto write = Names.Find(name, NameOf())) return write;
    if (!Family) return std::nullopt;
    const std::optional<std::size_t> key = Family->IndexOf(name);
    if (!key || FamilyWrites[*key] == NoWrite) return std::nullopt;
    return FamilyWrites[*key];
  }
};

}  // namespace barloom
