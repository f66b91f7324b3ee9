#include <windows.h>

#include "platform/executable_path.h"
#include "platform/wide_text.h"

namespace barloom {

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
