#include "core/bar_set_result.h"

#include <initializer_list>

#include "localisation/get_text.h"
#include "localisation/language_file.h"

namespace barloom {
namespace {

// Text IDs of the problems; a problem added without a text of its own draws the compiler's
// warning about an unhandled enumerator.
TextId TextOf(FileProblem problem) {
  switch (problem) {
    case FileProblem::BarFileNotWritten: return TextId::BarFileNotSaved;
    case FileProblem::NoSaveFolder: return TextId::NoSaveFolder;
    case FileProblem::BarCountOutOfRange: return TextId::BarCountOutOfRange;
    case FileProblem::PrefixHasForbiddenCharacter: return TextId::UnusablePrefix;
    case FileProblem::LineBreakInFolderName: return TextId::LineBreakInFolderName;
    case FileProblem::SaveFolderNotCreated: return TextId::SaveFolderNotCreated;
    case FileProblem::BarFileNotRead: return TextId::BarFileNotRead;
    case FileProblem::FolderNameEndsInSpaceOrDot: return TextId::FolderNameEndsInSpaceOrDot;
    case FileProblem::FolderNameIsDeviceName: return TextId::FolderNameIsDeviceName;
    case FileProblem::FolderIsBrokenLink: return TextId::FolderIsBrokenLink;
    case FileProblem::BackupNotKept: return TextId::BackupNotKept;
    case FileProblem::SourceNotRead: return TextId::SourceNotRead;
    case FileProblem::KeptBarNotRead: return TextId::KeptBarNotRead;
  }
  return TextId::BarFileNotSaved;
}

TextId TextOf(WriteFailureReason reason) {
  switch (reason) {
    case WriteFailureReason::FolderMissing: return TextId::FolderMissing;
    case WriteFailureReason::NameIsFolder: return TextId::NameIsFolder;
    case WriteFailureReason::NotOrdinaryFile: return TextId::NotOrdinaryFile;
    case WriteFailureReason::FileReadOnly: return TextId::FileReadOnly;
    case WriteFailureReason::FolderReadOnly: return TextId::FolderReadOnly;
    case WriteFailureReason::FileNameTooLong: return TextId::FileNameTooLong;
    case WriteFailureReason::PathTooLong: return TextId::PathTooLong;
    case WriteFailureReason::DriveMissing: return TextId::DriveMissing;
    case WriteFailureReason::AccessDenied: return TextId::AccessDenied;
    case WriteFailureReason::DiskFull: return TextId::DiskFull;
    case WriteFailureReason::FileInUse: return TextId::FileInUse;
    case WriteFailureReason::DriveReadOnly: return TextId::DriveReadOnly;
    case WriteFailureReason::InvalidCharacters: return TextId::InvalidCharacters;
    case WriteFailureReason::NameIsFile: return TextId::NameIsFile;
    case WriteFailureReason::FileMissing: return TextId::FileMissing;
  }
  return TextId::FolderMissing;
}

TextId TextOf(ImportProblem problem) {
  switch (problem) {
    case ImportProblem::ButtonCountClamped: return TextId::ImportClamped;
    case ImportProblem::OwnButtonsClamped: return TextId::OwnButtonsClamped;
    case ImportProblem::SourceNotABar: return TextId::SourceNotABar;
    case ImportProblem::SourceHasNoButtons: return TextId::SourceHasNoButtons;
  }
  return TextId::SourceNotABar;
}

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

std::string ReasonText(WriteFailureReason reason, const LoadedLanguage& language) {
  return GetText(TextOf(reason), language);
}

std::string FailureReport(const FileError& error, const LoadedLanguage& language) {
  const std::string reason = error.Reason ? GetText(TextOf(*error.Reason), language) : std::string{};
  return JoinLines({GetText(TextOf(error.Problem), language), error.File, reason, error.Detail});
}

std::string WarningsReport(const std::vector<BuildWarning>& warnings, const LoadedLanguage& language) {
  std::string report;
  for (const BuildWarning& warning : warnings) {
    std::string count;
    if (warning.Problem == ImportProblem::ButtonCountClamped)
      count = GetText(TextId::ButtonsImportedLabel, language) + " " + std::to_string(warning.ButtonsImported);
    if (warning.Problem == ImportProblem::OwnButtonsClamped)
      count = GetText(TextId::ButtonsKeptLabel, language) + " " + std::to_string(warning.ButtonsImported);
    if (!report.empty()) report += "\n\n";
    report += JoinLines({GetText(TextOf(warning.Problem), language), warning.File, count});
  }
  return report;
}

}  // namespace barloom
