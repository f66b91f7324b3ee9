#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry.h"

// Paths under Total Commander's folder are written as "%Commander_Path%" + separator + the rest,
// so that the bars keep working wherever Total Commander is installed.
namespace barloom {

// "%Commander_Path%" followed by the native separator.
std::string CommanderPathPrefix();

// `path` with its front replaced by the prefix when it begins with `commanderFolder` (which ends
// in the separator). The front is compared character by character after lower-casing both by the
// system's rules for letters; the rest of the path keeps its case. No folder (nullopt or empty),
// no match, or text that cannot be compared (not UTF-8): `path` unchanged.
std::string FoldCommanderPath(std::string_view path, const std::optional<std::string>& commanderFolder);

// Where CommanderFolder looks; tests put their own answers in.
struct CommanderFolderSources {
  std::function<std::optional<std::string>(std::string_view name)> Environment;
  std::function<std::optional<std::string>(RegistryRoot root, std::string_view subKey, std::string_view valueName)>
      Registry;
};

// The process environment and the system registry.
CommanderFolderSources SystemCommanderFolderSources();

// Total Commander's folder, ending in the separator: the environment variable COMMANDER_PATH
// (any letter case) when set and not empty, else Total Commander's own record (the value InstallDir
// of Software\Ghisler\Total Commander under HKEY_CURRENT_USER, then HKEY_LOCAL_MACHINE). nullopt
// when neither knows it: then nothing is folded (a lone separator would match every network path).
std::optional<std::string> CommanderFolder(const CommanderFolderSources& sources = SystemCommanderFolderSources());

}  // namespace barloom
