#pragma once
// The main window's progress bar, set from the figures a Create run posts back to the window's
// thread; it paints in the message loop like every control.
#include <windows.h>
#include <commctrl.h>

#include "ui/create_run.h"

namespace barloom {

class ProgressBarDisplay {
 public:
  void Attach(HWND bar) { bar_ = bar; }
  HWND Window() const { return bar_; }

  // The maximum first, so that the value is never clamped to an older, smaller one.
  void Show(const ProgressFigures& figures) {
    if (figures == shown_) return;
    if (figures.Maximum != shown_.Maximum) SendMessageW(bar_, PBM_SETRANGE32, 0, figures.Maximum);
    if (figures.Value != shown_.Value) SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(figures.Value), 0);
    if (figures.Visible != shown_.Visible) ShowWindow(bar_, figures.Visible ? SW_SHOWNA : SW_HIDE);
    shown_ = figures;
  }

 private:
  HWND bar_ = nullptr;
  ProgressFigures shown_;
};

}  // namespace barloom
