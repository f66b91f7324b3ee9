#include "core/bar_set.h"

#include <array>
#include <filesystem>
#include <map>
#include <system_error>
#include <vector>

#include "core/bar_backup.h"
#include "core/bar_import.h"
#include "core/bar_layout.h"
#include "core/own_buttons.h"
#include "core/set_files.h"
#include "core/set_imports.h"
#include "core/windows_names.h"
#include "platform/ascii_text.h"
#include "platform/file_writing.h"
#include "platform/code_page.h"
#include "platform/file_bytes.h"
#include "platform/path_text.h"
#include "platform/utf8.h"
#include "settings/ini_document.h"

namespace barloom {
namespace {

// The deepest part of `path` that is there as a name (a folder, a file, or a link, also one to
// nothing): `path` itself or the nearest one above it; empty when none is.
std::filesystem::path DeepestExisting(const std::filesystem::path& path) {
  for (std::filesystem::path part = path;; part = part.parent_path()) {
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(part, error))) return part;
    if (part.parent_path() == part || !part.has_relative_path()) return {};
  }
}

// SaveFolder may not exist yet (the "bars" folder beside the program, a typed or remembered one).
// `made` receives the folders made for it, outermost first.
std::optional<FileError> EnsureFolder(const std::string& folder, std::vector<std::filesystem::path>& made) {
  std::string trimmed = folder;
  while (trimmed.size() > 1 && trimmed.back() == PathSeparator) trimmed.pop_back();
  const std::filesystem::path path = PathFromUtf8(trimmed);
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return std::nullopt;
  // What exists decides what can be created below it: a link to nothing would only be reported
  // as "File exists", and a folder without write permission is read-only for root too.
  const std::filesystem::path existing = DeepestExisting(path);
  if (!existing.empty()) {
    std::error_code linkError;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(existing, linkError)) &&
        !std::filesystem::exists(std::filesystem::status(existing, linkError)))
      return FileError{FileProblem::FolderIsBrokenLink, Utf8FromPath(existing)};
    if (std::filesystem::is_directory(existing, linkError) && IsWriteProtected(existing))
      return FileError{FileProblem::SaveFolderNotCreated, folder, {}, WriteFailureReason::FolderReadOnly};
  }
  FolderCreation creation = CreateFolders(path);
  made = std::move(creation.Made);
  if (!creation.Failure) return std::nullopt;
  if (creation.Failure->Reason == WriteFailureReason::NameIsFile) {
    // A name that is taken yet cannot be seen: Windows programs under Wine do not see a link to
    // nothing, and only making the folder tells that its name is in use.
    std::error_code ignored;
    if (!std::filesystem::exists(std::filesystem::symlink_status(creation.FailedAt, ignored)))
      return FileError{FileProblem::FolderIsBrokenLink, Utf8FromPath(creation.FailedAt)};
    return FileError{FileProblem::SaveFolderNotCreated, folder, Utf8FromPath(creation.FailedAt),
                     WriteFailureReason::NameIsFile};
  }
  return WriteError(FileProblem::SaveFolderNotCreated, folder, std::move(*creation.Failure));
}

// What comes before the first bar is written: the choices checked, the paths derived and the save
// folder made (the folders made are listed in `made`).
std::optional<FileError> PrepareSet(const WizardState& state, const BarSetOptions& options, SetPaths& paths,
                                    std::vector<std::filesystem::path>& made) {
  const int count = state.BarCount;
  if (!IsBarCount(count)) return FileError{FileProblem::BarCountOutOfRange, state.SaveFolder};
  // An empty folder would become the root of the drive.
  if (state.SaveFolder.empty()) return FileError{FileProblem::NoSaveFolder, state.SaveFolder};
  // Every bar names all others, so all paths are known before the first file is written.
  paths = SetPathsFor(state, options.AppFolder, options.BarFilePrefix);
  if (!IsUsableBarFilePrefix(options.BarFilePrefix))
    return FileError{FileProblem::PrefixHasForbiddenCharacter, paths.BarFiles[1]};
  if (!BarFileNamesFit(options.BarFilePrefix))
    return FileError{FileProblem::BarFileNotWritten, paths.BarFiles[1], {}, WriteFailureReason::FileNameTooLong};
  for (const std::string_view folder : {std::string_view{paths.SaveFolder}, std::string_view{options.AppFolder}}) {
    if (HasLineBreak(folder)) return FileError{FileProblem::LineBreakInFolderName, std::string{folder}};
  }
  // Windows would create other folders than the ones named, or none, and fail half-way.
  if (const auto refused = FindRefusedFolderPart(paths.SaveFolder))
    return FileError{refused->Problem, paths.SaveFolder, "\"" + refused->Part + "\""};
  if (const auto part = FindFolderPartWithForbiddenCharacter(paths.SaveFolder))
    return FileError{FileProblem::SaveFolderNotCreated, paths.SaveFolder, "\"" + *part + "\"",
                     WriteFailureReason::InvalidCharacters};
  return EnsureFolder(paths.SaveFolder, made);
}

