#include "settings/settings_file.h"

#include <cmath>
#include <string>

#include "platform/file_writing.h"
#include "platform/code_page.h"
#include "platform/file_bytes.h"
#include "platform/not_found_marker.h"
#include "platform/path_text.h"
#include "settings/number_text.h"
#include "settings/profile.h"

namespace barloom {

namespace {

constexpr std::string_view BarFilePrefixKey = "BarFilePrefix";
constexpr std::string_view LastPathKey = "LastPath";
constexpr std::string_view LanguageFileKey = "LanguageFile";
constexpr std::string_view UseDefaultLanguageKey = "UseDefaultLanguage";
constexpr std::string_view FontScriptKey = "FontScript";
constexpr std::string_view MainWindowPositionKey = "MainWindowPosition";

// A position this far out (about 11 km at 96 dpi) is no position but damage to the file; it
// would also overflow the pixel arithmetic of the window.
constexpr double MaxWindowCoordinate = 16'000'000;

std::optional<std::string> ReadOptionalText(const ProfileSnapshot& file, std::string_view key) {
  std::string value = file.ReadStringValue(SettingsSection, key, NotFoundMarker);
  if (value == NotFoundMarker) return std::nullopt;
  return value;
}

std::int16_t ReadSmallInteger(const ProfileSnapshot& file, std::string_view key) {
  const std::optional<std::int16_t> value = RoundToInt16(file.ReadIntegerValue(SettingsSection, key, "1"));
  // Beyond 16 bits: the nearest sound value for both keys is the default, which is non-zero,
  // as any huge number is.
  return value.value_or(1);
}

bool UsablePosition(double top, double left) {
  return std::isfinite(top) && std::isfinite(left) && std::fabs(top) <= MaxWindowCoordinate &&
         std::fabs(left) <= MaxWindowCoordinate;
}

void ReadWindowPosition(Settings& settings, const ProfileSnapshot& file) {
  // A missing key reads as "", which has no comma: the default position.
  const std::string text = file.ReadStringValue(SettingsSection, MainWindowPositionKey, "");
  settings.WindowTop = DefaultWindowTop;
  settings.WindowLeft = DefaultWindowLeft;
  const std::size_t comma = text.find(',');
  if (comma == std::string::npos) return;  // fewer than two fields: the default position
  const std::size_t secondEnd = text.find(',', comma + 1);
  const double top = ReadLeadingNumber(std::string_view(text).substr(0, comma));
  const double left = ReadLeadingNumber(std::string_view(text).substr(comma + 1, secondEnd - comma - 1));
  if (!UsablePosition(top, left)) return;
  settings.WindowTop = static_cast<float>(top);
  settings.WindowLeft = static_cast<float>(left);
}

}  // namespace

void SetAppFolder(Settings& settings, std::string_view appFolder, const EnvironmentLookup& environment) {
  settings.AppFolder = AddBackslash(appFolder);
  const SettingsLocation location = LocateSettings(settings.AppFolder, environment);
  settings.SettingsFile = location.File;
  settings.SettingsFolder = location.Folder;
  settings.Place = location.Place;
}

SettingsNotice LoadSettings(Settings& settings, const cProfile& profile) {
  const std::filesystem::path file = PathFromUtf8(settings.SettingsFile);
  FinishInterruptedRewrite(file);
  const bool firstStart = !FileExists(settings.SettingsFile);
  if (firstStart && settings.Place != SettingsPlace::NotKept) {
    if (settings.Place == SettingsPlace::UserProfile) CreateFolders(PathFromUtf8(settings.SettingsFolder));
    profile.WriteStringValue(SettingsSection, BarFilePrefixKey, DefaultBarFilePrefix, settings.SettingsFile);
  }
  ReadSettings(settings, profile);
  // A file that could not be made, or that is there and cannot be written, keeps nothing.
  if (settings.Place == SettingsPlace::NotKept || !FileExists(settings.SettingsFile) || !CanWriteFile(file)) {
    settings.Place = SettingsPlace::NotKept;
    return SettingsNotice::NotKept;
  }
  return firstStart && settings.Place == SettingsPlace::UserProfile ? SettingsNotice::MovedToProfile
                                                                    : SettingsNotice::None;
}

void ReadSettings(Settings& settings, const cProfile& profile) {
  // Every key from one read of the file: one moment's settings, at the cost of one read.
  const ProfileSnapshot file = profile.Snapshot(settings.SettingsFile);
  settings.BarFilePrefix = file.ReadStringValue(SettingsSection, BarFilePrefixKey, DefaultBarFilePrefix);
  settings.LastPath = ReadOptionalText(file, LastPathKey);
  settings.LanguageFile = ReadOptionalText(file, LanguageFileKey);
  settings.UseDefaultLanguage = ReadSmallInteger(file, UseDefaultLanguageKey);
  const std::int16_t fontScript = ReadSmallInteger(file, FontScriptKey);
  // A character set that no font has would leave every caption unreadable.
  settings.FontScript = IsKnownCharset(fontScript) ? fontScript : DefaultFontScript;
  ReadWindowPosition(settings, file);
}

void SaveSettings(const Settings& settings, const cProfile& profile) {
  const std::string& file = settings.SettingsFile;
  profile.WriteStringValue(SettingsSection, BarFilePrefixKey, settings.BarFilePrefix, file);
  profile.WriteIntegerValue(SettingsSection, UseDefaultLanguageKey, settings.UseDefaultLanguage, file);
  if (settings.LanguageFile) profile.WriteStringValue(SettingsSection, LanguageFileKey, *settings.LanguageFile, file);
}

void StoreFontScript(Settings& settings, std::int16_t fontScript, const cProfile& profile) {
  settings.FontScript = fontScript;
  profile.WriteIntegerValue(SettingsSection, FontScriptKey, fontScript, settings.SettingsFile);
}

void LoadWindowPosition(Settings& settings, const cProfile& profile) {
  ReadWindowPosition(settings, profile.Snapshot(settings.SettingsFile));
}

void StoreWindowPosition(Settings& settings, double top, double left, const cProfile& profile) {
  top = std::floor(top);
  left = std::floor(left);
  if (!UsablePosition(top, left)) return;
  settings.WindowTop = static_cast<float>(top);
  settings.WindowLeft = static_cast<float>(left);
  const std::optional<std::string> topText = DecimalText(top);
  const std::optional<std::string> leftText = DecimalText(left);
  if (!topText || !leftText) return;
  profile.WriteStringValue(SettingsSection, MainWindowPositionKey, *topText + "," + *leftText, settings.SettingsFile);
}

void StoreLastPath(const Settings& settings, std::string_view folderBoxText, const cProfile& profile) {
  profile.WriteStringValue(SettingsSection, LastPathKey, folderBoxText, settings.SettingsFile);
}

}  // namespace barloom
