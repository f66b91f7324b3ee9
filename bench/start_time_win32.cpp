// start_time [--until-exit] <program> [runs] [argument...]: starts the program `runs` times
// (default 10) and measures how long each takes until it waits for input, that is until its window
// is up and painted, then closes its windows; with --until-exit (a console program, which never
// waits for input) until it has ended. Prints every run and the median in milliseconds.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

BOOL CALLBACK CloseWindowOf(HWND window, LPARAM processId) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == static_cast<DWORD>(processId)) PostMessageW(window, WM_CLOSE, 0, 0);
  return TRUE;
}

// Milliseconds until the program is idle (or has ended), or a negative number when it could not
// be started.
double TimeOneStart(std::wstring commandLine, bool untilExit) {
  STARTUPINFOW startup{sizeof startup};
  PROCESS_INFORMATION process{};
  LARGE_INTEGER frequency{}, start{}, ready{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return -1;
  const DWORD waited = untilExit ? WaitForSingleObject(process.hProcess, 30000) : WaitForInputIdle(process.hProcess, 30000);
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
  const bool untilExit = argc > 1 && std::wstring_view{argv[1]} == L"--until-exit";
  const int first = untilExit ? 2 : 1;
  if (argc <= first) {
    std::fprintf(stderr, "usage: start_time [--until-exit] <program> [runs] [argument...]\n");
    return 2;
  }
  const int runs = argc > first + 1 ? std::max(1, _wtoi(argv[first + 1])) : 10;
  std::wstring commandLine = L"\"" + std::wstring(argv[first]) + L"\"";
  for (int arg = first + 2; arg < argc; ++arg) commandLine += L" " + std::wstring(argv[arg]);
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    const double milliseconds = TimeOneStart(commandLine, untilExit);
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