// The sources of a run's imports as the import carries their buttons, each read once for all the
// bars that import it; nullopt for a bar of the set (the run rewrites it) or a file that cannot be
// read.
class CarriedSources {
 public:
  explicit CarriedSources(const SetPaths& paths, unsigned codePage) : paths_(paths), codePage_(codePage) {}

  const std::optional<std::vector<CarriedButton>>& Of(const std::string& source) {
    const auto [at, added] = read_.try_emplace(source);
    if (!added) return at->second;
    const std::filesystem::path path = PathFromUtf8(source);
    if (BarOfSet(path, paths_)) return at->second;
    std::string bytes;
    if (ReadFileBytes(path, bytes) == FileReadResult::Read) at->second = ReadCarriedButtons(bytes, codePage_);
    return at->second;
  }

 private:
  const SetPaths& paths_;
  unsigned codePage_;
  std::map<std::string, std::optional<std::vector<CarriedButton>>> read_;
};

// The buttons bar `bar`'s file, of bytes `earlier`, holds of its own, less those an earlier Create
// imported from the source this one imports into the bar again (WithoutReimportedButtons).
std::vector<int> OwnButtonsOf(std::string_view earlier, int bar, const SlotTable& importFiles,
                              const SwitchCommands& switches, CarriedSources& sources) {
  std::vector<int> own = OwnButtonNumbers(earlier, bar, switches);
  if (own.empty() || importFiles[bar].empty()) return own;
  const std::optional<std::vector<CarriedButton>>& source = sources.Of(importFiles[bar]);
  return source ? WithoutReimportedButtons(std::move(own), earlier, *source, switches.CodePage()) : own;
}

// One run of writing a set: the choices, the paths derived from them, and what has been done.
class SetWriter {
 public:
  // With KeepButtons, each bar of the set already there is read now, before anything is written,
  // for the number of buttons it keeps of its own.
  SetWriter(const WizardState& choices, const BarSetOptions& options, Progress& progress, BuildResult& result)
      : choices_(choices),
        options_(options),
        progress_(progress),
        result_(result),
        paths_(result.Paths),
        codePage_(options.CodePage != 0 ? options.CodePage : AnsiCodePage()),
        switches_(paths_.SaveFolder, options.BarFilePrefix, options.CommanderFolder, codePage_) {
    const int count = paths_.BarCount;
    CarriedSources sources{paths_, codePage_};
    for (int bar = 1; bar <= count; ++bar) {
      const int generated = GeneratedButtonCount(count);
      bases_[bar] = BaseBar{generated, ImportPlace{count}};
      // Each bar's file is read once: for the own buttons a drop would lose, or those it keeps.
      const std::filesystem::path file = PathFromUtf8(paths_.BarFiles[bar]);
      const FileReadResult read = ReadFileBytes(file, earlier_[bar]);
      own_[bar] = OwnButtonsOf(earlier_[bar], bar, choices_.ImportFiles, switches_, sources);
      if (!choices_.KeepButtons) {
        dropped_[bar] = OwnButtonNames(earlier_[bar], own_[bar], codePage_);
        continue;
      }
      // A bar whose buttons cannot be read is not replaced: nothing is written.
      if (read == FileReadResult::Unreadable) {
        result_.Error = ReadError(FileProblem::KeptBarNotRead, paths_.BarFiles[bar], file);
        return;
      }
      const OwnButtons own = CountOwnButtons(own_[bar], count);
      if (own.Clamped) result_.Warnings.push_back({ImportProblem::OwnButtonsClamped, paths_.BarFiles[bar], own.Count});
      if (own.Count > 0) bases_[bar] = BaseBar{generated + own.Count, ImportPlace::Behind(generated + own.Count)};
    }
  }

  unsigned CodePage() const { return codePage_; }

  const BaseBars& Bases() const { return bases_; }

