// What the main window shows of the wizard's state: the visible step, the enabled buttons, the
// bar buttons, the folder box, the captions in the user's language, and where the keyboard is.
#include <windows.h>

#include "localisation/apply_language.h"
#include "platform/wide_text.h"
#include "ui/dialog_win32.h"
#include "ui/main_layout.h"
#include "ui/main_window_ids.h"
#include "ui/main_window_win32.h"

namespace barloom {
namespace {

namespace ids = main_ids;

}  // namespace

void MainWindow::Caption() {
  const LanguageFound found = ApplyLanguage(*form_, settings_);
  if (found.MissingFile) ReportMissingLanguageFile(settings_, messages_);
  rightToLeft_ = found.RightToLeft;
  if (systemMessages_) systemMessages_->SetRightToLeft(rightToLeft_);
  // The link is centred whatever the language's direction.
  form_->Control(LinkRow()).SetAlignment(AlignCenter);
}

void MainWindow::Render() {
  const WizardView view = controller_.View();
  for (int step = 0; step < main_ids::LinkFrame; ++step) {
    const bool shown = step == view.VisibleStep && !view.LinkFrameVisible;
    ShowWindow(frames_[step], shown ? SW_SHOW : SW_HIDE);
  }
  ShowWindow(frames_[main_ids::LinkFrame], view.LinkFrameVisible ? SW_SHOW : SW_HIDE);
  EnableWindow(Control(ids::Back), view.BackEnabled);
  EnableWindow(Control(ids::Next), view.NextEnabled);
  EnableWindow(Control(ids::Create), view.CreateEnabled);
  barButtons_.Show(view.BarCount, view.MarkedBar, view.BarButtonsEnabled);
  const HWND saveIn = Control(ids::SaveIn);
  if (WindowText(saveIn) != view.FolderBoxText) SetWindowTextW(saveIn, WideFromUtf8(view.FolderBoxText).c_str());
  KeepFocusUsable();
}

void MainWindow::ApplyBarCount() {
  const WizardView view = controller_.View();
  barButtons_.Show(view.BarCount, view.MarkedBar, view.BarButtonsEnabled);
  RECT rect{};
  GetWindowRect(window_, &rect);
  const int width = WindowWidthForBars(barButtons_.ButtonWidth(), view.BarCount, Dpi());
  SetWindowPos(window_, nullptr, 0, 0, width, rect.bottom - rect.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::KeepFocusUsable() {
  if (GetActiveWindow() != window_) return;
  const HWND focus = GetFocus();
  const bool ours = focus && IsChild(window_, focus);
  if (ours && IsWindowEnabled(focus) && IsWindowVisible(focus)) return;
  // A step changed under the keyboard: Next, so that Enter goes on through the wizard; at the
  // last step the control after it (Create).
  const HWND next = Control(ids::Next);
  if (IsWindowEnabled(next)) {
    SetFocus(next);
  } else if (const HWND after = GetNextDlgTabItem(window_, next, FALSE)) {
    SetFocus(after);
  }
}

void MainWindow::SetDefaultButton(int id) {
  if (id == defaultButton_) return;
  SendMessageW(Control(defaultButton_), BM_SETSTYLE, BS_PUSHBUTTON | BS_NOTIFY, TRUE);
  defaultButton_ = id;
  SendMessageW(Control(defaultButton_), BM_SETSTYLE, BS_DEFPUSHBUTTON | BS_NOTIFY, TRUE);
}

}  // namespace barloom
