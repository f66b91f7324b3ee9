#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "core/bar_install.h"
#include "core/commander_ini.h"
#include "core/current_bar.h"
#include "core/install_report.h"

// The rules of the dialog that makes a set's first bar Total Commander's button bar, apart from the
// window: which wincmd.ini (found, or picked), main or vertical bar, what the configuration names
// now, Install and Undo with their reports, and Retry while Total Commander runs.
namespace barloom {

class FileOpenDialog;
class Language;
class MessageBoxService;

struct InstallServices {
  FileOpenDialog& Files;        // picks another wincmd.ini
  MessageBoxService& Messages;  // the report after Install and Undo
  CommanderFolderSources Sources = SystemCommanderFolderSources();
  RunningCheck Running = SystemRunningCheck();
};

// What the dialog shows.
struct InstallView {
  std::string IniFile;      // the wincmd.ini, "" when none was found
  std::string HowFound;     // how it was found (IniRuleText), or that none was (ConfigNotFound)
  BarKind Kind = BarKind::Main;
  std::string CurrentBar;   // what the configuration names now (CurrentBarText); "" without an ini
  std::string WhereKept;    // where the bar's section is (PlaceRuleText, then the file when it is another)
  std::string BarFile;      // the bar Install writes in, as given
  bool CommanderRunning = false;  // the message that says so (CommanderRunningRetry) and Retry are shown
  bool InstallEnabled = false;
  bool UndoEnabled = false;
};

class InstallModel {
 public:
  // `barFile`: the bar to install (bar 1 of the set just created). The wincmd.ini is looked up, and
  // whether Total Commander runs, as the dialog opens. `language` is the language in use and must
  // outlive the model.
  InstallModel(const Language& language, std::string barFile, InstallServices services);

  // The "..." button: the file dialog, starting in the folder of the present wincmd.ini; a picked
  // file is used from then on, whatever the search found.
  void ChooseIni();
  void SetKind(BarKind kind);
  // Whether Total Commander runs, and what the configuration names now, looked up again.
  void Refresh();
  // Retry: Refresh, then, once Total Commander has been closed, the Install or Undo it refused (the
  // message asks the user to close it and press Retry, so Retry finishes what was asked).
  void Retry();
  // Install, or Undo: when Total Commander runs nothing happens but the message and Retry;
  // otherwise the report (InstallReport) in a message, information or error, and the view
  // refreshed.
  void Install();
  void Undo();

  InstallView View() const;
  const std::optional<IniLocation>& Ini() const { return ini_; }

 private:
  void Run(InstallAction action);

  const Language& language_;
  std::string barFile_;
  InstallServices services_;
  std::optional<IniLocation> ini_;
  std::optional<std::string> commanderFolder_;
  BarKind kind_ = BarKind::Main;
  bool running_ = false;
  std::optional<CurrentBar> current_;
  bool canUndo_ = false;
  std::optional<InstallAction> refused_;  // asked for while Total Commander ran
};

}  // namespace barloom
