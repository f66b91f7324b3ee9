#include "core/wizard_state.h"

#include <filesystem>

#include "platform/path_text.h"

namespace barloom {

std::string TwoDigitNumber(int number) {
  std::string text = std::to_string(number);
  if (text.size() < 2) text.insert(0, 2 - text.size(), '0');
  return text;
}

std::string BarFileName(std::string_view barFilePrefix, int bar) {
  return std::string{barFilePrefix} + TwoDigitNumber(bar) + ".bar";
}

std::string StartUpFolderText(const std::optional<std::string>& lastPath, std::string_view barsParent) {
  return lastPath ? *lastPath : std::string{barsParent} + "bars";
}

std::string SaveFolderFor(std::string_view folderBoxText, std::string_view appFolder) {
  if (folderBoxText.empty()) return {};
  // Joining keeps a full path as it is; on Windows a folder that starts with a separator keeps
  // the program's drive, as the system resolves it.
  std::filesystem::path folder = (PathFromUtf8(appFolder) / PathFromUtf8(folderBoxText)).lexically_normal();
  folder.make_preferred();
  return Utf8FromPath(folder);
}

std::string IconsFolder(std::string_view appFolder) { return std::string{appFolder} + "icons"; }

std::string BarIconFile(std::string_view appFolder, int bar, BarIcon icon) {
  return IconsFolder(appFolder) + PathSeparator + (icon == BarIcon::Up ? "Up_" : "Dn_") + TwoDigitNumber(bar) + ".ico";
}

SetPaths SetPathsFor(const WizardState& choices, std::string_view appFolder, std::string_view barFilePrefix) {
  SetPaths paths;
  paths.BarCount = choices.BarCount;
  paths.SaveFolder = choices.SaveFolder.empty() ? std::string{} : AddBackslash(choices.SaveFolder);
  for (int i = 1; i <= choices.BarCount && i <= MaxBarCount; ++i) {
    paths.BarFiles[i] = paths.SaveFolder + BarFileName(barFilePrefix, i);
    paths.UpIcons[i] = BarIconFile(appFolder, i, BarIcon::Up);
    paths.DnIcons[i] = BarIconFile(appFolder, i, BarIcon::Dn);
  }
  return paths;
}

}  // namespace barloom
