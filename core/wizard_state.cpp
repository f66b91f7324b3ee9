#include "core/wizard_state.h"

#include <filesystem>

#include "platform/path_text.h"

namespace barloom {

std::string TwoDigitNumber(int number) {
  std::string text = std::to_string(number);
  if (text.size() < 2) text.insert(0, 2 - text.size(), '0');
  return text;
}

StartFolder StartUpFolder(const std::optional<std::string>& lastPath, std::string_view appFolder) {
  if (lastPath) return {*lastPath, AddBackslash(*lastPath)};
  const std::string bars = std::string{appFolder} + "bars";
  return {bars, AddBackslash(bars)};
}

std::string SaveFolderFor(std::string_view folderBoxText, std::string_view appFolder) {
  if (folderBoxText.empty()) return {};
  // Joining keeps a full path as it is; on Windows a folder that starts with a separator keeps
  // the program's drive, as the system resolves it.
  std::filesystem::path folder = (PathFromUtf8(appFolder) / PathFromUtf8(folderBoxText)).lexically_normal();
  folder.make_preferred();
  return AddBackslash(Utf8FromPath(folder));
}

std::string BarIconFile(std::string_view appFolder, int bar, BarIcon icon) {
  return std::string{appFolder} + "icons" + PathSeparator + (icon == BarIcon::Up ? "Up_" : "Dn_") +
         TwoDigitNumber(bar) + ".ico";
}

void FillSlotPaths(WizardState& state, std::string_view appFolder, std::string_view barFilePrefix) {
  for (int i = 1; i <= state.BarCount && i <= MaxBarCount; ++i) {
    state.BarFiles[i] = state.SaveFolder + std::string{barFilePrefix} + TwoDigitNumber(i) + ".bar";
    state.UpIcons[i] = BarIconFile(appFolder, i, BarIcon::Up);
    state.DnIcons[i] = BarIconFile(appFolder, i, BarIcon::Dn);
  }
}

}  // namespace barloom
