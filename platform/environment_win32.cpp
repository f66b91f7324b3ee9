#include <windows.h>

#include "platform/environment.h"
#include "platform/wide_text.h"

namespace barloom {

std::optional<std::string> EnvironmentValue(std::string_view name) {
  // Windows compares variable names without regard to case itself.
  const std::wstring wideName = WideFromUtf8(name);
  SetLastError(ERROR_SUCCESS);
  DWORD size = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
  if (size == 0) {
    if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
    return std::string{};
  }
  std::wstring value(size, L'\0');
  // The value may change between the calls; retry until it fits.
  for (;;) {
    SetLastError(ERROR_SUCCESS);
    const DWORD length = GetEnvironmentVariableW(wideName.c_str(), value.data(), static_cast<DWORD>(value.size()));
    if (length == 0) {
      if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
      return std::string{};
    }
    if (length < value.size()) {
      value.resize(length);
      return Utf8FromWide(value);
    }
    value.resize(length);
  }
}

}  // namespace barloom
