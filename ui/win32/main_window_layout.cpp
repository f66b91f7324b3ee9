// The main window's controls: what they are, where the design puts them at the window's DPI,
// their fonts, and where the window itself stands on the screen.
#include <windows.h>
#include <commctrl.h>

#include <cmath>
#include <cwchar>
#include <span>
#include <utility>
#include <vector>

#include "core/create_report.h"
#include "ui/win32/controls.h"
#include "ui/win32/frame_window.h"
#include "ui/main_layout.h"
#include "ui/win32/main_window.h"

namespace barloom {
namespace {

namespace ids = main_ids;

constexpr int LinkFontCentipoints = 2775;
// "&Make it Total Commander's button bar...": the button of the created state and the File menu's item.
constexpr int InstallOfferText = 800;

constexpr DWORD TabStop = WS_TABSTOP | WS_GROUP;
constexpr DWORD PlainLabel = SS_LEFT | SS_NOPREFIX;  // language texts are shown as they are

// In the order of the Tab key: Next, Create, Back, the bar buttons, the bar count, ">>", the folder.
constexpr ControlPlan ButtonPlans[] = {
    {ids::Next, L"BUTTON", BS_DEFPUSHBUTTON | BS_NOTIFY | TabStop, 0, main_design::Next},
    {ids::Create, L"BUTTON", BS_PUSHBUTTON | BS_NOTIFY | TabStop, 0, main_design::Create},
    {ids::Back, L"BUTTON", BS_PUSHBUTTON | BS_NOTIFY | TabStop, 0, main_design::Back},
};
constexpr ControlPlan Step1Plans[] = {
    {ids::Label1, L"STATIC", PlainLabel, 0, main_design::Label1},
    {ids::Combo1, WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | TabStop, 0, main_design::Combo1},
};
// Each box comes right after its label in window order, which names it for screen readers; ">>"
// shows its face as an icon, so that its text can be its name.
constexpr ControlPlan Step2Plans[] = {
    {ids::Label3, L"STATIC", PlainLabel, 0, main_design::Label3},
    {ids::BrowseFolder, L"BUTTON", BS_PUSHBUTTON | BS_ICON | BS_NOTIFY | TabStop, 0, main_design::BrowseFolder},
    {ids::Label2, L"STATIC", PlainLabel, 0, main_design::Label2},
    {ids::SaveIn, WC_EDITW, ES_AUTOHSCROLL | TabStop, WS_EX_CLIENTEDGE, main_design::SaveIn},
};
constexpr wchar_t BrowseFace[] = L">>";
constexpr ControlPlan Step3Plans[] = {
    {ids::Label4, L"STATIC", PlainLabel, 0, main_design::Label4},
    {ids::Label5, L"STATIC", PlainLabel, 0, main_design::Label5},
    // Shown while the folder holds bars of the set's names; the window checks it as the wizard says.
    {ids::KeepButtons, L"BUTTON", BS_CHECKBOX | BS_NOTIFY | TabStop, 0, main_design::KeepButtons},
};
constexpr ControlPlan LinkPlans[] = {
    {ids::Link, L"STATIC", SS_CENTER | SS_NOTIFY | SS_NOPREFIX, 0, main_design::Link, L"Quillset"},
    {ids::InstallButton, L"BUTTON", BS_PUSHBUTTON | BS_NOTIFY | TabStop, 0, main_design::InstallButton},
};
// The controls of each frame, frame by frame.
constexpr std::span<const ControlPlan> FramePlans[] = {Step1Plans, Step2Plans, Step3Plans, LinkPlans};
constexpr ControlPlan ProgressPlan{ids::Progress, PROGRESS_CLASSW, 0, 0, main_design::Progress};

// What the language pass captions: the text ID of each control, 0 for none.
constexpr FormControlRow FormRows[] = {
    {ids::FrameBox0 + 0, ControlKind::Frame, 601},
    {ids::FrameBox0 + 1, ControlKind::Frame, 602},
    {ids::FrameBox0 + 2, ControlKind::Frame, 603},
    {ids::FrameBox0 + 3, ControlKind::Frame, 607},
    {ids::Label1, ControlKind::Label, 620},
    {ids::Label2, ControlKind::Label, 621},
    {ids::Label3, ControlKind::Label, 622},
    {ids::Label4, ControlKind::Label, 623},
    {ids::Label5, ControlKind::Label, 624},
    {ids::Link, ControlKind::Label, 0},
    {ids::Combo1, ControlKind::ComboBox, 0},
    {ids::SaveIn, ControlKind::TextBox, 0},
    {ids::BrowseFolder, ControlKind::CommandButton, 771},
    {ids::Back, ControlKind::CommandButton, 605},
    {ids::Next, ControlKind::CommandButton, 604},
    {ids::Create, ControlKind::CommandButton, 606},
    {ids::Toolbar, ControlKind::Toolbar, 0},
    {ids::Progress, ControlKind::ProgressBar, 0},
    {ids::KeepButtons, ControlKind::CheckBox, KeepButtonsCaptionText},  // the count is added by the wizard
    {ids::InstallButton, ControlKind::CommandButton, InstallOfferText},
};

constexpr MenuItemRow FileMenu[] = {
    {ids::MenuFileOptions, 150},
    {ids::MenuFileInstall, InstallOfferText},
    {ids::MenuFileSeparator, NoText},
    {ids::MenuFileExit, 110}};
constexpr MenuItemRow HelpMenu[] = {
    {ids::MenuHelpTopics, 162}, {ids::MenuHelpSeparator, NoText}, {ids::MenuHelpAbout, 163}};
constexpr MenuPlan Menus[] = {{{ids::MenuFile, 101}, FileMenu}, {{ids::MenuHelp, 161}, HelpMenu}};

constexpr std::size_t LinkFormRow = 9;

BOOL CALLBACK CollectWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM screens) {
  MONITORINFO info{sizeof info};
  if (GetMonitorInfoW(monitor, &info)) {
    const RECT& work = info.rcWork;
    reinterpret_cast<std::vector<PixelRect>*>(screens)->push_back({work.left, work.top, work.right, work.bottom});
  }
  return TRUE;
}

}  // namespace

