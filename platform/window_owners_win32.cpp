#include <windows.h>

#include <algorithm>
#include <optional>
#include <set>

#include "platform/unique_handle.h"
#include "platform/wide_text.h"
#include "platform/window_owners.h"

namespace barloom {
namespace {

struct Search {
  std::wstring WindowClass;
  std::set<DWORD> Processes;
};

BOOL CALLBACK VisitWindow(HWND window, LPARAM parameter) {
  auto& search = *reinterpret_cast<Search*>(parameter);
  wchar_t name[256] = {};
  const int length = GetClassNameW(window, name, static_cast<int>(std::size(name)));
  if (length <= 0 || CompareStringOrdinal(name, length, search.WindowClass.c_str(),
                                          static_cast<int>(search.WindowClass.size()), TRUE) != CSTR_EQUAL)
    return TRUE;
  DWORD process = 0;
  if (GetWindowThreadProcessId(window, &process) != 0) search.Processes.insert(process);
  return TRUE;
}

std::optional<std::string> ExecutableOf(DWORD process) {
  const UniqueKernelObject handle{OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process)};
  if (!handle) return std::nullopt;
  std::wstring path(32768, L'\0');
  DWORD size = static_cast<DWORD>(path.size());
  if (!QueryFullProcessImageNameW(handle.get(), 0, path.data(), &size)) return std::nullopt;
  path.resize(size);
  return Utf8FromWide(path);
}

}  // namespace

std::vector<std::string> ProgramsWithWindowClass(std::string_view windowClass) {
  Search search{WideFromUtf8(windowClass), {}};
  EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&search));
  std::vector<std::string> programs;
  for (const DWORD process : search.Processes)
    if (std::optional<std::string> path = ExecutableOf(process)) programs.push_back(std::move(*path));
  return programs;
}

}  // namespace barloom
