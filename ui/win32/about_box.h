#pragma once
// frmAbout: who wrote the program, its version, to whom this copy of Windows is registered, and a
// link to the program's home page. A fixed dialog owned by the main window (so not in the task
// bar), with the main window's icon; OK, Enter and Esc close it.
#include <windows.h>

#include <string>

#include "build_info.h"
#include "platform/message_box.h"
#include "platform/shell_open.h"
#include "platform/unique_handle.h"
#include "settings/settings_file.h"
#include "ui/about_layout.h"
#include "ui/about_model.h"
#include "ui/win32/dialog.h"

namespace barloom {

class AboutBox final : public Dialog {
 public:
  // `readRegistry` answers the two reads of the registered owner; `homePage` is what the link
  // opens through `shell` (nothing when empty). A missing language file is reported through
  // `messages`, and `settings` then switch to the built-in texts.
  AboutBox(Settings& settings, const Language& language, ShellOpener& shell, MessageBoxService& messages,
           RegistryValueReader readRegistry = ReadSystemRegistryValue, std::string homePage = build_info::HomePage);
  ~AboutBox() override;

 private:
  bool OnInit() override;
  void OnCommand(int id, int code, HWND control) override;
  void LayOut(int dpi) override;

  bool CreateControls();
  void FillLabels();  // the values, and which lines are shown
  void TakeOwnersIcon();
  HWND Control(int id) const;

  RegistryValueReader readRegistry_;
  std::string homePage_;
  HWND frame_ = nullptr;
};

}  // namespace barloom
