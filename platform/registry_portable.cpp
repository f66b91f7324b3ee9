#include "platform/registry.h"

namespace barloom {

std::optional<std::string> ReadRegistryText(RegistryRoot, std::string_view, std::string_view) { return std::nullopt; }

}  // namespace barloom
