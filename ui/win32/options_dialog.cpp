#include "ui/win32/options_dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <utility>
#include <string>

#include "platform/code_page.h"
#include "settings/settings_file.h"
#include "ui/main_layout.h"
#include "ui/win32/controls.h"

namespace barloom {
namespace {

namespace ids = options_ids;

static_assert(ids::Ok == IDOK && ids::Cancel == IDCANCEL, "the dialog manager's buttons");

// A label and the box on its right, which grow together.
constexpr std::pair<int, int> LabelRows[] = {{ids::Label1, ids::Prefix}, {ids::Label2, ids::LanguageList}};

PixelRect DesignPlace(int id, int dpi) { return ToPixels(FindRow(OptionsTable(), id)->Place, dpi); }

// The width in pixels of the widest entry of `list`, in its font.
int WidestEntry(HWND list) {
  const WindowDc dc(list);
  if (!dc) return 0;
  const SelectedObject font(dc.get(), reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
  int widest = 0;
  for (int index = 0, count = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0)); index < count; ++index) {
    std::wstring entry(static_cast<std::size_t>(SendMessageW(list, CB_GETLBTEXTLEN, index, 0)) + 1, L'\0');
    entry.resize(
        static_cast<std::size_t>(SendMessageW(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(entry.data()))));
    SIZE extent{};
    GetTextExtentPoint32W(dc.get(), entry.c_str(), static_cast<int>(entry.size()), &extent);
    widest = std::max<int>(widest, extent.cx);
  }
  return widest;
}

}  // namespace

OptionsDialog::OptionsDialog(Settings& settings, const Language& language, const cProfile& profile,
                             MessageBoxService* messages)
    : Dialog(settings, language, OptionsTable(), messages), settings_(settings), language_(language), profile_(profile) {}

OptionsDialog::~OptionsDialog() {
  // Before the fonts go: no control is left that draws with them.
  if (Handle()) DestroyWindow(Handle());
}

bool OptionsDialog::OnInit() {
  if (!CreateContents(Handle(), Table(), InWindow, Dpi())) return false;
  SendMessageW(Handle(), DM_SETDEFID, IDOK, 0);
  CreateFonts(Dpi());
  LayOut(Dpi());
  Caption();

  model_.emplace(settings_, language_, profile_, Messages());
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
  SetClientSize(options_design::ClientWidth, options_design::ClientHeight, dpi);
  PlaceContents(Handle(), Table(), InWindow, dpi);
  FitColumns(dpi);
}

void OptionsDialog::FitColumns(int dpi) {
  // The labels as wide as the wider of their texts, the boxes beside them; the list as wide as
  // its longest file name beside its arrow, the prefix box as wide; the dialog grows along. All
  // measured in the controls' fonts at this DPI.
  const int widest = WidestEntry(Item(ids::LanguageList));
  constexpr int EdgesPixels = 10;  // the box's borders and the text's margins
  const PixelRect planned = DesignPlace(ids::LanguageList, dpi);
  const int listGrowth = std::max(0, widest + GetSystemMetricsForDpi(SM_CXVSCROLL, static_cast<UINT>(dpi)) +
                                         ScaledPixels(EdgesPixels, dpi) - planned.Width());
  int labelText = 0;
  for (const auto& [label, box] : LabelRows) labelText = std::max(labelText, TextWidth(Item(label)));
  int growth = 0;
  for (const auto& [label, box] : LabelRows) {
    LabelRow row = FitLabelRow({DesignPlace(label, dpi), DesignPlace(box, dpi)}, labelText, INT_MAX);
    growth = row.Value.Left - DesignPlace(box, dpi).Left;
    row.Value.Right += listGrowth;
    SetWindowPos(Item(label), nullptr, row.Label.Left, row.Label.Top, row.Label.Width(), row.Label.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    RECT now{};
    GetWindowRect(Item(box), &now);  // the list's window reaches down over its open list
    SetWindowPos(Item(box), nullptr, row.Value.Left, row.Value.Top, row.Value.Width(), now.bottom - now.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (growth + listGrowth <= 0) return;
  RECT outer{};
  GetWindowRect(Handle(), &outer);
  SetWindowPos(Handle(), nullptr, 0, 0, outer.right - outer.left + growth + listGrowth, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace barloom
