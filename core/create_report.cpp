#include "core/create_report.h"


#include "core/bar_backup.h"
#include "core/set_files.h"
#include "localisation/get_text.h"
#include "localisation/language_file.h"

namespace barloom {
namespace {

constexpr int BackupsKeptText = 721;
constexpr int LeftBarsText = 722;
constexpr int ReplacedImportText = 723;
constexpr int ImportedIntoLabel = 724;
constexpr int KeptInLabel = 725;
constexpr int ReplacedNoteText = 726;
constexpr int WillBeKeptInLabel = 727;
constexpr int FoundLabel = 729;
constexpr int SetFolderLabel = 840;
constexpr int SetInUseText = 841;
constexpr int InstallHintText = 842;

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

// Adds `block` to `text` after an empty line; an empty block adds nothing.
void AddBlock(std::string& text, std::string_view block) {
  if (block.empty()) return;
  if (!text.empty()) text += text.back() == '\n' ? "\n" : "\n\n";
  text += block;
}

std::string Line(const LoadedLanguage& language, int label, std::string_view value) {
  return GetText(label, language) + " " + std::string{value};
}

// A label, then one path on each line.
std::string ListBlock(const LoadedLanguage& language, int label, const std::vector<std::string>& paths) {
  if (paths.empty()) return {};
  std::string block = GetText(label, language);
  for (const std::string& path : paths) block += "\n" + path;
  return block;
}

}  // namespace

std::string CreateReport::MessageText() const {
  std::string text = Failure.empty() ? Steps : Failure;
  AddBlock(text, Kept);
  AddBlock(text, Warnings);
  return text;
}

std::string CreationReport(const LoadedLanguage& language, std::string_view barFilePrefix) {
  std::string report = GetText(625, language) + "\n\n";
  for (const int id : {626, 627, 628, 629}) report += GetText(id, language) + "\n";
  ReplaceAll(report, "Bar_01.bar", BarFileName(barFilePrefix, 1));
  return report;
}

std::string InstallationSteps(const LoadedLanguage& language, std::string_view barFilePrefix,
                              std::string_view setFolder, bool setInUse) {
  std::string steps = setInUse ? GetText(SetInUseText, language) : CreationReport(language, barFilePrefix);
  if (!setInUse) AddBlock(steps, GetText(InstallHintText, language));
  AddBlock(steps, GetText(SetFolderLabel, language) + "\n" + std::string{setFolder} + "\n");
  return steps;
}

std::string KeptReport(const BuildResult& build, const LoadedLanguage& language) {
  std::string report;
  std::vector<std::string> backups;
  for (const KeptBackup& kept : build.Backups) backups.push_back(kept.Backup);
  AddBlock(report, ListBlock(language, BackupsKeptText, backups));
  AddBlock(report, ListBlock(language, LeftBarsText, build.LeftBars));
  for (const ReplacedImport& replaced : build.ReplacedImports) {
    std::string block = GetText(ReplacedImportText, language) + "\n" + replaced.File + "\n" +
                        Line(language, ImportedIntoLabel, std::to_string(replaced.Slot));
    for (const KeptBackup& kept : build.Backups)
      if (kept.BarFile == build.Paths.BarFiles[replaced.Bar]) block += '\n' + Line(language, KeptInLabel, kept.Backup);
    AddBlock(report, block);
  }
  return report;
}

std::string KeepButtonsCaption(const LoadedLanguage& language, int barsFound) {
  std::string caption = GetText(KeepButtonsCaptionText, language);
  caption += " (";
  caption += Line(language, FoundLabel, std::to_string(barsFound));
  caption += ')';
  return caption;
}

std::string ReplacedImportNote(std::string_view importFile, const WizardState& choices, std::string_view barFilePrefix,
                               const LoadedLanguage& language) {
  const std::optional<int> bar = ReplacedBarOf(importFile, choices, barFilePrefix);
  if (!bar) return {};
  return GetText(ReplacedNoteText, language) + "\n" +
         Line(language, WillBeKeptInLabel, BackupFileOf(BarFileName(barFilePrefix, *bar)));
}

CreateReport ReportOf(const BuildResult& build, const LoadedLanguage& language, std::string_view barFilePrefix,
                      bool setInUse) {
  CreateReport report;
  report.Kept = KeptReport(build, language);
  report.Warnings = WarningsReport(build.Warnings, language);
  if (build.Error)
    report.Failure = FailureReport(*build.Error, language);
  else
    report.Steps = InstallationSteps(language, barFilePrefix, build.Paths.SaveFolder, setInUse);
  return report;
}

}  // namespace barloom
