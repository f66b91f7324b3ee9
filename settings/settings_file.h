#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/settings_place.h"

// The settings file "barloom.ini" (beside the program, or where LocateSettings puts it): one
// section "Barloom", and the in-memory settings it fills. A missing value (the profile's NotFoundMarker) is std::nullopt here.
namespace barloom {

class cProfile;

inline constexpr std::string_view SettingsSection = "Barloom";
inline constexpr std::string_view SettingsFileName = "barloom.ini";
inline constexpr std::string_view DefaultBarFilePrefix = "Bar_";
inline constexpr std::int16_t DefaultFontScript = 1;  // the system's default character set
inline constexpr float DefaultWindowTop = 2610;   // twips
inline constexpr float DefaultWindowLeft = 3240;  // twips

struct Settings {
  std::string AppFolder;     // the program's folder, ending in the path separator
  std::string SettingsFile;  // AppFolder + "barloom.ini", or where LocateSettings puts it
  std::string SettingsFolder;  // the folder of SettingsFile, ending in the separator: "bars" lies in it
  SettingsPlace Place = SettingsPlace::BesideProgram;
  std::string BarFilePrefix{DefaultBarFilePrefix};
  std::optional<std::string> LastPath;
  std::optional<std::string> LanguageFile;
  std::int16_t UseDefaultLanguage = 1;  // non-zero: built-in texts
  std::int16_t FontScript = DefaultFontScript;  // font character set of every captioned control
  float WindowTop = DefaultWindowTop;
  float WindowLeft = DefaultWindowLeft;
};

// Sets AppFolder, and SettingsFile where LocateSettings puts it, for a program living in
// `appFolder` (UTF-8).
void SetAppFolder(Settings& settings, std::string_view appFolder,
                  const EnvironmentLookup& environment = SystemEnvironment());

// What the user is told once at the start about where the settings went.
enum class SettingsNotice {
  None,
  MovedToProfile,  // this start is the first in the user's profile: the program's folder cannot be written
  NotKept,         // the settings file cannot be written: changes will not be kept
};

// Reads every key, then the position, all from one read of the file; writes nothing.
// UseDefaultLanguage beyond 16 bits reads as 1 (any such number is non-zero); FontScript beyond
// 16 bits, or not a character set fonts know, reads as 1.
void ReadSettings(Settings& settings, const cProfile& profile);
// The program's start: finishes a write a killed run left half done, creates the file with
// BarFilePrefix at the first start (and its folder in the user's profile), then ReadSettings.
// Tells what the user is to be told of the settings' place.
SettingsNotice LoadSettings(Settings& settings, const cProfile& profile);
// Stores BarFilePrefix, UseDefaultLanguage and (once chosen) LanguageFile: Options OK.
void SaveSettings(const Settings& settings, const cProfile& profile);
// Keeps `fontScript` as FontScript and stores it: Options OK with a language file that names its
// character set, or DefaultFontScript when another language that names none is chosen.
void StoreFontScript(Settings& settings, std::int16_t fontScript, const cProfile& profile);
// Reads MainWindowPosition ("top,left" in twips). Fewer than two fields, or a number that is
// infinite or absurdly far out (beyond 16,000,000 twips), give the default position.
void LoadWindowPosition(Settings& settings, const cProfile& profile);
// Rounds the window's top and left down to whole twips, keeps them and stores them
// ("1200,-15"). A position that LoadWindowPosition would refuse changes nothing.
void StoreWindowPosition(Settings& settings, double top, double left, const cProfile& profile);
// Stores the save-folder box's text as LastPath (trimmed): after a bar set was written.
void StoreLastPath(const Settings& settings, std::string_view folderBoxText, const cProfile& profile);

}  // namespace barloom
