// What the main window shows of the wizard's state: the visible step, the enabled buttons, the
// bar buttons, the folder box, the captions in the user's language, and where the keyboard is.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "ui/win32/controls.h"
#include "ui/main_layout.h"
#include "ui/win32/main_window.h"

namespace barloom {
namespace {

namespace ids = main_ids;

}  // namespace

void MainWindow::OnCaptioned() {
  // ">>" (once Step 2 is made) tells its name in its tooltip too; the bar buttons' names follow
  // the language.
  if (const HWND browse = Control(ids::BrowseFolder)) {
    std::wstring name = WideFromUtf8(WindowText(browse));
    TTTOOLINFOW tool{sizeof tool};
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(browse);
    tool.lpszText = name.data();
    SendMessageW(browseTip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  ShowBarNames();
}

void MainWindow::ShowBarNames() {
  const std::vector<std::string> names = controller_.BarButtonNames();
  for (std::size_t index = 0; index < names.size(); ++index)
    barButtons_.SetName(static_cast<int>(index) + 1, WideFromUtf8(names[index]));
}

void MainWindow::Render() {
  const WizardView view = controller_.View();
  EnsureFrame(view.ShownFrame);
  for (int frame = 0; frame < FrameCount; ++frame) {
    if (frames_[frame]) ShowWindow(frames_[frame], frame == view.ShownFrame ? SW_SHOW : SW_HIDE);
  }
  EnableWindow(Control(ids::Back), view.BackEnabled);
  EnableWindow(Control(ids::Next), view.NextEnabled);
  EnableWindow(Control(ids::Create), view.CreateEnabled);
  barButtons_.Show(view.BarCount, view.MarkedBar, view.BarButtonsEnabled, view.Imported);
  barButtons_.SetKeyboardBar(view.MarkedBar);
  ShowBarNames();
  ShowBarCount(view.BarCount);
  const HWND keep = Control(ids::KeepButtons);
  ShowWindow(keep, view.KeepButtonsShown ? SW_SHOWNA : SW_HIDE);
  EnableWindow(keep, view.KeepButtonsEnabled);
  if (view.KeepButtonsShown && WindowText(keep) != view.KeepButtonsCaption)
    SetWindowTextW(keep, WideFromUtf8(view.KeepButtonsCaption).c_str());
  SendMessageW(keep, BM_SETCHECK, view.KeepButtonsChecked ? BST_CHECKED : BST_UNCHECKED, 0);
  EnableMenuItem(GetMenu(Handle()), ids::MenuFileInstall, MF_BYCOMMAND | (view.InstallOffered ? MF_ENABLED : MF_GRAYED));
  const HWND saveIn = Control(ids::SaveIn);
  if (WindowText(saveIn) != view.FolderBoxText) SetWindowTextW(saveIn, WideFromUtf8(view.FolderBoxText).c_str());
  KeepFocusUsable();
}

void MainWindow::ShowBarCount(int count) {
  const HWND list = Control(ids::Combo1);
  const auto shown = SendMessageW(list, CB_GETCURSEL, 0, 0);
  if (shown != CB_ERR && SendMessageW(list, CB_GETITEMDATA, static_cast<WPARAM>(shown), 0) == count) return;
  for (LRESULT entry = 0, entries = SendMessageW(list, CB_GETCOUNT, 0, 0); entry < entries; ++entry)
    if (SendMessageW(list, CB_GETITEMDATA, static_cast<WPARAM>(entry), 0) == count)
      SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
}

void MainWindow::ApplyBarCount() {
  // The row's buttons follow at the next Render; their width is the same for every count. The
  // window stays within its monitor's work area: the images get smaller where the row needs it.
  const WizardView view = controller_.View();
  const PixelRect work = WorkArea();
  const int padding = std::max(0, barButtons_.ButtonWidth() - barButtons_.ImageSize());
  const BarRowFit fit = FitBarRow(view.BarCount, Dpi(), padding, work.Width());
  if (fit.ImageSize != barButtons_.ImageSize()) {
    ShowBarButtons(fit.ImageSize);
    PlaceFrames(Dpi(), false);  // below the row's new height
  }
  RECT rect{};
  GetWindowRect(Handle(), &rect);
  const PixelRect at = WidenWithin({rect.left, rect.top, rect.right, rect.bottom}, fit.WindowWidth, work);
  SetWindowPos(Handle(), nullptr, at.Left, at.Top, at.Width(), at.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::KeepFocusUsable() {
  if (GetActiveWindow() != Handle()) return;
  // During a Create every control is disabled: the window itself takes the keys (Alt+F4).
  if (controller_.View().Busy) {
    if (GetFocus() != Handle()) SetFocus(Handle());
    return;
  }
  const HWND focus = GetFocus();
  const bool ours = focus && IsChild(Handle(), focus);
  if (ours && IsWindowEnabled(focus) && IsWindowVisible(focus)) return;
  SetFocus(Control(IdOf(controller_.View().FocusTarget)));
}

void MainWindow::ShowDefaultButton() {
  const int id = IdOf(controller_.View().DefaultButton);
  if (id == defaultButton_) return;
  SendMessageW(Control(defaultButton_), BM_SETSTYLE, BS_PUSHBUTTON | BS_NOTIFY, TRUE);
  defaultButton_ = id;
  SendMessageW(Control(defaultButton_), BM_SETSTYLE, BS_DEFPUSHBUTTON | BS_NOTIFY, TRUE);
}

}  // namespace barloom
