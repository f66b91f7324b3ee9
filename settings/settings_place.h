#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// Where barloom.ini lives. Beside the program whenever the program's folder can be written, or
// the file is there and can be written: a portable folder keeps its settings with it. A program
// folder that cannot be written (under Program Files, a locked stick, a managed machine) that
// holds no barloom.ini sends the settings to the user's profile, where the default "bars" folder
// then lies too. A barloom.ini beside the program that can be read but not written is read and
// used; changes to it are not kept.
namespace barloom {

enum class SettingsPlace {
  BesideProgram,  // barloom.ini beside the program, written there
  UserProfile,    // the program's folder cannot be written: in the user's profile
  NotKept,        // read where it is (or the defaults), but it cannot be written
};

struct SettingsLocation {
  SettingsPlace Place = SettingsPlace::BesideProgram;
  std::string File;    // UTF-8 full path of barloom.ini
  std::string Folder;  // the folder it lies in, ending in the path separator
};

// The environment variable `name`'s value, or nullopt; the system's by default.
using EnvironmentLookup = std::function<std::optional<std::string>(std::string_view name)>;
EnvironmentLookup SystemEnvironment();

// The program's folder in the user's profile: %APPDATA%\Barloom on Windows; elsewhere
// $XDG_CONFIG_HOME/barloom, else ~/.config/barloom. nullopt when the variables name none (set
// and empty counts as not set).
std::optional<std::string> UserSettingsFolder(const EnvironmentLookup& environment);

// Where the settings of a program living in `appFolder` (ending in the separator) are, by the
// rule above. The file need not exist yet.
SettingsLocation LocateSettings(std::string_view appFolder, const EnvironmentLookup& environment);

}  // namespace barloom
