#pragma once
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/wizard_state.h"
#include "platform/file_writing.h"

// What the building of a set gives back (the files written, an error, warnings) and how it is
// told to the user.
namespace barloom {

// Why the building of a set stopped. Each problem has a text of its own in every language
// (FailureReport); the file it names is said beside each.
enum class FileProblem {
  BarCountOutOfRange,           // File: the save folder
  NoSaveFolder,                 // File: empty
  PrefixHasForbiddenCharacter,  // File: the first bar file, as the prefix would name it
  LineBreakInFolderName,        // File: the folder (the save folder or the program's)
  SaveFolderNotCreated,         // File: the save folder; Reason or Detail: why (Detail may name the part at fault)
  FolderNameEndsInSpaceOrDot,   // File: the save folder; Detail: the part, in quotation marks
  FolderNameIsDeviceName,       // File: the save folder; Detail: the part, in quotation marks
  FolderIsBrokenLink,           // File: the symbolic link (the save folder or one above it)
  BarFileNotWritten,            // File: the bar file; Reason or Detail: why
  BarFileNotRead,               // File: the bar file that an import was to go into, or whose earlier bytes were to be kept
  BackupNotKept,                // File: the backup of a bar file; Reason or Detail: why
  SourceNotRead,                // File: a file to import from; Reason or Detail: why; nothing was written
  KeptBarNotRead,               // File: a bar whose own buttons were to be kept; Reason or Detail: why; nothing was written
};

// A file that stopped the building of a set, and why.
struct FileError {
  FileProblem Problem = FileProblem::BarFileNotWritten;
  std::string File;    // UTF-8 full path
  std::string Detail;  // the system's own words ("Access is denied."), a part of a name, or empty
  std::optional<WriteFailureReason> Reason;  // why, in the program's terms, said in the user's language
};

// The error for `file` whose writing failed as `failure` says.
inline FileError WriteError(FileProblem problem, std::string file, WriteFailure failure) {
  return FileError{problem, std::move(file), std::move(failure.SystemMessage), failure.Reason};
}

// What an import did differently from what was asked; the set is still whole.
enum class ImportProblem {
  ButtonCountClamped,  // the source names more buttons than a bar can hold; the first ones came
  OwnButtonsClamped,   // a bar holds more buttons of its own than fit; the first ones were kept
  SourceNotABar,       // the source holds no button bar (no [ButtonBar] section); no buttons came from it
  SourceHasNoButtons,  // the source's button count reads below 1; no buttons came from it
};

struct BuildWarning {
  ImportProblem Problem = ImportProblem::SourceNotABar;
  std::string File;         // UTF-8 full path of the import source (OwnButtonsClamped: of the bar)
  int ButtonsImported = 0;  // ButtonCountClamped: how many came; OwnButtonsClamped: how many were kept
};

class LoadedLanguage;

// A bar whose earlier bytes Create kept before replacing it.
struct KeptBackup {
  std::string BarFile;
  std::string Backup;
};

// An import whose source was a bar of the set already there: it read the bar as the set made it.
struct ReplacedImport {
  int Slot = 0;      // the bar that imported
  int Bar = 0;       // the bar of the set its source is
  std::string File;  // the source as chosen
};

// A bar that Create replaced without keeping the buttons it held of its own: what they were.
struct DroppedButtons {
  std::string BarFile;
  std::vector<std::string> Names;  // each button's tooltip, else its command; "" for a separator
};

struct BuildResult {
  SetPaths Paths;                         // derived from the choices; empty when they were refused at once
  std::vector<std::string> WrittenFiles;  // the bar files written (or left as they were, holding the
                                          // bytes of the set already), in order (full paths, UTF-8)
  std::vector<KeptBackup> Backups;        // the earlier versions kept, in the order they were written
  std::vector<ReplacedImport> ReplacedImports;
  std::vector<std::string> LeftBars;      // with KeepButtons: the bars beyond the count, left as they were
  std::vector<DroppedButtons> Dropped;    // without KeepButtons: the bars written that held own buttons
  std::vector<std::string> HeldBackups;   // backups left as they were: they hold own buttons, their bar none
  std::optional<FileError> Error;         // set when the run stopped; files written before stay
  std::vector<BuildWarning> Warnings;     // things done differently from what was asked
};

// The lines that are not empty, joined by line feeds: how every message puts its texts, names and
// reasons side by side.
std::string JoinLines(std::initializer_list<std::string_view> lines);

// The text of `reason` in the user's language (713 to 717, 740 to 748, 904).
std::string ReasonText(WriteFailureReason reason, const LoadedLanguage& language);

// What the user reads when a set could not be built, in the user's language: the problem's
// text (700 to 709, 902, 903), then the file on a line of its own (left out when none is named), then the
// reason (ReasonText) and the detail (the system's words, or the part of a name at fault), each
// on a line of its own when there is one. Lines are joined by line feeds.
// Language texts are only ever put side by side, never used as a format.
std::string FailureReport(const FileError& error, const LoadedLanguage& language);

// Every warning in the same way (the text, 710, 730, 900 or 901, then the file, then for a clamped count
// the label 712 "Buttons imported:" or 731 "Buttons kept:" with the number), separated by an empty
// line; "" for none.
std::string WarningsReport(const std::vector<BuildWarning>& warnings, const LoadedLanguage& language);

}  // namespace barloom
