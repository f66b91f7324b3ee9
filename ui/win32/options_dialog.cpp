#include "ui/win32/options_dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <utility>
#include <string>

#include "platform/wide_text.h"
#include "settings/settings_file.h"
#include "ui/main_layout.h"
#include "ui/win32/controls.h"

namespace barloom {
namespace {

namespace ids = options_ids;

constexpr int ClientWidth = 4815;  // twips
constexpr int ClientHeight = 1635;
constexpr int TitleText = 1001;

constexpr DWORD TabStop = WS_TABSTOP | WS_GROUP;

// In the order of the Tab key: OK, Cancel, the prefix, the language list. Each label comes right
// before its box, so that the label's access key moves the focus into the box.
constexpr ControlPlan Plans[] = {
    {IDOK, L"BUTTON", BS_DEFPUSHBUTTON | TabStop, 0, {1233, 1170, 1125, 345}},
    {IDCANCEL, L"BUTTON", BS_PUSHBUTTON | TabStop, 0, {2456, 1170, 1125, 345}},
    {ids::Label1, L"STATIC", SS_LEFT, 0, {120, 180, 2295, 315}},
    {ids::Prefix, WC_EDITW, ES_AUTOHSCROLL | TabStop, WS_EX_CLIENTEDGE, {2550, 180, 2145, 315}},
    {ids::Label2, L"STATIC", SS_LEFT, 0, {120, 600, 2295, 315}},
    {ids::LanguageList, WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | TabStop, 0, {2550, 600, 2145, 315}},
};
constexpr std::size_t LanguageListPlan = 5;
static_assert(Plans[LanguageListPlan].Id == ids::LanguageList);

constexpr FormControlRow FormRows[] = {
    {ids::Label1, ControlKind::Label, 610},       {ids::Prefix, ControlKind::TextBox, 0},
    {ids::Label2, ControlKind::Label, 611},       {ids::LanguageList, ControlKind::ComboBox, 0},
    {IDOK, ControlKind::CommandButton, 1008},     {IDCANCEL, ControlKind::CommandButton, 1009},
};

}  // namespace

OptionsDialog::OptionsDialog(Settings& settings, const cProfile& profile, MessageBoxService* messages)
    : Dialog(settings, messages), settings_(settings), profile_(profile) {}

OptionsDialog::~OptionsDialog() {
  // Before the fonts go: no control is left that draws with them.
  if (Handle()) DestroyWindow(Handle());
}

bool OptionsDialog::OnInit() {
  for (const ControlPlan& plan : Plans)
    if (!CreatePlannedControl(Handle(), plan, Dpi())) return false;
  SendMessageW(Handle(), DM_SETDEFID, IDOK, 0);
  SetForm(TitleText, FormRows);
  CreateFonts(Dpi());
  LayOut(Dpi());
  Caption();

  model_.emplace(settings_, profile_, Messages());
  const HWND list = Item(ids::LanguageList);
  for (const std::string& entry : model_->Entries())
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromUtf8(entry).c_str()));
  SendMessageW(list, CB_SETCURSEL, model_->Selected(), 0);
  SetWindowTextW(Item(ids::Prefix), WideFromUtf8(settings_.BarFilePrefix).c_str());
  FitColumns(Dpi());
  CenterForm(Handle());
  return true;
}
void OptionsDialog::OnCommand(int id, int code, HWND) {
  switch (id) {
    case IDOK:
      if (code == BN_CLICKED) OnOk();
      break;
    case IDCANCEL:
      if (code == BN_CLICKED) Close(IDCANCEL);
      break;
    case ids::LanguageList:
      // While the list is open the user moves through it; the choice counts once it closes. In
      // the closed list the keyboard moves the choice itself.
      if (code == CBN_CLOSEUP) OnLanguagePicked(false);
      if (code == CBN_SELCHANGE && !SendMessageW(Item(id), CB_GETDROPPEDSTATE, 0, 0)) OnLanguagePicked(true);
      break;
    default:
      break;
  }
}

