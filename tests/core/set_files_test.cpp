// What Step 3 shows before Create replaces anything: the bars of the set's names in the folder, and
// whether the file picked for a bar is one of them.
#include "core/set_files.h"

#include <gtest/gtest.h>

#include <filesystem>

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

}  // namespace
}  // namespace barloom
