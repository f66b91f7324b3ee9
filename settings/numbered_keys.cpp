#include "settings/numbered_keys.h"

#include <charconv>

#include "settings/ini_name_table.h"

namespace barloom {

void NumberedKeys::AppendName(std::string& out, std::size_t index) const {
  out.append(Stems[index % Stems.size()]);
  char digits[12];
  const int number = First + static_cast<int>(index / Stems.size());
  const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
  out.append(digits, end);
}

std::optional<std::size_t> NumberedKeys::IndexOf(std::string_view name) const {
  std::size_t digitsAt = name.size();
  while (digitsAt > 0 && name[digitsAt - 1] >= '0' && name[digitsAt - 1] <= '9') --digitsAt;
  const std::size_t digits = name.size() - digitsAt;
  // A number written as the family writes it: no leading zero, and short enough to be in range.
  if (digits == 0 || digits > 9 || name[digitsAt] == '0') return std::nullopt;
  int number = 0;
  for (std::size_t at = digitsAt; at < name.size(); ++at) number = number * 10 + (name[at] - '0');
  if (number < First || number - First >= Count) return std::nullopt;
  const std::string_view stem = name.substr(0, digitsAt);
  for (std::size_t s = 0; s < Stems.size(); ++s)
    if (stem.size() == Stems[s].size() && SameIniName(stem, Stems[s]))
      return static_cast<std::size_t>(number - First) * Stems.size() + s;
  return std::nullopt;
}

}  // namespace barloom
