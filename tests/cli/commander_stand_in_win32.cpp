// A stand-in for a running Total Commander, or for the other file manager that registers the same
// window class for its plugins: a top-level window of class TTOTAL_CMD that stays until the test
// ends the process (or a minute has gone). The test builds it under each program's name.
#include <windows.h>

int wmain() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"TTOTAL_CMD";
  if (!RegisterClassW(&windowClass)) return 1;
  if (!CreateWindowExW(0, L"TTOTAL_CMD", L"stand-in", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                       instance, nullptr))
    return 1;
  SetTimer(nullptr, 0, 60000, nullptr);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_TIMER) break;
    DispatchMessageW(&message);
  }
  return 0;
}
