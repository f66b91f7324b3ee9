// create_window_bench <dist folder> <buttons> [runs]: a 20-bar set, every bar importing one source
// bar of <buttons> buttons (all six keys each), created `runs` times (default 3) two ways on the
// same files: by barloom-cli.exe (its whole process, start to exit) and by the real main window
// (from the press on Create to the report), its dialogs answered as the tests answer them. While
// the window creates, another thread asks it every 250 ms whether it answers (SendMessageTimeout
// with WM_NULL and 250 ms to answer). Prints each run and the medians as a table row.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/path_text.h"
#include "platform/code_page.h"
#include "tests/support/dialog_doubles.h"
#include "ui/win32/controls.h"
#include "ui/win32/main_window.h"
#include "ui/main_window_layout.h"

namespace {

namespace fs = std::filesystem;
namespace ids = barloom::main_ids;
using Clock = std::chrono::steady_clock;

constexpr int Bars = 20;
constexpr auto ProbeInterval = std::chrono::milliseconds(250);

double Milliseconds(Clock::duration duration) { return std::chrono::duration<double, std::milli>(duration).count(); }

void WriteSource(const fs::path& file, int buttons) {
  std::ofstream out(file, std::ios::binary);
  out << "[Buttonbar]\r\nButtoncount=" << buttons << "\r\n";
  for (int i = 1; i <= buttons; ++i) {
    out << "button" << i << "=C:\\Tools\\tool" << i << ".exe,0\r\ncmd" << i << "=C:\\Tools\\tool" << i
        << ".exe\r\nparam" << i << "=%P%N\r\npath" << i << "=C:\\Work\r\niconic" << i << "=1\r\nmenu" << i
        << "=Tool number " << i << "\r\n";
  }
}

// barloom-cli.exe from its start to its end, its output thrown away; a negative time on failure.
double RunCommandLine(const fs::path& cli, const fs::path& app, const fs::path& folder, const fs::path& source) {
  std::wstring line = L"\"" + cli.wstring() + L"\" create --bars 20 --folder \"" + folder.wstring() +
                      L"\" --app-folder \"" + app.wstring() + L"\"";
  for (int bar = 1; bar <= Bars; ++bar) line += L" --import " + std::to_wstring(bar) + L"=\"" + source.wstring() + L"\"";
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE nul = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
  STARTUPINFOW startup{sizeof startup};
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = nul;
  startup.hStdError = nul;
  PROCESS_INFORMATION process{};
  const Clock::time_point start = Clock::now();
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
    CloseHandle(nul);
    return -1;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  const Clock::time_point end = Clock::now();
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  CloseHandle(nul);
  return exitCode == 0 ? Milliseconds(end - start) : -1;
}

struct WindowRun {
  double Time = -1;
  int Probes = 0;
  int Answered = 0;
};

void Pump(HWND main) {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (IsWindow(main) && IsDialogMessageW(main, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// The real main window, as a person uses it: 20 bars, Next, Next, each bar's import picked,
// Create; the message loop runs as barloom.exe runs it until the report is shown.
WindowRun RunWindow(const fs::path& app, const fs::path& source) {
  barloom::test_support::ScriptedFileOpenDialog files;
  barloom::test_support::RecordingMessageBox messages;
  barloom::test_support::ScriptedFolderPicker folders;
  barloom::test_support::RecordingShellOpener shell;
  barloom::MainWindowOptions options;
  options.AppFolder = barloom::Utf8FromPath(app);
  options.Dialogs = {&folders, &files, &messages, &shell};
  options.CommanderSources = barloom::CommanderFolderSources{};
  options.QuitOnClose = false;
  barloom::MainWindow window{options};
  WindowRun run;
  if (!window.Create()) return run;
  window.Show(SW_SHOWNORMAL);
  const HWND main = window.Handle();
  Pump(main);
  const HWND list = barloom::FindDescendant(main, ids::Combo1);
  SendMessageW(list, CB_SETCURSEL, Bars - barloom::MinBarCount, 0);
  SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(ids::Combo1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  for (int step = 0; step < 2; ++step) SendMessageW(GetDlgItem(main, ids::Next), BM_CLICK, 0, 0);
  for (int bar = 1; bar <= Bars; ++bar) {
    files.Answers.push_back(barloom::Utf8FromPath(source));
    SendMessageW(main, WM_COMMAND, MAKEWPARAM(ids::BarButton0 + bar, BN_CLICKED), 0);
  }
  Pump(main);

  std::atomic<bool> stop{false}, stopped{false};
  std::atomic<int> probes{0}, answered{0};
  std::thread prober([&] {
    Clock::time_point next = Clock::now();
    while (!stop) {
      DWORD_PTR result = 0;
      ++probes;
      if (SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 250, &result)) ++answered;
      next += ProbeInterval;
      std::this_thread::sleep_until(next);
    }
    stopped = true;
  });
  const Clock::time_point start = Clock::now();
  PostMessageW(main, WM_COMMAND, MAKEWPARAM(ids::Create, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(main, ids::Create)));
  MSG message{};
  while (messages.Shown.empty() && GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(main, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  const Clock::time_point end = Clock::now();
  stop = true;
  // The window goes on answering until the last probe is in: only the run is measured.
  while (!stopped) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    Pump(main);
  }
  prober.join();
  if (messages.Shown.size() == 1 && messages.Shown[0].Icon == barloom::MessageIcon::Information)
    run.Time = Milliseconds(end - start);
  else if (!messages.Shown.empty())
    std::fprintf(stderr, "%s\n", messages.Shown[0].Text.c_str());
  run.Probes = probes;
  run.Answered = answered;
  return run;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: create_window_bench <dist folder> <buttons> [runs]\n");
    return 2;
  }
  const fs::path dist = argv[1];
  const int buttons = _wtoi(argv[2]);
  const int runs = argc > 3 ? std::max(1, _wtoi(argv[3])) : 3;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  const fs::path work = fs::temp_directory_path() / ("barloom-window-bench-" + std::to_string(GetCurrentProcessId()));
  const fs::path app = work / "app";
  fs::create_directories(app);
  fs::copy(dist / "icons", app / "icons");
  const fs::path source = work / "source.bar";
  WriteSource(source, buttons);
  const fs::path bars = app / "bars";

  std::vector<double> cliTimes, windowTimes;
  int probes = 0, answered = 0;
  for (int run = 1; run <= runs; ++run) {
    fs::remove_all(bars);
    const double cli = RunCommandLine(dist / "barloom-cli.exe", app, bars, source);
    fs::remove_all(bars);
    const WindowRun window = RunWindow(app, source);
    if (cli < 0 || window.Time < 0) {
      std::fprintf(stderr, "create_window_bench: run %d failed (command line %.0f, window %.0f)\n", run, cli,
                   window.Time);
      fs::remove_all(work);
      return 1;
    }
    std::printf("run %d: command line %.0f ms, window %.0f ms, probes answered %d of %d\n", run, cli, window.Time,
                window.Answered, window.Probes);
    std::fflush(stdout);
    cliTimes.push_back(cli);
    windowTimes.push_back(window.Time);
    probes += window.Probes;
    answered += window.Answered;
  }
  fs::remove_all(work);
  const double cli = Median(cliTimes), window = Median(windowTimes);
  std::printf("| %d | %.0f ms | %.0f ms | %.2f | %d of %d (%.0f %%) |\n", buttons, cli, window, window / cli, answered,
              probes, probes ? 100.0 * answered / probes : 100.0);
  return 0;
}
