#include "platform/program_context.h"

#include <windows.h>

#include "platform/code_page.h"

namespace barloom {

// argv is the C runtime's split of the wide command line. Splitting it here with the shell's
// CommandLineToArgvW would load the shell library, and with it a dozen more, at every start; the
// two agree on every command line quoted by the documented rules (backslash before a quote).
std::vector<std::string> CommandLineArguments(int argc, wchar_t** argv) {
  std::vector<std::string> arguments;
  arguments.reserve(static_cast<std::size_t>(argc));
  for (int i = 0; i < argc; ++i) arguments.push_back(Utf8FromWide(argv[i]));
  return arguments;
}

void UseUtf8Console() { SetConsoleOutputCP(CP_UTF8); }

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

std::string ExecutableFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);  // cut off: try a larger buffer
  }
  const auto separator = path.find_last_of(L"\\/");
  return separator == std::wstring::npos ? std::string{} : Utf8FromWide(path.substr(0, separator));
}

}  // namespace barloom
