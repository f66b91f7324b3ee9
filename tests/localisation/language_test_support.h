#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "tests/support/temp_folder.h"
#include "settings/settings_file.h"

namespace barloom::test_support {

// Settings that take their texts from the language file `path`.
inline Settings LanguageSettings(std::string path, int fontScript = 1) {
  Settings settings;
  settings.UseDefaultLanguage = 0;
  settings.FontScript = static_cast<std::int16_t>(fontScript);
  settings.LanguageFile = std::move(path);
  return settings;
}

// A test with a scratch folder for language files.
class LanguageFileTest : public ::testing::Test {
 protected:
  // Settings that take their texts from `bytes`, written as a language file.
  Settings UsingFile(std::string_view bytes, int fontScript = 1) {
    return LanguageSettings(folder_.Write("Test.lng", bytes), fontScript);
  }

  TempFolder folder_{"localisation"};
};

}  // namespace barloom::test_support
