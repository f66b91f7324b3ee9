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

// What the user reads when a set could not be built, in the user's language: the problem's
// text (700 to 709), then the file on a line of its own (left out when none is named), then the
// reason the program found (713 to 717) and the detail (the system's words, or the part of a
// name at fault), each on a line of its own when there is one. Lines are joined by line feeds.
// Language texts are only ever put side by side, never used as a format.
std::string FailureReport(const FileError& error, const Settings& settings);

// Every warning in the same way (the text, 710 or 711, then the file, then for a clamped count
// the label 712 "Buttons imported:" with the number), separated by an empty line; "" for none.
std::string WarningsReport(const std::vector<BuildWarning>& warnings, const Settings& settings);

// BuildBarSet; when every file was written: store `folderBoxText` as LastPath in the settings file,
// build the report and set SetCreated. After an error the set is not "created": LastPath stays as it
// was and the user can correct the cause and press Create again.
CreateResult CreateBarSet(WizardState& state, const Settings& settings,
                          const std::optional<std::string>& commanderFolder, std::string_view folderBoxText,
                          const cProfile& profile, ProgressDisplay& display);

}  // namespace barloom
