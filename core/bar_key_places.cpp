#include "core/bar_key_places.h"

#include <optional>

#include "core/commander_config_file.h"
#include "platform/ascii_text.h"
#include "platform/path_text.h"

namespace barloom {
namespace {

constexpr std::string_view RedirectKey = "RedirectSection";
constexpr std::string_view ConfigurationSection = "Configuration";
constexpr std::string_view AlternateKey = "AlternateUserIni";

std::optional<std::string> NonEmpty(std::optional<std::string> value) {
  if (value && Trim(*value, SpacesAndTabs).empty()) return std::nullopt;
  return value;
}

KeyPlace PlaceOf(const CommanderConfigFile& ini, std::string_view iniFile, std::string_view section,
                 std::string_view key, bool followsAlternate, const VariableLookup& variables) {
  const std::string folder = Utf8FromPath(PathFromUtf8(iniFile).parent_path());
  const std::optional<std::string> alternate = NonEmpty(ini.Read(ConfigurationSection, AlternateKey));
  const auto in = [&](std::string_view name) { return PathInFolder(name, folder, variables); };
  KeyPlace place{std::string{iniFile}, std::string{section}, std::string{key}, PlaceRule::InIni};
  const std::optional<std::string> redirect = NonEmpty(ini.Read(section, RedirectKey));
  if (!redirect) {
    if (followsAlternate && alternate) place = {in(*alternate), place.Section, place.Key, PlaceRule::AlternateByDefault};
    return place;
  }
  const std::string_view value = Trim(*redirect, SpacesAndTabs);
  if (value == "0") {
    place.Rule = PlaceRule::NotRedirected;
  } else if (value == "1") {
    // Without an alternate file there is nowhere else to go.
    if (alternate) place = {in(*alternate), place.Section, place.Key, PlaceRule::RedirectedToAlternate};
  } else {
    place = {in(value), place.Section, place.Key, PlaceRule::RedirectedToFile};
  }
  return place;
}

}  // namespace

std::string_view BarSection(BarKind kind) { return kind == BarKind::Main ? "Buttonbar" : "ButtonbarVertical"; }

std::string_view LayoutKey(BarKind kind) { return kind == BarKind::Main ? "ButtonBar" : "ButtonBarVertical"; }

BarKeyPlaces FindBarKeyPlaces(const CommanderConfigFile& ini, std::string_view iniFile, BarKind kind,
                              const VariableLookup& variables) {
  return {PlaceOf(ini, iniFile, BarSection(kind), BarFileKey, true, variables),
          PlaceOf(ini, iniFile, LayoutSection, LayoutKey(kind), false, variables)};
}

}  // namespace barloom
