#include <windows.h>

#include <optional>
#include <set>

#include "platform/unique_handle.h"
#include "platform/code_page.h"
#include "platform/window_owners.h"

namespace barloom {
namespace {

// The window functions, from user32 loaded for the one question: barloom-cli does not import it,
// so that its every start does not load the window system's libraries.
struct WindowFunctions {
  decltype(&::EnumWindows) EnumWindows = nullptr;
  decltype(&::GetClassNameW) GetClassNameW = nullptr;
  decltype(&::GetWindowThreadProcessId) GetWindowThreadProcessId = nullptr;
};

struct LibraryTraits {
  static HMODULE Invalid() noexcept { return nullptr; }
  static void Close(HMODULE library) noexcept { ::FreeLibrary(library); }
};

template <typename Function>
void Find(HMODULE library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

struct Search {
  const WindowFunctions& Functions;
  std::wstring WindowClass;
  std::set<DWORD> Processes;
};

BOOL CALLBACK VisitWindow(HWND window, LPARAM parameter) {
  auto& search = *reinterpret_cast<Search*>(parameter);
  wchar_t name[256] = {};
  const int length = search.Functions.GetClassNameW(window, name, static_cast<int>(std::size(name)));
  if (length <= 0 || CompareStringOrdinal(name, length, search.WindowClass.c_str(),
                                          static_cast<int>(search.WindowClass.size()), TRUE) != CSTR_EQUAL)
    return TRUE;
  DWORD process = 0;
  if (search.Functions.GetWindowThreadProcessId(window, &process) != 0) search.Processes.insert(process);
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
  const UniqueHandle<LibraryTraits> user32{LoadLibraryW(L"user32.dll")};
  if (!user32) return {};
  WindowFunctions functions;
  Find(user32.get(), "EnumWindows", functions.EnumWindows);
  Find(user32.get(), "GetClassNameW", functions.GetClassNameW);
  Find(user32.get(), "GetWindowThreadProcessId", functions.GetWindowThreadProcessId);
  if (!functions.EnumWindows || !functions.GetClassNameW || !functions.GetWindowThreadProcessId) return {};
  Search search{functions, WideFromUtf8(windowClass), {}};
  functions.EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&search));
  std::vector<std::string> programs;
  for (const DWORD process : search.Processes)
    if (std::optional<std::string> path = ExecutableOf(process)) programs.push_back(std::move(*path));
  return programs;
}

}  // namespace barloom
