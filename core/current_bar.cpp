#include "core/current_bar.h"

#include "core/commander_config_file.h"
#include "platform/file_bytes.h"
#include "platform/path_text.h"

namespace barloom {

std::optional<CurrentBar> ReadCurrentBar(std::string_view iniFile, BarKind kind, const VariableLookup& variables) {
  const std::optional<std::string> bytes = ReadFileBytes(PathFromUtf8(iniFile));
  if (!bytes) return std::nullopt;
  const CommanderConfigFile ini{*bytes};
  CurrentBar bar{FindBarKeyPlaces(ini, iniFile, kind, variables), {}, {}};
  const auto read = [&](const KeyPlace& place) -> std::optional<std::string> {
    if (place.File == iniFile) return ini.Read(place.Section, place.Key);
    const std::optional<std::string> other = ReadFileBytes(PathFromUtf8(place.File));
    return other ? CommanderConfigFile(*other).Read(place.Section, place.Key) : std::nullopt;
  };
  bar.File = read(bar.Places.Bar);
  bar.Shown = read(bar.Places.Layout);
  return bar;
}

bool NamesFile(std::string_view value, std::string_view file, const VariableLookup& variables) {
  const std::string expanded = ExpandVariables(value, variables);
  if (expanded.empty()) return false;
  const std::string named = PathInFolder(expanded, "", variables);
  return named == PathInFolder(file, "", variables) || IsSameFile(PathFromUtf8(named), PathFromUtf8(file));
}

std::optional<BarKind> BarNaming(std::string_view barFile, const CommanderFolderSources& sources) {
  const std::optional<IniLocation> ini = FindCommanderIni(sources);
  if (!ini) return std::nullopt;
  const VariableLookup variables = CommanderVariables(ini->File, CommanderFolder(sources), sources);
  for (const BarKind kind : {BarKind::Main, BarKind::Vertical}) {
    const std::optional<CurrentBar> bar = ReadCurrentBar(ini->File, kind, variables);
    if (bar && bar->File && NamesFile(*bar->File, barFile, variables)) return kind;
  }
  return std::nullopt;
}

}  // namespace barloom
