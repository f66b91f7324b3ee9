#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/bar_set.h"

// Create: the whole of what happens when the user presses Create at Step 3.
namespace barloom {

struct Settings;
class cProfile;

struct CreateResult {
  BuildResult Build;
  std::string Report;  // the installation steps to show; empty when the set could not be written
};

// The installation steps: texts 625, 626 .. 629 in the user's language, joined by line feeds
// (625, two line feeds, then each of the others followed by one), with every "Bar_01.bar" (exact
// case) replaced by the set's own first file name, BarFilePrefix + "01.bar".
std::string CreationReport(const Settings& settings);

// BuildBarSet; when every file was written: store `folderBoxText` as LastPath in the settings file,
// build the report and set SetCreated. After an error the set is not "created": LastPath stays as it
// was and the user can correct the cause and press Create again.
CreateResult CreateBarSet(WizardState& state, const Settings& settings,
                          const std::optional<std::string>& commanderFolder, std::string_view folderBoxText,
                          const cProfile& profile, ProgressDisplay& display);

}  // namespace barloom
