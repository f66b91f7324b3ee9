// The main window's controls made from its table and placed at the window's DPI, their fonts,
// and where the window itself stands on the screen.
#include <windows.h>
#include <commctrl.h>

#include <cmath>
#include <cwchar>
#include <span>
#include <utility>
#include <vector>

#include "ui/win32/controls.h"
#include "ui/win32/frame_window.h"
#include "ui/main_layout.h"
#include "ui/win32/main_window.h"

namespace barloom {
namespace {

namespace ids = main_ids;

constexpr int LinkFontCentipoints = 2775;
constexpr wchar_t BrowseFace[] = L">>";

const ControlRow& RowOf(int id) { return *FindRow(MainWindowTable(), id); }

BOOL CALLBACK CollectWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM screens) {
  MONITORINFO info{sizeof info};
  if (GetMonitorInfoW(monitor, &info)) {
    const RECT& work = info.rcWork;
    reinterpret_cast<std::vector<PixelRect>*>(screens)->push_back({work.left, work.top, work.right, work.bottom});
  }
  return TRUE;
}

}  // namespace

bool MainWindow::CreateControls() {
  // Each in its place at the window's DPI: Next, Create, Back and the bar buttons, in the Tab
  // order; the frames below the bar buttons as they stand.
  if (!CreateContents(Handle(), Table(), InWindow, Dpi())) return false;
  barButtons_.Attach(Control(ids::Toolbar), ids::BarButton0);
  ShowBarButtons(BarImagePixels(Dpi()));
  if (!CreateFrame(0)) return false;  // Step 1; the other frames when they are first shown
  CreateFonts(Dpi());
  return true;
}

