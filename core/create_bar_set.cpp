#include "core/create_bar_set.h"

#include "localisation/get_text.h"
#include "settings/settings_file.h"

namespace barloom {
namespace {

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

}  // namespace

std::string CreationReport(const Settings& settings) {
  std::string report = GetText(625, settings) + "\n\n";
  for (const int id : {626, 627, 628, 629}) report += GetText(id, settings) + "\n";
  ReplaceAll(report, "Bar_01.bar", settings.BarFilePrefix + "01.bar");
  return report;
}

CreateResult CreateBarSet(WizardState& state, const Settings& settings,
                          const std::optional<std::string>& commanderFolder, std::string_view folderBoxText,
                          const cProfile& profile, ProgressDisplay& display) {
  CreateResult result;
  const BarSetOptions options{settings.AppFolder, settings.BarFilePrefix, commanderFolder};
  result.Build = BuildBarSet(state, options, display);
  if (result.Build.Error) return result;
  StoreLastPath(settings, folderBoxText, profile);
  result.Report = CreationReport(settings);
  state.SetCreated = true;
  return result;
}

}  // namespace barloom
