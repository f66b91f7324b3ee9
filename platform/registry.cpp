#include "platform/registry.h"

#include "platform/not_found_marker.h"
#include "platform/registry_value.h"

namespace barloom {

std::string cRegistry::ReadValue(std::string_view ValuePath, std::string_view ValueName) const {
  const RegistryKeyPath key = SplitRegistryPath(ValuePath);
  std::optional<std::string> text;
  if (const std::optional<RegistryValue> value = QueryRegistryValue(key.Root, key.SubKey, ValueName))
    text = RegistryValueText(*value);
  return text.value_or(std::string{NotFoundMarker});
}

}  // namespace barloom
