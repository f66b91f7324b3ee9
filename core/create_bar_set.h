#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "core/bar_set.h"
#include "core/commander_path.h"
#include "core/create_report.h"

// Create: the whole of what happens when the user presses Create at Step 3, and what barloom-cli
// create does: one path for both.
namespace barloom {

class LoadedLanguage;
struct Settings;

// The choices a Create starts from before the user or the arguments change them: two bars, no
// imports, no buttons kept, and the folder the last Create wrote to.
struct StartChoices {
  // SaveFolder is the folder box's folder; an empty stored LastPath, which names no folder (the
  // window cannot create from an empty box), gives the "bars" folder beside the program.
  WizardState Choices;
  std::string FolderBoxText;  // a stored LastPath as stored, else the "bars" folder beside the program
};
StartChoices DefaultChoices(const Settings& settings);

struct CreateResult {
  BuildResult Build;
  CreateReport Report;
};

// BuildBarSet from `choices` with the program's folder and the prefix of `settings`, folding the
// paths under `commanderFolder`, then the report in `language`; its installation steps depend on
// whether the wincmd.ini that `sources` lead to names bar 1 of the set already (BarNaming). The
// choices are only read: what follows belongs to the caller (the window marks the set created and
// remembers the folder; barloom-cli prints). It touches nothing but the files and `display`, and
// reads `choices`, `settings` and `language` while it runs: on another thread, give it copies or
// leave them unchanged until it returns.
CreateResult CreateBarSet(const WizardState& choices, const Settings& settings, const LoadedLanguage& language,
                          const std::optional<std::string>& commanderFolder, ProgressDisplay& display,
                          const CommanderFolderSources& sources = SystemCommanderFolderSources());

// OwnButtonsToDrop for `choices` with the program's folder and the prefix of `settings`, the
// paths folded under `commanderFolder` as CreateBarSet folds them: the bars whose own buttons a
// Create of `choices` would drop.
std::vector<OwnButtonsOnBar> OwnButtonsToDrop(const WizardState& choices, const Settings& settings,
                                              const std::optional<std::string>& commanderFolder);

}  // namespace barloom
