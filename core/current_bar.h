#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "core/bar_key_places.h"
#include "core/commander_ini.h"

// What Total Commander's configuration says of a bar now: which file its key names, and whether
// [Layout] shows it.
namespace barloom {

struct CurrentBar {
  BarKeyPlaces Places;
  std::optional<std::string> File;   // the bar's key, as text; nullopt when it is not there
  std::optional<std::string> Shown;  // the [Layout] key; nullopt when it is not there
};

// `kind`'s keys as `iniFile` and the files its sections are redirected to hold them; nullopt when
// `iniFile` is missing or cannot be read (a redirected file that cannot be read holds nothing).
std::optional<CurrentBar> ReadCurrentBar(std::string_view iniFile, BarKind kind, const VariableLookup& variables);

// Whether the bar key's `value` names `file`: the same file once its variables are expanded,
// however it is spelled.
bool NamesFile(std::string_view value, std::string_view file, const VariableLookup& variables);

// The bar (main first) whose key in the wincmd.ini that Total Commander uses names `barFile`;
// nullopt when none does or no wincmd.ini is found.
std::optional<BarKind> BarNaming(std::string_view barFile, const CommanderFolderSources& sources);

}  // namespace barloom
