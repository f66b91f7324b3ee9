#pragma once
#include <windows.h>

namespace barloom::test_support {

// A window class with the default window procedure, for the owner or host windows of the window
// tests. Registering it again, for the next test of the same run, fails harmlessly.
inline HINSTANCE RegisterPlainWindowClass(const wchar_t* name, HICON icon = nullptr) {
  WNDCLASSEXW windowClass{sizeof windowClass};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hIcon = icon;
  windowClass.lpszClassName = name;
  RegisterClassExW(&windowClass);
  return windowClass.hInstance;
}

}  // namespace barloom::test_support
