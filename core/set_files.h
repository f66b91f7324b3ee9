#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/wizard_state.h"

// The bar files of a set's names that its folder already holds, and which bar of the set a file is:
// what the window shows at Step 3 before Create replaces anything.
namespace barloom {

// The numbers (ascending, 1..MaxBarCount) of the bars prefix + NN + ".bar" that `saveFolder` holds
// as files. The window's keep-buttons check box shows while there is one, with their count.
std::vector<int> BarsInFolder(std::string_view saveFolder, std::string_view barFilePrefix);

// The bars of `paths`' names beyond its count that its folder holds (full paths, ascending): the
// bars of an earlier, larger set, which the set leaves as they are.
std::vector<std::string> BarsBeyond(const SetPaths& paths, std::string_view barFilePrefix);

// The bar of `paths` that `file` is (the same file, however spelled, while both are there);
// nullopt for any other file.
std::optional<int> BarOfSet(const std::filesystem::path& file, const SetPaths& paths);

// The bar of the set of `choices` that `importFile` is (the same file, however spelled), while both
// are there: Create replaces that file, so the import reads it as the set makes it. nullopt for any
// other file.
std::optional<int> ReplacedBarOf(std::string_view importFile, const WizardState& choices, std::string_view barFilePrefix);

// The icons the bars of a set of `barCount` bars point into (Up_NN.ico and Dn_NN.ico of bars
// 1..barCount in IconsFolder(appFolder)) that are not there: the whole folder, or the files it
// lacks. Nothing is missing when the folder holds them all as files.
struct MissingIcons {
  std::string Folder;              // IconsFolder(appFolder)
  bool FolderMissing = false;      // no such folder: every icon is missing
  std::vector<std::string> Files;  // the names the folder lacks ("Up_03.ico"), bar by bar, Up before Dn
  bool Any() const { return FolderMissing || !Files.empty(); }
};
MissingIcons MissingSetIcons(std::string_view appFolder, int barCount);

// The number of bars of the set of `barFilePrefix` that `saveFolder` holds: bar 1's leading
// switch buttons lead to bars 1, 2, .. n of the set in that order (their commands as Create
// writes them, folded under `commanderFolder` or not), and the folder holds all n. nullopt when it
// holds no such set of 2 to 20 bars (no bar 1, or a bar 1 that does not begin so, or one of its
// bars missing). `codePage` 0 is the system's ANSI code page, as Create writes the bars in.
std::optional<int> SetSizeInFolder(std::string_view saveFolder, std::string_view barFilePrefix,
                                   const std::optional<std::string>& commanderFolder, unsigned codePage = 0);

}  // namespace barloom
