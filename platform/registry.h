#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace barloom {

enum class RegistryRoot { CurrentUser, LocalMachine };

// The text of the string value `valueName` under `root`\`subKey` (UTF-8), or nullopt when the key
// or the value is missing, unreadable or not a string. Under HKEY_LOCAL_MACHINE the 64-bit view is
// tried first, then the 32-bit one, where 32-bit programs record themselves. The portable build has
// no registry and always answers nullopt.
std::optional<std::string> ReadRegistryText(RegistryRoot root, std::string_view subKey, std::string_view valueName);

}  // namespace barloom
