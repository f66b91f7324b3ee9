#pragma once
// What the program's dialogs share: a dialog built from a table of controls placed in twips at
// the dialog's DPI, run modally by the system's dialog manager (Enter presses the default button,
// Esc cancels, Tab and the access keys move the focus), or opened without a modal loop so that a
// test can drive it with messages.
#include <windows.h>

#include <span>
#include <string>

#include "ui/main_layout.h"

namespace barloom {

// One control of a dialog or window: created empty (language texts come later) at `Place`.
struct ControlPlan {
  int Id;
  const wchar_t* ClassName;
  DWORD Style;  // beyond WS_CHILD | WS_VISIBLE
  DWORD ExStyle;
  TwipRect Place;
  const wchar_t* Text = L"";  // only texts that are never translated
};

// The control of `plan` in `parent`, not yet placed; nullptr when the system refuses it.
HWND CreatePlannedControl(HWND parent, const ControlPlan& plan);
// Moves the control of `plan` in `parent` to its design place at `dpi`.
void PlacePlannedControl(HWND parent, const ControlPlan& plan, int dpi);
// The system's font for messages and dialogs at `dpi` (owned by the caller).
HFONT CreateMessageFont(int dpi);
// The font `face` at `centipoints` hundredths of a point at `dpi` (owned by the caller).
HFONT CreateNamedFont(const wchar_t* face, int centipoints, int weight, BYTE charset, int dpi);
// A label drawn as a link in `colour` on the dialog's face: the brush its WM_CTLCOLORSTATIC answers.
HBRUSH PaintAsLink(HDC dc, COLORREF colour);
// Gives every child window of `parent` the font `font`.
void SetChildFonts(HWND parent, HFONT font);
// The text of a window or control (UTF-8).
std::string WindowText(HWND window);
// The control with `id` anywhere inside `window` (controls may sit inside container windows, and
// the search covers every descendant); nullptr when there is none.
HWND FindDescendant(HWND window, int id);
// The window's DPI, or 96 when the system cannot tell.
int WindowDpi(HWND window);
// Moves `window` to the middle of the screen its owner or the cursor is on.
void CenterForm(HWND window);

class Dialog {
 public:
  Dialog() = default;
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;
  virtual ~Dialog();

  // Shows the dialog owned by `owner` (disabled meanwhile) and returns when it is closed: the
  // result given to Close, or -1 when the dialog could not be shown.
  INT_PTR Run(HWND owner);
  // Opens the dialog without a modal loop (tests drive it with messages); false on failure.
  bool Open(HWND owner);
  HWND Handle() const { return dialog_; }
  // The result given to Close; -1 while the dialog is open.
  INT_PTR Result() const { return result_; }

 protected:
  // Creates, captions and places the controls; false when the dialog cannot be built.
  virtual bool OnInit() = 0;
  // A command from a control, IDOK (Enter) or IDCANCEL (Esc, the close box).
  virtual void OnCommand(int id, int code, HWND control) = 0;
  // The dialog moved to a screen of another scale: fonts and places at `dpi`, then `suggested`.
  virtual void OnDpiChanged(int dpi, const RECT& suggested);
  // Any other message; return true when it was handled (the value goes in `result`).
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);
  void Close(INT_PTR result);

 private:
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  HWND Create(HWND owner, bool modal);

  HWND dialog_ = nullptr;
  bool modal_ = false;
  INT_PTR result_ = -1;
};

}  // namespace barloom
