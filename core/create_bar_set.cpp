#include "core/create_bar_set.h"

#include "localisation/language_file.h"
#include "settings/settings_file.h"

namespace barloom {

StartChoices DefaultChoices(const Settings& settings) {
  StartChoices start;
  start.FolderBoxText = StartUpFolderText(settings.LastPath, settings.AppFolder);
  const std::string bars = StartUpFolderText(std::nullopt, settings.AppFolder);
  start.Choices.SaveFolder = SaveFolderFor(start.FolderBoxText.empty() ? bars : start.FolderBoxText, settings.AppFolder);
  return start;
}

CreateResult CreateBarSet(const WizardState& choices, const Settings& settings,
                          const std::optional<std::string>& commanderFolder, ProgressDisplay& display) {
  CreateResult result;
  const BarSetOptions options{settings.AppFolder, settings.BarFilePrefix, commanderFolder};
  result.Build = BuildBarSet(choices, options, display);
  result.Report = ReportOf(result.Build, LoadedLanguage{settings}, settings.BarFilePrefix);
  return result;
}

}  // namespace barloom
