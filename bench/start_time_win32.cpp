// start_time <program> [runs]: starts the program `runs` times (default 10) and measures how long
// each takes until it waits for input, that is until its window is up and painted, then closes
// its windows. Prints every run and the median in milliseconds.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

BOOL CALLBACK CloseWindowOf(HWND window, LPARAM processId) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == static_cast<DWORD>(processId)) PostMessageW(window, WM_CLOSE, 0, 0);
  return TRUE;
}

// Milliseconds until the program is idle, or a negative number when it could not be started.
double TimeOneStart(std::wstring commandLine) {
  STARTUPINFOW startup{sizeof startup};
  PROCESS_INFORMATION process{};
  LARGE_INTEGER frequency{}, start{}, ready{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return -1;
  const DWORD waited = WaitForInputIdle(process.hProcess, 30000);
  QueryPerformanceCounter(&ready);
  EnumWindows(CloseWindowOf, static_cast<LPARAM>(process.dwProcessId));
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (waited != 0) return -1;
  return 1000.0 * static_cast<double>(ready.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: start_time <program> [runs]\n");
    return 2;
  }
  const int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : 10;
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    const double milliseconds = TimeOneStart(L"\"" + std::wstring(argv[1]) + L"\"");
    if (milliseconds < 0) {
      std::fprintf(stderr, "start_time: the program did not start or never became idle\n");
      return 1;
    }
    std::printf("run %d: %.1f ms\n", run + 1, milliseconds);
    times.push_back(milliseconds);
  }
  std::sort(times.begin(), times.end());
  std::printf("median: %.1f ms\n", times[times.size() / 2]);
  return 0;
}
