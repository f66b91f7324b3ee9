#include "ui/win32/dialog.h"

#include "ui/main_layout.h"

namespace barloom {
namespace {

// An empty dialog: the controls are created from tables in twips, not in dialog units.
struct alignas(4) EmptyDialogTemplate {
  DLGTEMPLATE Header{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_EX_CONTROLPARENT};
  WORD Menu = 0;
  WORD WindowClass = 0;
  WORD Title = 0;
};

}  // namespace

INT_PTR Dialog::Show(HWND owner, bool modal) {
  modal_ = modal;
  result_ = -1;
  const EmptyDialogTemplate dialogTemplate;
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  const auto self = reinterpret_cast<LPARAM>(static_cast<WindowBase*>(this));
  if (modal) {
    const INT_PTR result = DialogBoxIndirectParamW(instance, &dialogTemplate.Header, owner, DialogProc, self);
    return result == 0 && result_ == -1 ? -1 : result;
  }
  const HWND dialog = CreateDialogIndirectParamW(instance, &dialogTemplate.Header, owner, DialogProc, self);
  if (!dialog) return -1;
  ShowWindow(dialog, SW_SHOW);
  return 0;
}

std::optional<LRESULT> Dialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      if (!OnInit()) {
        Close(-1);
        return TRUE;
      }
      const HWND first = FirstFocus() != 0 ? GetDlgItem(Handle(), FirstFocus()) : nullptr;
      if (!first) return TRUE;  // the dialog manager gives the first control the focus
      SetFocus(first);
      return FALSE;
    }
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    default:
      return std::nullopt;
  }
}

void Dialog::SetClientSize(int width, int height, int dpi) {
  // The frame as the system draws it now (Wine keeps it at the system's scale at every DPI).
  RECT outer{};
  RECT inner{};
  GetWindowRect(Handle(), &outer);
  GetClientRect(Handle(), &inner);
  const int frameWidth = (outer.right - outer.left) - inner.right;
  const int frameHeight = (outer.bottom - outer.top) - inner.bottom;
  SetWindowPos(Handle(), nullptr, 0, 0, TwipsToPixels(width, dpi) + frameWidth,
               TwipsToPixels(height, dpi) + frameHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Dialog::Close(INT_PTR result) {
  result_ = result;
  if (!Handle()) return;
  if (modal_) {
    EndDialog(Handle(), result);
  } else {
    DestroyWindow(Handle());
  }
}

}  // namespace barloom
