#include <windows.h>

#include <cstring>
#include <vector>

#include "platform/code_page.h"
#include "platform/registry.h"
#include "platform/unique_handle.h"

namespace barloom {
namespace {

static_assert(RegistryDwordType == REG_DWORD && RegistryBinaryType == REG_BINARY);

struct StoredValue {
  DWORD Type = REG_NONE;
  std::vector<BYTE> Data;
};

// The type and data of a value, read whole through the Unicode functions; nullopt when the key
// or the value is missing or unreadable, or when the value holds more than `maxBytes`. The key is
// closed on every path.
std::optional<StoredValue> ReadStoredValue(HKEY root, const std::wstring& subKey, const std::wstring& valueName,
                                           REGSAM view, DWORD maxBytes) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(root, subKey.c_str(), 0, KEY_QUERY_VALUE | view, &opened) != ERROR_SUCCESS) return std::nullopt;
  const UniqueRegistryKey key{opened};
  for (int attempt = 0; attempt < 4; ++attempt) {  // the value may grow between the calls
    StoredValue value;
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &value.Type, nullptr, &size) != ERROR_SUCCESS)
      return std::nullopt;
    if (size > maxBytes) return std::nullopt;
    value.Data.resize(size);
    DWORD received = size;
    const LSTATUS status =
        RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &value.Type, value.Data.data(), &received);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS) return std::nullopt;
    value.Data.resize(received);
    return value;
  }
  return std::nullopt;
}

bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// Stored strings are UTF-16; a last odd byte belongs to no character.
std::wstring WideUnits(const std::vector<BYTE>& data) {
  std::wstring units(data.size() / sizeof(wchar_t), L'\0');
  std::memcpy(units.data(), data.data(), units.size() * sizeof(wchar_t));
  return units;
}

// The bytes `units` take in the system's ANSI code page: what the 8-bit registry functions hand
// out for a string value, and so what their read buffer must hold.
std::size_t AnsiSize(const std::wstring& units) {
  if (units.empty()) return 0;
  return static_cast<std::size_t>(
      WideCharToMultiByte(CP_ACP, 0, units.data(), static_cast<int>(units.size()), nullptr, 0, nullptr, nullptr));
}

std::optional<std::string> ReadTextFromView(HKEY root, const std::wstring& subKey, const std::wstring& valueName,
                                            REGSAM view) {
  const std::optional<StoredValue> value = ReadStoredValue(root, subKey, valueName, view, MAXDWORD);
  if (!value || (value->Type != REG_SZ && value->Type != REG_EXPAND_SZ)) return std::nullopt;
  // Stored strings need not be terminated: stop at the first NUL or at the received size.
  std::wstring text = WideUnits(value->Data);
  if (const auto nul = text.find(L'\0'); nul != std::wstring::npos) text.resize(nul);
  return Utf8FromWide(text);
}

// The predefined root keys are 32-bit values widened with their sign, as the SDK defines them.
HKEY PredefinedKey(std::uint32_t root) {
  return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
}

}  // namespace

std::optional<std::string> ReadRegistryText(RegistryRoot root, std::string_view subKey, std::string_view valueName) {
  const std::wstring wideKey = WideFromUtf8(subKey);
  const std::wstring wideName = WideFromUtf8(valueName);
  if (root == RegistryRoot::CurrentUser) return ReadTextFromView(HKEY_CURRENT_USER, wideKey, wideName, 0);
  if (auto value = ReadTextFromView(HKEY_LOCAL_MACHINE, wideKey, wideName, KEY_WOW64_64KEY)) return value;
  return ReadTextFromView(HKEY_LOCAL_MACHINE, wideKey, wideName, KEY_WOW64_32KEY);
}

std::optional<RegistryValue> QueryRegistryValue(std::uint32_t root, std::string_view subKey,
                                                std::string_view valueName) {
  if (root == 0) return std::nullopt;
  // Text whose 8-bit form fits the read buffer takes at most four bytes of UTF-16 per 8-bit byte
  // (a surrogate pair becomes one "?"): anything larger cannot fit and is not read at all.
  constexpr DWORD MaxBytes = 4 * RegistryReadLimit;
  const std::optional<StoredValue> stored =
      ReadStoredValue(PredefinedKey(root), WideFromUtf8(subKey), WideFromUtf8(valueName), 0, MaxBytes);
  if (!stored) return std::nullopt;
  RegistryValue value{stored->Type, {}, stored->Data.size()};
  if (IsStringType(stored->Type)) {
    const std::wstring units = WideUnits(stored->Data);
    value.Data = Utf8FromWide(units);
    value.StoredSize = AnsiSize(units);
  } else {
    const std::string bytes(stored->Data.begin(), stored->Data.end());
    // Data of the other types reaches the 8-bit reader as it is stored, read as code-page text.
    const bool number = stored->Type == REG_DWORD || stored->Type == REG_BINARY;
    value.Data = number ? bytes : DecodeCodePage(bytes, AnsiCodePage());
  }
  return value;
}

}  // namespace barloom
