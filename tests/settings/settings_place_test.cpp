#include "settings/settings_place.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/atomic_file.h"
#include "platform/path_text.h"
#include "settings/profile.h"
#include "settings/settings_file.h"
#include "tests/support/temp_folder.h"

namespace barloom {
namespace {

namespace fs = std::filesystem;
using test_support::SetWritable;
using test_support::TempFolder;

// The variable that names the user's profile folder on this platform.
#ifdef _WIN32
constexpr std::string_view ProfileVariable = "APPDATA";
constexpr const char* ProfileSubfolder = "Barloom";
#else
constexpr std::string_view ProfileVariable = "XDG_CONFIG_HOME";
constexpr const char* ProfileSubfolder = "barloom";
#endif

EnvironmentLookup ProfileIn(std::optional<std::string> folder) {
  return [folder](std::string_view name) { return name == ProfileVariable ? folder : std::nullopt; };
}

TEST(SettingsPlace, TheProgramsFolderWhereItCanBeWrittenElseTheUsersProfile) {
  enum class File { None, Writable, ReadOnly };
  const struct {
    const char* Label;
    bool FolderWritable;
    File Beside;
    bool ProfileKnown;
    SettingsPlace Place;
    SettingsNotice Notice;  // at the first start
  } cases[] = {
      {"writable folder", true, File::None, true, SettingsPlace::BesideProgram, SettingsNotice::None},
      {"read-only folder", false, File::None, true, SettingsPlace::UserProfile, SettingsNotice::MovedToProfile},
      {"read-only file", true, File::ReadOnly, true, SettingsPlace::NotKept, SettingsNotice::NotKept},
      {"file present, folder read-only", false, File::Writable, true, SettingsPlace::BesideProgram, SettingsNotice::None},
      {"read-only file in a read-only folder", false, File::ReadOnly, true, SettingsPlace::NotKept, SettingsNotice::NotKept},
      {"read-only folder, no profile folder", false, File::None, false, SettingsPlace::NotKept, SettingsNotice::NotKept},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Label);
    TempFolder temp{"place"};  // chmod under Wine gets the folder's name through the Unix locale
    const fs::path app = temp.Path() / "app";
    const fs::path profile = temp.Path() / "profile";
    fs::create_directories(app);
    const std::string beside = Utf8FromPath(app / "barloom.ini");
    if (c.Beside != File::None) test_support::WriteFile(beside, "[Barloom]\r\nBarFilePrefix=Set_\r\n");
    if (c.Beside == File::ReadOnly) SetWritable(PathFromUtf8(beside), false);
    if (!c.FolderWritable && !test_support::SetFolderWritable(app, false)) GTEST_SKIP() << "no folder permission bits here";

    Settings settings;
    SetAppFolder(settings, Utf8FromPath(app), ProfileIn(c.ProfileKnown ? std::optional{Utf8FromPath(profile)} : std::nullopt));
    const SettingsNotice notice = LoadSettings(settings, cProfile{});
    EXPECT_EQ(settings.Place, c.Place);
    EXPECT_EQ(notice, c.Notice);
    EXPECT_EQ(settings.SettingsFolder,
              AddBackslash(Utf8FromPath(c.Place == SettingsPlace::UserProfile ? profile / ProfileSubfolder : app)));
    EXPECT_EQ(settings.SettingsFile, settings.SettingsFolder + "barloom.ini");
    EXPECT_EQ(settings.BarFilePrefix, c.Beside == File::None ? "Bar_" : "Set_") << "the file found is read";

    // What is stored is kept where the settings are, and read again at the next start, which says
    // nothing of a place already told.
    StoreLastPath(settings, "kept", cProfile{});
    Settings next;
    SetAppFolder(next, Utf8FromPath(app), ProfileIn(c.ProfileKnown ? std::optional{Utf8FromPath(profile)} : std::nullopt));
    const SettingsNotice nextNotice = LoadSettings(next, cProfile{});
    EXPECT_EQ(next.LastPath.has_value(), c.Place != SettingsPlace::NotKept);
    EXPECT_EQ(nextNotice, c.Notice == SettingsNotice::MovedToProfile ? SettingsNotice::None : c.Notice);
    if (!c.FolderWritable) {
      EXPECT_EQ(test_support::FileNames(app).size(), c.Beside == File::None ? 0u : 1u) << "nothing made beside the program";
    }
    test_support::SetFolderWritable(app, true);
  }
}

// Options OK and Create write the settings of a hard-linked barloom.ini (a package manager keeps
// the file so) where it is: both names hold the new values, and the file keeps its links.
TEST(SettingsPlace, WritesKeepAHardLinkedSettingsFileLinked) {
  TempFolder temp;
  const fs::path file = temp.Path() / "barloom.ini";
  const fs::path persisted = temp.Path() / "persisted.ini";
  test_support::WriteFileAt(file, "[Barloom]\r\nBarFilePrefix=Bar_\r\n");
  fs::create_hard_link(file, persisted);
  Settings settings;
  SetAppFolder(settings, temp.Utf8());
  LoadSettings(settings, cProfile{});
  settings.BarFilePrefix = "Set_";
  SaveSettings(settings, cProfile{});
  StoreLastPath(settings, "C:\\bars", cProfile{});
  const std::string expected = "[Barloom]\r\nBarFilePrefix=Set_\r\nUseDefaultLanguage=1\r\nLastPath=C:\\bars\r\n";
  EXPECT_EQ(test_support::ReadFileAt(file), expected);
  EXPECT_EQ(test_support::ReadFileAt(persisted), expected);
}

}  // namespace
}  // namespace barloom
