#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/commander_path.h"
#include "core/wizard_state.h"
#include "ui/create_run.h"
#include "settings/settings_file.h"
#include "ui/main_layout.h"

// The rules of the wizard's main window, apart from the window: the three steps, what is enabled
// in each, the bar-count choices, the marking of the bar buttons, the import choices, where the
// keyboard goes, which button Enter presses, where the window opens and Create. The window passes
// on what the user does and shows View() afterwards; the dialogs that wait for a person come in
// through interfaces, so that tests can answer for the user.
namespace barloom {

class FolderPicker;
class Language;
class MessageBoxService;
class ProgressDisplay;
class cCommonDialog;
class cProfile;
struct Settings;

// The controls of the main window that the rules name (their roles in the window's table, which
// start at 1: 0 is no role).
enum class WizardControl { BarCountList = 1, FolderBox, BrowseFolder, BarButtons, KeepButtons, Back, Next, Create, Install };

// The frames, all in one place: the three steps, and the link frame that covers Step 3 after a
// successful Create.
inline constexpr int LinkFrame = 3;
inline constexpr int FrameCount = 4;

// Which bars take another bar file's buttons, by bar number (index 0 unused).
using ImportedBars = std::array<bool, MaxBarCount + 1>;

// What the window shows after any intent.
struct WizardView {
  int ShownFrame = 0;  // the step's frame (0, 1, 2: the steps in order); LinkFrame: the link frame
  bool BackEnabled = false;
  bool NextEnabled = true;
  bool CreateEnabled = false;
  bool BarButtonsEnabled = true;
  // A Create is running: nothing of the wizard can be used until it ends, but the window can be
  // asked to close (it closes once the set is whole).
  bool Busy = false;
  int BarCount = MinBarCount;   // one bar button per bar, numbered 1..BarCount
  int MarkedBar = MinBarCount;  // the button showing its "Dn" image; the keyboard's mark in the row goes there
  ImportedBars Imported{};  // their buttons carry the import mark
  bool BarClickAsksForFile = false;  // a click on a bar button opens the file dialog (Step 3)
  std::string FolderBoxText;
  // Step 3's check box that keeps the bars' own buttons: shown while the folder holds bars of the
  // set's names (their number in its caption), off until the user checks it.
  bool KeepButtonsShown = false;
  bool KeepButtonsChecked = false;
  bool KeepButtonsEnabled = false;
  std::string KeepButtonsCaption;
  // The created state offers to make the set Total Commander's button bar (a button beside the
  // report's state, and the File menu's item).
  bool InstallOffered = false;
  // Enter presses it: the push button that has the keyboard, else Next.
  WizardControl DefaultButton = WizardControl::Next;
  // Where the keyboard goes when the control that holds it is disabled or hidden: Next, so that
  // Enter goes on through the wizard, else the first enabled button after it (Create, Back).
  WizardControl FocusTarget = WizardControl::Next;
};

// A file or folder dropped on the window.
struct DroppedFile {
  std::string Path;
  bool IsFolder = false;
};

struct WizardServices {
  FolderPicker& Folders;
  cCommonDialog& FileDialog;  // set up by its owner
  MessageBoxService& Messages;
  CommanderFolderSources CommanderSources = SystemCommanderFolderSources();
};

class WizardController {
 public:
  // `settings` is the program's, loaded and kept alive by the caller, and `language` the language
  // in use; Create stores LastPath in the settings file.
  WizardController(Settings& settings, const Language& language, const cProfile& profile, WizardServices services);

  // The window that owns the dialogs, so that they keep it disabled while they are open.
  void SetOwnerWindow(std::uintptr_t ownerWindow) { ownerWindow_ = ownerWindow; }
  // Called before a dialog starts to wait for the user, so that the window shows the view first
  // (the clicked bar button marked while the file dialog is open).
  void SetBeforeDialog(std::function<void()> showView) { beforeDialog_ = std::move(showView); }

  // Step 1, the folder box from the stored LastPath (else the "bars" folder beside the settings
  // file), the first bar count applied (the size of the set of the prefix that the folder holds,
  // SetSizeInFolder, else 2), nothing created. `notice` (what LoadSettings said of
  // the settings' place) is told when the window first becomes active.
  void Start(SettingsNotice notice = SettingsNotice::None);
  // The window became active. The first time, Total Commander's folder is looked up (once a run),
  // the user is told where the settings are when Start was given a notice, and the keyboard goes
  // to the control returned, the bar-count list; afterwards nullopt: the keyboard goes back to
  // where it was.
  std::optional<WizardControl> Activated();

