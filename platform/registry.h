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

// Reads single registry values named by a full key path, as text. It keeps nothing between calls:
// every read opens, reads and closes its key, and writes nothing.
class cRegistry {
 public:
  // The value `ValueName` ("" for the key's default value) of the key `ValuePath`, a root key's
  // full name (in any case), a backslash and the subkey path ("HKEY_LOCAL_MACHINE\SOFTWARE\x"; the
  // root name alone reads directly under the root), as text (see RegistryValueText). Whatever
  // fails (an unknown root name, a missing key or value, no access, data beyond 2048 bytes) gives
  // nullopt. The portable build has no registry: always nullopt.
  std::optional<std::string> ReadValue(std::string_view ValuePath, std::string_view ValueName) const;
};

}  // namespace barloom
