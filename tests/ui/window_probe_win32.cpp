// window_probe: looks at another program's windows under the same Wine server, for the tests that
// drive barloom.exe from outside with keystrokes. It only reads; it never sends input.
//   window_probe focus <title> [seconds]  waits (default 10 s) until the foreground window has
//                                          exactly this title and a control of it has held
//                                          the keyboard focus for 0.3 s on end;
//                                          exit code 0, or 1 when the time ran out
//   window_probe shown <title> <id> [seconds]
//                                          waits (default 10 s) until the control with this ID
//                                          inside the window with exactly this title is visible;
//                                          exit code 0, or 1 when the time ran out
//   window_probe text <title> <id>         prints the text of the control with this ID inside the
//                                          window with exactly this title, as UTF-8; exit code 1
//                                          when there is no such window or control
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/code_page.h"
#include "ui/win32/controls.h"

namespace {

using barloom::WindowText;

constexpr int UsageError = 2;

// The keys a person types reach this window now: it is in front, and the focus is in it.
bool TakesKeys(const std::string& title) {
  const HWND front = GetForegroundWindow();
  if (!front || WindowText(front) != title) return false;
  GUITHREADINFO thread{sizeof thread};
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(front, nullptr), &thread)) return false;
  // A control of it, not the window itself: an activated window holds the focus for a moment
  // before it hands it on, and a key that arrives then goes to the window and is lost.
  return thread.hwndFocus && IsChild(front, thread.hwndFocus);
}

int WaitForFocus(const std::string& title, int seconds) {
  // Held for a while, not only seen once: right after a window appears, the window manager and
  // Wine settle the focus in steps, and a key typed between two of them is lost.
  constexpr ULONGLONG SettledMs = 300;
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
  ULONGLONG heldSince = 0;
  for (;;) {
    const ULONGLONG now = GetTickCount64();
    if (!TakesKeys(title)) {
      heldSince = 0;
    } else if (heldSince == 0) {
      heldSince = now;
    } else if (now - heldSince >= SettledMs) {
      return 0;
    }
    if (now > end) {
      std::fprintf(stderr, "window_probe: \"%s\" did not take the keyboard within %d s\n", title.c_str(), seconds);
      return 1;
    }
    Sleep(50);
  }
}

int WaitUntilShown(const std::string& title, int id, int seconds) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
  for (;;) {
    const HWND window = FindWindowW(nullptr, barloom::WideFromUtf8(title).c_str());
    const HWND control = window ? barloom::FindDescendant(window, id) : nullptr;
    if (control && IsWindowVisible(control)) return 0;
    if (GetTickCount64() > end) {
      std::fprintf(stderr, "window_probe: control %d of \"%s\" not shown within %d s\n", id, title.c_str(), seconds);
      return 1;
    }
    Sleep(20);
  }
}

int PrintControlText(const std::string& title, int id) {
  const HWND window = FindWindowW(nullptr, barloom::WideFromUtf8(title).c_str());
  const HWND control = window ? barloom::FindDescendant(window, id) : nullptr;
  if (!control) {
    std::fprintf(stderr, "window_probe: no control %d in a window \"%s\"\n", id, title.c_str());
    return 1;
  }
  const std::string text = WindowText(control);
  std::fwrite(text.data(), 1, text.size(), stdout);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 2 ? argv[1] : L"";
  const std::string title = argc > 2 ? barloom::Utf8FromWide(argv[2]) : "";
  if (command == L"focus" && argc <= 4) return WaitForFocus(title, argc == 4 ? _wtoi(argv[3]) : 10);
  if (command == L"shown" && (argc == 4 || argc == 5))
    return WaitUntilShown(title, _wtoi(argv[3]), argc == 5 ? _wtoi(argv[4]) : 10);
  if (command == L"text" && argc == 4) return PrintControlText(title, _wtoi(argv[3]));
  std::fprintf(stderr,
               "usage: window_probe focus <title> [seconds] | shown <title> <id> [seconds] | text <title> <id>\n");
  return UsageError;
}
