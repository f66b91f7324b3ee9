// SetFolderWritable under Wine: the Unix permission bits, changed by chmod run as a Unix program.
#include <windows.h>

#include "tests/support/temp_folder.h"

namespace barloom::test_support {

bool SetFolderWritable(const std::filesystem::path& folder, bool writable) {
  using UnixName = char*(__cdecl*)(const wchar_t*);
  const auto unixName = reinterpret_cast<UnixName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!unixName) return false;  // Windows itself: a folder has no such bits
  char* name = unixName(std::filesystem::absolute(folder).c_str());
  if (!name) return false;
  std::wstring unixPath(MAX_PATH * 4, L'\0');
  unixPath.resize(static_cast<std::size_t>(
      MultiByteToWideChar(CP_UTF8, 0, name, -1, unixPath.data(), static_cast<int>(unixPath.size())) - 1));
  HeapFree(GetProcessHeap(), 0, name);
  std::wstring command = (writable ? L"Z:\\bin\\chmod a+w \"" : L"Z:\\bin\\chmod a-w \"") + unixPath + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return false;
  WaitForSingleObject(process.hProcess, 10000);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code == 0;
}

}  // namespace barloom::test_support
