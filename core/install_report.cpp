#include "core/install_report.h"

#include "core/bar_set_result.h"
#include "localisation/get_text.h"
#include "localisation/language_file.h"

namespace barloom {
namespace {

constexpr int NoneText = 818;
constexpr int ChangedText = 824;
constexpr int StartCommanderText = 825;
constexpr int BeforeLabel = 826;
constexpr int NowLabel = 827;
constexpr int BackupsText = 828;
constexpr int MarkedText = 829;
constexpr int NothingChangedText = 830;
constexpr int UndoneText = 831;
constexpr int NotRestoredText = 839;
constexpr int HiddenText = 845;

// A problem added without a text of its own draws the compiler's warning about an unhandled
// enumerator.
int TextId(InstallProblem problem) {
  switch (problem) {
    case InstallProblem::NothingToUndo: return 832;
    case InstallProblem::IniMissing: return 833;
    case InstallProblem::FileNotRead: return 834;
    case InstallProblem::FileNotWritten: return 835;
    case InstallProblem::BackupNotKept: return 836;
    case InstallProblem::BarMissing: return 837;
    case InstallProblem::BackupMissing: return 838;
    case InstallProblem::CommanderRunning: return 844;
  }
  return 835;
}

void AddBlock(std::string& text, std::string_view block) {
  if (block.empty()) return;
  if (!text.empty()) text += "\n\n";
  text += block;
}

std::string Labelled(const LoadedLanguage& language, int label, const std::optional<std::string>& value) {
  return GetText(label, language) + " " + (value ? *value : GetText(NoneText, language));
}

}  // namespace

std::string IniRuleText(IniRule rule, const LoadedLanguage& language) {
  switch (rule) {
    case IniRule::Chosen: return GetText(804, language);
    case IniRule::CommanderIniVariable: return GetText(805, language);
    case IniRule::ProgramFolder: return GetText(806, language);
    case IniRule::RegistryCurrentUser: return GetText(807, language);
    case IniRule::RegistryLocalMachine: return GetText(808, language);
    case IniRule::AppData: return GetText(809, language);
    case IniRule::WindowsFolder: return GetText(810, language);
  }
  return {};
}

std::string PlaceRuleText(PlaceRule rule, const LoadedLanguage& language) {
  switch (rule) {
    case PlaceRule::InIni:
    case PlaceRule::NotRedirected: return GetText(812, language);
    case PlaceRule::RedirectedToFile: return GetText(813, language);
    case PlaceRule::RedirectedToAlternate:
    case PlaceRule::AlternateByDefault: return GetText(814, language);
  }
  return {};
}

std::string KeyName(const KeyPlace& place) { return "[" + place.Section + "] " + place.Key; }

std::string CurrentBarText(const CurrentBar& bar, const LoadedLanguage& language) {
  std::string text = bar.File && !bar.File->empty() ? *bar.File : GetText(NoneText, language);
  if (bar.Shown && *bar.Shown == "0") text += " " + GetText(HiddenText, language);
  return text;
}

std::string InstallReport(const InstallResult& result, InstallAction action, const LoadedLanguage& language) {
  if (result.Error) return InstallFailureReport(*result.Error, language);
  if (result.Changes.empty()) return GetText(NothingChangedText, language);
  std::string changes = GetText(action == InstallAction::Install ? ChangedText : UndoneText, language);
  bool marked = false;
  const std::string* lastFile = nullptr;
  for (const KeyChange& change : result.Changes) {
    if (!lastFile || *lastFile != change.Place.File) changes += "\n" + change.Place.File;
    lastFile = &change.Place.File;
    changes += "\n" + KeyName(change.Place) + "\n" + Labelled(language, BeforeLabel, change.Before) + "\n" +
               Labelled(language, NowLabel, change.After);
    marked = marked || change.Marked;
  }
  std::string report = changes;
  if (marked) AddBlock(report, GetText(MarkedText, language));
  if (!result.Backups.empty()) {
    std::string backups = GetText(BackupsText, language);
    for (const std::string& backup : result.Backups) backups += "\n" + backup;
    AddBlock(report, backups);
  }
  AddBlock(report, GetText(StartCommanderText, language));
  return report;
}

std::string InstallFailureReport(const InstallError& error, const LoadedLanguage& language) {
  const std::string reason = error.Reason ? ReasonText(*error.Reason, language) : std::string{};
  std::string report = JoinLines({GetText(TextId(error.Problem), language), error.File, reason, error.Detail});
  if (!error.NotRestored.empty()) AddBlock(report, JoinLines({GetText(NotRestoredText, language), error.NotRestored}));
  return report;
}

}  // namespace barloom
