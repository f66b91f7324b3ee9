#pragma once
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "localisation/language.h"
#include "settings/profile.h"
#include "settings/settings_file.h"
#include "tests/support/dialog_doubles.h"
#include "tests/support/temp_folder.h"

namespace barloom::test_support {

// A program folder with the settings, profile and message box that the Options dialog works on.
class OptionsTest : public ::testing::Test {
 protected:
  explicit OptionsTest(std::string_view folderTag) : app{folderTag} {}

  // A value of the settings file as it is now; "<none>" where it holds none.
  std::string Stored(std::string_view key) const {
    return profile.ReadStringValue(SettingsSection, key, "<none>", settings.SettingsFile);
  }

  TempFolder app;
  Settings settings;
  Language language{settings};
  cProfile profile;
  RecordingMessageBox messages;
};

}  // namespace barloom::test_support
