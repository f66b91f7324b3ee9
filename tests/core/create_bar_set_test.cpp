#include "core/create_bar_set.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "localisation/language_file.h"
#include "platform/path_text.h"
#include "settings/settings_file.h"
#include "tests/core/test_support.h"

namespace barloom {
namespace {

using core_testing::NativePath;
using core_testing::RecordingProgress;
using test_support::TempFolder;

const std::string FiveButtons =
    "[ButtonBar]\r\nButtonCount=5\r\nbutton1=a\r\nbutton2=b\r\nbutton3=c\r\nbutton4=d\r\nbutton5=e\r\n";

// The steps a first install takes, the hint that Barloom can take them, the folder.
std::string ExpectedReport(std::string_view firstFile, std::string_view folder) {
  return "Button bar files has been created, follow these steps to apply:\n\n"
         "1- Run Total Commander.\n"
         "2- Show 'Change button bar' dialog box.\n"
         "3- Press >> button and choose '" +
         std::string{firstFile} +
         "' file, then press OK.\n"
         "4- Press Yes when you asked: Do you want to make this button bar the new main button bar?\n\n"
         "Or let Barloom do it: \"Make it Total Commander's button bar...\".\n\n"
         "The set is in the folder:\n" +
         std::string{folder} + "\n";
}

class CreateBarSetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetAppFolder(settings_, app_.Folder());
    settings_.UseDefaultLanguage = 1;
  }

  WizardState Choices(int count = 2) const {
    WizardState choices;
    choices.BarCount = static_cast<std::int16_t>(count);
    choices.SaveFolder = bars_.Folder();
    return choices;
  }

  TempFolder app_;
  TempFolder bars_;
  Settings settings_;
};

TEST_F(CreateBarSetTest, ThreeBarsWithOneImportOfFiveButtons) {
  WizardState choices = Choices(3);
  choices.ImportFiles[2] = bars_.Write("five.bar", FiveButtons);
  const WizardState before = choices;
  RecordingProgress display;
  const CreateResult result = CreateBarSet(choices, settings_, LoadedLanguage{settings_}, std::nullopt, display);

  ASSERT_FALSE(result.Build.Error) << MessageOf(*result.Build.Error);
  EXPECT_EQ(result.Build.WrittenFiles.size(), 3u);
  // One maximum for the whole run, set before the value moves.
  EXPECT_EQ(display.Calls.front(), "value 1");
  EXPECT_EQ(display.Calls[1], "max 10");
  EXPECT_EQ(display.Maximum, 10);
  EXPECT_EQ(display.Value, 9);
  EXPECT_FALSE(display.Visible);
  EXPECT_EQ(display.Calls.back(), "hide");
  EXPECT_EQ(result.Report.Steps, ExpectedReport("Bar_01.bar", bars_.Folder()));
  EXPECT_EQ(result.Report.MessageText(), result.Report.Steps);
  // The choices are only read, and the settings file is the caller's.
  EXPECT_EQ(choices.SaveFolder, before.SaveFolder);
  EXPECT_FALSE(choices.SetCreated);
  EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(settings_.SettingsFile)));
}

TEST_F(CreateBarSetTest, TheReportNamesTheSetsOwnFirstFile) {
  for (const char* prefix : {"Set_", "", "Bar_"}) {
    settings_.BarFilePrefix = prefix;
    NoProgressDisplay none;
    const CreateResult result = CreateBarSet(Choices(), settings_, LoadedLanguage{settings_}, std::nullopt, none);
    ASSERT_FALSE(result.Build.Error);
    EXPECT_EQ(result.Report.Steps, ExpectedReport(std::string{prefix} + "01.bar", bars_.Folder()));
    EXPECT_TRUE(std::filesystem::exists(bars_.Path() / (std::string{prefix} + "02.bar")));
  }
}

// A set Total Commander uses already (its wincmd.ini names bar 1, as main or vertical bar) needs
// no first-install steps: a restart, or a click on a switch button, shows the new buttons.
TEST_F(CreateBarSetTest, ASetInUseIsSaidToBeInUse) {
  const std::string ini = app_.PathOf("wincmd.ini");
  const CommanderFolderSources sources{[&](std::string_view name) -> std::optional<std::string> {
                                         if (name == "COMMANDER_INI") return ini;
                                         return std::nullopt;
                                       },
                                       nullptr};
  const std::string inUse =
      "Total Commander uses this set already. Restart Total Commander, or click one of the set's switch buttons, to "
      "see the new buttons.\n\nThe set is in the folder:\n" + bars_.Folder() + "\n";
  for (const auto& [config, used] :
       {std::pair{"[Buttonbar]\r\nButtonbar=" + bars_.PathOf("Bar_01.bar") + "\r\n", true},
        std::pair{"[ButtonbarVertical]\r\nButtonbar=" + bars_.PathOf("Bar_01.bar") + "\r\n", true},
        std::pair{"[Buttonbar]\r\nButtonbar=" + bars_.PathOf("Bar_02.bar") + "\r\n", false}}) {
    app_.Write("wincmd.ini", config);
    NoProgressDisplay none;
    const CreateResult result = CreateBarSet(Choices(), settings_, LoadedLanguage{settings_}, std::nullopt, none, sources);
    ASSERT_FALSE(result.Build.Error);
    EXPECT_EQ(result.Report.Steps, used ? inUse : ExpectedReport("Bar_01.bar", bars_.Folder())) << config;
  }
}

