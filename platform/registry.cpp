#include "platform/registry.h"

#include "platform/registry_value.h"

namespace barloom {

std::optional<std::string> cRegistry::ReadValue(std::string_view ValuePath, std::string_view ValueName) const {
  const RegistryKeyPath key = SplitRegistryPath(ValuePath);
  const std::optional<RegistryValue> value = QueryRegistryValue(key.Root, key.SubKey, ValueName);
  if (!value) return std::nullopt;
  return RegistryValueText(*value);
}

}  // namespace barloom
