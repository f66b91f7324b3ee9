#pragma once
// The dialog that makes a set's first bar Total Commander's button bar: the wincmd.ini found (and
// how), "..." to pick another, main or vertical bar, the bar the configuration names now, Install
// and Undo, and Retry while Total Commander runs. A thin dialog over InstallModel.
#include <windows.h>

#include <optional>
#include <string>

#include "platform/file_open_dialog.h"
#include "platform/unique_handle.h"
#include "ui/install_layout.h"
#include "ui/install_model.h"
#include "ui/win32/dialog.h"

namespace barloom {

class Language;
struct Settings;

struct InstallDialogServices {
  FileOpenDialog* Files = nullptr;         // null: the system's, owned by the dialog
  MessageBoxService* Messages = nullptr;   // null: the system's, owned by the dialog
  CommanderFolderSources Sources = SystemCommanderFolderSources();
  RunningCheck Running = SystemRunningCheck();
};

class InstallDialog final : public Dialog {
 public:
  // `barFile`: bar 1 of the set just created. `settings` is the program's and `language` the
  // language in use.
  InstallDialog(Settings& settings, const Language& language, std::string barFile,
                InstallDialogServices services = {});
  ~InstallDialog() override;

  const InstallModel* Model() const { return model_ ? &*model_ : nullptr; }

 private:
  bool OnInit() override;
  int FirstFocus() const override;
  void OnCommand(int id, int code, HWND control) override;
  void CreateFonts(int dpi) override;
  void LayOut(int dpi) override;
  void Render();  // the model's view on screen
  HWND Item(int id) const { return GetDlgItem(Handle(), id); }

  const Language& language_;
  std::string barFile_;
  InstallDialogServices services_;
  std::optional<SystemFileOpenDialog> systemFiles_;
  std::optional<InstallModel> model_;
  UniqueIcon chooseFace_;  // "..."
};

}  // namespace barloom