std::size_t MainWindow::LinkRow() {
  static_assert(FormRows[LinkFormRow].ControlId == ids::Link);
  return LinkFormRow;
}

HMENU MainWindow::CreateMenus() { return CreateMenuBar(Menus); }

bool MainWindow::CreateControls() {
  // Each in its place at the window's DPI; the frames below the bar buttons as they stand.
  for (const ControlPlan& plan : ButtonPlans)
    if (!CreatePlannedControl(Handle(), plan, Dpi())) return false;
  if (!barButtons_.Create(Handle(), ids::Toolbar, ids::BarButton0)) return false;
  ShowBarButtons(Dpi());
  if (!CreateFrame(0)) return false;  // Step 1; the other frames when they are first shown
  CreateFonts(Dpi());
  SetForm(NoText, FormRows, Menus);
  return true;
}

bool MainWindow::CreateFrame(std::size_t index) {
  const int frameIndex = static_cast<int>(index);
  const HWND frame = CreateFrameWindow(Handle(), ids::Frame0 + frameIndex, ids::FrameBox0 + frameIndex, FrameRect(Dpi()));
  if (!frame) return false;
  for (const ControlPlan& plan : FramePlans[index]) {
    if (!CreatePlannedControl(frame, plan, Dpi())) {
      DestroyWindow(frame);
      return false;
    }
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
  FormControlsAdded();
  Caption();
}

void MainWindow::EnsureProgressBar() {
  if (progress_.Window()) return;
  const HWND progress = CreatePlannedControl(Handle(), ProgressPlan, Dpi());
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

void MainWindow::ShowBarButtons(int dpi) {
  barButtons_.LoadImages(settings_.AppFolder, BarImagePixels(dpi));
  const WizardView view = controller_.View();
  barButtons_.Show(view.BarCount, view.MarkedBar, view.BarButtonsEnabled);
  SendMessageW(barButtons_.Window(), TB_AUTOSIZE, 0, 0);
}

RECT MainWindow::FrameRect(int dpi) const {
  const PixelPoint at = FramePlace(barButtons_.Height(), dpi);
  const PixelRect size = ToPixels(main_design::Frame, dpi);
  return {at.X, at.Y, at.X + size.Width(), at.Y + size.Height()};
}

void MainWindow::PlaceControls(int dpi) {
  ShowBarButtons(dpi);
  for (const ControlPlan& plan : ButtonPlans) PlacePlannedControl(Handle(), plan, dpi);
  for (std::size_t index = 0; index < frames_.size(); ++index)
    if (frames_[index]) PlaceFrame(index, dpi);
  if (progress_.Window()) PlacePlannedControl(Handle(), ProgressPlan, dpi);
}

void MainWindow::PlaceFrame(std::size_t index, int dpi) {
  PlaceFrameWindow(frames_[index], ids::FrameBox0 + static_cast<int>(index), FrameRect(dpi));
  for (const ControlPlan& plan : FramePlans[index]) PlacePlannedControl(frames_[index], plan, dpi);
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
