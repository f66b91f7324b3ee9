// What Step 3 shows before Create replaces anything: the bars of the set's names in the folder, and
// whether the file picked for a bar is one of them.
#include "core/set_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/bar_layout.h"
#include "core/create_report.h"
#include "localisation/language_file.h"
#include "settings/settings_file.h"
#include "tests/core/test_support.h"

namespace barloom {
namespace {

using test_support::TempFolder;

TEST(SetFiles, TheBarsOfTheSetsNamesInTheFolder) {
  TempFolder temp;
  for (const char* name : {"Bar_01.bar", "Bar_03.bar", "Bar_20.bar", "Bar_21.bar", "Bar_1.bar", "Set_02.bar", "Bar_02.bar.bak"})
    temp.Write(name, "[ButtonBar]\r\n");
  std::filesystem::create_directory(temp.Path() / "Bar_04.bar");  // a folder is no bar
  EXPECT_EQ(BarsInFolder(temp.Folder(), "Bar_"), (std::vector<int>{1, 3, 20}));
  EXPECT_EQ(BarsInFolder(temp.Utf8(), "Set_"), (std::vector<int>{2}));  // the separator is added
  EXPECT_EQ(BarsInFolder(temp.Folder(), ""), (std::vector<int>{}));
  EXPECT_EQ(BarsInFolder("", "Bar_"), (std::vector<int>{}));
  EXPECT_EQ(BarsBeyond(core_testing::PathsOf(2, temp.Folder()), "Bar_"),
            (std::vector<std::string>{temp.PathOf("Bar_03.bar"), temp.PathOf("Bar_20.bar")}));

  Settings german;
  german.UseDefaultLanguage = 0;
  german.LanguageFile = temp.Write("Deutsch.lng", "[UserLanguage]\r\n728=Eigene &behalten\r\n729=gefunden:\r\n");
  EXPECT_EQ(KeepButtonsCaption(LoadedLanguage{german}, 3), "Eigene &behalten (gefunden: 3)");
  EXPECT_EQ(KeepButtonsCaption(LoadedLanguage{Settings{}}, 1), "&Keep the buttons already on these bars (found: 1)");
}

TEST(SetFiles, AnImportThatIsABarTheSetReplacesGetsANote) {
  TempFolder temp;
  std::filesystem::create_directory(temp.Path() / "sub");
  temp.Write("Bar_02.bar", "[ButtonBar]\r\n");
  temp.Write("Bar_05.bar", "[ButtonBar]\r\n");
  temp.Write("mine.bar", "[ButtonBar]\r\n");
  WizardState choices;
  choices.BarCount = 3;
  choices.SaveFolder = temp.Folder();
  const std::string viaSub = temp.Folder() + "sub" + PathSeparator + ".." + PathSeparator + "Bar_02.bar";
  const struct {
    std::string File;
    std::optional<int> Bar;
  } cases[] = {{temp.PathOf("Bar_02.bar"), 2}, {viaSub, 2}, {temp.PathOf("Bar_05.bar"), std::nullopt},
               {temp.PathOf("Bar_01.bar"), std::nullopt}, {temp.PathOf("mine.bar"), std::nullopt}, {"", std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(ReplacedBarOf(c.File, choices, "Bar_"), c.Bar) << c.File;
  EXPECT_EQ(ReplacedBarOf(temp.PathOf("Bar_02.bar"), choices, "Set_"), std::nullopt);

  const LoadedLanguage english{Settings{}};
  EXPECT_EQ(ReplacedImportNote(viaSub, choices, "Bar_", english),
            "This file is one of the button bars this set replaces: this bar receives the buttons of its new version, "
            "not its present ones.\nIf the file changes, its present version is kept in: Bar_02.bar.bak");
  EXPECT_EQ(ReplacedImportNote(temp.PathOf("mine.bar"), choices, "Bar_", english), "");
}

// At start the bar count follows the set the folder holds: bar 1's leading switch buttons, in order,
// to bars of the prefix that are all there.
TEST(SetFiles, TheSizeOfTheSetTheFolderHolds) {
  struct Case {
    const char* Name;
    int Written;         // bars written as Create writes them
    int Earlier;         // a larger set written before, its bars beyond the count left
    int Removed;         // a bar taken away afterwards
    bool OwnFirstBar;    // bar 1 replaced by one of the user's own
    bool WrittenFolded;  // the commands folded under Total Commander's folder
    bool AskedFolded;    // the folder known when asking
    const char* AskedPrefix;
    std::optional<int> Size;
  };
  const Case cases[] = {
      {"a set of 7", 7, 0, 0, false, false, false, "Bar_", 7},
      {"a set of 20", 20, 0, 0, false, false, false, "Bar_", 20},
      {"7 written over 9", 7, 9, 0, false, false, false, "Bar_", 7},
      {"a bar of the set missing", 5, 0, 3, false, false, false, "Bar_", std::nullopt},
      {"no bar 1", 5, 0, 1, false, false, false, "Bar_", std::nullopt},
      {"a bar 1 of the user's own", 5, 0, 0, true, false, false, "Bar_", std::nullopt},
      {"folded, asked with the folder", 7, 0, 0, false, true, true, "Bar_", 7},
      {"folded, asked without it", 7, 0, 0, false, true, false, "Bar_", std::nullopt},
      {"plain, asked with the folder", 4, 0, 0, false, false, true, "Bar_", 4},
      {"another prefix", 5, 0, 0, false, false, false, "Set_", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TempFolder commander;
    const std::optional<std::string> folder = commander.Folder();
    std::filesystem::create_directory(commander.Path() / "bars");
    const std::string bars = commander.PathOf("bars") + PathSeparator;
    for (const int count : {c.Earlier, c.Written}) {
      const SetPaths paths = core_testing::PathsOf(count, bars, commander.Folder());
      for (int bar = 1; bar <= count; ++bar)
        ASSERT_TRUE(test_support::WriteFileAt(PathFromUtf8(paths.BarFiles[bar]),
                                   GeneratedBarBytes(paths, bar, c.WrittenFolded ? folder : std::nullopt,
                                                     core_testing::Windows1252)));
    }
    if (c.Removed) std::filesystem::remove(PathFromUtf8(bars + BarFileName("Bar_", c.Removed)));
    if (c.OwnFirstBar) {
      ASSERT_TRUE(test_support::WriteFileAt(PathFromUtf8(bars + "Bar_01.bar"),
                                 "[ButtonBar]\r\nButtoncount=2\r\nbutton1=a.ico\r\ncmd1=notepad.exe\r\ncmd2=" + bars +
                                     "Bar_02.bar\r\n"));
    }
    EXPECT_EQ(SetSizeInFolder(bars, c.AskedPrefix, c.AskedFolded ? folder : std::nullopt, core_testing::Windows1252),
              c.Size);
  }
  EXPECT_EQ(SetSizeInFolder("", "Bar_", std::nullopt), std::nullopt);
}

// Create names the icons the bars would point to that are not there, before it writes anything.
TEST(SetFiles, TheIconsTheBarsPointToThatAreMissing) {
  struct Case {
    const char* Name;
    bool Folder;
    std::vector<std::string> Taken;  // icons taken out of a whole folder
    int BarCount;
    std::vector<std::string> Missing;
  };
  const Case cases[] = {
      {"all there", true, {}, 20, {}},
      {"no folder", false, {}, 5, {}},
      {"two taken out", true, {"Dn_05.ico", "Up_03.ico"}, 5, {"Up_03.ico", "Dn_05.ico"}},
      {"taken out beyond the count", true, {"Up_03.ico", "Dn_05.ico"}, 2, {}},
      {"a folder in an icon's place", true, {"Up_01.ico/"}, 2, {"Up_01.ico"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TempFolder app;
    const std::filesystem::path icons = app.Path() / "icons";
    if (c.Folder) {
      std::filesystem::create_directory(icons);
      for (int bar = 1; bar <= MaxBarCount; ++bar)
        for (const BarIcon icon : {BarIcon::Up, BarIcon::Dn}) ASSERT_TRUE(test_support::WriteFileAt(PathFromUtf8(BarIconFile(app.Folder(), bar, icon)), "icon"));
      for (std::string name : c.Taken) {
        const bool asFolder = name.back() == '/';
        if (asFolder) name.pop_back();
        std::filesystem::remove(icons / name);
        if (asFolder) std::filesystem::create_directory(icons / name);
      }
    }
    const MissingIcons missing = MissingSetIcons(app.Folder(), c.BarCount);
    EXPECT_EQ(missing.Folder, app.PathOf("icons"));
    EXPECT_EQ(missing.FolderMissing, !c.Folder);
    EXPECT_EQ(missing.Files, c.Missing);
    EXPECT_EQ(missing.Any(), !c.Folder || !c.Missing.empty());
  }

  const LoadedLanguage english;
  EXPECT_EQ(MissingIconsReport({"C:\\app\\icons", true, {}}, english),
            "The icons folder is missing, so the switch buttons will show no pictures:\nC:\\app\\icons");
  EXPECT_EQ(MissingIconsReport({"C:\\app\\icons", false, {"Up_03.ico", "Dn_05.ico"}}, english),
            "Pictures of the switch buttons are missing from the icons folder:\nC:\\app\\icons\nUp_03.ico, Dn_05.ico");
  EXPECT_EQ(MissingIconsReport({"C:\\app\\icons", false, {}}, english), "");
}

}  // namespace
}  // namespace barloom
