#include "core/set_imports.h"

#include <array>
#include <filesystem>
#include <system_error>
#include <utility>

#include "core/bar_backup.h"
#include "core/set_files.h"
#include "platform/file_bytes.h"
#include "platform/path_text.h"
#include "platform/text_case.h"
#include "settings/ini_document.h"

namespace barloom {
namespace {

// Whether `file` is there to be read (a link to nothing is not).
bool IsThere(const std::filesystem::path& file) {
  std::error_code error;
  return std::filesystem::exists(std::filesystem::status(file, error));
}

// `path` as the system would resolve it, the folders that are there followed, for comparing names.
std::string ComparablePath(const std::filesystem::path& path) {
  std::error_code error;
  std::filesystem::path resolved = std::filesystem::weakly_canonical(std::filesystem::absolute(path, error), error);
  if (error) resolved = path.lexically_normal();
  std::string text = Utf8FromPath(resolved);
#ifdef _WIN32
  text = LowerCaseText(text).value_or(text);  // Windows file systems ignore letter case
#endif
  return text;
}

// Whether the missing file `file` is named like a bar of the set, which the run will write.
bool NamesBarOfSet(const std::filesystem::path& file, const SetPaths& paths) {
  const std::string name = ComparablePath(file);
  for (int bar = 1; bar <= paths.BarCount; ++bar)
    if (ComparablePath(PathFromUtf8(paths.BarFiles[bar])) == name) return true;
  return false;
}

}  // namespace

SetImports::SetImports(const SetPaths& paths, const SlotTable& importFiles, const BaseBars& bases,
                       std::function<std::string(int)> baseBar, unsigned codePage)
    : paths_(paths), importFiles_(importFiles), bases_(bases), baseBar_(std::move(baseBar)), codePage_(codePage) {
  for (int slot = 1; slot <= paths.BarCount; ++slot)
    if (!importFiles[slot].empty()) sources_[importFiles[slot]].LastSlot = slot;
  bool barMissing = false;
  for (int bar = 1; bar <= paths.BarCount; ++bar) barMissing = barMissing || !IsThere(PathFromUtf8(paths.BarFiles[bar]));
  for (auto& [spelling, source] : sources_) {
    const std::filesystem::path file = PathFromUtf8(spelling);
    source.There = IsThere(file);
    if (!source.There) {
      // A source that is gone is an error, unless it is a bar of the set that the run writes.
      if (!NamesBarOfSet(file, paths)) {
        if (!error_) error_ = ReadError(FileProblem::SourceNotRead, spelling, file);
        continue;
      }
      sourcesKnown_ = sourcesKnown_ && !barMissing;
      continue;
    }
    source.Bar = BarOfSet(file, paths).value_or(0);
    for (int bar = 1; bar <= paths.BarCount && source.Bar == 0 && !source.IsBackup; ++bar)
      source.IsBackup = IsSameFile(file, PathFromUtf8(BackupFileOf(paths.BarFiles[bar])));
  }
  // Any other file is read as it is before the run: its count now, so that the progress knows the
  // whole run before it starts. Its buttons are read when their bar is made, which keeps one
  // source in memory at a time; but the bytes of a backup the run will write over are kept, and so
  // are those of the file imported first, which is needed next.
  const std::string* first = nullptr;
  for (int slot = 1; slot <= paths.BarCount && !first; ++slot) {
    if (importFiles[slot].empty()) continue;
    const Source& source = sources_.at(importFiles[slot]);
    if (source.There && source.Bar == 0) first = &importFiles[slot];
  }
  std::map<std::string, BarFileShape> shapes;
  for (auto& [spelling, source] : sources_) {
    if (!source.There || source.Bar != 0) continue;
    std::optional<std::string> bytes = ReadFileBytes(PathFromUtf8(spelling));
    if (!bytes) {
      if (!error_) error_ = ReadError(FileProblem::SourceNotRead, spelling, PathFromUtf8(spelling));
      continue;
    }
    source.CountText = SourceCountText(*bytes);
    shapes[spelling] = ShapeOfBarFile(*bytes);
    if (source.IsBackup || (first && spelling == *first)) source.Earlier = std::move(bytes);
  }
  // Each file that brings no buttons named once, in the order of the slots.
  for (int slot = 1; slot <= paths.BarCount; ++slot) {
    const auto shape = shapes.find(importFiles[slot]);
    if (shape == shapes.end()) continue;
    if (auto warning = ShapeWarning(shape->second, shape->first)) warnings_.push_back(std::move(*warning));
    shapes.erase(shape);
  }
  PlanButtons();
}

void SetImports::PlanButtons() {
  std::array<int, MaxBarCount + 1> countAfterImport{};  // each bar's count once it is made
  for (int slot = 1; slot <= paths_.BarCount; ++slot) {
    countAfterImport[slot] = bases_[slot].Buttons;
    if (importFiles_[slot].empty()) continue;
    const Source& source = sources_.at(importFiles_[slot]);
    // A bar of the set is read as it is by then: itself and the bars after it as written before
    // their imports, the bars before it with their imports.
    const std::string countText = source.Bar >= slot ? std::to_string(bases_[source.Bar].Buttons)
                                  : source.Bar > 0   ? std::to_string(countAfterImport[source.Bar])
                                                     : source.CountText.value_or("0");
    const ImportPlace place = bases_[slot].Place;
    const int buttons = ButtonsToImport(countText, place).Count;
    countAfterImport[slot] = place.After + buttons;
    plannedButtons_ += buttons;
  }
}

std::vector<ReplacedImport> SetImports::ReplacedImports() const {
  std::vector<ReplacedImport> replaced;
  for (int slot = 1; slot <= paths_.BarCount; ++slot) {
    if (importFiles_[slot].empty()) continue;
    if (const int bar = sources_.at(importFiles_[slot]).Bar; bar != 0) replaced.push_back({slot, bar, importFiles_[slot]});
  }
  return replaced;
}

const std::string* SetImports::EarlierBytes(const std::string& spelling) const {
  const auto source = sources_.find(spelling);
  return source != sources_.end() && source->second.Earlier ? &*source->second.Earlier : nullptr;
}

std::optional<FileError> SetImports::ImportInto(int bar, IniDocument& target, Progress& progress,
                                                std::vector<BuildWarning>& warnings) {
  const std::string& spelling = importFiles_[bar];
  Source& source = sources_.at(spelling);
  const ImportPlace place = bases_[bar].Place;
  ImportedButtons imported;
  if (source.Bar >= bar) {
    // The bar itself as it is before its import, or a later bar as written before its own.
    const ButtonImport import =
        ReadButtonImport(source.Bar == bar ? target.Bytes() : baseBar_(source.Bar), place, codePage_);
    ApplyButtonImport(import, target, progress);
    imported = import.Buttons;
  } else {
    if (!source.Read || source.ReadFor != place.After) {
      std::optional<std::string> read;
      if (!source.Earlier) read = ReadFileBytes(PathFromUtf8(spelling));
      const std::string* bytes = source.Earlier ? &*source.Earlier : read ? &*read : nullptr;
      if (!bytes) return ReadError(FileProblem::SourceNotRead, spelling, PathFromUtf8(spelling));
      source.Read = ReadButtonImport(*bytes, place, codePage_);
      source.ReadFor = place.After;
      // The file itself serves any later read, but for a backup the run writes over.
      if (!source.IsBackup || source.LastSlot == bar) source.Earlier.reset();
    }
    ApplyButtonImport(*source.Read, target, progress);
    imported = source.Read->Buttons;
    // A bar of the set is read as it is at each import; any other file stays as it is.
    if (source.Bar != 0 || source.LastSlot == bar) source.Read.reset();
  }
  if (imported.Clamped) warnings.push_back(BuildWarning{ImportProblem::ButtonCountClamped, spelling, imported.Count});
  return std::nullopt;
}

}  // namespace barloom
