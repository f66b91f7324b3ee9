#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/bar_import.h"
#include "core/wizard_state.h"
#include "settings/ini_document.h"

// A set created again over bars of the same names can keep each bar's own buttons: every button
// but the set's own (the leading switch buttons, the separator after them and the placeholder that
// reloads the bar), behind the new bar's switch buttons, separator and placeholder.
namespace barloom {

// Tells the set's switch buttons by their command: the path of a bar file of the set's prefix in
// its folder (bars 01 to 20, of any set size), folded under Total Commander's folder or not,
// compared without regard to case.
class SwitchCommands {
 public:
  SwitchCommands(std::string_view saveFolder, std::string_view barFilePrefix,
                 const std::optional<std::string>& commanderFolder, unsigned codePage);

  // The bar (1..MaxBarCount) that the command `cmdBytes`, as a bar file stores it, switches to;
  // nullopt for any other command.
  std::optional<int> BarOf(std::string_view cmdBytes) const;
  unsigned CodePage() const { return codePage_; }

 private:
  std::array<std::string, MaxBarCount + 1> plain_;   // each bar's path, lower-cased
  std::array<std::string, MaxBarCount + 1> folded_;  // the same folded, lower-cased
  unsigned codePage_;
};

// The numbers of the buttons `earlierBar`, the file of bar `bar`, holds of its own, in order: all
// of its buttons but the set's own (the leading switch buttons, the separator right after them and
// the first button after those that reloads the bar itself, where an import has not taken its
// place). A bar that does not begin with a switch button holds only buttons of its own.
std::vector<int> OwnButtonNumbers(std::string_view earlierBar, int bar, const SwitchCommands& switches);

// A button as the import carries it: the values of ButtonKeys, nullopt where a key is missing.
using CarriedButton = std::array<std::optional<std::string>, ButtonKeys.size()>;

// The buttons of the bar file `barBytes`, 1 to its count (read as an import reads a source's), as
// the import carries them, in one pass.
std::vector<CarriedButton> ReadCarriedButtons(std::string_view barBytes, unsigned codePage);

// `own`, the own buttons of `earlierBar`, without those an earlier Create imported from `source`
// (ReadCarriedButtons), the source this Create imports into the bar again: the last run of `own`
// that equals the source's buttons, all of them in their order, key by key. This Create brings
// them anew; kept, they would be there twice. A button the user added behind them, or kept before
// them, stays the bar's own, and so does a run the user has changed.
std::vector<int> WithoutReimportedButtons(std::vector<int> own, std::string_view earlierBar,
                                          const std::vector<CarriedButton>& source, unsigned codePage);

// The buttons bar `bar` of a set of `barCount` bars keeps of `own`, buttons of `earlierBar` its file
// held: the first ones that fit below the largest button number. Each kept button takes the keys
// button, cmd, path, menu, param and iconic that it has, with their values as the profile reads
// them (written so that they read back the same: CarriedValue, a bar saved as UTF-8 read as UTF-8),
// numbered from barCount + 3 on, behind the new placeholder; then Buttoncount.
struct OwnButtons {
  int Count = 0;         // buttons kept
  bool Clamped = false;  // more would not fit below the largest button number: the first ones came
  IniKeyWrites Writes;   // the kept buttons' keys, then Buttoncount; nothing when none is kept
};
OwnButtons ReadOwnButtons(std::string_view earlierBar, const std::vector<int>& own, int barCount, unsigned codePage);

// ReadOwnButtons without the writes: how many of `own` would be kept.
OwnButtons CountOwnButtons(const std::vector<int>& own, int barCount);

// How many buttons `earlierBar`, the file of bar `bar`, holds of its own (OwnButtonNumbers).
int OwnButtonCount(std::string_view earlierBar, int bar, const SwitchCommands& switches);

// What the user knows each of `own`, buttons of `earlierBar`, by, in their order: its tooltip
// (menu), else its command, as text; "" for a button with neither (a separator).
std::vector<std::string> OwnButtonNames(std::string_view earlierBar, const std::vector<int>& own, unsigned codePage);

// `generatedBar` with the own buttons behind it.
std::string WithOwnButtons(std::string generatedBar, const OwnButtons& own);

}  // namespace barloom
