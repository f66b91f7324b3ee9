#include "core/bar_set_result.h"

#include <initializer_list>

#include "localisation/get_text.h"
#include "localisation/language_file.h"
#include "settings/settings_file.h"

namespace barloom {
namespace {

// Text IDs of the problems; a problem added without a text of its own draws the compiler's
// warning about an unhandled enumerator.
int TextId(FileProblem problem) {
  switch (problem) {
    case FileProblem::BarFileNotWritten: return 700;
    case FileProblem::NoSaveFolder: return 701;
    case FileProblem::BarCountOutOfRange: return 702;
    case FileProblem::PrefixHasForbiddenCharacter: return 703;
    case FileProblem::LineBreakInFolderName: return 704;
    case FileProblem::SaveFolderNotCreated: return 705;
    case FileProblem::BarFileNotRead: return 706;
    case FileProblem::FolderNameEndsInSpaceOrDot: return 707;
    case FileProblem::FolderNameIsDeviceName: return 708;
    case FileProblem::FolderIsBrokenLink: return 709;
    case FileProblem::BackupNotKept: return 720;
  }
  return 700;
}

int TextId(WriteFailureReason reason) {
  switch (reason) {
    case WriteFailureReason::FolderMissing: return 713;
    case WriteFailureReason::NameIsFolder: return 714;
    case WriteFailureReason::NotOrdinaryFile: return 715;
    case WriteFailureReason::FileReadOnly: return 716;
    case WriteFailureReason::FolderReadOnly: return 717;
    case WriteFailureReason::FileNameTooLong: return 740;
    case WriteFailureReason::PathTooLong: return 741;
    case WriteFailureReason::DriveMissing: return 742;
    case WriteFailureReason::AccessDenied: return 743;
    case WriteFailureReason::DiskFull: return 744;
    case WriteFailureReason::FileInUse: return 745;
    case WriteFailureReason::DriveReadOnly: return 746;
    case WriteFailureReason::InvalidCharacters: return 747;
    case WriteFailureReason::NameIsFile: return 748;
  }
  return 713;
}

int TextId(ImportProblem problem) {
  switch (problem) {
    case ImportProblem::ButtonCountClamped: return 710;
    case ImportProblem::SourceNotRead: return 711;
    case ImportProblem::OwnButtonsClamped: return 730;
  }
  return 711;
}

constexpr int ButtonsImportedLabel = 712;
constexpr int ButtonsKeptLabel = 731;

}  // namespace

std::string JoinLines(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (const std::string_view line : lines) {
    if (line.empty()) continue;
    if (!text.empty()) text += '\n';
    text += line;
  }
  return text;
}

std::string ReasonText(WriteFailureReason reason, const Settings& settings) {
  return GetText(TextId(reason), settings);
}

std::string ReasonText(WriteFailureReason reason, const LoadedLanguage& language) {
  return GetText(TextId(reason), language);
}

std::string FailureReport(const FileError& error, const LoadedLanguage& language) {
  const std::string reason = error.Reason ? ReasonText(*error.Reason, language) : std::string{};
  return JoinLines({GetText(TextId(error.Problem), language), error.File, reason, error.Detail});
}

std::string FailureReport(const FileError& error, const Settings& settings) {
  return FailureReport(error, LoadedLanguage{settings});
}

std::string WarningsReport(const std::vector<BuildWarning>& warnings, const LoadedLanguage& language) {
  std::string report;
  for (const BuildWarning& warning : warnings) {
    std::string count;
    if (warning.Problem == ImportProblem::ButtonCountClamped)
      count = GetText(ButtonsImportedLabel, language) + " " + std::to_string(warning.ButtonsImported);
    if (warning.Problem == ImportProblem::OwnButtonsClamped)
      count = GetText(ButtonsKeptLabel, language) + " " + std::to_string(warning.ButtonsImported);
    if (!report.empty()) report += "\n\n";
    report += JoinLines({GetText(TextId(warning.Problem), language), warning.File, count});
  }
  return report;
}

// Default settings use the built-in texts.
std::string FileError::Message() const { return FailureReport(*this, Settings{}); }

}  // namespace barloom
