// barloom.exe: the wizard's window and its message loop.
#include <windows.h>
#include <commctrl.h>

#include "ui/win32/main_window.h"

namespace {

int RunMessageLoop(HWND mainWindow) {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    // The dialog keyboard (Tab, access keys, Enter on the default button) in a plain window.
    if (IsWindow(mainWindow) && IsDialogMessageW(mainWindow, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
  // Libraries that a dialog loads later come from the system folder only, never from the
  // program's folder or the current one.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  int exitCode = 1;
  {
    barloom::MainWindow window;
    if (window.Create()) {
      window.Show(showCommand);
      exitCode = RunMessageLoop(window.Handle());
    }
  }
  return exitCode;
}
