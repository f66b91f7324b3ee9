// The main window's answers beyond plain commands: a bar button clicked, files dropped on the
// bar buttons, and the keyboard's place made visible after a dialog.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "platform/code_page.h"
#include "ui/win32/main_window.h"

namespace barloom {

void MainWindow::OnBarClicked(int bar) {
  const bool asks = controller_.View().BarClickAsksForFile;
  controller_.ClickBar(bar);
  if (!asks) return;
  // Back from the file dialog, the keyboard is on the bar that was clicked, and shows it.
  SetFocus(barButtons_.Window());
  barButtons_.SetHotBar(bar);
  ShowFocusCues();
}

void MainWindow::OnDropFiles(HDROP drop) {
  POINT at{};
  DragQueryPoint(drop, &at);  // in this window's client area
  MapWindowPoints(Handle(), barButtons_.Window(), &at, 1);
  RECT row{};
  GetClientRect(barButtons_.Window(), &row);
  const int bar = PtInRect(&row, at) ? barButtons_.BarAt(at) : 0;
  std::vector<DroppedFile> files;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT index = 0; index < count; ++index) {
    std::wstring path(DragQueryFileW(drop, index, nullptr, 0) + 1, L'\0');
    path.resize(DragQueryFileW(drop, index, path.data(), static_cast<UINT>(path.size())));
    const DWORD attributes = GetFileAttributesW(path.c_str());
    files.push_back({Utf8FromWide(path),
                     attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  }
  DragFinish(drop);
  controller_.DropFiles(bar, files);
  Render();
}

void MainWindow::ShowFocusCues() {
  SendMessageW(Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

}  // namespace barloom
