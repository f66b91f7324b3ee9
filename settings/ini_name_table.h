#pragma once
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

// Section and key names as the profile API compares them, and an index of entries by such names.
namespace barloom {

// Equal but for the case of ASCII letters; bytes 0x80-0xFF must be equal.
bool SameIniName(std::string_view a, std::string_view b);

// Entries filed by name without keeping the names: a slot holds an entry (a number its owner gives
// meaning to, such as the offset of a line), and the owner's `nameOf(entry)` gives the name back
// whenever slots are compared or moved. At most half the slots are taken, and a slot takes 4
// bytes while every entry fits in 32 bits (8 from the first that does not), so an entry costs 8
// to 16 bytes however long its name is (24 while the table grows). Lookups are O(1) expected, plus
// the length of the names compared.
class IniNameTable {
 public:
  using Entry = std::size_t;

  template <typename NameOf>
  std::optional<Entry> Find(std::string_view name, const NameOf& nameOf) const {
    return wide_.Slots.empty() ? narrow_.Find(name, Hash(name), nameOf) : wide_.Find(name, Hash(name), nameOf);
  }

  // The entry already filed under `name`; otherwise files `entry` under it and gives it back.
  template <typename NameOf>
  Entry FindOrAdd(Entry entry, std::string_view name, const NameOf& nameOf) {
    WidenFor(entry, nameOf);
    return wide_.Slots.empty() ? narrow_.FindOrAdd(entry, name, Hash(name), nameOf)
                               : wide_.FindOrAdd(entry, name, Hash(name), nameOf);
  }

  // Room for `count` entries in all, so that filing them grows the table no more.
  template <typename NameOf>
  void Reserve(std::size_t count, const NameOf& nameOf) {
    if (wide_.Slots.empty() && count * 2 > narrow_.Slots.size()) narrow_.Grow(count / 2 + 1, nameOf);
  }

  // Calls visit(entry) for every entry filed, in no particular order.
  template <typename Visit>
  void ForEach(const Visit& visit) const {
    for (const std::uint32_t entry : narrow_.Slots)
      if (entry != narrow_.Empty) visit(Entry{entry});
    for (const std::uint64_t entry : wide_.Slots)
      if (entry != wide_.Empty) visit(static_cast<Entry>(entry));
  }

  // Files `now` in the place of `old`, which is filed under `name`; `now` must have that name too.
  template <typename NameOf>
  void Replace(Entry old, Entry now, std::string_view name, const NameOf& nameOf) {
    WidenFor(now, nameOf);
    if (wide_.Slots.empty()) {
      narrow_.Replace(old, now, Hash(name));
    } else {
      wide_.Replace(old, now, Hash(name));
    }
  }

 private:
  static std::size_t Hash(std::string_view name);

  template <typename Slot>
  struct SlotTable {
    static constexpr Slot Empty = std::numeric_limits<Slot>::max();
    std::vector<Slot> Slots;
    std::size_t Count = 0;

    template <typename NameOf>
    std::optional<Entry> Find(std::string_view name, std::size_t hash, const NameOf& nameOf) const {
      if (Slots.empty()) return std::nullopt;
      for (std::size_t slot = hash % Slots.size();; slot = (slot + 1) % Slots.size()) {
        if (Slots[slot] == Empty) return std::nullopt;
        if (SameIniName(nameOf(Slots[slot]), name)) return Slots[slot];
      }
    }

    template <typename NameOf>
    Entry FindOrAdd(Entry entry, std::string_view name, std::size_t hash, const NameOf& nameOf) {
      if ((Count + 1) * 2 > Slots.size()) Grow(Count + 1, nameOf);
      std::size_t slot = hash % Slots.size();
      for (; Slots[slot] != Empty; slot = (slot + 1) % Slots.size()) {
        if (SameIniName(nameOf(Slots[slot]), name)) return Slots[slot];
      }
      Slots[slot] = static_cast<Slot>(entry);
      ++Count;
      return entry;
    }

    void Replace(Entry old, Entry now, std::size_t hash) {
      if (Slots.empty()) return;
      for (std::size_t slot = hash % Slots.size(); Slots[slot] != Empty; slot = (slot + 1) % Slots.size()) {
        if (Slots[slot] == old) {
          Slots[slot] = static_cast<Slot>(now);
          return;
        }
      }
    }

    // Room for twice `wanted` entries: the old ones moved into a table four times their count.
    template <typename NameOf>
    void Grow(std::size_t wanted, const NameOf& nameOf) {
      std::vector<Slot> old(4 * wanted + 7, Empty);
      old.swap(Slots);
      for (const Slot entry : old)
        if (entry != Empty) Place(entry, Hash(nameOf(entry)));
    }

    void Place(Entry entry, std::size_t hash) {
      std::size_t slot = hash % Slots.size();
      while (Slots[slot] != Empty) slot = (slot + 1) % Slots.size();
      Slots[slot] = static_cast<Slot>(entry);
    }
  };

  // Moves to 8-byte slots before the first entry that 4 bytes cannot hold.
  template <typename NameOf>
  void WidenFor(Entry entry, const NameOf& nameOf) {
    if (!wide_.Slots.empty() || entry < SlotTable<std::uint32_t>::Empty) return;
    wide_.Grow(narrow_.Count, nameOf);
    for (const std::uint32_t old : narrow_.Slots)
      if (old != narrow_.Empty) wide_.Place(old, Hash(nameOf(old)));
    wide_.Count = narrow_.Count;
    narrow_ = {};
  }

  SlotTable<std::uint32_t> narrow_;
  SlotTable<std::uint64_t> wide_;  // in use once an entry does not fit in 32 bits
};

}  // namespace barloom
