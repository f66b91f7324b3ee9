#pragma once
// The main window's progress bar as the bar-set building drives it. Create runs on the window's
// thread without returning to the message loop, so every change is painted at once.
#include <windows.h>
#include <commctrl.h>

#include "core/progress.h"

namespace barloom {

class ProgressBarDisplay final : public ProgressDisplay {
 public:
  void Attach(HWND bar) { bar_ = bar; }

  void SetMaximum(int maximum) override {
    SendMessageW(bar_, PBM_SETRANGE32, 0, maximum);
    UpdateWindow(bar_);
  }
  void SetValue(int value) override {
    SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(value), 0);
    UpdateWindow(bar_);
  }
  void SetVisible(bool visible) override {
    ShowWindow(bar_, visible ? SW_SHOWNA : SW_HIDE);
    UpdateWindow(bar_);
  }

 private:
  HWND bar_ = nullptr;
};

}  // namespace barloom
