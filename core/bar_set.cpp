#include "core/bar_set.h"

#include <filesystem>
#include <system_error>

#include "core/bar_import.h"
#include "core/bar_layout.h"
#include "core/set_imports.h"
#include "core/windows_names.h"
#include "platform/ascii_text.h"
#include "platform/atomic_file.h"
#include "platform/code_page.h"
#include "platform/path_text.h"
#include "settings/ini_document.h"

namespace barloom {
namespace {

// The system's words reach the user as a sentence of their own, like the reasons of the file
// writer. The standard library may give them in the ANSI code page rather than in UTF-8, and
// with the line break of a system message.
std::string SystemDetail(const std::error_code& error) {
  std::string text = error.message();
  if (!IsValidUtf8(text)) text = DecodeCodePage(text, AnsiCodePage());
  text.resize(TrimRight(text, SpacesAndLineBreaks).size());
  if (!text.empty() && text.back() != '.') text += '.';
  return text;
}

// The deepest part of `path` that is there as a name (a folder, a file, or a link, also one to
// nothing): `path` itself or the nearest one above it; empty when none is.
std::filesystem::path DeepestExisting(const std::filesystem::path& path) {
  for (std::filesystem::path part = path;; part = part.parent_path()) {
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(part, error))) return part;
    if (part.parent_path() == part || !part.has_relative_path()) return {};
  }
}

// The part of `path` one below `above` (`path` itself or a folder above it).
std::filesystem::path PartBelow(const std::filesystem::path& above, const std::filesystem::path& path) {
  std::filesystem::path part = path;
  while (part.has_parent_path() && part.parent_path() != part && part.parent_path() != above) part = part.parent_path();
  return part;
}

// SaveFolder may not exist yet (the "bars" folder beside the program, a typed or remembered one).
std::optional<FileError> EnsureFolder(const std::string& folder) {
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
  std::filesystem::create_directories(path, error);
  // A name the file system refuses (too long, say) must come back as an error, not an exception.
  std::error_code statusError;
  if (std::filesystem::is_directory(path, statusError)) return std::nullopt;
  // A name that is taken, below a folder, yet cannot be seen: Windows programs under Wine do not
  // see a link to nothing, and only creating the folder tells that the name is in use.
  if (error == std::errc::file_exists) {
    const std::filesystem::path above = DeepestExisting(path);
    const std::filesystem::path taken = PartBelow(above, path);
    std::error_code ignored;
    if (std::filesystem::is_directory(above, ignored) &&
        !std::filesystem::exists(std::filesystem::symlink_status(taken, ignored)))
      return FileError{FileProblem::FolderIsBrokenLink, Utf8FromPath(taken)};
  }
  if (!error) error = statusError;
  return FileError{FileProblem::SaveFolderNotCreated, folder, error ? SystemDetail(error) : std::string{}};
}

// What comes before the first bar is written: the choices checked, the slot paths filled, the
// progress started and the save folder made.
std::optional<FileError> PrepareSet(WizardState& state, const BarSetOptions& options, Progress& progress) {
  const int count = state.BarCount;
  if (count < MinBarCount || count > MaxBarCount) return FileError{FileProblem::BarCountOutOfRange, state.SaveFolder};
  // An empty folder would become the root of the drive.
  if (state.SaveFolder.empty()) return FileError{FileProblem::NoSaveFolder, state.SaveFolder};
  state.SaveFolder = AddBackslash(state.SaveFolder);
  // Every bar names all others, so all paths are known before the first file is written.
  FillSlotPaths(state, options.AppFolder, options.BarFilePrefix);
  if (!IsUsableBarFilePrefix(options.BarFilePrefix))
    return FileError{FileProblem::PrefixHasForbiddenCharacter, state.BarFiles[1]};
  for (const std::string_view folder : {std::string_view{state.SaveFolder}, std::string_view{options.AppFolder}}) {
    if (HasLineBreak(folder)) return FileError{FileProblem::LineBreakInFolderName, std::string{folder}};
  }
  // Windows would create other folders than the ones named, or none, and fail half-way.
  if (const auto refused = FindRefusedFolderPart(state.SaveFolder))
    return FileError{refused->Problem, state.SaveFolder, "\"" + refused->Part + "\""};
  progress.Start(1, count + 2);
  return EnsureFolder(state.SaveFolder);
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

bool IsUsableBarFilePrefix(std::string_view prefix) {
  for (const char c : prefix) {
    if (static_cast<unsigned char>(c) < 0x20 || std::string_view{"\\/:*?\"<>|"}.find(c) != std::string_view::npos)
      return false;
  }
  return true;
}

BuildResult WriteBarFiles(WizardState& state, const BarSetOptions& options, Progress& progress) {
  BuildResult result;
  result.Error = PrepareSet(state, options, progress);
  if (!result.Error) WriteGeneratedBars(state, options, progress, result);
  return result;
}

BuildResult BuildBarSet(WizardState& state, const BarSetOptions& options, ProgressDisplay& display) {
  Progress progress{display};
  BuildResult result;
  result.Error = PrepareSet(state, options, progress);
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
  progress.Hide();
  return result;
}

}  // namespace barloom
