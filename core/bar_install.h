#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/bar_key_places.h"
#include "core/commander_path.h"
#include "platform/file_writing.h"

// Making a bar file Total Commander's button bar, and taking that back: the bar file's key and the
// [Layout] key that shows the bar, written in the files that hold their sections (wincmd.ini, or
// where a section is redirected). Each file is changed in place (it stays the same file: hard
// links, attributes and encoding kept) after its earlier bytes are kept beside it, one generation,
// as NAME.barloom-backup; what the install changed is recorded beside wincmd.ini as
// wincmd.ini.barloom-undo, so that Undo needs nothing but wincmd.ini. Nothing is changed while
// Total Commander runs.
namespace barloom {

inline constexpr std::string_view ConfigBackupExtension = ".barloom-backup";
inline constexpr std::string_view UndoRecordExtension = ".barloom-undo";

// NAME.barloom-backup beside `file`: its bytes before the last install that changed it.
std::string ConfigBackupOf(std::string_view file);
// wincmd.ini.barloom-undo beside `iniFile`: what the last install changed.
std::string UndoRecordOf(std::string_view iniFile);

// One key an install or an undo changed.
struct KeyChange {
  KeyPlace Place;
  std::optional<std::string> Before;  // the value as text; nullopt: the key was not there
  std::optional<std::string> After;   // nullopt: the key was taken out again
  bool Marked = false;  // After is stored as UTF-8 behind the UTF-8 mark (the file's code page cannot hold it)
};

enum class InstallProblem {
  CommanderRunning,  // Total Commander runs: nothing was changed
  IniMissing,        // File: the wincmd.ini, which does not exist
  BarMissing,        // File: the bar file to install, which is not an existing file
  FileNotRead,       // File: a file of the configuration that exists and cannot be read
  FileNotWritten,    // File: a file of the configuration that could not be changed; Reason or Detail
  BackupNotKept,     // File: the backup (or the undo record) that could not be written; Reason or Detail
  NothingToUndo,     // File: the wincmd.ini, beside which no install is recorded
  BackupMissing,     // File: the backup an undo needs, which is not there
};

struct InstallError {
  InstallProblem Problem = InstallProblem::FileNotWritten;
  std::string File;
  std::string Detail;  // the system's own words, or empty
  std::optional<WriteFailureReason> Reason;
  // A file that was changed first and could not be put back after a later one failed.
  std::string NotRestored;
};

struct InstallResult {
  std::vector<KeyChange> Changes;    // in the order written; none when everything was so already
  std::vector<std::string> Backups;  // the backups written
  std::optional<InstallError> Error;  // set: nothing was changed (unless NotRestored says otherwise)
};

// Total Commander running, for the install and the undo: CommanderRunning(), or a test's answer.
using RunningCheck = std::function<bool()>;
RunningCheck SystemRunningCheck();

struct InstallRequest {
  std::string Ini;      // full path of the wincmd.ini
  std::string BarFile;  // full path of an existing .bar file
  BarKind Kind = BarKind::Main;
  // Total Commander's folder: the bar file under it is written as "%Commander_Path%\..." (as the
  // bars write their paths); and, with `Sources`, what the configuration's variables stand for.
  std::optional<std::string> CommanderFolder;
  CommanderFolderSources Sources = SystemCommanderFolderSources();
  RunningCheck Running = SystemRunningCheck();
};

// The value the bar's key gets for `barFile`: folded under Total Commander's folder.
std::string BarKeyValue(std::string_view barFile, const std::optional<std::string>& commanderFolder);

// Sets the bar's file key to BarKeyValue (unless it names that file already, in any spelling) and
// its [Layout] key to 1 (each added, with its section, where it is missing; a redirected file that
// is missing is created). The files that change keep
// their earlier bytes as backups first, and the changes are recorded for UndoInstall; when
// nothing needs to change, nothing is written and the earlier backups and record stay. On an
// error every file is as it was.
InstallResult InstallBar(const InstallRequest& request);

// Whether an install into `iniFile` is recorded, so that UndoInstall has something to do.
bool CanUndo(std::string_view iniFile);

// Puts back, from the backups, the keys the last recorded install into `iniFile` changed: their
// earlier values, or, for a key that was not there, takes it out again (and its section, when the
// install added the section and nothing else is in it). Every other key stays as it is now (Total
// Commander may have changed others since). The record goes afterwards, so that the next undo
// has nothing to do; the backups stay. On an error every file is as it was.
InstallResult UndoInstall(std::string_view iniFile, const RunningCheck& running = SystemRunningCheck());

}  // namespace barloom
