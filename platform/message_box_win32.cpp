#include <windows.h>

#include "platform/message_box.h"
#include "platform/wide_text.h"

namespace barloom {

void SystemMessageBox::Show(std::string_view text, std::string_view title, MessageIcon icon) {
  const std::wstring wideText = WideFromUtf8(text);
  const std::wstring wideTitle = WideFromUtf8(title);
  UINT style = MB_OK | (icon == MessageIcon::Error ? MB_ICONERROR : MB_ICONINFORMATION);
  if (rightToLeft_) style |= MB_RTLREADING | MB_RIGHT;
  MessageBoxW(reinterpret_cast<HWND>(ownerWindow_), wideText.c_str(), wideTitle.c_str(), style);
}

}  // namespace barloom
