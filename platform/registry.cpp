#include "platform/registry.h"

#include <algorithm>
#include <array>

#include "platform/ascii_text.h"

namespace barloom {

std::optional<std::string> cRegistry::ReadValue(std::string_view ValuePath, std::string_view ValueName) const {
  const RegistryKeyPath key = SplitRegistryPath(ValuePath);
  const std::optional<RegistryValue> value = QueryRegistryValue(key.Root, key.SubKey, ValueName);
  if (!value) return std::nullopt;
  return RegistryValueText(*value);
}

}  // namespace barloom

namespace barloom {
namespace {

struct RootKeyRow {
  std::string_view Name;
  std::uint32_t Handle;
};

// The performance-data root (0x80000004) and the short forms are left out on purpose.
constexpr std::array<RootKeyRow, 6> RootKeys = {{
    {"HKEY_CLASSES_ROOT", 0x80000000},
    {"HKEY_CURRENT_USER", 0x80000001},
    {"HKEY_LOCAL_MACHINE", 0x80000002},
    {"HKEY_USERS", 0x80000003},
    {"HKEY_CURRENT_CONFIG", 0x80000005},
    {"HKEY_DYN_DATA", 0x80000006},
}};

std::string DwordText(std::string_view data) {
  std::uint32_t number = 0;
  for (std::size_t i = 0; i < 4 && i < data.size(); ++i)
    number |= static_cast<std::uint32_t>(static_cast<unsigned char>(data[i])) << (8 * i);
  std::string text = std::to_string(number);
  if (text.size() < 3) text.insert(0, 3 - text.size(), '0');
  return text;
}

std::string HexText(std::string_view data) {
  constexpr char Digits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(data.size() * 2);
  for (const char c : data) {
    const auto byte = static_cast<unsigned char>(c);
    text += Digits[byte >> 4];
    text += Digits[byte & 0x0F];
  }
  return text;
}

}  // namespace

std::uint32_t RegistryRootKey(std::string_view rootName) {
  for (const RootKeyRow& row : RootKeys)
    if (EqualIgnoringAsciiCase(rootName, row.Name)) return row.Handle;
  return 0;
}

RegistryKeyPath SplitRegistryPath(std::string_view valuePath) {
  const std::size_t backslash = valuePath.find('\\');
  if (backslash == std::string_view::npos) return {RegistryRootKey(valuePath), {}};
  return {RegistryRootKey(valuePath.substr(0, backslash)), valuePath.substr(backslash + 1)};
}

std::optional<std::string> RegistryValueText(const RegistryValue& value) {
  if (value.StoredSize > RegistryReadLimit) return std::nullopt;
  switch (value.Type) {
    case RegistryDwordType:
      return DwordText(value.Data);
    case RegistryBinaryType:
      return HexText(value.Data);
    default: {
      std::string_view text = value.Data;
      if (!text.empty() && text.back() == '\0') text.remove_suffix(1);
      return std::string{text};
    }
  }
}

}  // namespace barloom

#ifndef _WIN32
namespace barloom {

std::optional<std::string> ReadRegistryText(RegistryRoot, std::string_view, std::string_view) { return std::nullopt; }

std::optional<RegistryValue> QueryRegistryValue(std::uint32_t, std::string_view, std::string_view) {
  return std::nullopt;
}

}  // namespace barloom
#endif  // !_WIN32