  // Bar `bar` as written before its import: generated, with the buttons it keeps of its own.
  std::string BaseBytes(int bar) const {
    std::string generated = GeneratedBarBytes(paths_, bar, options_.CommanderFolder, codePage_);
    if (!choices_.KeepButtons) return generated;
    return WithOwnButtons(std::move(generated), ReadOwnButtons(earlier_[bar], own_[bar], paths_.BarCount, codePage_));
  }

  // Writes bar `bar`'s file atomically, its earlier bytes kept first; false, with the error in the
  // result, when it cannot.
  bool WriteBar(int bar, std::string_view bytes) { return WriteBar(bar, std::span<const std::string_view>(&bytes, 1)); }
  bool WriteBar(int bar, std::span<const std::string_view> bytes) {
    const std::string& file = paths_.BarFiles[bar];
    BarReplacer::Outcome outcome = replacer_.Replace(
        file, bytes, [&](std::string_view earlier) {
          // The file as read at the start is judged as the run judged it; its backup by itself.
          return earlier == earlier_[bar] ? !own_[bar].empty() : OwnButtonCount(earlier, bar, switches_) > 0;
        });
    if (outcome.Backup) result_.Backups.push_back({file, std::move(*outcome.Backup)});
    if (outcome.Held) result_.HeldBackups.push_back(std::move(*outcome.Held));
    if (outcome.Error) {
      result_.Error = std::move(outcome.Error);
      return false;
    }
    if (!listed_[bar]) {
      result_.WrittenFiles.push_back(file);
      if (!dropped_[bar].empty()) result_.Dropped.push_back({file, std::move(dropped_[bar])});
    }
    listed_[bar] = true;
    return true;
  }

  // Bars `first`..BarCount as written before their imports.
  void WriteBaseBars(int first = 1) {
    for (int bar = first; bar <= paths_.BarCount; ++bar) {
      progress_.Step();
      if (!WriteBar(bar, BaseBytes(bar))) return;
    }
  }

  // The imports into the written bars, one after the other, each reading its source and its
  // target from the disk (a source the run has written over, as it was before).
  void ImportIntoWrittenBars(const SetImports& imports) {
    for (int slot = 1; !result_.Error && slot <= paths_.BarCount; ++slot) {
      const std::string& source = choices_.ImportFiles[slot];
      if (source.empty()) continue;
      ImportOutcome outcome = ImportIntoBar(source, paths_.BarFiles[slot], bases_[slot].Place, progress_, codePage_,
                                            imports.EarlierBytes(source));
      // What a source is was told before the run; a clamped count only now.
      if (outcome.Warning && outcome.Warning->Problem == ImportProblem::ButtonCountClamped)
        result_.Warnings.push_back(std::move(*outcome.Warning));
      result_.Error = std::move(outcome.Error);
      if (!result_.Error) WriteBar(slot, outcome.TargetBytes);
    }
  }

  // Each bar made, given its import in memory and written once, in slot order. A bar that cannot
  // be written with its import (the disk is full, say) and the bars after it are written as they
  // are before their imports, as they are when the imports come after all the bars; the import's
  // error stops the run.
  void WriteBarsWithImports(SetImports& imports) {
    for (int bar = 1; bar <= paths_.BarCount; ++bar) {
      std::string base = BaseBytes(bar);
      if (choices_.ImportFiles[bar].empty()) {
        progress_.Step();
        if (!WriteBar(bar, base)) return;
        continue;
      }
      const std::optional<IniDocument> withImport = WithImport(std::move(base), bar, imports);
      if (!withImport) return;  // its source is gone: the bars before it stay as written
      // Written from its pieces: an import's lines go to the file from the batch they were read into.
      const FilePieces pieces = withImport->Pieces();
      if (WriteBar(bar, pieces.Views())) {
        progress_.Step();
        continue;
      }
      std::optional<FileError> importError = std::move(result_.Error);
      result_.Error.reset();
      WriteBaseBars(bar);
      if (!result_.Error) result_.Error = std::move(importError);
      return;
    }
  }

  // Whether every bar file can be replaced, as far as can be told before writing.
  bool EveryBarReplaceable() const {
    for (int bar = 1; bar <= paths_.BarCount; ++bar)
      if (!CanReplaceFile(PathFromUtf8(paths_.BarFiles[bar]))) return false;
    return true;
  }

