// barloom-cli create: the wizard's Create for scripts. It writes exactly the files the wizard
// writes for the same choices; it reads barloom.ini for its defaults but never writes it.
#include <CLI/CLI.hpp>

#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <system_error>

#include "cli/command.h"
#include "cli/install_command.h"
#include "cli/number_option.h"
#include "cli/path_arguments.h"
#include "cli/resolved_path.h"
#include "core/bar_set.h"
#include "core/commander_path.h"
#include "core/create_bar_set.h"
#include "core/create_report.h"
#include "core/set_files.h"
#include "core/wizard_state.h"
#include "localisation/language_file.h"
#include "platform/program_context.h"
#include "platform/path_text.h"
#include "settings/profile.h"
#include "settings/settings_file.h"

namespace barloom {
namespace {

struct CreateOptions {
  int Bars = 0;
  std::string Folder;
  std::string Prefix;
  std::vector<std::string> Imports;  // "I=FILE"
  std::string AppFolder;
  bool KeepButtons = false;
  bool DropButtons = false;
  bool Install = false;
  bool Vertical = false;
  CLI::Option* FolderOption = nullptr;
  CLI::Option* PrefixOption = nullptr;
  CLI::Option* AppFolderOption = nullptr;
};

// Why `utf8` cannot be imported from, or "" when it names an ordinary file (a named pipe or a
// device would only be read as nothing).
std::string ImportFileProblem(const std::string& utf8) {
  std::error_code error;
  const auto status = std::filesystem::status(PathFromUtf8(utf8), error);
  if (std::filesystem::is_regular_file(status)) return {};
  if (std::filesystem::is_directory(status)) return "a folder, not a bar file: " + utf8;
  if (std::filesystem::exists(status)) return "not an ordinary file: " + utf8;
  return "file not found: " + utf8;
}

struct ImportChoice {
  int Slot = 0;
  std::string File;
};

// "I=FILE" with I a whole number; the file part is everything after the first "=".
std::optional<ImportChoice> ParseImport(const std::string& text) {
  const auto equals = text.find('=');
  if (equals == std::string::npos || equals == 0 || equals > 2) return std::nullopt;
  int slot = 0;
  for (std::size_t i = 0; i < equals; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    slot = slot * 10 + (text[i] - '0');
  }
  return ImportChoice{slot, text.substr(equals + 1)};
}

// The path arguments are checked and then used in their resolved form (they are transforms, which
// may change the text): bars name files by full path.
const CLI::Validator ImportArgument{
    [](std::string& text) -> std::string {
      const auto choice = ParseImport(text);
      if (!choice) return "expected I=FILE with a bar number I: " + text;
      if (choice->Slot < 1 || choice->Slot > MaxBarCount) return "bar number out of range 1..20: " + text;
      const std::string file = ResolvedPath(choice->File);
      text = std::to_string(choice->Slot) + "=" + file;
      return ImportFileProblem(file);
    },
    "", "IMPORT"};

// An empty folder would be made absolute as the root of the drive.
const CLI::Validator FolderArgument{
    [](std::string& text) -> std::string {
      if (text.empty()) return "a folder is needed";
      text = ResolvedPath(text);
      return {};
    },
    "", "FOLDER"};

// barloom-cli speaks English whatever language barloom.ini chooses.

const CLI::Validator PrefixArgument{
    [](std::string& text) -> std::string {
      if (IsUsableBarFilePrefix(text)) return {};
      return FailureReport(FileError{FileProblem::PrefixHasForbiddenCharacter}, LoadedLanguage{});
    },
    "", "PREFIX"};

void RunCreate(const CreateOptions& options, int& exitCode) {
  std::map<int, std::string> imports;  // a bar named twice: the last file wins
  for (const std::string& text : options.Imports) {
    const auto choice = ParseImport(text);
    if (!choice || choice->Slot < 1 || choice->Slot > options.Bars)
      throw CLI::ValidationError("--import", "bar number must be 1 to " + std::to_string(options.Bars) + ": " + text);
    imports[choice->Slot] = choice->File;
  }

  Settings settings;
  SetAppFolder(settings, options.AppFolderOption->count() > 0 ? options.AppFolder : ExecutableFolder());
  // Read only: LoadSettings would create barloom.ini at a first start.
  ReadSettings(settings, cProfile{});
  if (options.PrefixOption->count() > 0) settings.BarFilePrefix = options.Prefix;

  WizardState choices = DefaultChoices(settings).Choices;
  choices.BarCount = static_cast<std::int16_t>(options.Bars);
  // The folder argument is already resolved as the system resolves it.
  if (options.FolderOption->count() > 0) choices.SaveFolder = options.Folder;
  for (const auto& [slot, file] : imports) choices.ImportFiles[slot] = file;
  choices.KeepButtons = options.KeepButtons;

  const LoadedLanguage english;  // barloom-cli speaks English whatever language barloom.ini chooses
  // Buttons the user added to the bars go only when the script says so.
  if (!options.DropButtons) {
    if (const auto atStake = OwnButtonsToDrop(choices, settings, CommanderFolder()); !atStake.empty()) {
      std::cerr << "barloom-cli: " << OwnButtonsFound(atStake, english)
                << "\nNothing was written. Give --keep-buttons to keep them behind the new switch buttons, or "
                   "--drop-buttons to drop them (each such bar's present version is then kept in its .bak file).\n";
      exitCode = ExitOwnButtons;
      return;
    }
  }

  // A script has no one to ask: the set is written all the same (its buttons work without their
  // pictures), and standard error says what the bars point to that is not there.
  const std::string missingIcons =
      MissingIconsReport(MissingSetIcons(settings.AppFolder, choices.BarCount), english);
  if (!missingIcons.empty()) std::cerr << "barloom-cli: warning: " << missingIcons << '\n';

  NoProgressDisplay noProgress;
  const CreateResult result = CreateBarSet(choices, settings, english, CommanderFolder(), noProgress);
  for (const std::string& file : result.Build.WrittenFiles) std::cout << file << '\n';
  // What was kept follows the list after an empty line, which no path is: a script reads up to it.
  if (!result.Report.Kept.empty()) std::cout << '\n' << result.Report.Kept << '\n';
  // The list is what a script reads: losing it is a failure, though the files stay written.
  exitCode = ResultWritten(std::cout, std::cerr, "the list of files written") ? ExitSuccess : ExitFailure;
  for (const BuildWarning& warning : result.Build.Warnings)
    std::cerr << "barloom-cli: warning: " << WarningsReport({warning}, english) << '\n';
  if (result.Build.Error) {
    std::cerr << "barloom-cli: " << result.Report.Failure << '\n';
    exitCode = ExitFailure;
    return;
  }
  if (options.Install && exitCode == ExitSuccess) {
    std::cout << '\n';  // after the list (and what was kept), as that report follows it
    exitCode = RunInstall({result.Build.Paths.BarFiles[1], options.Vertical ? BarKind::Vertical : BarKind::Main},
                          std::cout, std::cerr);
  }
}

}  // namespace

void AddCreateCommand(CLI::App& app, int& exitCode) {
  auto options = std::make_shared<CreateOptions>();
  CLI::App* command = app.add_subcommand(
      "create", "Write a set of interlinked button bars, as the wizard's Create does, and print each file written.");
  AddNumberOption(*command, "--bars", options->Bars, "Number of bars in the set, 2 to 20")
      ->required()
      ->check(CLI::Range(MinBarCount, MaxBarCount))
      ->option_text("N REQUIRED");
  options->FolderOption = command->add_option(
      "--folder", options->Folder,
      "Folder the bar files are written to, created when missing (default: LastPath from barloom.ini, else the app "
      "folder's \"bars\")")
      ->type_name("DIR")
      ->transform(FolderArgument);
  options->PrefixOption = command->add_option(
      "--prefix", options->Prefix, "Text before the two-digit number of each file name (default: BarFilePrefix from "
                                   "barloom.ini, else \"Bar_\"); may be empty")
      ->check(PrefixArgument);
  command->add_option("--import", options->Imports, "Bar I receives the buttons of the existing bar file FILE")
      ->type_name("I=FILE")
      ->transform(ImportArgument);
  CLI::Option* keep = command->add_flag(
      "--keep-buttons", options->KeepButtons,
      "Bars of the set's names already in the folder keep their own buttons (all but the set's "
      "switch buttons, separator and placeholder), behind the new switch buttons; bars beyond the "
      "new count are left as they are");
  command
      ->add_flag("--drop-buttons", options->DropButtons,
                 "Bars of the set's names already in the folder are written anew without their own buttons (kept "
                 "in each bar's .bak file). Without this or --keep-buttons, a bar with buttons of its own stops "
                 "create before anything is written (exit code 4)")
      ->excludes(keep);
  CLI::Option* install = command->add_flag(
      "--install", options->Install,
      "Then make bar 1 Total Commander's button bar, as install does (Total Commander must be closed)");
  command->add_flag("--vertical", options->Vertical, "With --install: the vertical button bar")->needs(install);
  options->AppFolderOption =
      command
          ->add_option("--app-folder", options->AppFolder,
                       "Folder whose \"icons\" the bars point to and whose barloom.ini gives the defaults (default: "
                       "the folder of this program)")
          ->type_name("DIR")
          ->transform(ExistingFolderArgument);
  command->callback([options, &exitCode] { RunCreate(*options, exitCode); });
}

}  // namespace barloom
