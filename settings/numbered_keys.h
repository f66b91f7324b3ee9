#pragma once
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// A family of key names made of a stem and a number, as a button bar names its buttons' keys
// ("cmd12"): key i is Stems[i % n] followed by First + i / n in plain decimal (n = Stems.size()),
// for i below Count * n. A name is found in the family by taking it apart, with no table of names,
// and compared as the profile API compares names (ASCII letters in either case).
namespace barloom {

struct NumberedKeys {
  std::span<const std::string_view> Stems;  // distinct, none ends in a digit
  int First = 1;
  int Count = 0;

  std::size_t Size() const { return Stems.size() * static_cast<std::size_t>(Count > 0 ? Count : 0); }
  // Appends the name of key `index` to `out`.
  void AppendName(std::string& out, std::size_t index) const;
  // The index of the key named `name`, or nullopt when the family has no such name ("cmd012" and
  // "cmd+12" are none of its names).
  std::optional<std::size_t> IndexOf(std::string_view name) const;
  // The same family: the same stems (the same array of them), numbers and count.
  friend bool operator==(const NumberedKeys& a, const NumberedKeys& b) {
    return a.Stems.data() == b.Stems.data() && a.Stems.size() == b.Stems.size() && a.First == b.First && a.Count == b.Count;
  }
};

}  // namespace barloom
