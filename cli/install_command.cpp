// barloom-cli install: makes a bar file Total Commander's button bar, as the window's dialog does,
// undoes that, or says where it would write.
#include "cli/install_command.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>

#include "cli/command.h"
#include "cli/path_arguments.h"
#include "cli/resolved_path.h"
#include "core/bar_install.h"
#include "core/commander_ini.h"
#include "core/create_bar_set.h"
#include "core/current_bar.h"
#include "core/install_report.h"
#include "localisation/get_text.h"
#include "localisation/language_file.h"
#include "platform/program_context.h"
#include "platform/file_bytes.h"
#include "settings/profile.h"
#include "settings/settings_file.h"

namespace barloom {
namespace {


struct InstallArguments {
  std::string Bar;
  std::string Ini;
  std::string AppFolder;
  bool Vertical = false;
  bool Undo = false;
  bool Where = false;
  CLI::Option* BarOption = nullptr;
  CLI::Option* IniOption = nullptr;
  CLI::Option* AppFolderOption = nullptr;
};

// barloom-cli speaks English whatever language barloom.ini chooses.
const LoadedLanguage& English() {
  static const LoadedLanguage english;
  return english;
}

// The wincmd.ini named with --ini, else the one Total Commander uses; nullopt (and why, on `err`)
// when there is none.
std::optional<IniLocation> IniToUse(const std::optional<std::string>& given, std::ostream& err) {
  if (given) return IniLocation{*given, IniRule::Chosen};
  std::optional<IniLocation> found = FindCommanderIni(SystemCommanderFolderSources());
  if (!found) err << "barloom-cli: no wincmd.ini found; name the one Total Commander uses with --ini FILE.\n";
  return found;
}

int RunWhere(const std::optional<std::string>& given, BarKind kind, std::ostream& out, std::ostream& err) {
  const std::optional<IniLocation> ini = IniToUse(given, err);
  if (!ini) return ExitFailure;
  out << "wincmd.ini: " << ini->File << '\n' << IniRuleText(ini->Rule, English()) << '\n';
  const CommanderFolderSources sources = SystemCommanderFolderSources();
  const std::optional<CurrentBar> bar =
      ReadCurrentBar(ini->File, kind, CommanderVariables(ini->File, CommanderFolder(sources), sources));
  if (!bar) {
    const bool missing = !FileExists(ini->File);
    err << "barloom-cli: " << InstallFailureReport({missing ? InstallProblem::IniMissing : InstallProblem::FileNotRead,
                                                    ini->File, {}, {}, {}},
                                                   English())
        << '\n';
    ResultWritten(out, err, "where the button bar is kept");
    return ExitFailure;
  }
  out << "[" << bar->Places.Bar.Section << "]: " << bar->Places.Bar.File << '\n'
      << PlaceRuleText(bar->Places.Bar.Rule, English()) << '\n'
      << GetText(TextId::CurrentBarLabel, English()) << " " << CurrentBarText(*bar, English()) << '\n';
  return ResultWritten(out, err, "where the button bar is kept") ? ExitSuccess : ExitFailure;
}

void RunInstallCommand(const InstallArguments& arguments, int& exitCode) {
  const std::optional<std::string> ini =
      arguments.IniOption->count() > 0 ? std::optional<std::string>(arguments.Ini) : std::nullopt;
  const BarKind kind = arguments.Vertical ? BarKind::Vertical : BarKind::Main;
  if (arguments.Where) {
    exitCode = RunWhere(ini, kind, std::cout, std::cerr);
    return;
  }
  InstallOptions options{{}, kind, ini, arguments.Undo};
  if (arguments.BarOption->count() > 0) {
    options.BarFile = arguments.Bar;
  } else if (!arguments.Undo) {
    // Bar 1 of the last set: the folder and the prefix of barloom.ini, as create would use them.
    Settings settings;
    SetAppFolder(settings, arguments.AppFolderOption->count() > 0 ? arguments.AppFolder : ExecutableFolder());
    ReadSettings(settings, cProfile{});
    const WizardState choices = DefaultChoices(settings).Choices;
    options.BarFile = SetPathsFor(choices, settings.AppFolder, settings.BarFilePrefix).BarFiles[1];
  }
  exitCode = RunInstall(options, std::cout, std::cerr);
}

const CLI::Validator ResolvedFile{
    [](std::string& text) -> std::string {
      if (text.empty()) return "a file is needed";
      text = ResolvedPath(text);
      return {};
    },
    "", "FILE"};

const CLI::Validator ExistingBarFile{
    [](std::string& text) -> std::string {
      text = ResolvedPath(text);
      return FileExists(text) ? std::string{} : "file not found: " + text;
    },
    "", "FILE"};

}  // namespace

int RunInstall(const InstallOptions& options, std::ostream& out, std::ostream& err) {
  const std::optional<IniLocation> ini = IniToUse(options.Ini, err);
  if (!ini) return ExitFailure;
  out << "wincmd.ini: " << ini->File << '\n';
  InstallResult result;
  if (options.Undo) {
    result = UndoInstall(ini->File);
  } else {
    const CommanderFolderSources sources = SystemCommanderFolderSources();
    result = InstallBar({ini->File, options.BarFile, options.Kind, CommanderFolder(sources), sources});
  }
  if (result.Error) {
    err << "barloom-cli: " << InstallFailureReport(*result.Error, English()) << '\n';
    ResultWritten(out, err, "the wincmd.ini");
    return result.Error->Problem == InstallProblem::CommanderRunning ? ExitCommanderRunning : ExitFailure;
  }
  out << InstallReport(result, options.Undo ? InstallAction::Undo : InstallAction::Install, English()) << '\n';
  return ResultWritten(out, err, "what was changed") ? ExitSuccess : ExitFailure;
}

void AddInstallCommand(CLI::App& app, int& exitCode) {
  auto arguments = std::make_shared<InstallArguments>();
  CLI::App* command = app.add_subcommand(
      "install", "Make a bar file Total Commander's button bar in its wincmd.ini (Total Commander must be closed), "
                 "undo that, or say where it is kept.");
  arguments->BarOption = command
                             ->add_option("--bar", arguments->Bar,
                                          "The .bar file to install (default: bar 1 of the last set, from LastPath "
                                          "and BarFilePrefix of barloom.ini in the app folder)")
                             ->type_name("FILE")
                             ->transform(ExistingBarFile);
  command->add_flag("--vertical", arguments->Vertical, "The vertical button bar instead of the main one");
  arguments->IniOption =
      command
          ->add_option("--ini", arguments->Ini,
                       "The wincmd.ini to change (default: the one Total Commander uses: COMMANDER_INI, its folder, "
                       "the registry, %APPDATA%\\GHISLER, the Windows folder)")
          ->transform(ResolvedFile);
  CLI::Option* undo = command->add_flag(
      "--undo", arguments->Undo,
      "Put back what the last install into this wincmd.ini changed, from the backups beside the files");
  CLI::Option* where = command->add_flag(
      "--where", arguments->Where,
      "Print the wincmd.ini, the file that holds the bar's section, the current bar and why; change nothing");
  arguments->AppFolderOption = command
                                   ->add_option("--app-folder", arguments->AppFolder,
                                                "Folder whose barloom.ini names the last set (default: the folder of "
                                                "this program)")
                                   ->type_name("DIR")
                                   ->transform(ExistingFolderArgument);
  undo->excludes(arguments->BarOption);
  where->excludes(undo)->excludes(arguments->BarOption);
  command->callback([arguments, &exitCode] { RunInstallCommand(*arguments, exitCode); });
}

}  // namespace barloom
