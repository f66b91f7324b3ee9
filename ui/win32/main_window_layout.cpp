// The main window's controls: what they are, where the design puts them at the window's DPI,
// their fonts, and where the window itself stands on the screen.
#include <windows.h>
#include <commctrl.h>

#include <cmath>
#include <cwchar>
#include <span>
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

constexpr DWORD TabStop = WS_TABSTOP | WS_GROUP;
constexpr DWORD PlainLabel = SS_LEFT | SS_NOPREFIX;  // language texts are shown as they are

// In the order of the Tab key: Next, Create, Back, the bar buttons, the bar count, ">>", the folder.
constexpr ControlPlan ButtonPlans[] = {
    {ids::Next, L"BUTTON", BS_DEFPUSHBUTTON | BS_NOTIFY | TabStop, 0, main_design::Next},
    {ids::Create, L"BUTTON", BS_PUSHBUTTON | BS_NOTIFY | TabStop, 0, main_design::Create},
    {ids::Back, L"BUTTON", BS_PUSHBUTTON | BS_NOTIFY | TabStop, 0, main_design::Back},
};
constexpr std::size_t BarCountListPlan = 1;
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
};

constexpr MenuItemRow FileMenu[] = {
    {ids::MenuFileOptions, 150}, {ids::MenuFileSeparator, NoText}, {ids::MenuFileExit, 110}};
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

static_assert(Step1Plans[BarCountListPlan].Id == ids::Combo1);

std::size_t MainWindow::LinkRow() {
  static_assert(FormRows[LinkFormRow].ControlId == ids::Link);
  return LinkFormRow;
}

bool MainWindow::CreateControls() {
  // The window owns its menu from here on and destroys it with itself.
  const HMENU menu = CreateMenuBar(Menus);
  if (!menu || !SetMenu(Handle(), menu)) {
    if (menu) DestroyMenu(menu);
    return false;
  }
  for (const ControlPlan& plan : ButtonPlans)
    if (!CreatePlannedControl(Handle(), plan)) return false;
  if (!barButtons_.Create(Handle(), ids::Toolbar, ids::BarButton0)) return false;
  for (std::size_t index = 0; index < frames_.size(); ++index) {
    const int frame = static_cast<int>(index);
    frames_[index] = CreateFrameWindow(Handle(), ids::Frame0 + frame, ids::FrameBox0 + frame, RECT{});
    if (!frames_[index]) return false;
    for (const ControlPlan& plan : FramePlans[index])
      if (!CreatePlannedControl(frames_[index], plan)) return false;
  }
  const HWND progress = CreatePlannedControl(Handle(), ProgressPlan);
  if (!progress) return false;
  ShowWindow(progress, SW_HIDE);
  progress_.Attach(progress);
  browseTip_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0,
                               Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  TTTOOLINFOW tool{sizeof tool};
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = Handle();
  tool.uId = reinterpret_cast<UINT_PTR>(Control(ids::BrowseFolder));
  tool.lpszText = const_cast<wchar_t*>(L"");
  SendMessageW(browseTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  CreateFonts(Dpi());
  SetForm(NoText, FormRows, Menus);
  return true;
}

void MainWindow::CreateFonts(int dpi) {
  WindowBase::CreateFonts(dpi);
  UniqueFont link{CreateNamedFont(L"Tahoma", LinkFontCentipoints, FW_BOLD, DEFAULT_CHARSET, dpi)};
  SendMessageW(Control(ids::Link), WM_SETFONT, reinterpret_cast<WPARAM>(link.get()), TRUE);
  linkFont_ = std::move(link);
  const HWND browse = Control(ids::BrowseFolder);
  UniqueIcon face{CreateTextIcon(BrowseFace, reinterpret_cast<HFONT>(SendMessageW(browse, WM_GETFONT, 0, 0)),
                                 GetSysColor(COLOR_BTNTEXT))};
  SendMessageW(browse, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(face.get()));
  browseFace_ = std::move(face);
}

void MainWindow::LayOut(int dpi) {
  PlaceControls(dpi);
  ApplyBarCount();
  OnSize();
  Render();
}

void MainWindow::PlaceControls(int dpi) {
  barButtons_.LoadImages(settings_.AppFolder, BarImagePixels(dpi));
  const WizardView view = controller_.View();
  barButtons_.Show(view.BarCount, view.MarkedBar, view.BarButtonsEnabled);
  SendMessageW(barButtons_.Window(), TB_AUTOSIZE, 0, 0);

  const PixelPoint frameAt = FramePlace(barButtons_.Height(), dpi);
  const PixelRect frameSize = ToPixels(main_design::Frame, dpi);
  for (std::size_t index = 0; index < frames_.size(); ++index) {
    PlaceFrameWindow(frames_[index], ids::FrameBox0 + static_cast<int>(index),
                     RECT{frameAt.X, frameAt.Y, frameAt.X + frameSize.Width(), frameAt.Y + frameSize.Height()});
  }
  for (const ControlPlan& plan : ButtonPlans) PlacePlannedControl(Handle(), plan, dpi);
  for (std::size_t index = 0; index < frames_.size(); ++index)
    for (const ControlPlan& plan : FramePlans[index]) PlacePlannedControl(frames_[index], plan, dpi);
  PlacePlannedControl(Handle(), ProgressPlan, dpi);
  SizeDropDown(frames_[0], Step1Plans[BarCountListPlan], dpi);
}

void MainWindow::PlaceAtStoredPosition() {
  RECT rect{};
  GetWindowRect(Handle(), &rect);
  std::vector<PixelRect> screens;
  EnumDisplayMonitors(nullptr, nullptr, CollectWorkArea, reinterpret_cast<LPARAM>(&screens));
  const PixelRect at = controller_.StartPlace(rect.right - rect.left, rect.bottom - rect.top, screens,
                                              static_cast<int>(GetDpiForSystem()));
  SetWindowPos(Handle(), nullptr, at.Left, at.Top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::StorePosition() {
  if (!Handle()) return;
  RECT rect{};
  GetWindowRect(Handle(), &rect);
  controller_.StorePlace({rect.left, rect.top, rect.right, rect.bottom}, !IsIconic(Handle()) && !IsZoomed(Handle()),
                         static_cast<int>(GetDpiForSystem()));
}

}  // namespace barloom
