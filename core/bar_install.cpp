#include "core/bar_install.h"

#include <deque>
#include <filesystem>
#include <system_error>
#include <utility>

#include "core/commander_config_file.h"
#include "core/commander_ini.h"
#include "core/commander_running.h"
#include "core/current_bar.h"
#include "platform/file_bytes.h"
#include "platform/path_text.h"
#include "settings/ini_document.h"
#include "settings/number_text.h"

namespace barloom {
namespace {

constexpr std::string_view RecordSection = "Undo";
constexpr std::string_view ShownValue = "1";

// A file of the configuration, read once for the whole install or undo.
struct LoadedFile {
  std::string Path;
  std::string Before;  // its bytes as read; "" when it was not there
  bool Existed = false;
  CommanderConfigFile Config;

  bool Changed() const { return Config.Bytes() != Before; }
};

InstallError FailureError(InstallProblem problem, std::string file, WriteFailure failure) {
  return InstallError{problem, std::move(file), std::move(failure.SystemMessage), failure.Reason, {}};
}

class LoadedFiles {
 public:
  // The file at `path`, read the first time it is asked for (the same file however it is
  // spelled); nullptr and `error` when it exists and cannot be read, or when it must exist and
  // does not.
  LoadedFile* Load(const std::string& path, bool mustExist, std::optional<InstallError>& error) {
    for (LoadedFile& file : files_)
      if (file.Path == path || IsSameFile(PathFromUtf8(file.Path), PathFromUtf8(path))) return &file;
    const std::filesystem::path native = PathFromUtf8(path);
    FinishInterruptedRewrite(native);  // a killed rewrite leaves its journal: the file is whole first
    std::string bytes;
    const FileReadResult read = ReadFileBytes(native, bytes);
    if (read == FileReadResult::Unreadable || (read == FileReadResult::Missing && mustExist)) {
      error = InstallError{read == FileReadResult::Missing ? InstallProblem::IniMissing : InstallProblem::FileNotRead,
                           path, {}, {}, {}};
      return nullptr;
    }
    CommanderConfigFile config{bytes};
    return &files_.emplace_back(LoadedFile{path, std::move(bytes), read == FileReadResult::Read, std::move(config)});
  }

  // A file that is to change and is read-only, refused before anything is written.
  std::optional<InstallError> ReadOnlyChange() const {
    for (const LoadedFile& file : files_)
      if (file.Changed() && file.Existed && IsWriteProtected(PathFromUtf8(file.Path)))
        return InstallError{InstallProblem::FileNotWritten, file.Path, {}, WriteFailureReason::FileReadOnly, {}};
    return std::nullopt;
  }

  // Each file that changes is rewritten in place; when one fails, those already rewritten get
  // their earlier bytes back.
  std::optional<InstallError> WriteChanged() {
    std::vector<LoadedFile*> changed;
    for (LoadedFile& file : files_)
      if (file.Changed()) changed.push_back(&file);
    for (std::size_t i = 0; i < changed.size(); ++i) {
      WriteFailure failure;
      if (RewriteFileInPlace(PathFromUtf8(changed[i]->Path), changed[i]->Config.Bytes(), &failure)) continue;
      InstallError error = FailureError(InstallProblem::FileNotWritten, changed[i]->Path, std::move(failure));
      for (std::size_t j = 0; j < i; ++j) {
        const std::filesystem::path path = PathFromUtf8(changed[j]->Path);
        std::error_code ignored;
        const bool restored = changed[j]->Existed ? RewriteFileInPlace(path, changed[j]->Before)
                                                  : std::filesystem::remove(path, ignored);
        if (!restored) error.NotRestored = changed[j]->Path;
      }
      return error;
    }
    return std::nullopt;
  }

  std::deque<LoadedFile>& Files() { return files_; }

