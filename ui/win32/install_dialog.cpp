#include "ui/win32/install_dialog.h"

#include <commctrl.h>

#include <utility>

#include "platform/wide_text.h"
#include "settings/settings_file.h"
#include "ui/main_layout.h"
#include "ui/win32/controls.h"

namespace barloom {
namespace {

namespace ids = install_ids;

constexpr int ClientWidth = 6600;  // twips
constexpr int ClientHeight = 5130;
constexpr int TitleText = 801;
constexpr wchar_t ChooseFace[] = L"...";

constexpr DWORD TabStop = WS_TABSTOP | WS_GROUP;
constexpr DWORD PlainLabel = SS_LEFT | SS_NOPREFIX;  // texts with paths are shown as they are
constexpr DWORD ValueBox = ES_AUTOHSCROLL | ES_READONLY | TabStop;

// In the order of the Tab key; the two bars one above the other, so that their order reads the
// same from the right. Each label comes right before its box, so that the label's access
// key moves the keyboard into the box and screen readers name the box by it.
constexpr ControlPlan Plans[] = {
    {ids::IniLabel, L"STATIC", SS_LEFT, 0, {120, 150, 6360, 255}},
    {ids::IniBox, WC_EDITW, ValueBox, WS_EX_CLIENTEDGE, {120, 420, 5925, 315}},
    {ids::ChooseIni, L"BUTTON", BS_PUSHBUTTON | BS_ICON | TabStop, 0, {6090, 420, 390, 315}},
    {ids::HowFound, L"STATIC", PlainLabel, 0, {120, 795, 6360, 450}},
    {ids::MainBar, L"BUTTON", BS_AUTORADIOBUTTON | TabStop, 0, {120, 1320, 6360, 285}},
    {ids::VerticalBar, L"BUTTON", BS_AUTORADIOBUTTON, 0, {120, 1620, 6360, 285}},
    {ids::CurrentLabel, L"STATIC", SS_LEFT, 0, {120, 2010, 6360, 255}},
    {ids::CurrentBox, WC_EDITW, ValueBox, WS_EX_CLIENTEDGE, {120, 2280, 6360, 315}},
    {ids::WhereKept, L"STATIC", PlainLabel, 0, {120, 2655, 6360, 450}},
    {ids::BarLabel, L"STATIC", SS_LEFT, 0, {120, 3180, 6360, 255}},
    {ids::BarBox, WC_EDITW, ValueBox, WS_EX_CLIENTEDGE, {120, 3450, 6360, 315}},
    {ids::RunningMessage, L"STATIC", SS_LEFT | SS_NOPREFIX, 0, {120, 3870, 6360, 720}},
    {ids::Retry, L"BUTTON", BS_PUSHBUTTON | TabStop, 0, {120, 4680, 1500, 345}},
    {ids::Install, L"BUTTON", BS_DEFPUSHBUTTON | TabStop, 0, {1800, 4680, 1500, 345}},
    {ids::Undo, L"BUTTON", BS_PUSHBUTTON | TabStop, 0, {3390, 4680, 1500, 345}},
    {IDCANCEL, L"BUTTON", BS_PUSHBUTTON | TabStop, 0, {4980, 4680, 1500, 345}},
};

constexpr FormControlRow FormRows[] = {
    {ids::IniLabel, ControlKind::Label, 802},         {ids::IniBox, ControlKind::TextBox, 0},
    {ids::ChooseIni, ControlKind::CommandButton, 803}, {ids::HowFound, ControlKind::Label, 0},
    {ids::MainBar, ControlKind::OptionButton, 815},   {ids::VerticalBar, ControlKind::OptionButton, 816},
    {ids::CurrentLabel, ControlKind::Label, 817},     {ids::CurrentBox, ControlKind::TextBox, 0},
    {ids::WhereKept, ControlKind::Label, 0},          {ids::BarLabel, ControlKind::Label, 846},
    {ids::BarBox, ControlKind::TextBox, 0},           {ids::RunningMessage, ControlKind::Label, 822},
    {ids::Retry, ControlKind::CommandButton, 823},    {ids::Install, ControlKind::CommandButton, 819},
    {ids::Undo, ControlKind::CommandButton, 820},     {IDCANCEL, ControlKind::CommandButton, 821},
};

void SetText(HWND control, const std::string& text) {
  if (WindowText(control) != text) SetWindowTextW(control, WideFromUtf8(text).c_str());
}

}  // namespace

InstallDialog::InstallDialog(Settings& settings, std::string barFile, InstallDialogServices services)
    : Dialog(settings, services.Messages), settings_(settings), barFile_(std::move(barFile)),
      services_(std::move(services)) {}

InstallDialog::~InstallDialog() {
  // Before the fonts and the face go: no control is left that draws with them.
  if (Handle()) DestroyWindow(Handle());
}

bool InstallDialog::OnInit() {
  for (const ControlPlan& plan : Plans)
    if (!CreatePlannedControl(Handle(), plan, Dpi())) return false;
  SetForm(TitleText, FormRows);
  CreateFonts(Dpi());
  LayOut(Dpi());
  Caption();
  FileOpenDialog* files = services_.Files;
  if (!files) {
    files = &systemFiles_.emplace(reinterpret_cast<std::uintptr_t>(Handle()));
  }
  model_.emplace(settings_, barFile_, InstallServices{*files, Messages(), services_.Sources, services_.Running});
  Render();
  CenterForm(Handle());
  return true;
}

int InstallDialog::FirstFocus() const {
  if (!model_) return ids::Install;
  const InstallView view = model_->View();
  if (view.CommanderRunning) return ids::Retry;
  return view.InstallEnabled ? ids::Install : ids::ChooseIni;
}

void InstallDialog::OnCommand(int id, int code, HWND) {
  if (!model_ || code != BN_CLICKED) return;
  switch (id) {
    case ids::ChooseIni: model_->ChooseIni(); break;
    case ids::MainBar: model_->SetKind(BarKind::Main); break;
    case ids::VerticalBar: model_->SetKind(BarKind::Vertical); break;
    case ids::Retry: model_->Refresh(); break;
    case ids::Install: model_->Install(); break;
    case ids::Undo: model_->Undo(); break;
    case IDCANCEL: Close(IDCANCEL); return;
    default: return;
  }
  Render();
}

void InstallDialog::CreateFonts(int dpi) {
  Dialog::CreateFonts(dpi);
  const HWND choose = Item(ids::ChooseIni);
  if (!choose) return;
  UniqueIcon face{CreateTextIcon(ChooseFace, reinterpret_cast<HFONT>(SendMessageW(choose, WM_GETFONT, 0, 0)),
                                 GetSysColor(COLOR_BTNTEXT))};
  SendMessageW(choose, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(face.get()));
  chooseFace_ = std::move(face);
}

void InstallDialog::LayOut(int dpi) {
  SetClientSize(ClientWidth, ClientHeight, dpi);
  for (const ControlPlan& plan : Plans) PlacePlannedControl(Handle(), plan, dpi);
}

void InstallDialog::Render() {
  const InstallView view = model_->View();
  SetText(Item(ids::IniBox), view.IniFile);
  SetText(Item(ids::HowFound), view.HowFound);
  SetText(Item(ids::CurrentBox), view.CurrentBar);
  SetText(Item(ids::WhereKept), view.WhereKept);
  SetText(Item(ids::BarBox), view.BarFile);
  CheckRadioButton(Handle(), ids::MainBar, ids::VerticalBar,
                   view.Kind == BarKind::Main ? ids::MainBar : ids::VerticalBar);
  ShowWindow(Item(ids::RunningMessage), view.CommanderRunning ? SW_SHOWNA : SW_HIDE);
  ShowWindow(Item(ids::Retry), view.CommanderRunning ? SW_SHOWNA : SW_HIDE);
  EnableWindow(Item(ids::Install), view.InstallEnabled);
  EnableWindow(Item(ids::Undo), view.UndoEnabled);
  // Enter presses Retry while Total Commander runs, Install otherwise.
  const int defaultButton = view.CommanderRunning ? ids::Retry : ids::Install;
  SendMessageW(Handle(), DM_SETDEFID, defaultButton, 0);
  const HWND focus = GetFocus();
  if (focus && IsChild(Handle(), focus) && (!IsWindowEnabled(focus) || !IsWindowVisible(focus)))
    SendMessageW(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(FirstFocus())), TRUE);
}

}  // namespace barloom