 private:
  // Bar `bar` with its import; nullopt, with the error in the result, when the source cannot be
  // read by now.
  std::optional<IniDocument> WithImport(std::string base, int bar, SetImports& imports) {
    IniDocument document{std::move(base)};
    if (auto error = imports.ImportInto(bar, document, progress_, result_.Warnings)) {
      result_.Error = std::move(error);
      return std::nullopt;
    }
    return document;
  }

  const WizardState& choices_;
  const BarSetOptions& options_;
  Progress& progress_;
  BuildResult& result_;
  const SetPaths& paths_;
  unsigned codePage_;
  SwitchCommands switches_;
  BaseBars bases_;
  BarReplacer replacer_;
  std::array<bool, MaxBarCount + 1> listed_{};  // in WrittenFiles already
  std::array<std::string, MaxBarCount + 1> earlier_;  // each bar's file before the run
  std::array<std::vector<int>, MaxBarCount + 1> own_;  // the numbers of each bar's own buttons in earlier_
  std::array<std::vector<std::string>, MaxBarCount + 1> dropped_;  // without KeepButtons: the own buttons' names
};

}  // namespace

bool IsUsableBarFilePrefix(std::string_view prefix) { return !HasForbiddenNameCharacter(prefix); }

bool BarFileNamesFit(std::string_view prefix) {
  std::size_t units = BarFileNameSuffixLength;
  for (std::size_t at = 0; at < prefix.size();) {
    const char32_t character = utf8::Next(prefix, at);
    units += character != utf8::Invalid && character > 0xFFFF ? 2 : 1;  // a broken byte becomes U+FFFD
  }
  return units <= MaxFileNameLength;
}

BuildResult BuildBarSet(const WizardState& choices, const BarSetOptions& options, ProgressDisplay& display) {
  Progress progress{display};
  BuildResult result;
  std::vector<std::filesystem::path> made;
  result.Error = PrepareSet(choices, options, result.Paths, made);
  if (!result.Error) {
    SetWriter writer{choices, options, progress, result};
    SetImports imports(result.Paths, choices.ImportFiles, writer.Bases(), [&](int bar) { return writer.BaseBytes(bar); },
                       writer.CodePage());
    result.Warnings.insert(result.Warnings.end(), imports.Warnings().begin(), imports.Warnings().end());
    if (!result.Error) result.Error = imports.Error();
    progress.Start(1, GeneratedButtonCount(result.Paths.BarCount) + imports.PlannedButtons());
    // Writing each bar once gives the same set. Where a source cannot be told from a bar yet, or
    // a bar cannot be written (the run will stop there), the bars are written as generated first
    // and imported into one after the other, so that a set that cannot be written whole gets no
    // import.
    // A source or a bar to keep that cannot be read stops the run before anything is written.
    if (!result.Error && imports.SourcesKnown() && writer.EveryBarReplaceable()) {
      writer.WriteBarsWithImports(imports);
    } else if (!result.Error) {
      writer.WriteBaseBars();
      writer.ImportIntoWrittenBars(imports);
    }
    result.ReplacedImports = imports.ReplacedImports();
    if (choices.KeepButtons) result.LeftBars = BarsBeyond(result.Paths, options.BarFilePrefix);
  }
  // A run that failed takes away the folders it made and left empty.
  if (result.Error) RemoveEmptyFolders(made);
  progress.Hide();
  return result;
}

std::vector<OwnButtonsOnBar> OwnButtonsToDrop(const WizardState& choices, const BarSetOptions& options) {
  std::vector<OwnButtonsOnBar> found;
  if (choices.KeepButtons || !IsBarCount(choices.BarCount) || choices.SaveFolder.empty()) return found;
  const SetPaths paths = SetPathsFor(choices, options.AppFolder, options.BarFilePrefix);
  const SwitchCommands switches{paths.SaveFolder, options.BarFilePrefix, options.CommanderFolder,
                                options.CodePage != 0 ? options.CodePage : AnsiCodePage()};
  CarriedSources sources{paths, switches.CodePage()};
  for (int bar = 1; bar <= paths.BarCount; ++bar) {
    std::string bytes;
    if (ReadFileBytes(PathFromUtf8(paths.BarFiles[bar]), bytes) != FileReadResult::Read) continue;
    const std::size_t count = OwnButtonsOf(bytes, bar, choices.ImportFiles, switches, sources).size();
    if (count > 0) found.push_back({paths.BarFiles[bar], static_cast<int>(count)});
  }
  return found;
}

}  // namespace barloom
