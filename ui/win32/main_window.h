#pragma once
// frmMain, the wizard's window: a thin Win32 shell over WizardController. It turns clicks and
// keys into the controller's intents and shows the controller's view after each of them.
#include <windows.h>
#include <shellapi.h>

#include <array>
#include <optional>
#include <string>

#include "localisation/language.h"
#include "platform/file_open_dialog.h"
#include "platform/folder_picker.h"
#include "platform/message_box.h"
#include "platform/shell_open.h"
#include "platform/unique_handle.h"
#include "settings/profile.h"
#include "settings/settings_file.h"
#include "ui/win32/bar_buttons.h"
#include "ui/win32/progress_bar.h"
#include "ui/win32/window_base.h"
#include "core/bar_install.h"
#include "ui/main_window_layout.h"
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
  RunningCheck CommanderRunning = SystemRunningCheck();   // whether Total Commander runs
  bool QuitOnClose = true;  // closing the window ends the message loop of the thread
};

class MainWindow final : public WindowBase {
 public:
  explicit MainWindow(MainWindowOptions options = {});
  ~MainWindow() override;

  // Creates the window, hidden, and runs the start-up: settings, position, language, images,
  // Step 1. False when the system refuses the window.
  bool Create();
  // Shows it; the first activation then gives the bar-count list the focus.
  void Show(int showCommand);

  const WizardController& Controller() const { return controller_; }
  const Settings& CurrentSettings() const { return settings_; }

 private:
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnCommand(int id, int code, HWND control);
  LRESULT OnNotify(const NMHDR& header);
  void OnActivate(WPARAM wParam);
  void OnGetMinMaxInfo(MINMAXINFO& limits) const;
  void OnSize();
  SIZE FittedSize(int width) const;  // a width made to fit, and the one height the window has
  void OnContextMenu(HWND source, POINT screen);
  void OnDestroy();
  void OnOptions();
  void OnInstall();  // the dialog that makes the set just created Total Commander's button bar
  // Create on a worker thread: the wizard busy and the menus unavailable until it ends, the
  // progress and then the result posted back.
  void OnCreate();
  void OnCreateProgress();
  void OnCreateDone();
  void EnableMenus(bool enabled);
  // WM_CLOSE, Alt+F4, the system menu, File Exit: at once, or once a running Create has ended.
  void RequestClose();

  // main_window_input.cpp: a bar button clicked, files dropped, the keyboard's place shown.
  void OnBarClicked(int bar);
  void OnDropFiles(HDROP drop);
  void ShowFocusCues();

  // main_window_controls.cpp: the controls, their fonts and their places at a DPI.
  bool CreateControls();
  // The frames of Steps 2 and 3 and the link frame are made when first shown, and the progress
  // bar when a Create first runs: under Wine every window made costs the start-up about a ms.
  bool CreateFrame(std::size_t index);  // the frame with its controls, in its place in the Tab order
  void EnsureFrame(int index);          // made, given its fonts, and captioned
  void EnsureProgressBar();
  void AddBrowseTip(HWND browse);  // ">>"'s tooltip
  void CreateFonts(int dpi) override;
  void SetSpecialFaces();  // the link's own font and the ">>" face, on those already made
  void LayOut(int dpi) override;  // after a change of scale: the places, the bar buttons, the size
  void ShowBarButtons(int imageSize);  // their images at that size, and the buttons the wizard shows
  PixelRect FrameRect(int dpi) const;  // where each frame stands, below the bar buttons, as wide as the window lets it
  PixelRect WorkArea() const;          // of the monitor the window is on
  void PlaceControls(int dpi);
  // Those made so far, in their place below the bar buttons at the window's width; with
  // `contents`, their controls too (at a new DPI).
  void PlaceFrames(int dpi, bool contents);
  void PlaceAtStart();  // the first size and place
  void StorePosition();

  // main_window_view.cpp: what the window shows.
  void OnCaptioned() override;  // ">>"'s tooltip and the bar buttons' names in the language
  void Render();          // the controller's view on screen
  void ShowBarNames();    // the bar buttons' names (accessible names and tooltips)
  void ShowBarCount(int count);  // the list's entry of `count` selected
  void ApplyBarCount();   // the window's width for the bar count's buttons
  void KeepFocusUsable(); // a disabled or hidden control never keeps the keyboard
  void ShowDefaultButton();  // the controller's default button drawn as such, the other push buttons not
  int NonClientHeight() const;  // caption, menu bar and borders
  HWND Control(int id) const { return RowWindow(Handle(), Table(), id); }

  MainWindowOptions options_;
  Settings settings_;
  Language language_{settings_};  // the language in use, for every window and message of the run
  cProfile profile_;
  std::optional<ShellFolderPicker> systemFolders_;
  std::optional<SystemFileOpenDialog> systemFiles_;
  std::optional<SystemShellOpener> systemShell_;
  FolderPicker& folders_;
  FileOpenDialog& files_;
  ShellOpener& shell_;
  cCommonDialog commonDialog_;
  WizardController controller_;

  std::array<HWND, FrameCount> frames_{};
  BarButtons barButtons_;
  ProgressBarDisplay progress_;
  UniqueFont linkFont_;
  std::wstring tooltip_;  // the text a bar button's tooltip is showing
  HWND focusBeforeDeactivation_ = nullptr;
  int defaultButton_ = main_ids::Next;  // the button drawn as the default one
  CreateRun run_;  // last: a run still going is waited for before anything it posts to goes
  UniqueIcon browseFace_;     // ">>", the face of the button whose text is its name
  HWND browseTip_ = nullptr;  // its tooltip, owned by the window; made with Step 2
};

}  // namespace barloom
