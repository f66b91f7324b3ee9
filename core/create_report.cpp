#include "core/create_report.h"

#include <algorithm>

#include "core/bar_backup.h"
#include "core/bar_import.h"
#include "platform/file_bytes.h"
#include "platform/path_text.h"
#include "core/set_files.h"
#include "localisation/get_text.h"
#include "localisation/language_file.h"

namespace barloom {
namespace {


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

std::string Line(const LoadedLanguage& language, TextId label, std::string_view value) {
  return GetText(label, language) + " " + std::string{value};
}

// A label, then one path on each line.
std::string ListBlock(const LoadedLanguage& language, TextId label, const std::vector<std::string>& paths) {
  if (paths.empty()) return {};
  std::string block = GetText(label, language);
  for (const std::string& path : paths) block += "\n" + path;
  return block;
}

// The names of a bar's dropped buttons shown at most; the rest are counted.
constexpr std::size_t MaxNamesShown = 10;

}  // namespace

std::string OwnButtonsFound(const std::vector<OwnButtonsOnBar>& bars, const LoadedLanguage& language) {
  int buttons = 0;
  for (const OwnButtonsOnBar& bar : bars) buttons += bar.Count;
  std::string text = GetText(TextId::OwnButtonsFound, language) + "\n" +
                     Line(language, TextId::OwnButtonsLabel, std::to_string(buttons)) + "\n" +
                     Line(language, TextId::OnBarsLabel, std::to_string(bars.size()));
  for (const OwnButtonsOnBar& bar : bars) text += "\n" + bar.BarFile + " (" + std::to_string(bar.Count) + ")";
  return text;
}

std::string OwnButtonsQuestion(const std::vector<OwnButtonsOnBar>& bars, const LoadedLanguage& language) {
  std::string text = OwnButtonsFound(bars, language);
  AddBlock(text, GetText(TextId::KeepOrDropOwnButtons, language));
  return text;
}

std::string CreateReport::MessageText() const {
  std::string text = Failure.empty() ? Steps : Failure;
  AddBlock(text, Kept);
  AddBlock(text, Warnings);
  return text;
}

std::string CreationReport(const LoadedLanguage& language, std::string_view barFilePrefix) {
  std::string report = GetText(TextId::CreatedSteps, language) + "\n\n";
  for (const TextId id :
       {TextId::RunCommanderStep, TextId::ChangeBarStep, TextId::ChooseFileStep, TextId::MakeMainBarStep})
    report += GetText(id, language) + "\n";
  ReplaceAll(report, "Bar_01.bar", BarFileName(barFilePrefix, 1));
  return report;
}

std::string InstallationSteps(const LoadedLanguage& language, std::string_view barFilePrefix,
                              std::string_view setFolder, bool setInUse) {
  std::string steps = setInUse ? GetText(TextId::SetInUse, language) : CreationReport(language, barFilePrefix);
  if (!setInUse) AddBlock(steps, GetText(TextId::InstallHint, language));
  AddBlock(steps, GetText(TextId::SetFolderLabel, language) + "\n" + std::string{setFolder} + "\n");
  return steps;
}

std::string KeptReport(const BuildResult& build, const LoadedLanguage& language) {
  std::string report;
  std::vector<std::string> backups;
  for (const KeptBackup& kept : build.Backups) backups.push_back(kept.Backup);
  AddBlock(report, ListBlock(language, TextId::BackupsKept, backups));
  AddBlock(report, ListBlock(language, TextId::BackupsHeld, build.HeldBackups));
  AddBlock(report, ListBlock(language, TextId::BarsLeft, build.LeftBars));
  for (const DroppedButtons& dropped : build.Dropped) {
    std::string block = GetText(TextId::OwnButtonsDropped, language) + "\n" + dropped.BarFile;
    const std::size_t shown = std::min(dropped.Names.size(), MaxNamesShown);
    for (std::size_t button = 0; button < shown; ++button)
      block += "\n- " + (dropped.Names[button].empty() ? GetText(TextId::SeparatorName, language) : dropped.Names[button]);
    if (shown < dropped.Names.size()) block += "\n- ... (" + std::to_string(dropped.Names.size()) + ")";
    for (const KeptBackup& kept : build.Backups)
      if (kept.BarFile == dropped.BarFile) block += '\n' + Line(language, TextId::KeptInLabel, kept.Backup);
    AddBlock(report, block);
  }
  for (const ReplacedImport& replaced : build.ReplacedImports) {
    std::string block = GetText(TextId::ReplacedImport, language) + "\n" + replaced.File + "\n" +
                        Line(language, TextId::ImportedIntoLabel, std::to_string(replaced.Slot));
    for (const KeptBackup& kept : build.Backups)
      if (kept.BarFile == build.Paths.BarFiles[replaced.Bar])
        block += '\n' + Line(language, TextId::KeptInLabel, kept.Backup);
    AddBlock(report, block);
  }
  return report;
}

std::string KeepButtonsCaption(const LoadedLanguage& language, int barsFound) {
  std::string caption = GetText(TextId::KeepButtons, language);
  caption += " (";
  caption += Line(language, TextId::FoundLabel, std::to_string(barsFound));
  caption += ')';
  return caption;
}

std::string MissingIconsReport(const MissingIcons& missing, const LoadedLanguage& language) {
  if (!missing.Any()) return {};
  if (missing.FolderMissing) return JoinLines({GetText(TextId::IconsFolderMissing, language), missing.Folder});
  std::string names;
  for (const std::string& name : missing.Files) names += (names.empty() ? "" : ", ") + name;
  return JoinLines({GetText(TextId::IconsMissing, language), missing.Folder, names});
}

std::string ReplacedImportNote(std::string_view importFile, const WizardState& choices, std::string_view barFilePrefix,
                               const LoadedLanguage& language) {
  const std::optional<int> bar = ReplacedBarOf(importFile, choices, barFilePrefix);
  if (!bar) return {};
  return GetText(TextId::ReplacedImportNote, language) + "\n" +
         Line(language, TextId::WillBeKeptInLabel, BackupFileOf(BarFileName(barFilePrefix, *bar)));
}

std::string ImportFileRefusal(std::string_view file, const LoadedLanguage& language) {
  const std::filesystem::path path = PathFromUtf8(file);
  std::string bytes;
  if (ReadFileBytes(path, bytes) != FileReadResult::Read) {
    const WriteFailure failure = ReadFailureOf(path);
    const std::string reason = failure.Reason ? ReasonText(*failure.Reason, language) : std::string{};
    return JoinLines({GetText(TextId::FileNotReadable, language), file, reason, failure.SystemMessage});
  }
  const std::optional<BuildWarning> warning = ShapeWarning(ShapeOfBarFile(bytes), file);
  return warning ? WarningsReport({*warning}, language) : std::string{};
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
