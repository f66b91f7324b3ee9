#include "settings/settings_place.h"

#include <filesystem>
#include <system_error>

#include "platform/atomic_file.h"
#include "platform/environment.h"
#include "platform/path_text.h"

namespace barloom {
namespace {

constexpr std::string_view SettingsName = "barloom.ini";

std::optional<std::string> NonEmpty(const EnvironmentLookup& environment, std::string_view name) {
  std::optional<std::string> value = environment(name);
  if (value && value->empty()) return std::nullopt;
  return value;
}

bool IsFile(const std::filesystem::path& file) {
  std::error_code error;
  return std::filesystem::is_regular_file(file, error);
}

}  // namespace

EnvironmentLookup SystemEnvironment() {
  return [](std::string_view name) { return EnvironmentValue(name); };
}

std::optional<std::string> UserSettingsFolder(const EnvironmentLookup& environment) {
#ifdef _WIN32
  const std::optional<std::string> appData = NonEmpty(environment, "APPDATA");
  if (!appData) return std::nullopt;
  return AddBackslash(*appData) + "Barloom";
#else
  if (const auto config = NonEmpty(environment, "XDG_CONFIG_HOME")) return AddBackslash(*config) + "barloom";
  if (const auto home = NonEmpty(environment, "HOME")) return AddBackslash(*home) + ".config/barloom";
  return std::nullopt;
#endif
}

SettingsLocation LocateSettings(std::string_view appFolder, const EnvironmentLookup& environment) {
  SettingsLocation beside{SettingsPlace::BesideProgram, std::string{appFolder} + std::string{SettingsName},
                          std::string{appFolder}};
  const std::filesystem::path file = PathFromUtf8(beside.File);
  const bool there = IsFile(file);
  if (there) {
    if (!CanWriteFile(file)) beside.Place = SettingsPlace::NotKept;
    return beside;
  }
  // A folder that is not there is no program's: nothing to move away from.
  std::error_code error;
  if (!std::filesystem::is_directory(PathFromUtf8(appFolder), error) || CanCreateFilesIn(PathFromUtf8(appFolder)))
    return beside;
  const std::optional<std::string> profile = UserSettingsFolder(environment);
  if (!profile) {
    beside.Place = SettingsPlace::NotKept;
    return beside;
  }
  const std::string folder = AddBackslash(*profile);
  return SettingsLocation{SettingsPlace::UserProfile, folder + std::string{SettingsName}, folder};
}

}  // namespace barloom
