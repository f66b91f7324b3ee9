#include "core/set_files.h"

#include <filesystem>
#include <system_error>

#include "platform/file_bytes.h"
#include "platform/path_text.h"

namespace barloom {

std::vector<int> BarsInFolder(std::string_view saveFolder, std::string_view barFilePrefix) {
  std::vector<int> bars;
  if (saveFolder.empty()) return bars;
  const std::filesystem::path folder = PathFromUtf8(saveFolder);
  for (int bar = 1; bar <= MaxBarCount; ++bar) {
    std::error_code error;
    if (std::filesystem::is_regular_file(folder / PathFromUtf8(BarFileName(barFilePrefix, bar)), error))
      bars.push_back(bar);
  }
  return bars;
}

std::vector<std::string> BarsBeyond(const SetPaths& paths, std::string_view barFilePrefix) {
  std::vector<std::string> beyond;
  for (const int bar : BarsInFolder(paths.SaveFolder, barFilePrefix))
    if (bar > paths.BarCount) beyond.push_back(paths.SaveFolder + BarFileName(barFilePrefix, bar));
  return beyond;
}

std::optional<int> BarOfSet(const std::filesystem::path& file, const SetPaths& paths) {
  for (int bar = 1; bar <= paths.BarCount && bar <= MaxBarCount; ++bar)
    if (IsSameFile(file, PathFromUtf8(paths.BarFiles[bar]))) return bar;
  return std::nullopt;
}

std::optional<int> ReplacedBarOf(std::string_view importFile, const WizardState& choices, std::string_view barFilePrefix) {
  if (importFile.empty() || choices.SaveFolder.empty()) return std::nullopt;
  return BarOfSet(PathFromUtf8(importFile), SetPathsFor(choices, "", barFilePrefix));
}

}  // namespace barloom