TEST_F(CreateBarSetTest, AFailedSetReportsWhyAndNoSteps) {
  std::filesystem::create_directory(bars_.Path() / "Bar_01.bar");
  RecordingProgress display;
  const CreateResult result = CreateBarSet(Choices(), settings_, LoadedLanguage{settings_}, std::nullopt, display);
  ASSERT_TRUE(result.Build.Error);
  EXPECT_EQ(result.Build.Error->File, bars_.PathOf("Bar_01.bar"));
  EXPECT_TRUE(result.Report.Steps.empty());
  EXPECT_EQ(result.Report.MessageText(), FailureReport(*result.Build.Error, LoadedLanguage{settings_}));
  EXPECT_FALSE(display.Visible);
  EXPECT_FALSE(std::filesystem::exists(bars_.Path() / "Bar_02.bar"));
}

TEST_F(CreateBarSetTest, FoldsUnderTheGivenCommanderFolder) {
  NoProgressDisplay none;
  const std::optional<std::string> commander = app_.Folder();
  const CreateResult result = CreateBarSet(Choices(), settings_, LoadedLanguage{settings_}, commander, none);
  ASSERT_FALSE(result.Build.Error);
  const std::string bar = test_support::ReadBytes(result.Build.Paths.BarFiles[1]).value();
  EXPECT_NE(bar.find("button1=%Commander_Path%" + std::string(1, PathSeparator) + "icons" + PathSeparator + "Dn_01.ico"),
            std::string::npos)
      << bar;
}

// The window and barloom-cli start from the same choices: the folder the last Create wrote to,
// relative to the program's folder; an empty stored folder, from which the window cannot create,
// names the "bars" folder.
TEST(DefaultChoices, TheLastFolderElseTheBarsFolderBesideTheProgram) {
  const std::string app = Utf8FromPath(std::filesystem::temp_directory_path().root_path().make_preferred()) + NativePath("Tools\\");
  const struct {
    std::optional<std::string> LastPath;
    std::string FolderBoxText;
    std::string SaveFolder;
  } cases[] = {{std::nullopt, app + "bars", app + "bars"},
               {std::string{}, "", app + "bars"},
               {std::string{"sets"}, "sets", app + "sets"},
               // The set's paths add the separator to a folder that ends without one.
               {NativePath("sets\\.\\x\\.."), NativePath("sets\\.\\x\\.."), app + NativePath("sets\\")}};
  for (const auto& c : cases) {
    Settings settings;
    SetAppFolder(settings, app);
    settings.LastPath = c.LastPath;
    const StartChoices start = DefaultChoices(settings);
    EXPECT_EQ(start.FolderBoxText, c.FolderBoxText);
    EXPECT_EQ(start.Choices.SaveFolder, c.SaveFolder) << c.FolderBoxText;
    EXPECT_EQ(start.Choices.BarCount, MinBarCount);
    EXPECT_FALSE(start.Choices.KeepButtons);
  }
}

// Language texts are put side by side, never used as a format: "%s" and "{0}" stay as they are.
TEST(FailureReport, TheTextThenTheFileThenTheSystemsDetailEachOnALine) {
  TempFolder temp;
  Settings german;
  german.UseDefaultLanguage = 0;
  german.LanguageFile = temp.Write("Deutsch.lng",
                                   "\xEF\xBB\xBF[UserLanguage]\r\n700=Nicht gespeichert (%s {0}).\r\n"
                                   "710=Zu viele Schaltflächen.\r\n716=Nur zum Lesen.\r\n");
  const std::string file = NativePath("C:\\TC\\bars\\Bar_02.bar");
  const FileError error{FileProblem::BarFileNotWritten, file, "Zugriff verweigert"};
  EXPECT_EQ(FailureReport(error, LoadedLanguage{german}), "Nicht gespeichert (%s {0}).\n" + file + "\nZugriff verweigert");
  EXPECT_EQ(FailureReport(error, LoadedLanguage{Settings{}}),
            "The button bar file could not be saved.\n" + file + "\nZugriff verweigert");
  // A reason the program found itself is said in the user's language, before any words of the system.
  const FileError readOnly{FileProblem::BarFileNotWritten, file, "", WriteFailureReason::FileReadOnly};
  EXPECT_EQ(FailureReport(readOnly, LoadedLanguage{german}), "Nicht gespeichert (%s {0}).\n" + file + "\nNur zum Lesen.");
  EXPECT_EQ(FailureReport(readOnly, LoadedLanguage{Settings{}}), "The button bar file could not be saved.\n" + file + "\nThe file is read-only.");
  // Nothing named, nothing to add: the text alone.
  const std::string noFolder = FailureReport(FileError{FileProblem::NoSaveFolder}, LoadedLanguage{german});
  EXPECT_FALSE(noFolder.empty());
  EXPECT_EQ(noFolder.find('\n'), std::string::npos) << noFolder;

  // Each warning a block of its own; untranslated texts fall back to English.
  const std::string many = NativePath("C:\\many.bar");
  const std::string gone = NativePath("C:\\gone.bar");
  const std::vector<BuildWarning> warnings{{ImportProblem::ButtonCountClamped, many, 32764},
                                           {ImportProblem::SourceNotABar, gone}};
  EXPECT_EQ(WarningsReport(warnings, LoadedLanguage{german}),
            "Zu viele Schaltflächen.\n" + many + "\nButtons imported: 32764\n\n" +
                "This file holds no button bar, so it brings no buttons:\n" + gone);
  EXPECT_EQ(WarningsReport({}, LoadedLanguage{german}), "");
}

}  // namespace
}  // namespace barloom
