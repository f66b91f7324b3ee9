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

}  // namespace barloom
