#include "core/bar_set.h"

#include <filesystem>
#include <system_error>

#include "core/bar_import.h"
#include "core/bar_layout.h"
#include "platform/atomic_file.h"
#include "platform/code_page.h"
#include "platform/path_text.h"

namespace barloom {
namespace {

// SaveFolder may not exist yet (the "bars" folder beside the program, a typed or remembered one).
std::optional<FileError> EnsureFolder(const std::string& folder) {
  std::string trimmed = folder;
  while (trimmed.size() > 1 && trimmed.back() == PathSeparator) trimmed.pop_back();
  const std::filesystem::path path = PathFromUtf8(trimmed);
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return std::nullopt;
  std::filesystem::create_directories(path, error);
  // A name the file system refuses (too long, say) must come back as an error, not an exception.
  std::error_code statusError;
  if (std::filesystem::is_directory(path, statusError)) return std::nullopt;
  if (!error) error = statusError;
  return FileError{folder, error ? error.message() : std::string{"The folder cannot be created."}};
}

bool HoldsLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

}  // namespace

std::optional<std::string> BarFilePrefixProblem(std::string_view prefix) {
  for (const char c : prefix) {
    if (static_cast<unsigned char>(c) < 0x20 || std::string_view{"\\/:*?\"<>|"}.find(c) != std::string_view::npos)
      return "The file name prefix holds a character that no file name can hold (\\ / : * ? \" < > | or a control "
             "character).";
  }
  return std::nullopt;
}

std::string FileError::Message() const { return "Cannot write " + File + ": " + Reason; }

BuildResult WriteBarFiles(WizardState& state, const BarSetOptions& options, Progress& progress) {
  BuildResult result;
  const int count = state.BarCount;
  if (count < MinBarCount || count > MaxBarCount) {
    result.Error = FileError{state.SaveFolder, "A set has 2 to 20 bars."};
    return result;
  }
  // An empty folder would become the root of the drive.
  if (state.SaveFolder.empty()) {
    result.Error = FileError{state.SaveFolder, "No folder is chosen for the bar files."};
    return result;
  }
  state.SaveFolder = AddBackslash(state.SaveFolder);
  // Every bar names all others, so all paths are known before the first file is written.
  FillSlotPaths(state, options.AppFolder, options.BarFilePrefix);
  if (auto problem = BarFilePrefixProblem(options.BarFilePrefix)) {
    result.Error = FileError{state.BarFiles[1], std::move(*problem)};
    return result;
  }
  for (const std::string_view folder : {std::string_view{state.SaveFolder}, std::string_view{options.AppFolder}}) {
    if (HoldsLineBreak(folder)) {
      result.Error = FileError{std::string{folder}, "A bar file cannot hold a path with a line break."};
      return result;
    }
  }
  progress.Start(1, count + 2);
  if (auto error = EnsureFolder(state.SaveFolder)) {
    result.Error = std::move(error);
    return result;
  }
  const unsigned codePage = options.CodePage != 0 ? options.CodePage : AnsiCodePage();
  for (int bar = 1; bar <= count; ++bar) {
    progress.Step();
    const std::string& file = state.BarFiles[bar];
    std::string reason;
    if (!ReplaceFileAtomically(PathFromUtf8(file), GeneratedBarBytes(state, bar, options.CommanderFolder, codePage),
                               &reason)) {
      result.Error = FileError{file, reason};
      return result;
    }
    result.WrittenFiles.push_back(file);
  }
  return result;
}

BuildResult BuildBarSet(WizardState& state, const BarSetOptions& options, ProgressDisplay& display) {
  Progress progress{display};
  BuildResult result = WriteBarFiles(state, options, progress);
  for (int slot = 1; !result.Error && slot <= state.BarCount; ++slot) {
    if (state.ImportFiles[slot].empty()) continue;
    ImportOutcome outcome = ImportBarFile(state.ImportFiles[slot], state.BarFiles[slot], state.BarCount, progress);
    if (outcome.Warning) result.Warnings.push_back(std::move(*outcome.Warning));
    result.Error = std::move(outcome.Error);
  }
  progress.Hide();
  return result;
}

}  // namespace barloom
