// Arbitrary bytes as the settings file, loaded as at the program's start, then a window position
// stored into it. Checked:
//  - the start reads the same values as one profile call per key would (the rules of each key);
//  - an existing file is left as it was by the start;
//  - the font character set is one fonts know, the window position a usable one;
//  - storing a position changes no other setting, and the position reads back (rounded down to
//    whole twips) when it is usable, else the file stays as it was.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_files.h"
#include "platform/code_page.h"
#include "platform/file_bytes.h"
#include "platform/not_found_marker.h"
#include "platform/path_text.h"
#include "settings/number_text.h"
#include "settings/profile.h"
#include "settings/settings_file.h"

namespace {

using namespace barloom;
using fuzz::Check;

std::optional<std::string> PerCallText(const cProfile& profile, const std::string& file, std::string_view key) {
  std::string value = profile.ReadStringValue(SettingsSection, key, NotFoundMarker, file);
  if (value == NotFoundMarker) return std::nullopt;
  return value;
}

std::int16_t PerCallSmallInteger(const cProfile& profile, const std::string& file, std::string_view key) {
  return RoundToInt16(profile.ReadIntegerValue(SettingsSection, key, "1", file)).value_or(1);
}

bool SameValues(const Settings& a, const Settings& b) {
  return a.BarFilePrefix == b.BarFilePrefix && a.LastPath == b.LastPath && a.LanguageFile == b.LanguageFile &&
         a.UseDefaultLanguage == b.UseDefaultLanguage && a.FontScript == b.FontScript;
}

bool Usable(double coordinate) { return std::isfinite(coordinate) && std::fabs(coordinate) <= 16'000'000; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  // Mostly positions a screen could have, now and then any number at all.
  const auto coordinate = [&provider] {
    return provider.ConsumeBool() ? provider.ConsumeFloatingPoint<double>()
                                  : provider.ConsumeFloatingPointInRange(-20'000'000.0, 20'000'000.0);
  };
  const double top = coordinate();
  const double left = coordinate();
  const std::string bytes = provider.ConsumeRemainingBytesAsString();

  Settings settings;
  SetAppFolder(settings, fuzz::ScratchFolder().string());
  fuzz::PutFile(SettingsFileName, bytes);
  const cProfile profile;
  LoadSettings(settings, profile);
  Check(ReadFileBytes(PathFromUtf8(settings.SettingsFile)) == bytes, "the start changed an existing file");

  const std::string& file = settings.SettingsFile;
  Check(settings.BarFilePrefix == profile.ReadStringValue(SettingsSection, "BarFilePrefix", "Bar_", file),
        "BarFilePrefix differs from a call of its own");
  Check(settings.LastPath == PerCallText(profile, file, "LastPath"), "LastPath differs from a call of its own");
  Check(settings.LanguageFile == PerCallText(profile, file, "LanguageFile"), "LanguageFile differs from a call of its own");
  Check(settings.UseDefaultLanguage == PerCallSmallInteger(profile, file, "UseDefaultLanguage"),
        "UseDefaultLanguage differs from a call of its own");
  const std::int16_t fontScript = PerCallSmallInteger(profile, file, "FontScript");
  Check(settings.FontScript == (IsKnownCharset(fontScript) ? fontScript : 1), "FontScript differs from a call of its own");
  Check(IsKnownCharset(settings.FontScript), "a character set no font knows");
  Check(Usable(settings.WindowTop) && Usable(settings.WindowLeft), "an unusable window position");

  Settings stored = settings;
  StoreWindowPosition(stored, top, left, profile);
  Settings reread;
  SetAppFolder(reread, fuzz::ScratchFolder().string());
  ReadSettings(reread, profile);
  Check(SameValues(reread, settings), "storing the window position changed another setting");
  if (Usable(std::floor(top)) && Usable(std::floor(left))) {
    Check(reread.WindowTop == static_cast<float>(std::floor(top)) && reread.WindowLeft == static_cast<float>(std::floor(left)),
          "a stored window position does not read back");
  } else {
    Check(ReadFileBytes(PathFromUtf8(file)) == bytes, "an unusable window position changed the file");
  }
  return 0;
}
