#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/commander_path.h"

// Which wincmd.ini Total Commander uses, found the way Total Commander finds it.
namespace barloom {

inline constexpr std::string_view CommanderIniName = "wincmd.ini";

// What chose the file.
enum class IniRule {
  Chosen,                // named by the user (barloom-cli --ini, or picked in the window)
  CommanderIniVariable,  // the environment variable COMMANDER_INI, set by Total Commander for the programs it starts
  ProgramFolder,         // wincmd.ini in Total Commander's folder, whose UseIniInProgramDir says to use it
  RegistryCurrentUser,   // IniFileName under HKEY_CURRENT_USER\Software\Ghisler\Total Commander
  RegistryLocalMachine,  // the same under HKEY_LOCAL_MACHINE
  AppData,               // %APPDATA%\GHISLER\wincmd.ini
  WindowsFolder,         // %WINDIR%\wincmd.ini
};

struct IniLocation {
  std::string File;  // full path, UTF-8; the two rules that name a file decide even when it is missing
  IniRule Rule = IniRule::Chosen;
};

// The value of an environment variable (or of one Total Commander defines for its own files),
// nullopt when there is none.
using VariableLookup = std::function<std::optional<std::string>(std::string_view name)>;

// `text` with every %NAME% that `lookup` knows (names in any letter case, as Windows has them)
// replaced by its value; unknown ones stay as they are, as the system leaves them.
std::string ExpandVariables(std::string_view text, const VariableLookup& lookup);

// `name` (variables expanded) as a full path: as it is when it is a full path, else inside
// `folder`, in plain form ("." and ".." steps taken).
std::string PathInFolder(std::string_view name, std::string_view folder, const VariableLookup& lookup);

// The wincmd.ini Total Commander uses, in this order: the environment variable COMMANDER_INI
// (alone, when set); else wincmd.ini in Total Commander's folder (CommanderFolder) when its
// [Configuration] UseIniInProgramDir has the bit of value 1 set; else, unless that number has the
// bit of value 4 ("ignore the registry"), the registry value IniFileName (the current user's, then
// the machine's; variables expanded, a name without a folder in the Windows folder, one with a
// folder that is not a full path, ".\" among them, in Total Commander's folder); else
// %APPDATA%\GHISLER\wincmd.ini, then %WINDIR%\wincmd.ini, each when it exists. nullopt when none
// of them names a file.
std::optional<IniLocation> FindCommanderIni(const CommanderFolderSources& sources);

// The variables a value in Total Commander's configuration may use: those of the environment, and
// where the environment lacks them those Total Commander sets for itself: COMMANDER_PATH (its
// folder, `commanderFolder`), COMMANDER_INI (`iniFile`) and COMMANDER_INI_PATH (its folder).
VariableLookup CommanderVariables(std::string_view iniFile, const std::optional<std::string>& commanderFolder,
                                  const CommanderFolderSources& sources);

}  // namespace barloom
