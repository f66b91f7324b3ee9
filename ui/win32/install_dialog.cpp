#include "ui/win32/install_dialog.h"

#include <commctrl.h>

#include <utility>

#include "platform/code_page.h"
#include "ui/main_layout.h"
#include "ui/win32/controls.h"

namespace barloom {
namespace {

namespace ids = install_ids;

static_assert(ids::Close == IDCANCEL, "the dialog manager's Cancel");

constexpr wchar_t ChooseFace[] = L"...";

void SetText(HWND control, const std::string& text) {
  if (WindowText(control) != text) SetWindowTextW(control, WideFromUtf8(text).c_str());
}

}  // namespace

InstallDialog::InstallDialog(Settings& settings, const Language& language, std::string barFile,
                             InstallDialogServices services)
    : Dialog(settings, language, InstallTable, services.Messages),
      language_(language),
      barFile_(std::move(barFile)),
      services_(std::move(services)) {}

InstallDialog::~InstallDialog() {
  // Before the fonts and the face go: no control is left that draws with them.
  if (Handle()) DestroyWindow(Handle());
}

bool InstallDialog::OnInit() {
  if (!CreateContents(Handle(), Table(), InWindow, Dpi())) return false;
  CreateFonts(Dpi());
  LayOut(Dpi());
  Caption();
  FileOpenDialog* files = services_.Files;
  if (!files) {
    files = &systemFiles_.emplace(reinterpret_cast<std::uintptr_t>(Handle()));
  }
  model_.emplace(language_, barFile_, InstallServices{*files, Messages(), services_.Sources, services_.Running});
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
    case ids::Retry:
      // The dialog shows Total Commander closed before the report of what Retry then does.
      model_->Refresh();
      Render();
      model_->Retry();
      break;
    case ids::Install: model_->Install(); break;
    case ids::Undo: model_->Undo(); break;
    case ids::Close: Close(IDCANCEL); return;
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
  SetClientSize(install_design::ClientWidth, install_design::ClientHeight, dpi);
  PlaceContents(Handle(), Table(), InWindow, dpi);
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
