#include "core/create_bar_set.h"

#include "localisation/get_text.h"
#include "localisation/language_file.h"
#include "settings/settings_file.h"

namespace barloom {
namespace {

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

}  // namespace

StartChoices DefaultChoices(const Settings& settings) {
  StartChoices start;
  start.FolderBoxText = StartUpFolderText(settings.LastPath, settings.AppFolder);
  const std::string bars = StartUpFolderText(std::nullopt, settings.AppFolder);
  start.Choices.SaveFolder = SaveFolderFor(start.FolderBoxText.empty() ? bars : start.FolderBoxText, settings.AppFolder);
  return start;
}

std::string CreateReport::MessageText() const {
  if (!Failure.empty()) return Failure;
  return Warnings.empty() ? Steps : Steps + "\n" + Warnings;
}

std::string CreationReport(const LoadedLanguage& language, std::string_view barFilePrefix) {
  std::string report = GetText(625, language) + "\n\n";
  for (const int id : {626, 627, 628, 629}) report += GetText(id, language) + "\n";
  ReplaceAll(report, "Bar_01.bar", BarFileName(barFilePrefix, 1));
  return report;
}

CreateResult CreateBarSet(const WizardState& choices, const Settings& settings,
                          const std::optional<std::string>& commanderFolder, ProgressDisplay& display) {
  CreateResult result;
  const BarSetOptions options{settings.AppFolder, settings.BarFilePrefix, commanderFolder};
  result.Build = BuildBarSet(choices, options, display);
  const LoadedLanguage language{settings};
  result.Report.Warnings = WarningsReport(result.Build.Warnings, language);
  if (result.Build.Error)
    result.Report.Failure = FailureReport(*result.Build.Error, language);
  else
    result.Report.Steps = CreationReport(language, settings.BarFilePrefix);
  return result;
}

}  // namespace barloom
