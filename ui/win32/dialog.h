#pragma once
// What the program's dialogs share beyond the window base: a dialog built from a table of controls
// placed in twips at the dialog's DPI, run modally by the system's dialog manager (Enter presses
// the default button, Esc cancels, Tab and the access keys move the focus), or opened without a
// modal loop so that a test can drive it with messages.
#include <windows.h>

#include <optional>

#include "ui/win32/window_base.h"

namespace barloom {

class Dialog : public WindowBase {
 public:
  // Shows the dialog owned by `owner` (disabled meanwhile) and returns when it is closed: the
  // result given to Close, or -1 when the dialog could not be shown.
  INT_PTR Run(HWND owner) { return Show(owner, true); }
  // Opens the dialog without a modal loop (tests drive it with messages); false on failure.
  bool Open(HWND owner) { return Show(owner, false) != -1; }

 protected:
  using WindowBase::WindowBase;

  // Creates, captions and places the controls; false when the dialog cannot be built.
  virtual bool OnInit() = 0;
  // The control that has the keyboard when the dialog opens; 0: the first in the Tab order.
  virtual int FirstFocus() const { return 0; }
  // A command from a control, IDOK (Enter) or IDCANCEL (Esc, the close box).
  virtual void OnCommand(int id, int code, HWND control) = 0;
  void Close(INT_PTR result);
  // Sizes the dialog so that its client area is `width` x `height` twips at `dpi`; it keeps its place.
  void SetClientSize(int width, int height, int dpi);

 private:
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) final;
  // The one way a dialog is built, with or without its modal loop.
  INT_PTR Show(HWND owner, bool modal);

  bool modal_ = false;
  INT_PTR result_ = -1;
};

}  // namespace barloom
