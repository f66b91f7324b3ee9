#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The wizard's choices, kept apart from any window so that the bar set can be written, imported
// into and created without a user interface, and the paths a set derives from them.
namespace barloom {

inline constexpr int MinBarCount = 2;
inline constexpr int MaxBarCount = 20;
// A set has 2 to 20 bars.
constexpr bool IsBarCount(int count) { return count >= MinBarCount && count <= MaxBarCount; }

// The wizard's three steps, in their order.
enum class WizardStep : std::int16_t { BarCount, SaveFolder, Imports };

// One entry per bar, numbered 1..MaxBarCount; entry 0 exists but is never used.
using SlotTable = std::array<std::string, MaxBarCount + 1>;

struct WizardState {
  std::int16_t BarCount = MinBarCount;  // MinBarCount..MaxBarCount
  std::string SaveFolder;               // the folder the bars are written to (SaveFolderFor the folder box)
  SlotTable ImportFiles;                // existing bar whose buttons bar i receives; "" for none
  bool KeepButtons = false;             // bars of the set's names already in the folder keep their own buttons
  bool SetCreated = false;              // the set was written with the present choices
  bool ImportClicksLive = false;        // a click on a bar-number button may open the file dialog
  WizardStep CurrentStep = WizardStep::BarCount;
};

// The paths of a set, derived from the choices: every bar names all others, so all are known
// before the first file is written.
struct SetPaths {
  int BarCount = 0;
  std::string SaveFolder;  // ends in the path separator
  SlotTable BarFiles;      // full path of bar i's file
  SlotTable UpIcons;       // icon of a switch button to bar i
  SlotTable DnIcons;       // icon of bar i's own switch button
};

// `number` (1..99) as two digits: "01" .. "20".
std::string TwoDigitNumber(int number);

// The name of bar `bar`'s file: prefix + NN + ".bar".
std::string BarFileName(std::string_view barFilePrefix, int bar);

// The folder box's text at start-up: a stored LastPath as stored, else the "bars" folder in
// `barsParent` (the settings file's folder: beside the program, or in the user's profile).
std::string StartUpFolderText(const std::optional<std::string>& lastPath, std::string_view barsParent);

// The folder Create writes into for the text of the folder box: a relative folder lies beside the
// program, and the result is a full path in plain form (no "." or ".." steps, which would keep a
// folder under Total Commander's from being folded). An empty box names no folder: "".
std::string SaveFolderFor(std::string_view folderBoxText, std::string_view appFolder);

// The folder the bars' icons lie in: appFolder + "icons".
std::string IconsFolder(std::string_view appFolder);

// The two images of bar `bar`'s switch button: Up on the other bars, Dn on its own bar.
enum class BarIcon { Up, Dn };
// The icon file of that image: IconsFolder + separator + "Up_" or "Dn_" + NN + ".ico".
std::string BarIconFile(std::string_view appFolder, int bar, BarIcon icon);

// The paths of bars 1..BarCount of `choices`: SaveFolder with the separator added (here, and only
// here: a set's folder ends in it wherever it is used) + prefix + NN + ".bar", appFolder + "icons" + separator + "Up_" / "Dn_" + NN + ".ico".
SetPaths SetPathsFor(const WizardState& choices, std::string_view appFolder, std::string_view barFilePrefix);

}  // namespace barloom
