#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The wizard's choices and the paths derived from them, kept apart from any window so that the
// bar set can be written, imported into and created without a user interface.
namespace barloom {

inline constexpr int MinBarCount = 2;
inline constexpr int MaxBarCount = 20;

// One entry per bar, numbered 1..MaxBarCount; entry 0 exists but is never used.
using SlotTable = std::array<std::string, MaxBarCount + 1>;

struct WizardState {
  std::int16_t BarCount = MinBarCount;  // MinBarCount..MaxBarCount
  std::string SaveFolder;               // always ends in the path separator
  SlotTable BarFiles;                   // full path of bar i's file (filled by WriteBarFiles)
  SlotTable UpIcons;                    // icon of a switch button to bar i
  SlotTable DnIcons;                    // icon of bar i's own switch button
  SlotTable ImportFiles;                // existing bar whose buttons bar i receives; "" for none
  bool SetCreated = false;              // the set was written with the present choices
  bool ImportClicksLive = false;        // a click on a bar-number button may open the file dialog
  std::int16_t CurrentStep = 0;         // 0, 1, 2: Step 1, 2, 3
};

// `number` (1..99) as two digits: "01" .. "20".
std::string TwoDigitNumber(int number);

// The folder box text and SaveFolder at start-up: a stored LastPath as stored (SaveFolder with
// the separator added), else the "bars" folder beside the program.
struct StartFolder {
  std::string FolderBoxText;
  std::string SaveFolder;
};
StartFolder StartUpFolder(const std::optional<std::string>& lastPath, std::string_view appFolder);

// The folder Create writes into for the text of the folder box: a relative folder lies beside the
// program, and the result is a full path in plain form (no "." or ".." steps, which would keep a
// folder under Total Commander's from being folded), ending in the separator. An empty box names
// no folder: "".
std::string SaveFolderFor(std::string_view folderBoxText, std::string_view appFolder);

// The two images of bar `bar`'s switch button: Up on the other bars, Dn on its own bar.
enum class BarIcon { Up, Dn };
// The icon file of that image: appFolder + "icons" + separator + "Up_" or "Dn_" + NN + ".ico".
std::string BarIconFile(std::string_view appFolder, int bar, BarIcon icon);

// Fills BarFiles, UpIcons and DnIcons for slots 1..BarCount: SaveFolder + prefix + NN + ".bar",
// and the two icon files of BarIconFile.
void FillSlotPaths(WizardState& state, std::string_view appFolder, std::string_view barFilePrefix);

}  // namespace barloom
