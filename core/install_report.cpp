#include "core/install_report.h"

#include "core/bar_set_result.h"
#include "localisation/get_text.h"
#include "localisation/language_file.h"

namespace barloom {
namespace {


// A problem added without a text of its own draws the compiler's warning about an unhandled
// enumerator.
TextId TextOf(InstallProblem problem) {
  switch (problem) {
    case InstallProblem::NothingToUndo: return TextId::NothingToUndo;
    case InstallProblem::IniMissing: return TextId::ConfigMissing;
    case InstallProblem::FileNotRead: return TextId::ConfigNotRead;
    case InstallProblem::FileNotWritten: return TextId::ConfigNotChanged;
    case InstallProblem::BackupNotKept: return TextId::ConfigBackupNotKept;
    case InstallProblem::BarMissing: return TextId::BarFileMissing;
    case InstallProblem::BackupMissing: return TextId::UndoBackupMissing;
    case InstallProblem::CommanderRunning: return TextId::CommanderRunning;
  }
  return TextId::ConfigNotChanged;
}

void AddBlock(std::string& text, std::string_view block) {
  if (block.empty()) return;
  if (!text.empty()) text += "\n\n";
  text += block;
}

std::string Labelled(const LoadedLanguage& language, TextId label, const std::optional<std::string>& value) {
  return GetText(label, language) + " " + (value ? *value : GetText(TextId::NoCurrentBar, language));
}

}  // namespace

std::string IniRuleText(IniRule rule, const LoadedLanguage& language) {
  switch (rule) {
    case IniRule::Chosen: return GetText(TextId::ConfigChosen, language);
    case IniRule::CommanderIniVariable: return GetText(TextId::ConfigFromEnvironment, language);
    case IniRule::ProgramFolder: return GetText(TextId::ConfigInProgramFolder, language);
    case IniRule::RegistryCurrentUser: return GetText(TextId::ConfigFromUserRegistry, language);
    case IniRule::RegistryLocalMachine: return GetText(TextId::ConfigFromMachineRegistry, language);
    case IniRule::AppData: return GetText(TextId::ConfigInAppData, language);
    case IniRule::WindowsFolder: return GetText(TextId::ConfigInWindowsFolder, language);
  }
  return {};
}

std::string PlaceRuleText(PlaceRule rule, const LoadedLanguage& language) {
  switch (rule) {
    case PlaceRule::InIni:
    case PlaceRule::NotRedirected: return GetText(TextId::SectionInConfig, language);
    case PlaceRule::RedirectedToFile: return GetText(TextId::SectionRedirected, language);
    case PlaceRule::RedirectedToAlternate:
    case PlaceRule::AlternateByDefault: return GetText(TextId::SectionInAlternateIni, language);
  }
  return {};
}

std::string KeyName(const KeyPlace& place) { return "[" + place.Section + "] " + place.Key; }

std::string CurrentBarText(const CurrentBar& bar, const LoadedLanguage& language) {
  std::string text = bar.File && !bar.File->empty() ? *bar.File : GetText(TextId::NoCurrentBar, language);
  if (bar.Shown && *bar.Shown == "0") text += " " + GetText(TextId::HiddenBar, language);
  return text;
}

std::string InstallReport(const InstallResult& result, InstallAction action, const LoadedLanguage& language) {
  if (result.Error) return InstallFailureReport(*result.Error, language);
  if (result.Changes.empty()) return GetText(TextId::BarInUseAlready, language);
  std::string changes = GetText(action == InstallAction::Install ? TextId::BarChanged : TextId::InstallUndone, language);
  bool marked = false;
  const std::string* lastFile = nullptr;
  for (const KeyChange& change : result.Changes) {
    if (!lastFile || *lastFile != change.Place.File) changes += "\n" + change.Place.File;
    lastFile = &change.Place.File;
    changes += "\n" + KeyName(change.Place) + "\n" + Labelled(language, TextId::BeforeLabel, change.Before) + "\n" +
               Labelled(language, TextId::NowLabel, change.After);
    marked = marked || change.Marked;
  }
  std::string report = changes;
  if (marked) AddBlock(report, GetText(TextId::WrittenAsUtf8, language));
  if (!result.Backups.empty()) {
    std::string backups = GetText(TextId::ConfigBackupsKept, language);
    for (const std::string& backup : result.Backups) backups += "\n" + backup;
    AddBlock(report, backups);
  }
  AddBlock(report, GetText(TextId::StartCommanderToSee, language));
  return report;
}

std::string InstallFailureReport(const InstallError& error, const LoadedLanguage& language) {
  const std::string reason = error.Reason ? ReasonText(*error.Reason, language) : std::string{};
  std::string report = JoinLines({GetText(TextOf(error.Problem), language), error.File, reason, error.Detail});
  if (!error.NotRestored.empty()) AddBlock(report, JoinLines({GetText(TextId::NotPutBack, language), error.NotRestored}));
  return report;
}

}  // namespace barloom
