#include "core/set_imports.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/file_bytes.h"
#include "platform/file_exists.h"
#include "platform/path_text.h"
#include "settings/ini_document.h"

namespace barloom {
namespace {

// Whether `file` is there to be read (a link to nothing is not).
bool IsThere(const std::filesystem::path& file) {
  std::error_code error;
  return std::filesystem::exists(std::filesystem::status(file, error));
}

}  // namespace

SetImports::SetImports(const WizardState& state, std::function<std::string(int)> generatedBar)
    : state_(state), generatedBar_(std::move(generatedBar)) {
  for (int slot = 1; slot <= state.BarCount; ++slot)
    if (!state.ImportFiles[slot].empty()) sources_[state.ImportFiles[slot]].LastSlot = slot;
  bool barMissing = false;
  for (int bar = 1; bar <= state.BarCount; ++bar) barMissing = barMissing || !IsThere(PathFromUtf8(state.BarFiles[bar]));
  for (auto& [spelling, source] : sources_) {
    const std::filesystem::path file = PathFromUtf8(spelling);
    if (!IsThere(file)) {
      sourcesKnown_ = sourcesKnown_ && !barMissing;
      continue;
    }
    for (int bar = 1; bar <= state.BarCount && source.Bar == 0; ++bar)
      if (IsSameFile(file, PathFromUtf8(state.BarFiles[bar]))) source.Bar = bar;
  }
}

std::optional<BuildWarning> SetImports::ImportInto(int bar, IniDocument& target, Progress& progress) {
  const std::string& spelling = state_.ImportFiles[bar];
  Source& source = sources_.at(spelling);
  ImportedButtons imported;
  if (source.Bar == bar) {
    imported = ImportOwnButtons(target, state_.BarCount, progress);
  } else if (source.Bar > bar) {
    const ButtonImport import = ReadButtonImport(generatedBar_(source.Bar), state_.BarCount);
    ApplyButtonImport(import, target, progress);
    imported = import.Buttons;
  } else {
    if (!source.Read) {
      const std::optional<std::string> bytes = ReadFileBytes(PathFromUtf8(spelling));
      source.Unread = !bytes;
      source.Read = ReadButtonImport(bytes ? *bytes : std::string{}, state_.BarCount);
    }
    ApplyButtonImport(*source.Read, target, progress);
    imported = source.Read->Buttons;
    // A bar of the set is read as it is at each import; any other file stays as it is.
    if (source.Bar != 0 || source.LastSlot == bar) source.Read.reset();
  }
  if (imported.Clamped) return BuildWarning{ImportProblem::ButtonCountClamped, spelling, imported.Count};
  if (source.Unread) return BuildWarning{ImportProblem::SourceNotRead, spelling};
  return std::nullopt;
}

}  // namespace barloom
