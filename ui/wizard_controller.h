#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/commander_path.h"
#include "core/wizard_state.h"

// The rules of the wizard's main window, apart from the window: the three steps, what is enabled
// in each, the marking of the bar buttons, the import choices and Create. The window passes on
// what the user does and shows View() afterwards; the dialogs that wait for a person come in
// through interfaces, so that tests can answer for the user.
namespace barloom {

class FolderPicker;
class MessageBoxService;
class ProgressDisplay;
class cCommonDialog;
class cProfile;
struct Settings;

// What the window shows after any intent.
struct WizardView {
  int VisibleStep = 0;            // 0, 1, 2: the step frame shown, unless the link frame covers it
  bool LinkFrameVisible = false;  // the link frame, in the place of Step 3, after a successful Create
  bool BackEnabled = false;
  bool NextEnabled = true;  // the default button: Enter presses it while it is enabled
  bool CreateEnabled = false;
  bool BarButtonsEnabled = true;
  int BarCount = MinBarCount;  // one bar button per bar, numbered 1..BarCount
  int MarkedBar = MinBarCount; // the button showing its "Dn" image
  std::string FolderBoxText;
};

struct WizardServices {
  FolderPicker& Folders;
  cCommonDialog& FileDialog;  // set up by its owner
  MessageBoxService& Messages;
  CommanderFolderSources CommanderSources = SystemCommanderFolderSources();
};

class WizardController {
 public:
  // `settings` is the program's, loaded and kept alive by the caller; Create stores LastPath in
  // its file and the texts follow its language.
  WizardController(Settings& settings, const cProfile& profile, WizardServices services);

  // The window that owns the dialogs, so that they keep it disabled while they are open.
  void SetOwnerWindow(std::uintptr_t ownerWindow) { ownerWindow_ = ownerWindow; }

  // Step 1, the folder box from the stored LastPath (else the "bars" folder beside the program),
  // the first bar count (2) applied, nothing created.
  void Start();
  // The window is shown for the first time: Total Commander's folder is looked up, once a run.
  void FirstActivation();

  // An entry of the bar-count list was picked (position 0 stands for 2 bars): one button per
  // bar, the last one marked; the imports of all slots stay for a later, larger count.
  void PickBarCount(int listPosition);
  // A bar button was clicked: it becomes the marked one; at Step 3 the file dialog asks for the
  // bar whose buttons this bar receives.
  void ClickBar(int bar);
  // Step 3: bar `bar` imports nothing any more.
  void RemoveImport(int bar);
  bool CanRemoveImport(int bar) const;

  // The ">>" button: the folder picker, starting at the folder box's folder.
  void BrowseForFolder();
  // The folder box's text as it is now (typed, pasted, or echoed back after the program set it).
  void FolderTextChanged(std::string_view text);

  void Next();
  void Back();
  // Writes the set, stores LastPath and shows the installation steps, or shows why it could not
  // be written (the wizard stays as it was, so the user can mend the cause and press Create again).
  void Create(ProgressDisplay& progress);

  WizardView View() const;
  const WizardState& State() const { return state_; }
  // The tooltip of a bar button: the file whose buttons the bar receives, "" for none.
  const std::string& ImportFile(int bar) const;
  const std::optional<std::string>& CommanderFolderFound() const { return commanderFolder_; }

 private:
  bool AtLastStep() const { return state_.CurrentStep == 2; }
  bool IsBar(int bar) const { return bar >= 1 && bar <= state_.BarCount; }

  Settings& settings_;
  const cProfile& profile_;
  WizardServices services_;
  std::uintptr_t ownerWindow_ = 0;

  WizardState state_;
  std::string folderBoxText_;
  bool nextEnabled_ = true;
  bool linkFrameVisible_ = false;
  bool barButtonsEnabled_ = true;
  int markedBar_ = MinBarCount;
  bool importPicked_ = false;  // an import was picked in this run: the file dialog remembers its folder
  bool activated_ = false;
  std::optional<std::string> commanderFolder_;
};

}  // namespace barloom
