#pragma once
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/bar_import.h"
#include "core/bar_set.h"
#include "core/bar_set_result.h"
#include "core/progress.h"
#include "core/wizard_state.h"
#include "localisation/language_file.h"
#include "platform/file_writing.h"
#include "platform/code_page.h"
#include "platform/path_text.h"
#include "settings/settings_file.h"
#include "tests/support/temp_folder.h"

#ifndef _WIN32
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>
#endif

namespace barloom {

// The English FailureReport of `error`: what a test prints when a build failed.
inline std::string MessageOf(const FileError& error) { return FailureReport(error, LoadedLanguage{}); }

// The set of `choices` as generated, without its imports: BuildBarSet with none.
inline BuildResult WriteBarFiles(WizardState choices, const BarSetOptions& options, ProgressDisplay& display) {
  choices.ImportFiles = {};
  return BuildBarSet(choices, options, display);
}

// One import on its own, from the file `sourceFile` into the bar file `targetFile`, the target
// saved once, atomically: the way a bar's import is judged apart from a whole set.
inline ImportOutcome ImportBarFile(std::string_view sourceFile, std::string_view targetFile, ImportPlace place,
                                   Progress& progress) {
  ImportOutcome outcome = ImportIntoBar(sourceFile, targetFile, place, progress, 1252);
  WriteFailure failure;
  if (!outcome.Error && !ReplaceFileAtomically(PathFromUtf8(targetFile), outcome.TargetBytes, &failure))
    outcome.Error = WriteError(FileProblem::BarFileNotWritten, std::string{targetFile}, std::move(failure));
  return outcome;
}

}  // namespace barloom

namespace barloom::core_testing {

// Windows-1252: the code page the tests write their bars in.
inline constexpr unsigned Windows1252 = 1252;

// A Windows-style path ("C:\TC\bars\") with the native separator, so that one table of cases
// serves both builds.
inline std::string NativePath(std::string_view windowsPath) {
  std::string path{windowsPath};
  for (char& c : path)
    if (c == '\\') c = PathSeparator;
  return path;
}

// The paths of a set of `count` bars in `saveFolder` of a program in `appFolder`.
inline SetPaths PathsOf(int count, std::string_view saveFolder, std::string_view appFolder = "",
                        std::string_view prefix = "Bar_") {
  WizardState choices;
  choices.BarCount = static_cast<std::int16_t>(count);
  choices.SaveFolder = std::string{saveFolder};
  return SetPathsFor(choices, appFolder, prefix);
}

// Records every change the core makes to the progress display.
class RecordingProgress final : public ProgressDisplay {
 public:
  void SetMaximum(int maximum) override {
    Maximum = maximum;
    Calls.push_back("max " + std::to_string(maximum));
  }
  void SetValue(int value) override {
    Value = value;
    Calls.push_back("value " + std::to_string(value));
  }
  void SetVisible(bool visible) override {
    Visible = visible;
    Calls.push_back(visible ? "show" : "hide");
  }

  int Maximum = 0;
  int Value = 0;
  bool Visible = false;
  std::vector<std::string> Calls;
};

#ifndef _WIN32
// A small file system of its own (tmpfs), mounted in a mount namespace of this test process so
// that nothing outside sees it; nullopt where the machine does not allow it.
inline std::optional<std::filesystem::path> SmallFileSystem(const std::filesystem::path& at, std::size_t bytes,
                                                            bool readOnly = false) {
  static const bool privateMounts =
      ::geteuid() == 0 && ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
  if (!privateMounts) return std::nullopt;
  std::filesystem::create_directories(at);
  const std::string options = "size=" + std::to_string(bytes);
  if (::mount("tmpfs", at.c_str(), "tmpfs", readOnly ? MS_RDONLY : 0, options.c_str()) != 0) return std::nullopt;
  return at;
}

// Writes to the disk until it is full.
inline void FillDisk(const std::string& folder) {
  std::FILE* filler = std::fopen((folder + "filler").c_str(), "wb");
  const std::string block(4096, 'f');
  while (filler && std::fwrite(block.data(), 1, block.size(), filler) == block.size()) {
  }
  if (filler) std::fclose(filler);
}
#endif

}  // namespace barloom::core_testing
