#include "platform/registry.h"
#include "platform/registry_value.h"

namespace barloom {

std::optional<std::string> ReadRegistryText(RegistryRoot, std::string_view, std::string_view) { return std::nullopt; }

std::optional<RegistryValue> QueryRegistryValue(std::uint32_t, std::string_view, std::string_view) {
  return std::nullopt;
}

}  // namespace barloom
