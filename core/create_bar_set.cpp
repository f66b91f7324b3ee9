#include "core/create_bar_set.h"

#include "core/current_bar.h"
#include "localisation/language_file.h"
#include "settings/settings_file.h"

namespace barloom {

StartChoices DefaultChoices(const Settings& settings) {
  StartChoices start;
  // The default "bars" folder lies beside the settings file: beside the program, or in the user's
  // profile when the program's folder cannot be written.
  const std::string& barsParent = settings.SettingsFolder.empty() ? settings.AppFolder : settings.SettingsFolder;
  start.FolderBoxText = StartUpFolderText(settings.LastPath, barsParent);
  const std::string bars = StartUpFolderText(std::nullopt, barsParent);
  start.Choices.SaveFolder = SaveFolderFor(start.FolderBoxText.empty() ? bars : start.FolderBoxText, settings.AppFolder);
  return start;
}

CreateResult CreateBarSet(const WizardState& choices, const Settings& settings, const LoadedLanguage& language,
                          const std::optional<std::string>& commanderFolder, ProgressDisplay& display,
                          const CommanderFolderSources& sources) {
  CreateResult result;
  const BarSetOptions options{settings.AppFolder, settings.BarFilePrefix, commanderFolder};
  result.Build = BuildBarSet(choices, options, display);
  const bool inUse = !result.Build.Error && BarNaming(result.Build.Paths.BarFiles[1], sources).has_value();
  result.Report = ReportOf(result.Build, language, settings.BarFilePrefix, inUse);
  return result;
}

std::vector<OwnButtonsOnBar> OwnButtonsToDrop(const WizardState& choices, const Settings& settings,
                                              const std::optional<std::string>& commanderFolder) {
  return OwnButtonsToDrop(choices, BarSetOptions{settings.AppFolder, settings.BarFilePrefix, commanderFolder});
}

}  // namespace barloom
