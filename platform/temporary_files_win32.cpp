// Temporary files on Windows: removed at the console's control events, and found stale by their
// writer's process id and by nobody having them open.
#include <windows.h>

#include <string>

#include "platform/temporary_files.h"
#include "platform/unique_handle.h"

namespace barloom {
namespace {

// The writer opens its temporary file shared for deleting: the file goes when its handle closes,
// at the latest when the process ends.
void RemoveFile(const wchar_t* file) { DeleteFileW(file); }

// Runs on a thread of its own; returning FALSE lets the next handler, in the end the system's
// default, end the process.
BOOL WINAPI OnConsoleEvent(DWORD) {
  ForEachRememberedTemporaryFile(RemoveFile);
  return FALSE;
}

bool ProcessRuns(DWORD processId) {
  const UniqueKernelObject process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  if (!process) return GetLastError() != ERROR_INVALID_PARAMETER;  // access denied: it runs
  DWORD exitCode = 0;
  return !GetExitCodeProcess(process.get(), &exitCode) || exitCode == STILL_ACTIVE;
}

}  // namespace

void InstallTemporaryFileCleanup() { SetConsoleCtrlHandler(OnConsoleEvent, TRUE); }

// The folder is read with the system's own calls: the standard library's directory iterator of
// the mingw runtime fails on paths beyond 260 characters, which the program writes to.
int RemoveStaleTemporaryFiles(const std::filesystem::path& folder) {
  int removed = 0;
  WIN32_FIND_DATAW found{};
  const std::wstring pattern = (folder / L"*.tmp").native();
  const UniqueFindHandle search(
      FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0));
  if (!search) return 0;
  do {
    if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) continue;
    const std::optional<std::uint32_t> owner = TemporaryFileOwner(found.cFileName);
    if (!owner || *owner == GetCurrentProcessId() || ProcessRuns(*owner)) continue;
    const std::filesystem::path file = folder / found.cFileName;
    // Opened without sharing, the file cannot be in use by anybody; closing the handle deletes it.
    const UniqueFileHandle handle(CreateFileW(file.c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                                              FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (handle) ++removed;
  } while (FindNextFileW(search.get(), &found));
  return removed;
}

}  // namespace barloom
