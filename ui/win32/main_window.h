#pragma once
// frmMain, the wizard's window: a thin Win32 shell over WizardController. It turns clicks and
// keys into the controller's intents and shows the controller's view after each of them.
#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "platform/file_open_dialog.h"
#include "platform/folder_picker.h"
#include "platform/message_box.h"
#include "platform/unique_handle.h"
#include "platform/shell_open.h"
#include "settings/profile.h"
#include "settings/settings_file.h"
#include "ui/win32/bar_buttons.h"
#include "ui/win32/main_window_ids.h"
#include "ui/win32/progress_bar.h"
#include "ui/win32/window_form.h"
#include "ui/wizard_controller.h"

namespace barloom {

// Tests answer the dialogs for the user; a null entry is the system's own dialog.
struct DialogOverrides {
  FolderPicker* Folders = nullptr;
  FileOpenDialog* Files = nullptr;
  MessageBoxService* Messages = nullptr;
  ShellOpener* Shell = nullptr;
};

struct MainWindowOptions {
  std::string AppFolder;  // "" for the folder of the running program
  DialogOverrides Dialogs;
  std::optional<CommanderFolderSources> CommanderSources;  // nullopt: the environment and the registry
  bool QuitOnClose = true;  // closing the window ends the message loop of the thread
};

class MainWindow {
 public:
  explicit MainWindow(MainWindowOptions options = {});
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;
  ~MainWindow();

  // Creates the window, hidden, and runs the start-up: settings, position, language, images,
  // Step 1. False when the system refuses the window.
  bool Create();
  // Shows it; the first activation then gives the bar-count list the focus.
  void Show(int showCommand);
  HWND Handle() const { return window_; }

  const WizardController& Controller() const { return controller_; }
  const Settings& CurrentSettings() const { return settings_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void OnCommand(int id, int code, HWND control);
  LRESULT OnNotify(const NMHDR& header);
  void OnActivate(WPARAM wParam);
  void OnGetMinMaxInfo(MINMAXINFO& limits) const;
  void OnSize();
  void OnDpiChanged(int dpi, const RECT& suggested);
  void OnContextMenu(HWND source, POINT screen);
  bool OnSetCursor(HWND over);
  LRESULT OnCtlColorStatic(HDC dc, HWND control);
  void OnDestroy();
  void OnOptions();

  // main_window_layout_win32.cpp: the controls, their fonts and their places at a DPI.
  bool CreateControls();
  void CreateFonts(int dpi);
  void LayOut(int dpi);
  void PlaceAtStoredPosition();
  void StorePosition();

  void Caption();         // the language pass, then the link label centred again
  void Render();          // the controller's view on screen
  void ApplyBarCount();   // the buttons of a new count and the window's width for them
  void KeepFocusUsable(); // a disabled or hidden control never keeps the keyboard
  void ShowDefaultButton();  // the controller's default button drawn as such, the other push buttons not
  int Dpi() const;
  int NonClientHeight() const;  // caption, menu bar and borders
  HWND Control(int id) const;
  static int IdOf(WizardControl control);
  static std::size_t LinkRow();  // the link label's row in the form's table

  MainWindowOptions options_;
  Settings settings_;
  cProfile profile_;
  std::optional<ShellFolderPicker> systemFolders_;
  std::optional<SystemFileOpenDialog> systemFiles_;
  std::optional<SystemMessageBox> systemMessages_;
  std::optional<SystemShellOpener> systemShell_;
  FolderPicker& folders_;
  FileOpenDialog& files_;
  MessageBoxService& messages_;
  ShellOpener& shell_;
  cCommonDialog commonDialog_;
  WizardController controller_;

  HWND window_ = nullptr;
  std::array<HWND, 4> frames_{};
  BarButtons barButtons_;
  ProgressBarDisplay progress_;
  FontCache fonts_;
  std::unique_ptr<WindowForm> form_;
  UniqueFont baseFont_;
  UniqueFont linkFont_;
  std::wstring tooltip_;  // the text a bar button's tooltip is showing
  int dpi_ = 96;  // the window's scale, followed from WM_DPICHANGED
  HWND focusBeforeDeactivation_ = nullptr;
  int defaultButton_ = main_ids::Next;  // the button drawn as the default one
  bool rightToLeft_ = false;
};

}  // namespace barloom