 private:
  std::deque<LoadedFile> files_;  // stable: changes refer to their files
};

std::string RecordBytes(BarKind kind, const std::vector<KeyChange>& changes) {
  IniDocument record{"; What Barloom's last install into this wincmd.ini changed; Undo reads it.\r\n"};
  record.Write(RecordSection, "Bar", kind == BarKind::Main ? "Main" : "Vertical");
  record.Write(RecordSection, "Count", std::to_string(changes.size()));
  for (std::size_t i = 0; i < changes.size(); ++i) {
    const std::string n = std::to_string(i + 1);
    record.Write(RecordSection, "File" + n, changes[i].Place.File);
    record.Write(RecordSection, "Section" + n, changes[i].Place.Section);
    record.Write(RecordSection, "Key" + n, changes[i].Place.Key);
  }
  return record.Bytes();
}

// The keys a record names; nullopt when it names none (or is not a record).
std::optional<std::vector<KeyPlace>> RecordedPlaces(const std::string& bytes) {
  const IniDocument record{bytes};
  const std::optional<std::int16_t> count = ParseWholeInt16(record.Read(RecordSection, "Count", "", 16));
  if (!count || *count <= 0) return std::nullopt;
  std::vector<KeyPlace> places;
  for (int i = 1; i <= *count; ++i) {
    const std::string n = std::to_string(i);
    KeyPlace place{record.Read(RecordSection, "File" + n, "", 32768), record.Read(RecordSection, "Section" + n, "", 256),
                   record.Read(RecordSection, "Key" + n, "", 256)};
    if (place.File.empty() || place.Section.empty() || place.Key.empty()) return std::nullopt;
    places.push_back(std::move(place));
  }
  return places;
}

}  // namespace

std::string ConfigBackupOf(std::string_view file) { return std::string{file} + std::string{ConfigBackupExtension}; }

std::string UndoRecordOf(std::string_view iniFile) { return std::string{iniFile} + std::string{UndoRecordExtension}; }

RunningCheck SystemRunningCheck() {
  return [] { return CommanderRunning(); };
}

std::string BarKeyValue(std::string_view barFile, const std::optional<std::string>& commanderFolder) {
  return FoldCommanderPath(barFile, commanderFolder);
}

InstallResult InstallBar(const InstallRequest& request) {
  InstallResult result;
  if (request.Running && request.Running()) {
    result.Error = InstallError{InstallProblem::CommanderRunning, {}, {}, {}, {}};
    return result;
  }
  if (!FileExists(request.BarFile)) {
    result.Error = InstallError{InstallProblem::BarMissing, request.BarFile, {}, {}, {}};
    return result;
  }
  LoadedFiles files;
  const LoadedFile* ini = files.Load(request.Ini, true, result.Error);
  if (!ini) return result;
  const VariableLookup variables = CommanderVariables(request.Ini, request.CommanderFolder, request.Sources);
  const BarKeyPlaces places = FindBarKeyPlaces(ini->Config, request.Ini, request.Kind, variables);
  const std::string value = BarKeyValue(request.BarFile, request.CommanderFolder);
  for (const auto& [place, text] : {std::pair{&places.Bar, std::string_view(value)},
                                    std::pair{&places.Layout, ShownValue}}) {
    LoadedFile* file = files.Load(place->File, false, result.Error);
    if (!file) return result;
    const std::optional<std::string> before = file->Config.Read(place->Section, place->Key);
    // A value that names the bar already, however it spells it, stays as Total Commander has it.
    if (place == &places.Bar && before && NamesFile(*before, request.BarFile, variables)) continue;
    if (file->Config.Write(place->Section, place->Key, text))
      result.Changes.push_back({*place, before, std::string{text}, file->Config.NeedsMark(text)});
  }
  if (result.Changes.empty()) return result;
  if ((result.Error = files.ReadOnlyChange())) {
    result.Changes.clear();
    return result;
  }

  // The earlier bytes first, then what Undo will need, then the files.
  std::vector<std::string> backups;
  for (const LoadedFile& file : files.Files()) {
    if (!file.Changed()) continue;
    const std::string backup = ConfigBackupOf(file.Path);
    WriteFailure failure;
    if (!ReplaceFileAtomically(PathFromUtf8(backup), file.Before, &failure)) {
      result.Error = FailureError(InstallProblem::BackupNotKept, backup, std::move(failure));
      result.Changes.clear();
      return result;
    }
    backups.push_back(backup);
  }
  const std::string record = UndoRecordOf(request.Ini);
  WriteFailure failure;
  if (!ReplaceFileAtomically(PathFromUtf8(record), RecordBytes(request.Kind, result.Changes), &failure)) {
    result.Error = FailureError(InstallProblem::BackupNotKept, record, std::move(failure));
    result.Changes.clear();
    return result;
  }
  result.Error = files.WriteChanged();
  if (result.Error)
    result.Changes.clear();
  else
    result.Backups = std::move(backups);
  return result;
}

bool CanUndo(std::string_view iniFile) {
  const std::optional<std::string> record = ReadFileBytes(PathFromUtf8(UndoRecordOf(iniFile)));
  return record && RecordedPlaces(*record).has_value();
}

InstallResult UndoInstall(std::string_view iniFile, const RunningCheck& running) {
  InstallResult result;
  if (running && running()) {
    result.Error = InstallError{InstallProblem::CommanderRunning, {}, {}, {}, {}};
    return result;
  }
  const std::string recordFile = UndoRecordOf(iniFile);
  const std::optional<std::string> record = ReadFileBytes(PathFromUtf8(recordFile));
  const std::optional<std::vector<KeyPlace>> places = record ? RecordedPlaces(*record) : std::nullopt;
  if (!places) {
    result.Error = InstallError{InstallProblem::NothingToUndo, std::string{iniFile}, {}, {}, {}};
    return result;
  }
  LoadedFiles files;
  for (const KeyPlace& place : *places) {
    LoadedFile* file = files.Load(place.File, false, result.Error);
    if (!file) return result;
    const std::string backupFile = ConfigBackupOf(file->Path);
    const std::optional<std::string> backupBytes = ReadFileBytes(PathFromUtf8(backupFile));
    if (!backupBytes) {
      result.Error = InstallError{InstallProblem::BackupMissing, backupFile, {}, {}, {}};
      return result;
    }
    const CommanderConfigFile backup{*backupBytes};
    const std::optional<std::string> before = file->Config.Read(place.Section, place.Key);
    const std::optional<std::string> earlier = backup.Read(place.Section, place.Key);
    if (!earlier) {
      file->Config.Remove(place.Section, place.Key);
      if (!backup.HasSection(place.Section)) file->Config.RemoveEmptySection(place.Section);
    } else if (backup.Encoding() == file->Config.Encoding()) {
      // The very bytes it had, whatever the code page makes of them.
      file->Config.WriteStored(place.Section, place.Key, *backup.Stored(place.Section, place.Key));
    } else {
      file->Config.Write(place.Section, place.Key, *earlier);
    }
    if (before != earlier) result.Changes.push_back({place, before, earlier, earlier && file->Config.NeedsMark(*earlier)});
  }
  if (!(result.Error = files.ReadOnlyChange())) result.Error = files.WriteChanged();
  if (result.Error) {
    result.Changes.clear();
    return result;
  }
  std::error_code ignored;
  std::filesystem::remove(PathFromUtf8(recordFile), ignored);
  return result;
}

}  // namespace barloom
