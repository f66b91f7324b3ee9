#include "localisation/apply_language.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "build_info.h"
#include "localisation/language.h"
#include "platform/file_bytes.h"
#include "platform/message_box.h"
#include "platform/path_text.h"
#include "settings/settings_file.h"
#include "tests/localisation/language_test_support.h"
#include "tests/support/dialog_doubles.h"

namespace barloom {
namespace {

using test_support::RecordingMessageBox;
using test_support::TempFolder;
using Kind = ControlKind;
using Align = TextAlignment;

// A window of every kind, as the main window is built: menus, frames, labels, boxes, buttons.
constexpr ControlRow Rows[] = {
    {1, Kind::Menu, TextId::MenuFile},
    {2, Kind::MenuItem, TextId::MenuOptions, {}, 0, 1},
    {3, Kind::MenuSeparator, TextId::None, {}, 0, 1},
    {4, Kind::Toolbar},
    {5, Kind::Frame, TextId::Step1},
    {6, Kind::Label, TextId::BarCountLabel, {}, 0, 5},
    {7, Kind::ComboBox, TextId::None, {}, 0, 5},
    {8, Kind::TextBox},
    {9, Kind::CommandButton, TextId::BrowseFolder, {}, ControlFlags::IconFace},
    {10, Kind::CheckBox, TextId::KeepButtons},
    {11, Kind::Label, TextId::None, {}, ControlFlags::Centred, 0, 0, "Quillset"},
    {12, Kind::CommandButton, TextId::Next},
    {13, Kind::ProgressBar},
};
constexpr WindowTable MainTable{TextId::None, nullptr, Rows};

std::string Bracketed(std::string_view text) { return "[" + std::string{text} + "]"; }
constexpr ControlRow OptionsRows[] = {{1, Kind::Label, TextId::PrefixLabel}, {2, Kind::CommandButton, TextId::Ok}};
constexpr WindowTable OptionsTable{TextId::OptionsTitle, Bracketed, OptionsRows};

const std::vector<std::optional<std::string>> BuiltInTexts = {
    "&File", "&Options...", std::nullopt, std::nullopt, "Step 1", "Specify how many button bar you need?",
    std::nullopt, std::nullopt, "Browse for folder", "&Keep the buttons already on these bars", std::nullopt,
    "&Next", std::nullopt};

std::vector<std::optional<std::string>> Texts(const WindowCaptions& captions) {
  std::vector<std::optional<std::string>> texts;
  for (const ControlCaption& caption : captions.Controls) texts.push_back(caption.Text);
  return texts;
}

// The direction and alignment of each row in a language of `rightToLeft`: the kinds that take a
// reading order take the language's, labels, check boxes and frames align with it, the centred
// label stays centred, and the rest keep theirs.
void ExpectDirection(const WindowCaptions& captions, bool rightToLeft) {
  const std::optional<bool> takes = rightToLeft;
  const std::optional<Align> side = rightToLeft ? Align::Right : Align::Left;
  const std::vector<std::pair<std::optional<bool>, std::optional<Align>>> expected = {
      {}, {}, {}, {}, {takes, side}, {takes, side}, {}, {}, {takes, {}}, {takes, side}, {takes, Align::Centre},
      {takes, {}}, {}};
  ASSERT_EQ(captions.Controls.size(), expected.size());
  EXPECT_EQ(captions.RightToLeft, rightToLeft);
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(captions.Controls[i].Id, Rows[i].Id);
    EXPECT_EQ(captions.Controls[i].RightToLeft, expected[i].first) << "row " << i;
    EXPECT_EQ(captions.Controls[i].Alignment, expected[i].second) << "row " << i;
  }
}

class ApplyLanguageTest : public test_support::LanguageFileTest {};

TEST_F(ApplyLanguageTest, BuiltInTextsWithTheCharacterSetOfFontScript) {
  Settings settings;
  settings.FontScript = 204;
  settings.LanguageFile = folder_.Write("Test.lng", "[UserLanguage]\r\n101=Datei\r\nRightToLeftLanguage=1\r\n");
  const WindowCaptions captions = ApplyLanguage(MainTable, Language{settings});

  EXPECT_EQ(Texts(captions), BuiltInTexts);
  EXPECT_EQ(captions.Title, std::nullopt);  // no text ID: the window keeps its title
  EXPECT_EQ(captions.Charset, 204);
  EXPECT_FALSE(captions.MissingFile);
  ExpectDirection(captions, false);
}

TEST_F(ApplyLanguageTest, AFileTranslatingOnlyTheFileMenuChangesOnlyThatCaption) {
  const Settings settings = UsingFile("[UserLanguage]\r\n101=&Datei\r\n");
  const WindowCaptions captions = ApplyLanguage(MainTable, Language{settings});
  std::vector<std::optional<std::string>> expected = BuiltInTexts;
  expected[0] = "&Datei";
  EXPECT_EQ(Texts(captions), expected);
  EXPECT_FALSE(captions.MissingFile);
}

TEST_F(ApplyLanguageTest, RightToLeftOnAndBackOff) {
  Settings settings = UsingFile("[UserLanguage]\r\nRightToLeftLanguage=1\r\n604=Next in Hebrew\r\n", 177);
  const Language language{settings};
  WindowCaptions captions = ApplyLanguage(MainTable, language);
  ExpectDirection(captions, true);
  EXPECT_EQ(captions.Controls[11].Text, "Next in Hebrew");
  EXPECT_EQ(captions.Charset, 177);

  settings.UseDefaultLanguage = 1;
  captions = ApplyLanguage(MainTable, language);
  ExpectDirection(captions, false);
  EXPECT_EQ(captions.Controls[11].Text, "&Next");
}

TEST_F(ApplyLanguageTest, TheTitleIsShownAsTheWindowFormatsIt) {
  const Settings settings = UsingFile("[UserLanguage]\r\n1001=Optionen\r\n");
  EXPECT_EQ(ApplyLanguage(OptionsTable, Language{settings}).Title, "[Optionen]");
  EXPECT_EQ(ApplyLanguage(OptionsTable, Language{Settings{}}).Title, "[Options]");
}

// The pass only says that the file is missing; the caller reports it once and goes on with the
// built-in texts.
TEST_F(ApplyLanguageTest, AMissingFileIsFoundByThePassAndReportedOnceByItsCaller) {
  TempFolder appFolder;
  const std::string settingsBytes =
      "[Barloom]\r\nBarFilePrefix=Bar_\r\nUseDefaultLanguage=0\r\nLanguageFile=gone.lng\r\n";
  for (const bool fileChosen : {true, false}) {  // a deleted file, or none stored at all
    SCOPED_TRACE(fileChosen);
    Settings settings;
    settings.SettingsFile = appFolder.Write("barloom.ini", settingsBytes);
    settings.UseDefaultLanguage = 0;
    if (fileChosen) settings.LanguageFile = folder_.PathOf("Deleted.lng");
    const Language language{settings};

    const WindowCaptions captions = ApplyLanguage(MainTable, language);
    EXPECT_TRUE(captions.MissingFile);
    EXPECT_EQ(settings.UseDefaultLanguage, 0) << "the pass changes no setting";
    ExpectDirection(captions, false);
    EXPECT_EQ(Texts(captions), BuiltInTexts);

    RecordingMessageBox messages;
    ReportMissingLanguageFile(settings, messages);
    EXPECT_EQ(messages.Shown, (std::vector<test_support::ShownMessage>{
                                  {"Cannot find language file!", build_info::ProductName, MessageIcon::Error}}));
    EXPECT_EQ(settings.UseDefaultLanguage, 1);

    // The Options dialog, captioned later in the same run, finds nothing missing.
    const WindowCaptions options = ApplyLanguage(OptionsTable, language);
    EXPECT_FALSE(options.MissingFile);
    EXPECT_EQ(options.Controls[0].Text, "&File name prefix");

    EXPECT_EQ(ReadFileBytes(PathFromUtf8(settings.SettingsFile)), settingsBytes);  // in memory only
  }
}

TEST_F(ApplyLanguageTest, FontScriptOutsideACharacterSetFallsBackToTheDefaultSet) {
  for (const auto& [fontScript, expected] : {std::pair{0, 0}, {178, 178}, {255, 255}, {256, 1}, {-1, 1}, {32767, 1}}) {
    Settings settings;
    settings.FontScript = static_cast<std::int16_t>(fontScript);
    EXPECT_EQ(ApplyLanguage(MainTable, Language{settings}).Charset, expected) << fontScript;
  }
}

// The language in use is read once and again only when it changes: another file, the file
// rewritten, the file gone; a new FontScript alone decodes the same bytes anew.
TEST_F(ApplyLanguageTest, TheLanguageInUseIsReadAgainOnlyWhenItChanged) {
  Settings settings = UsingFile("[UserLanguage]\r\n101=\xE4\xF9\r\n", 204);
  const Language language{settings};
  EXPECT_EQ(language.Text(TextId::MenuFile), "дщ");

  // Other bytes of the same length and write time read as the same file: not read again.
  const std::filesystem::path file = PathFromUtf8(*settings.LanguageFile);
  const auto written = std::filesystem::last_write_time(file);
  folder_.Write("Test.lng", "[UserLanguage]\r\n101=\xE0\xE1\r\n");
  std::filesystem::last_write_time(file, written);
  settings.FontScript = 177;  // the bytes read first, shown as Hebrew
  EXPECT_EQ(language.Text(TextId::MenuFile), "הש");

  folder_.Write("Test.lng", "[UserLanguage]\r\n101=Fichier\r\n");  // a new length: rewritten
  EXPECT_EQ(language.Text(TextId::MenuFile), "Fichier");

  settings.LanguageFile = folder_.Write("Other.lng", "[UserLanguage]\r\n101=Datei\r\n");
  EXPECT_EQ(language.Text(TextId::MenuFile), "Datei");
  EXPECT_FALSE(language.FileMissing());

  std::filesystem::remove(PathFromUtf8(*settings.LanguageFile));
  EXPECT_TRUE(language.FileMissing());
  EXPECT_EQ(language.Text(TextId::MenuFile), "&File");

  settings.UseDefaultLanguage = 1;
  EXPECT_FALSE(language.FileMissing());
  EXPECT_EQ(language.Text(TextId::MenuFile), "&File");
}

}  // namespace
}  // namespace barloom
