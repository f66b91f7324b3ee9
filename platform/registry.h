#pragma once
// Reading registry values. How a value named by a full key path becomes text (the root-key table,
// the split of the path, the size limit and the text of each type of data) is the same on every
// platform; only the reading itself is the platform's (QueryRegistryValue, registry_win32.cpp;
// the portable build has no registry).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace barloom {

// The value types read as something other than text.
inline constexpr std::uint32_t RegistryBinaryType = 3;  // REG_BINARY
inline constexpr std::uint32_t RegistryDwordType = 4;   // REG_DWORD

// A value is read into a buffer of this many bytes: a value with more data cannot be read.
inline constexpr std::size_t RegistryReadLimit = 2048;

// The predefined root key called `rootName` (HKEY_CLASSES_ROOT, HKEY_CURRENT_USER,
// HKEY_LOCAL_MACHINE, HKEY_USERS, HKEY_CURRENT_CONFIG, HKEY_DYN_DATA, in any case) as its 32-bit
// handle value; 0, which no open accepts, for any other name (short forms such as HKLM, the
// performance-data root, "").
std::uint32_t RegistryRootKey(std::string_view rootName);

struct RegistryKeyPath {
  std::uint32_t Root = 0;   // RegistryRootKey of the text before the first backslash
  std::string_view SubKey;  // the text after it, as written (part of the path); "" without a backslash
};

// "HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft" -> the root key and "SOFTWARE\Microsoft".
RegistryKeyPath SplitRegistryPath(std::string_view valuePath);

// A value as the registry gives it.
struct RegistryValue {
  std::uint32_t Type = 0;
  // Numbers and binary data as stored. Every other type as UTF-8 text, its terminating NUL
  // included when one is stored.
  std::string Data;
  // The bytes its data takes in the 8-bit (code page) form, the form the read buffer holds.
  std::size_t StoredSize = 0;
};

// The value as text, or nullopt when its data does not fit the read buffer:
//   REG_DWORD: the number in decimal, at least three digits ("007", "4294967295"); missing
//     bytes of a shorter value count as 0;
//   REG_BINARY: each byte as two upper-case hexadecimal digits ("00AB0F"; "" for no data);
//   any other type: the text without its terminating NUL (inner NULs, such as those between
//     the strings of a REG_MULTI_SZ, stay; nothing is expanded). Text stored without a
//     terminator is kept whole.
std::optional<std::string> RegistryValueText(const RegistryValue& value);

// The platform's read of value `valueName` ("" for the key's default value) of `subKey` under
// the root key `root`: nullopt when the key or the value is missing or unreadable. The key is
// closed again before it returns. The portable build has no registry and answers nullopt.
std::optional<RegistryValue> QueryRegistryValue(std::uint32_t root, std::string_view subKey,
                                                std::string_view valueName);

}  // namespace barloom

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
