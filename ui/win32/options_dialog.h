#pragma once
// frmOptions: the language of the program's texts and the prefix of the bar files' names. A thin
// dialog over OptionsModel; after OK it tells its caller whether the language changed, so that the
// caller captions its own window again.
#include <windows.h>

#include <optional>

#include "platform/message_box.h"
#include "ui/options_layout.h"
#include "ui/options_model.h"
#include "ui/win32/dialog.h"

namespace barloom {

class Language;
class cProfile;
struct Settings;

class OptionsDialog final : public Dialog {
 public:
  // `settings` is the program's and `language` the language in use; OK changes the settings and
  // stores them through `profile`. `messages` null: the system's message box, owned by the dialog
  // and reading in the language's direction.
  OptionsDialog(Settings& settings, const Language& language, const cProfile& profile,
                MessageBoxService* messages = nullptr);
  ~OptionsDialog() override;

  // OK changed the language of the texts (read after Run or Open has closed it with OK).
  bool LanguageChanged() const { return model_ && model_->LanguageChanged(); }

 private:
  bool OnInit() override;
  int FirstFocus() const override { return options_ids::LanguageList; }  // what most open it for
  void OnCommand(int id, int code, HWND control) override;
  void LayOut(int dpi) override;  // the client area and the controls at `dpi`; the window keeps its place

  void FitColumns(int dpi);
  void OnOk();
  void OnLanguagePicked(bool byKeyboard);
  HWND Item(int id) const { return GetDlgItem(Handle(), id); }

  Settings& settings_;
  const Language& language_;
  const cProfile& profile_;
  std::optional<OptionsModel> model_;  // built as the dialog opens, so the list is always fresh
};

}  // namespace barloom
