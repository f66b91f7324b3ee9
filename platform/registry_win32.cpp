#include <windows.h>

#include <vector>

#include "platform/registry.h"
#include "platform/unique_handle.h"
#include "platform/wide_text.h"

namespace barloom {
namespace {

std::optional<std::string> ReadFromView(HKEY root, const std::wstring& subKey, const std::wstring& valueName,
                                        REGSAM view) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(root, subKey.c_str(), 0, KEY_QUERY_VALUE | view, &opened) != ERROR_SUCCESS) return std::nullopt;
  const UniqueRegistryKey key{opened};
  for (int attempt = 0; attempt < 4; ++attempt) {  // the value may grow between the calls
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
      return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
    std::vector<wchar_t> data(size / sizeof(wchar_t) + 1, L'\0');
    DWORD received = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    const LSTATUS status =
        RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &received);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
    // Stored strings need not be terminated: stop at the first NUL or at the received size.
    std::wstring_view text{data.data(), received / sizeof(wchar_t)};
    if (const auto nul = text.find(L'\0'); nul != std::wstring_view::npos) text = text.substr(0, nul);
    return Utf8FromWide(text);
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ReadRegistryText(RegistryRoot root, std::string_view subKey, std::string_view valueName) {
  const std::wstring wideKey = WideFromUtf8(subKey);
  const std::wstring wideName = WideFromUtf8(valueName);
  if (root == RegistryRoot::CurrentUser) return ReadFromView(HKEY_CURRENT_USER, wideKey, wideName, 0);
  if (auto value = ReadFromView(HKEY_LOCAL_MACHINE, wideKey, wideName, KEY_WOW64_64KEY)) return value;
  return ReadFromView(HKEY_LOCAL_MACHINE, wideKey, wideName, KEY_WOW64_32KEY);
}

}  // namespace barloom