void OptionsDialog::OnOk() {
  if (!model_) return;
  OnLanguagePicked(false);
  if (model_->Confirm(WindowText(Item(ids::Prefix)))) {
    Close(IDOK);
    return;
  }
  // Refused: the user mends the prefix where it was typed.
  const HWND prefix = Item(ids::Prefix);
  SendMessageW(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(prefix), TRUE);
  SendMessageW(prefix, EM_SETSEL, 0, -1);
}

void OptionsDialog::OnLanguagePicked(bool byKeyboard) {
  if (!model_) return;
  const HWND list = Item(ids::LanguageList);
  const LRESULT picked = SendMessageW(list, CB_GETCURSEL, 0, 0);
  const std::size_t index = picked >= 0 ? static_cast<std::size_t>(picked) : 0;
  if (byKeyboard) {
    model_->MoveTo(index);
  } else {
    model_->Select(index);
  }
  if (static_cast<std::size_t>(picked) != model_->Selected()) SendMessageW(list, CB_SETCURSEL, model_->Selected(), 0);
}

void OptionsDialog::LayOut(int dpi) {
  SetClientSize(ClientWidth, ClientHeight, dpi);
  for (const ControlPlan& plan : Plans) PlacePlannedControl(Handle(), plan, dpi);
  FitColumns(dpi);
}

void OptionsDialog::FitColumns(int dpi) {
  // The labels as wide as the wider of their texts, the boxes beside them; the list as wide as
  // its longest file name beside its arrow, the prefix box as wide; the dialog grows along. All
  // measured in the controls' fonts at this DPI.
  const HWND list = Item(ids::LanguageList);
  const auto count = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
  HDC dc = GetDC(list);
  if (!dc) return;
  const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
  int widest = 0;
  for (int index = 0; index < count; ++index) {
    std::wstring entry(static_cast<std::size_t>(SendMessageW(list, CB_GETLBTEXTLEN, index, 0)) + 1, L'\0');
    entry.resize(static_cast<std::size_t>(SendMessageW(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(entry.data()))));
    SIZE extent{};
    GetTextExtentPoint32W(dc, entry.c_str(), static_cast<int>(entry.size()), &extent);
    widest = std::max<int>(widest, extent.cx);
  }
  SelectObject(dc, old);
  ReleaseDC(list, dc);
  constexpr int EdgesPixels = 10;  // the box's borders and the text's margins
  const PixelRect planned = ToPixels(Plans[LanguageListPlan].Place, dpi);
  const int listGrowth = std::max(0, widest + GetSystemMetricsForDpi(SM_CXVSCROLL, static_cast<UINT>(dpi)) +
                                         ScaledPixels(EdgesPixels, dpi) - planned.Width());
  constexpr std::pair<std::size_t, std::size_t> Rows[] = {{2, 3}, {4, 5}};  // label, box
  int labelText = 0;
  for (const auto& [label, box] : Rows) labelText = std::max(labelText, TextWidth(Item(Plans[label].Id)));
  int growth = 0;
  for (const auto& [label, box] : Rows) {
    LabelRow row = FitLabelRow({ToPixels(Plans[label].Place, dpi), ToPixels(Plans[box].Place, dpi)}, labelText, INT_MAX);
    growth = row.Value.Left - ToPixels(Plans[box].Place, dpi).Left;
    row.Value.Right += listGrowth;
    SetWindowPos(Item(Plans[label].Id), nullptr, row.Label.Left, row.Label.Top, row.Label.Width(), row.Label.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    RECT now{};
    GetWindowRect(Item(Plans[box].Id), &now);  // the list's window reaches down over its open list
    SetWindowPos(Item(Plans[box].Id), nullptr, row.Value.Left, row.Value.Top, row.Value.Width(), now.bottom - now.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (growth + listGrowth <= 0) return;
  RECT outer{};
  GetWindowRect(Handle(), &outer);
  SetWindowPos(Handle(), nullptr, 0, 0, outer.right - outer.left + growth + listGrowth, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace barloom
