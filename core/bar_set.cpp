#include "core/bar_set.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "core/bar_import.h"
#include "core/bar_layout.h"
#include "core/set_imports.h"
#include "core/windows_names.h"
#include "platform/ascii_text.h"
#include "platform/atomic_file.h"
#include "platform/code_page.h"
#include "platform/folder_creation.h"
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

// What comes before the first bar is written: the choices checked, the slot paths filled, the
// progress started and the save folder made.
std::optional<FileError> PrepareSet(WizardState& state, const BarSetOptions& options, Progress& progress,
                                    std::vector<std::filesystem::path>& made) {
  const int count = state.BarCount;
  if (count < MinBarCount || count > MaxBarCount) return FileError{FileProblem::BarCountOutOfRange, state.SaveFolder};
  // An empty folder would become the root of the drive.
  if (state.SaveFolder.empty()) return FileError{FileProblem::NoSaveFolder, state.SaveFolder};
  state.SaveFolder = AddBackslash(state.SaveFolder);
  // Every bar names all others, so all paths are known before the first file is written.
  FillSlotPaths(state, options.AppFolder, options.BarFilePrefix);
  if (!IsUsableBarFilePrefix(options.BarFilePrefix))
    return FileError{FileProblem::PrefixHasForbiddenCharacter, state.BarFiles[1]};
  if (!BarFileNamesFit(options.BarFilePrefix))
    return FileError{FileProblem::BarFileNotWritten, state.BarFiles[1], {}, WriteFailureReason::FileNameTooLong};
  for (const std::string_view folder : {std::string_view{state.SaveFolder}, std::string_view{options.AppFolder}}) {
    if (HasLineBreak(folder)) return FileError{FileProblem::LineBreakInFolderName, std::string{folder}};
  }
  // Windows would create other folders than the ones named, or none, and fail half-way.
  if (const auto refused = FindRefusedFolderPart(state.SaveFolder))
    return FileError{refused->Problem, state.SaveFolder, "\"" + refused->Part + "\""};
  if (const auto part = FindFolderPartWithForbiddenCharacter(state.SaveFolder))
    return FileError{FileProblem::SaveFolderNotCreated, state.SaveFolder, "\"" + *part + "\"",
                     WriteFailureReason::InvalidCharacters};
  progress.Start(1, count + 2);
  return EnsureFolder(state.SaveFolder, made);
}

std::string GeneratedBar(const WizardState& state, const BarSetOptions& options, int bar) {
  return GeneratedBarBytes(state, bar, options.CommanderFolder, options.CodePage != 0 ? options.CodePage : AnsiCodePage());
}

// Writes bar `bar`'s file atomically; false, with the error in `result`, when it cannot.
bool WriteBar(const WizardState& state, int bar, std::string_view bytes, BuildResult& result) {
  const std::string& file = state.BarFiles[bar];
  WriteFailure failure;
  if (!ReplaceFileAtomically(PathFromUtf8(file), bytes, &failure)) {
    result.Error = WriteError(FileProblem::BarFileNotWritten, file, std::move(failure));
    return false;
  }
  result.WrittenFiles.push_back(file);
  return true;
}

// Bars `first`..BarCount as generated.
void WriteGeneratedBars(const WizardState& state, const BarSetOptions& options, Progress& progress,
                        BuildResult& result, int first = 1) {
  for (int bar = first; bar <= state.BarCount; ++bar) {
    progress.Step();
    if (!WriteBar(state, bar, GeneratedBar(state, options, bar), result)) return;
  }
}

// The imports into the written bars, one after the other, each reading its source and its
// target from the disk.
void ImportIntoWrittenBars(const WizardState& state, Progress& progress, BuildResult& result) {
  for (int slot = 1; !result.Error && slot <= state.BarCount; ++slot) {
    if (state.ImportFiles[slot].empty()) continue;
    ImportOutcome outcome = ImportBarFile(state.ImportFiles[slot], state.BarFiles[slot], state.BarCount, progress);
    if (outcome.Warning) result.Warnings.push_back(std::move(*outcome.Warning));
    result.Error = std::move(outcome.Error);
  }
}

// Bar `bar` as generated, with its import; the document goes before the bytes are written.
std::string WithImport(std::string generated, int bar, SetImports& imports, Progress& progress, BuildResult& result) {
  IniDocument document{std::move(generated)};
  if (auto warning = imports.ImportInto(bar, document, progress)) result.Warnings.push_back(std::move(*warning));
  return document.Bytes();
}

// Each bar generated, given its import in memory and written once, in slot order. A bar that
// cannot be written with its import (the disk is full, say) and the bars after it are written as
// generated, as they are when the imports come after all the bars; the import's error stops the
// run.
void WriteBarsWithImports(const WizardState& state, const BarSetOptions& options, SetImports& imports,
                          Progress& progress, BuildResult& result) {
  for (int bar = 1; bar <= state.BarCount; ++bar) {
    std::string generated = GeneratedBar(state, options, bar);
    if (state.ImportFiles[bar].empty()) {
      progress.Step();
      if (!WriteBar(state, bar, generated, result)) return;
      continue;
    }
    if (WriteBar(state, bar, WithImport(std::move(generated), bar, imports, progress, result), result)) {
      progress.Step();
      continue;
    }
    std::optional<FileError> importError = std::move(result.Error);
    result.Error.reset();
    WriteGeneratedBars(state, options, progress, result, bar);
    if (!result.Error) result.Error = std::move(importError);
    return;
  }
}

// Whether every bar file can be replaced, as far as can be told before writing.
bool EveryBarReplaceable(const WizardState& state) {
  for (int bar = 1; bar <= state.BarCount; ++bar)
    if (!CanReplaceFile(PathFromUtf8(state.BarFiles[bar]))) return false;
  return true;
}

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

BuildResult WriteBarFiles(WizardState& state, const BarSetOptions& options, Progress& progress) {
  BuildResult result;
  std::vector<std::filesystem::path> made;
  result.Error = PrepareSet(state, options, progress, made);
  if (!result.Error) WriteGeneratedBars(state, options, progress, result);
  if (result.Error) RemoveEmptyFolders(made);
  return result;
}

BuildResult BuildBarSet(WizardState& state, const BarSetOptions& options, ProgressDisplay& display) {
  Progress progress{display};
  BuildResult result;
  std::vector<std::filesystem::path> made;
  result.Error = PrepareSet(state, options, progress, made);
  if (!result.Error) {
    SetImports imports(state, [&](int bar) { return GeneratedBar(state, options, bar); });
    // Writing each bar once gives the same set. Where a source cannot be told from a bar yet, or
    // a bar cannot be written (the run will stop there), the bars are written as generated first
    // and imported into one after the other, so that a set that cannot be written whole gets no
    // import.
    if (imports.SourcesKnown() && EveryBarReplaceable(state)) {
      WriteBarsWithImports(state, options, imports, progress, result);
    } else {
      WriteGeneratedBars(state, options, progress, result);
      ImportIntoWrittenBars(state, progress, result);
    }
  }
  // A run that failed takes away the folders it made and left empty.
  if (result.Error) RemoveEmptyFolders(made);
  progress.Hide();
  return result;
}

}  // namespace barloom
