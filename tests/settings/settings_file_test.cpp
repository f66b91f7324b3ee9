#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "platform/not_found_marker.h"
#include "platform/path_text.h"
#include "settings/profile.h"
#include "tests/support/temp_folder.h"

namespace barloom {
namespace {

constexpr std::string_view FirstStartFile = "[Barloom]\r\nBarFilePrefix=Bar_\r\n";

class SettingsFileTest : public ::testing::Test {
 protected:
  SettingsFileTest() { SetAppFolder(settings_, folder_.Utf8()); }

  std::string Bytes() const { return folder_.Read("barloom.ini"); }
  void WriteFile(std::string_view bytes) { folder_.Write("barloom.ini", bytes); }
  Settings Loaded() {
    Settings settings;
    SetAppFolder(settings, folder_.Utf8());
    LoadSettings(settings, profile_);
    return settings;
  }

  test_support::TempFolder folder_{test_support::BeyondAnsiTag};
  cProfile profile_;
  Settings settings_;
};

TEST(SetAppFolder, EndsTheFolderInTheSeparatorOnce) {
  const std::string folder = "C:" + std::string(1, PathSeparator) + "Tools";
  for (const std::string& given : {folder, folder + PathSeparator}) {
    Settings settings;
    SetAppFolder(settings, given);
    EXPECT_EQ(settings.AppFolder, folder + PathSeparator);
    EXPECT_EQ(settings.SettingsFile, folder + PathSeparator + "barloom.ini");
  }
}

TEST_F(SettingsFileTest, FirstStartCreatesTheFileAndTakesTheDefaults) {
  LoadSettings(settings_, profile_);
  EXPECT_EQ(Bytes(), FirstStartFile);
  EXPECT_EQ(settings_.BarFilePrefix, "Bar_");
  EXPECT_EQ(settings_.LastPath, std::nullopt);
  EXPECT_EQ(settings_.LanguageFile, std::nullopt);
  EXPECT_EQ(settings_.UseDefaultLanguage, 1);
  EXPECT_EQ(settings_.FontScript, 1);
  EXPECT_EQ(settings_.WindowTop, 2610);
  EXPECT_EQ(settings_.WindowLeft, 3240);
  // The second start finds the file and leaves it alone.
  Loaded();
  EXPECT_EQ(Bytes(), FirstStartFile);
}

TEST_F(SettingsFileTest, KeysEnterTheFileInTheOrderFirstWritten) {
  LoadSettings(settings_, profile_);
  StoreWindowPosition(settings_, 2610, 3240, profile_);
  std::string expected = std::string(FirstStartFile) + "MainWindowPosition=2610,3240\r\n";
  EXPECT_EQ(Bytes(), expected);

  StoreLastPath(settings_, "  C:\\Bars\\Set 1  ", profile_);
  expected += "LastPath=C:\\Bars\\Set 1\r\n";
  EXPECT_EQ(Bytes(), expected);

  // Options OK with "Default": no LanguageFile key appears.
  settings_.UseDefaultLanguage = 1;
  SaveSettings(settings_, profile_);
  expected += "UseDefaultLanguage=1\r\n";
  EXPECT_EQ(Bytes(), expected);

  // Options OK with a language file and a new prefix: values replaced in place, the file key added.
  settings_.BarFilePrefix = "  Set_  ";
  settings_.UseDefaultLanguage = 0;
  settings_.LanguageFile = "C:\\Barloom\\Languages\\Deutsch.lng";
  SaveSettings(settings_, profile_);
  expected =
      "[Barloom]\r\nBarFilePrefix=Set_\r\nMainWindowPosition=2610,3240\r\nLastPath=C:\\Bars\\Set 1\r\n"
      "UseDefaultLanguage=0\r\nLanguageFile=C:\\Barloom\\Languages\\Deutsch.lng\r\n";
  EXPECT_EQ(Bytes(), expected);

  StoreWindowPosition(settings_, 1200.9, -14.2, profile_);
  EXPECT_EQ(Bytes(), "[Barloom]\r\nBarFilePrefix=Set_\r\nMainWindowPosition=1200,-15\r\nLastPath=C:\\Bars\\Set 1\r\n"
                     "UseDefaultLanguage=0\r\nLanguageFile=C:\\Barloom\\Languages\\Deutsch.lng\r\n");

  const Settings next = Loaded();
  EXPECT_EQ(next.BarFilePrefix, "Set_");
  EXPECT_EQ(next.LastPath, "C:\\Bars\\Set 1");
  EXPECT_EQ(next.LanguageFile, "C:\\Barloom\\Languages\\Deutsch.lng");
  EXPECT_EQ(next.UseDefaultLanguage, 0);
  EXPECT_EQ(next.WindowTop, 1200);
  EXPECT_EQ(next.WindowLeft, -15);
}

TEST_F(SettingsFileTest, StoredPositionsAreRoundedDownToWholeTwips) {
  struct Case {
    double Top, Left;
    const char* Stored;
    float KeptTop, KeptLeft;
  };
  const Case cases[] = {
      {2610, 3240, "2610,3240", 2610, 3240},
      {1200.9, -14.2, "1200,-15", 1200, -15},
      {-0.5, 0.2, "-1,0", -1, 0},
      {-0.0, 15.999, "0,15", 0, 15},
  };
  for (const Case& c : cases) {
    StoreWindowPosition(settings_, c.Top, c.Left, profile_);
    EXPECT_EQ(Bytes(), "[Barloom]\r\nMainWindowPosition=" + std::string(c.Stored) + "\r\n");
    EXPECT_EQ(settings_.WindowTop, c.KeptTop);
    EXPECT_EQ(settings_.WindowLeft, c.KeptLeft);
  }
  // A position the next start could not use is neither kept nor stored.
  StoreWindowPosition(settings_, std::numeric_limits<double>::infinity(), 0, profile_);
  StoreWindowPosition(settings_, 0, 1e12, profile_);
  EXPECT_EQ(Bytes(), "[Barloom]\r\nMainWindowPosition=0,15\r\n");
  EXPECT_EQ(settings_.WindowLeft, 15);
}

TEST_F(SettingsFileTest, WindowPositionNeedsTwoFields) {
  struct Case {
    const char* Stored;
    float Top, Left;
  };
  const Case cases[] = {
      {"100,200", 100, 200},
      {" 12 , 34 ", 12, 34},
      {"1,2,3", 1, 2},         // fields after the second are ignored
      {"a,b", 0, 0},           // fields that begin with no number give 0
      {"100,", 100, 0},
      {",", 0, 0},
      {"-15.7,3e2", -15.7f, 300},
      {"", 2610, 3240},        // fewer than two fields: the default position
      {"100", 2610, 3240},
      {"1e400,5", 2610, 3240},  // no usable position either
      {"5,-1e30", 2610, 3240},
  };
  for (const Case& c : cases) {
    WriteFile("[Barloom]\r\nMainWindowPosition=" + std::string(c.Stored) + "\r\n");
    settings_.WindowTop = settings_.WindowLeft = -1;
    LoadWindowPosition(settings_, profile_);
    EXPECT_EQ(settings_.WindowTop, c.Top) << c.Stored;
    EXPECT_EQ(settings_.WindowLeft, c.Left) << c.Stored;
  }
}

TEST_F(SettingsFileTest, NumbersOutsideSixteenBitsOrCharsetsStartNormally) {
  struct Case {
    const char* Stored;
    std::int16_t UseDefaultLanguage;
    std::int16_t FontScript;
  };
  const Case cases[] = {
      {"1", 1, 1},
      {"0", 0, 0},
      {"abc", 0, 0},        // a word reads as 0: the language file is used
      {"2.5", 2, 2},        // halves to even; 2 is the symbol character set
      {"204", 204, 204},
      {"77", 77, 77},       // the Macintosh, Johab and OEM character sets are known too
      {"130", 130, 130},
      {"255", 255, 255},
      {"178.5", 178, 178},  // halves to even
      {"99999", 1, 1},
      {"-99999", 1, 1},
      {"-1", -1, 1},        // non-zero stays non-zero; no font has character set -1
      {"7", 7, 1},
      {"1e999", 1, 1},
  };
  for (const Case& c : cases) {
    WriteFile("[Barloom]\r\nUseDefaultLanguage=" + std::string(c.Stored) + "\r\nFontScript=" + c.Stored + "\r\n");
    const Settings settings = Loaded();
    EXPECT_EQ(settings.UseDefaultLanguage, c.UseDefaultLanguage) << c.Stored;
    EXPECT_EQ(settings.FontScript, c.FontScript) << c.Stored;
  }
}

// The start-up reads an 8-bit file and a UTF-16 one (with its byte-order mark) alike.
TEST_F(SettingsFileTest, EightBitAndUtf16FilesStartAlike) {
  const std::string text = "[Barloom]\r\nFontScript=204\r\nMainWindowPosition=15,30\r\n\n\n";
  std::string utf16 = "\xFF\xFE";
  for (const char c : text) {
    utf16 += c;
    utf16 += '\0';
  }
  for (const std::string& file : {text, utf16}) {
    WriteFile(file);
    const Settings settings = Loaded();
    EXPECT_EQ(settings.FontScript, 204);
    EXPECT_EQ(settings.WindowTop, 15);
    EXPECT_EQ(settings.WindowLeft, 30);
  }
}

TEST_F(SettingsFileTest, AnExistingFileIsReadAsItIs) {
  const std::string file =
      "[Barloom]\r\nLastPath=\"  C:\\Quoted  \"\r\nLanguageFile=\r\nBarFilePrefix=\r\n"
      "UseDefaultLanguage=0\r\n";
  WriteFile(file);
  const Settings settings = Loaded();
  EXPECT_EQ(Bytes(), file);  // the file exists: nothing written, not even the prefix
  EXPECT_EQ(settings.LastPath, "  C:\\Quoted  ");
  EXPECT_EQ(settings.LanguageFile, "");
  EXPECT_EQ(settings.BarFilePrefix, "");
  EXPECT_EQ(settings.UseDefaultLanguage, 0);
}

TEST_F(SettingsFileTest, FoldersInAnyScriptSurviveInLastPath) {
  LoadSettings(settings_, profile_);
  const std::string folder = "C:\\\u041F\u0430\u043F\u043A\u0430\\\u65E5\u672C";
  StoreLastPath(settings_, folder, profile_);
  EXPECT_EQ(Bytes(), std::string(FirstStartFile) + "LastPath=\xEF\xBB\xBF" + folder + "\r\n");
  EXPECT_EQ(Loaded().LastPath, folder);
}

TEST_F(SettingsFileTest, TheMarkerIsNeverStoredAsAValue) {
  LoadSettings(settings_, profile_);
  settings_.LanguageFile = std::string(NotFoundMarker);
  StoreLastPath(settings_, NotFoundMarker, profile_);
  SaveSettings(settings_, profile_);
  EXPECT_EQ(Bytes(), std::string(FirstStartFile) + "UseDefaultLanguage=1\r\n");
}

TEST(SettingsFileWithoutFolder, AFileThatCannotBeWrittenGivesTheDefaults) {
  test_support::TempFolder folder{test_support::BeyondAnsiTag};
  Settings settings;
  SetAppFolder(settings, folder.PathOf("missing-folder"));
  const cProfile profile;
  LoadSettings(settings, profile);
  StoreWindowPosition(settings, 10, 20, profile);
  EXPECT_EQ(settings.BarFilePrefix, "Bar_");
  EXPECT_EQ(settings.UseDefaultLanguage, 1);
  EXPECT_EQ(folder.Read("missing-folder/barloom.ini"), "<missing>");
  EXPECT_EQ(settings.WindowTop, 10);  // the position still holds for the run
}

}  // namespace
}  // namespace barloom