bool MainWindow::CreateFrame(std::size_t index) {
  const int frameId = ids::Frame0 + static_cast<int>(index);
  const PixelRect place = FrameRect(Dpi());
  const HWND frame = CreateRowControl(Handle(), RowOf(frameId), Dpi(), &place);
  if (!frame) return false;
  if (!CreateContents(frame, Table(), frameId, Dpi())) {
    DestroyWindow(frame);
    return false;
  }
  // Where it stands in the window order (the Tab order) had it been made with the others: after
  // the frames before it, after the bar buttons.
  HWND after = barButtons_.Window();
  for (std::size_t before = 0; before < index; ++before)
    if (frames_[before]) after = frames_[before];
  SetWindowPos(frame, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  frames_[index] = frame;
  if (const HWND browse = GetDlgItem(frame, ids::BrowseFolder)) AddBrowseTip(browse);
  return true;
}

void MainWindow::AddBrowseTip(HWND browse) {
  browseTip_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0,
                               Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  TTTOOLINFOW tool{sizeof tool};
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = Handle();
  tool.uId = reinterpret_cast<UINT_PTR>(browse);
  tool.lpszText = const_cast<wchar_t*>(L"");  // its name, once captioned
  SendMessageW(browseTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void MainWindow::EnsureFrame(int index) {
  const auto at = static_cast<std::size_t>(index);
  if (at >= frames_.size() || frames_[at] || !CreateFrame(at)) return;
  SetChildFonts(frames_[at], BaseFont());
  SetSpecialFaces();
  CaptionFrame(ids::Frame0 + index);
  OnCaptioned();
}

void MainWindow::EnsureProgressBar() {
  if (progress_.Window()) return;
  const HWND progress = CreateRowControl(Handle(), RowOf(ids::Progress), Dpi());
  if (!progress) return;  // the run goes on without it
  ShowWindow(progress, SW_HIDE);
  progress_.Attach(progress);
}

void MainWindow::CreateFonts(int dpi) {
  WindowBase::CreateFonts(dpi);
  // The old font goes once the link draws with the new one.
  const UniqueFont old =
      std::exchange(linkFont_, UniqueFont{CreateNamedFont(L"Tahoma", LinkFontCentipoints, FW_BOLD, DEFAULT_CHARSET, dpi)});
  SetSpecialFaces();
}

void MainWindow::SetSpecialFaces() {
  if (const HWND link = Control(ids::Link))
    SendMessageW(link, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_.get()), TRUE);
  if (const HWND browse = Control(ids::BrowseFolder)) {
    UniqueIcon face{CreateTextIcon(BrowseFace, reinterpret_cast<HFONT>(SendMessageW(browse, WM_GETFONT, 0, 0)),
                                   GetSysColor(COLOR_BTNTEXT))};
    SendMessageW(browse, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(face.get()));
    browseFace_ = std::move(face);
  }
}

void MainWindow::LayOut(int dpi) {
  PlaceControls(dpi);
  ApplyBarCount();
  OnSize();
  Render();
}

void MainWindow::ShowBarButtons(int imageSize) {
  barButtons_.LoadImages(settings_.AppFolder, imageSize);
  const WizardView view = controller_.View();
  barButtons_.Show(view.BarCount, view.MarkedBar, view.BarButtonsEnabled, view.Imported);
  SendMessageW(barButtons_.Window(), TB_AUTOSIZE, 0, 0);
}

PixelRect MainWindow::FrameRect(int dpi) const {
  const PixelPoint at = FramePlace(barButtons_.Height(), dpi);
  const PixelRect size = ToPixels(main_design::Frame, dpi);
  RECT window{};
  GetWindowRect(Handle(), &window);
  return {at.X, at.Y, at.X + FrameWidth(window.right - window.left, dpi), at.Y + size.Height()};
}

PixelRect MainWindow::WorkArea() const {
  MONITORINFO monitor{sizeof monitor};
  if (!GetMonitorInfoW(MonitorFromWindow(Handle(), MONITOR_DEFAULTTONEAREST), &monitor))
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  const RECT& work = monitor.rcWork;
  return {work.left, work.top, work.right, work.bottom};
}

void MainWindow::PlaceControls(int dpi) {
  ShowBarButtons(BarImagePixels(dpi));  // ApplyBarCount makes them smaller when the row needs it
  PlaceContents(Handle(), Table(), InWindow, dpi);  // the push buttons and the progress bar
  PlaceFrames(dpi, true);
}

void MainWindow::PlaceFrames(int dpi, bool contents) {
  for (std::size_t index = 0; index < frames_.size(); ++index) {
    if (!frames_[index]) continue;
    const int frameId = ids::Frame0 + static_cast<int>(index);
    const PixelRect place = FrameRect(dpi);
    RECT now{};
    GetWindowRect(frames_[index], &now);
    MapWindowPoints(HWND_DESKTOP, Handle(), reinterpret_cast<POINT*>(&now), 2);
    if (PixelRect{now.left, now.top, now.right, now.bottom} != place)
      PlaceFrameWindow(frames_[index], frameId + FrameBoxOffset,
                       RECT{place.Left, place.Top, place.Right, place.Bottom});
    if (contents) PlaceContents(frames_[index], Table(), frameId, dpi);
  }
}

void MainWindow::PlaceAtStart() {
  // The design size, as the sizing rules make it fit, where the window last stood: one move of
  // the window, not one for the size and one for the place.
  const SIZE size = FittedSize(TwipsToPixels(main_design::InitialWidth, Dpi()));
  std::vector<PixelRect> screens;
  EnumDisplayMonitors(nullptr, nullptr, CollectWorkArea, reinterpret_cast<LPARAM>(&screens));
  const PixelRect at = controller_.StartPlace(size.cx, size.cy, screens, static_cast<int>(GetDpiForSystem()));
  SetWindowPos(Handle(), nullptr, at.Left, at.Top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::StorePosition() {
  if (!Handle()) return;
  RECT rect{};
  GetWindowRect(Handle(), &rect);
  controller_.StorePlace({rect.left, rect.top, rect.right, rect.bottom}, !IsIconic(Handle()) && !IsZoomed(Handle()),
                         static_cast<int>(GetDpiForSystem()));
}

}  // namespace barloom
