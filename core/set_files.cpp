#include "core/set_files.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/bar_layout.h"
#include "core/own_buttons.h"
#include "platform/code_page.h"
#include "platform/file_bytes.h"
#include "platform/path_text.h"
#include "settings/ini_document.h"

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

MissingIcons MissingSetIcons(std::string_view appFolder, int barCount) {
  MissingIcons missing;
  missing.Folder = IconsFolder(appFolder);
  std::error_code error;
  if (!std::filesystem::is_directory(PathFromUtf8(missing.Folder), error)) {
    missing.FolderMissing = true;
    return missing;
  }
  for (int bar = 1; bar <= barCount && bar <= MaxBarCount; ++bar) {
    for (const BarIcon icon : {BarIcon::Up, BarIcon::Dn}) {
      const std::filesystem::path file = PathFromUtf8(BarIconFile(appFolder, bar, icon));
      if (!std::filesystem::is_regular_file(file, error)) missing.Files.push_back(Utf8FromPath(file.filename()));
    }
  }
  return missing;
}

std::optional<int> SetSizeInFolder(std::string_view saveFolder, std::string_view barFilePrefix,
                                   const std::optional<std::string>& commanderFolder, unsigned codePage) {
  if (saveFolder.empty()) return std::nullopt;
  const std::string folder = AddBackslash(saveFolder);
  const std::optional<std::string> first = ReadFileBytes(PathFromUtf8(folder + BarFileName(barFilePrefix, 1)));
  if (!first) return std::nullopt;
  const SwitchCommands switches(folder, barFilePrefix, commanderFolder, codePage != 0 ? codePage : AnsiCodePage());
  std::vector<std::string> keys;
  for (int button = 1; button <= MaxBarCount + 1; ++button) keys.push_back("cmd" + std::to_string(button));
  int size = 0;
  bool inOrder = true;
  // A bar's values are at most a line long; no buffer cuts a path.
  ReadIniValuesFromBytes(*first, ButtonBarSection, keys, "", first->size() + 2,
                         [&](std::size_t key, std::string_view command) {
                           inOrder = inOrder && switches.BarOf(command) == static_cast<int>(key) + 1;
                           if (inOrder) size = static_cast<int>(key) + 1;
                         });
  if (!IsBarCount(size)) return std::nullopt;
  const std::vector<int> held = BarsInFolder(folder, barFilePrefix);
  for (int bar = 1; bar <= size; ++bar)
    if (std::find(held.begin(), held.end(), bar) == held.end()) return std::nullopt;
  return size;
}

}  // namespace barloom
