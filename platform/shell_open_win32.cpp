#include <windows.h>
#include <shellapi.h>

#include "platform/shell_open.h"
#include "platform/wide_text.h"

namespace barloom {

void SystemShellOpener::Open(std::uintptr_t ownerWindow, std::string_view target) {
  const std::wstring wideTarget = WideFromUtf8(target);
  // The result is not examined: with an owner window the system shows its own error message.
  ShellExecuteW(reinterpret_cast<HWND>(ownerWindow), L"open", wideTarget.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace barloom