  // The entries of the bar-count list: the counts MinBarCount..MaxBarCount.
  static std::vector<int> BarCounts();
  // The count `count` was picked: one button per bar, the last one marked; the imports of all
  // slots stay for a later, larger count. A count outside the range changes nothing.
  void PickBarCount(int count);
  // A bar button was clicked: it becomes the marked one; at Step 3 the file dialog asks for the
  // bar whose buttons this bar receives.
  void ClickBar(int bar);
  // Step 3's check box was clicked: keep the buttons already on the bars, or not.
  void SetKeepButtons(bool keep);
  // The folder, the prefix or the language may have changed outside the wizard (another program,
  // the Options dialog): what Step 3 says of the bars already in the folder is looked up again.
  void Refresh();
  // Files dropped on the bar buttons, `bar` the one under the pointer (0: none). At Step 3 before
  // Create, the button-bar files among them (names ending in ".bar" in any letter case), in the
  // order of their names, become the imports of `bar`, `bar` + 1 and onwards, each as if it had
  // been picked in the file dialog; the last one filled is marked. Folders and other files are
  // refused, and files beyond the last bar left, each group named in a message. Anywhere else a
  // drop does nothing, as a click does nothing there.
  void DropFiles(int bar, std::span<const DroppedFile> files);
  // Step 3: bar `bar` imports nothing any more.
  void RemoveImport(int bar);
  bool CanRemoveImport(int bar) const;
  // A context menu was asked for over the bar buttons: with the mouse over `bar`, or from the
  // keyboard while `bar` has the keyboard's hot-tracking mark (0: none, then the marked bar).
  // The bar whose import the menu offers to remove, or nullopt when no menu shows.
  std::optional<int> ContextMenuBar(int bar, bool fromKeyboard) const;

  // The ">>" button: the folder picker, starting at the folder box's folder.
  void BrowseForFolder();
  // The folder box's text as it is now (typed, pasted, or echoed back after the program set it).
  void FolderTextChanged(std::string_view text);

  void Next();
  void Back();
  // Writes the set, stores LastPath and shows the installation steps, or shows why it could not
  // be written (the wizard stays as it was, so the user can mend the cause and press Create again).
  // BeginCreate and FinishCreate in one go.
  void Create(ProgressDisplay& progress);
  // Create in two halves, for a run on another thread: what the run reads, copied, with the
  // wizard busy from now on (nullopt when Create cannot be pressed now, when the bars would point
  // to icons that are missing and the user, asked, answers No, or when the user cancelled when
  // asked whether to keep the buttons the bars hold of their own), and then the run's
  // result, which ends the busy time. FinishCreate returns true when a close was asked for
  // meanwhile: the window closes now.
  std::optional<CreateJob> BeginCreate();
  bool FinishCreate(const CreateResult& result);
  // The user or the system asks the window to close: true when it may close now; during a Create
  // false, and FinishCreate says when.
  bool CloseRequested();

  // A push button (Back, Next, Create, ">>") took the keyboard, or lost it.
  void ButtonFocused(WizardControl button, bool focused);

  // Where the window of `width` x `height` pixels opens: the stored position (twips of the
  // system's scale, `systemDpi`), pulled onto the nearest of `screens` when it is off all of them.
  PixelRect StartPlace(int width, int height, std::span<const PixelRect> screens, int systemDpi) const;
  // The window closes, or the session ends, with the window at `place`: its position is stored
  // in the settings file unless it is minimised or maximised (`normalState` false).
  void StorePlace(const PixelRect& place, bool normalState, int systemDpi);

  WizardView View() const;
  const WizardState& State() const { return state_; }
  // The file whose buttons bar `bar` receives, "" for none.
  const std::string& ImportFile(int bar) const;
  // The names of the bar buttons, bar 1 first: what screen readers read as each button's name and
  // its tooltip shows. "Bar 3" in the user's language (text 770 and the number), then on lines
  // of their own the file the bar imports and, when that file is one of the bars this set
  // replaces, the note that says so (ReplacedImportNote).
  std::vector<std::string> BarButtonNames() const;
  // Bar 1 of the set the last successful Create wrote: what InstallOffered installs.
  const std::string& CreatedBarFile() const { return createdBar_; }
  const CommanderFolderSources& CommanderSources() const { return services_.CommanderSources; }

 private:
  bool AtLastStep() const { return state_.CurrentStep == WizardStep::Imports; }
  // Nothing of the wizard can change while a Create runs: every intent asks this first.
  bool EditingAllowed() const { return !busy_; }
  // The bar buttons take clicks and drops: not after a Create until Back, nor while one runs.
  bool BarButtonsLive() const { return barButtonsEnabled_ && EditingAllowed(); }
  bool IsBar(int bar) const { return bar >= 1 && bar <= state_.BarCount; }
  int StartBarCount() const;
  void SaveFolderChanged();
  // Before a Create without KeepButtons that would drop buttons the bars hold of their own: the
  // user is asked to keep them (KeepButtons from now on), drop them or cancel. False for cancel.
  bool AskedOwnButtons();

  Settings& settings_;
  const Language& language_;
  const cProfile& profile_;
  WizardServices services_;
  std::uintptr_t ownerWindow_ = 0;
  std::function<void()> beforeDialog_;

  WizardState state_;
  std::string folderBoxText_;
  bool nextEnabled_ = true;
  bool linkFrameVisible_ = false;
  bool barButtonsEnabled_ = true;
  int markedBar_ = MinBarCount;
  WizardControl focusedButton_ = WizardControl::Next;  // the push button with the keyboard; Next for none
  bool importPicked_ = false;  // an import was picked in this run: the file dialog remembers its folder
  bool activated_ = false;
  SettingsNotice settingsNotice_ = SettingsNotice::None;
  bool busy_ = false;          // between BeginCreate and FinishCreate
  bool closeWaiting_ = false;  // a close asked for while busy
  std::optional<std::string> commanderFolder_;
  int barsFound_ = 0;  // bars of the set's names in the folder, as Step 3 last looked
  std::string keepButtonsCaption_;
  std::string createdBar_;
};

}  // namespace barloom
