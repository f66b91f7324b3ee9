#include "localisation/apply_language.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "build_info.h"
#include "localisation/builtin_texts.h"
#include "platform/file_bytes.h"
#include "platform/message_box.h"
#include "platform/path_text.h"
#include "settings/settings_file.h"
#include "tests/localisation/language_test_support.h"
#include "tests/support/dialog_doubles.h"
#include "tests/support/memory_form.h"

namespace barloom {
namespace {

using test_support::RecordingMessageBox;
using test_support::TempFolder;

MemoryControl Control(ControlKind kind, int textId, std::optional<std::string> caption = std::string()) {
  MemoryControl control;
  control.KindValue = kind;
  control.TextIdValue = textId;
  control.CaptionText = std::move(caption);
  control.FontCharset = 0;
  return control;
}

// A control with a reading order and an alignment of its own.
MemoryControl Aligned(ControlKind kind, int textId, std::string caption = std::string(), int alignment = 0) {
  MemoryControl control = Control(kind, textId, std::move(caption));
  control.RightToLeft = false;
  control.Alignment = alignment;
  return control;
}

MemoryControl Menu(int textId) { return Control(ControlKind::Menu, textId, textId == NoText ? "-" : ""); }

// The main window as designed: menus and controls carry their text IDs, the separator none.
MemoryForm MainWindow() {
  MemoryForm form;
  form.CaptionText = "Barloom 1.00";
  form.RightToLeft = false;
  form.FontCharset = 0;
  form.Controls = {
      Menu(101),
      Menu(150),
      Menu(NoText),
      Menu(110),
      Menu(161),
      Menu(162),
      Menu(163),
      Control(ControlKind::Toolbar, NoText, std::nullopt),
      Aligned(ControlKind::Frame, 601),
      Aligned(ControlKind::Label, 620),
      Control(ControlKind::ComboBox, NoText, std::nullopt),
      Aligned(ControlKind::Frame, 602),
      Aligned(ControlKind::Label, 621),
      Aligned(ControlKind::Label, 622),
      Aligned(ControlKind::TextBox, NoText, "C:\\bars"),
      Aligned(ControlKind::CommandButton, NoText, ">>"),
      Aligned(ControlKind::Frame, 603),
      Aligned(ControlKind::Label, 623),
      Aligned(ControlKind::Label, 624),
      Aligned(ControlKind::Frame, 607),
      Aligned(ControlKind::Label, NoText, "Quillset", AlignCenter),
      Aligned(ControlKind::CommandButton, 605),
      Aligned(ControlKind::CommandButton, 604),
      Aligned(ControlKind::CommandButton, 606),
  };
  form.Controls[10].RightToLeft = false;  // the combo box has a reading order but takes none
  form.Controls[7].Items = {{NoText, "1"}, {NoText, "2"}};
  return form;
}

constexpr std::size_t TextBoxIndex = 14;
constexpr std::size_t ComboBoxIndex = 10;
constexpr std::size_t LinkLabelIndex = 20;

std::vector<std::string> Captions(const MemoryForm& form) {
  std::vector<std::string> captions;
  for (const auto& control : form.Controls) captions.push_back(control.CaptionText.value_or("<none>"));
  return captions;
}

const std::vector<std::string> BuiltInCaptions = {
    "&File", "&Options...", "-", "E&xit", "&Help", "Help &Topics", "&About...", "<none>",
    "Step 1", "Specify how many button bar you need?", "<none>", "Step 2",
    "Specify where the button bar files will be saved.", "It is recommended to save in separate folder.",
    "C:\\bars", ">>", "Step 3",
    "Press above numbers and browse for any button bar file (*.bar) to import its contents.",
    "You can skip this step and press Create button.", "Try my other tools", "Quillset", "&Back", "&Next",
    "&Create"};

bool TakesReadingOrder(const MemoryControl& control) {
  const ControlKind kind = control.KindValue;
  return kind == ControlKind::Label || kind == ControlKind::Frame || kind == ControlKind::CommandButton ||
         kind == ControlKind::CheckBox || kind == ControlKind::OptionButton;
}

class ApplyLanguageTest : public test_support::LanguageFileTest {
 protected:
  void ExpectDirection(const MemoryForm& form, bool rightToLeft) {
    EXPECT_EQ(form.RightToLeft, rightToLeft);
    for (std::size_t i = 0; i < form.Controls.size(); ++i) {
      const MemoryControl& control = form.Controls[i];
      if (!TakesReadingOrder(control)) continue;
      EXPECT_EQ(control.RightToLeft, rightToLeft) << i;
      EXPECT_EQ(control.Alignment, rightToLeft ? 1 : 0) << i;
    }
    EXPECT_EQ(form.Controls[TextBoxIndex].RightToLeft, false);
    EXPECT_EQ(form.Controls[TextBoxIndex].Alignment, 0);
    EXPECT_EQ(form.Controls[ComboBoxIndex].RightToLeft, false);
  }
};

TEST_F(ApplyLanguageTest, BuiltInTextsWithTheCharacterSetOfFontScript) {
  MemoryForm form = MainWindow();
  Settings settings;
  settings.FontScript = 204;
  settings.LanguageFile = folder_.Write("Test.lng", "[UserLanguage]\r\n101=Datei\r\nRightToLeftLanguage=1\r\n");
  const LanguageFound found = ApplyLanguage(form, settings);

  EXPECT_EQ(Captions(form), BuiltInCaptions);
  EXPECT_EQ(form.CaptionText, "Barloom 1.00");  // no text ID: the window keeps its title
  EXPECT_EQ(form.FontCharset, 204);
  for (const auto& control : form.Controls) EXPECT_EQ(control.FontCharset, 204) << control.CaptionText.value_or("");
  ExpectDirection(form, false);
  EXPECT_EQ(form.Controls[LinkLabelIndex].Alignment, 0);  // designed centred, left-justified like every label
  EXPECT_FALSE(found.RightToLeft || found.MissingFile);
  EXPECT_EQ(found.Charset, 204);
}

TEST_F(ApplyLanguageTest, AFileTranslatingOnlyTheFileMenuChangesOnlyThatCaption) {
  MemoryForm form = MainWindow();
  const Settings settings = UsingFile("[UserLanguage]\r\n101=&Datei\r\n");
  EXPECT_FALSE(ApplyLanguage(form, settings).MissingFile);

  std::vector<std::string> expected = BuiltInCaptions;
  expected[0] = "&Datei";
  EXPECT_EQ(Captions(form), expected);
}

TEST_F(ApplyLanguageTest, RightToLeftOnAndBackOff) {
  MemoryForm form = MainWindow();
  form.Controls.push_back(Aligned(ControlKind::CheckBox, 1008));
  form.Controls.push_back(Aligned(ControlKind::OptionButton, 1009));
  Settings settings = UsingFile("[UserLanguage]\r\nRightToLeftLanguage=1\r\n604=Next in Hebrew\r\n", 177);
  EXPECT_TRUE(ApplyLanguage(form, settings).RightToLeft);
  ExpectDirection(form, true);
  EXPECT_EQ(form.Controls[22].CaptionText, "Next in Hebrew");
  EXPECT_EQ(form.Controls[TextBoxIndex].CaptionText, "C:\\bars");
  EXPECT_EQ(form.Controls.back().CaptionText, "Cancel");

  settings.UseDefaultLanguage = 1;
  EXPECT_FALSE(ApplyLanguage(form, settings).RightToLeft);
  ExpectDirection(form, false);
  EXPECT_EQ(form.Controls[22].CaptionText, "&Next");
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

    MemoryForm mainWindow = MainWindow();
    mainWindow.Controls.push_back(Aligned(ControlKind::Label, NoText, "x", 1));
    mainWindow.RightToLeft = true;
    const LanguageFound found = ApplyLanguage(mainWindow, settings);
    EXPECT_TRUE(found.MissingFile);
    EXPECT_FALSE(found.RightToLeft);
    EXPECT_EQ(settings.UseDefaultLanguage, 0) << "the pass changes no setting";
    ExpectDirection(mainWindow, false);
    mainWindow.Controls.pop_back();
    EXPECT_EQ(Captions(mainWindow), BuiltInCaptions);

    RecordingMessageBox messages;
    ReportMissingLanguageFile(settings, messages);
    EXPECT_EQ(messages.Shown, (std::vector<test_support::ShownMessage>{
                                  {"Cannot find language file!", build_info::ProductName, MessageIcon::Error}}));
    EXPECT_EQ(settings.UseDefaultLanguage, 1);

    // The Options dialog, captioned later in the same run, finds nothing missing.
    MemoryForm options;
    options.TextIdValue = 1001;
    options.CaptionText = "Form1";
    options.Controls = {Aligned(ControlKind::Label, 610), Aligned(ControlKind::CommandButton, 1008)};
    EXPECT_FALSE(ApplyLanguage(options, settings).MissingFile);
    EXPECT_EQ(options.CaptionText, "Options");
    EXPECT_EQ(options.Controls[0].CaptionText, "&File name prefix");

    EXPECT_EQ(ReadFileBytes(PathFromUtf8(settings.SettingsFile)), settingsBytes);  // in memory only
  }
}

TEST_F(ApplyLanguageTest, PositiveTextIdsCaptionEveryKindThatHasACaption) {
  struct Case {
    int TextId;
    std::string Expected;  // for the form, a menu item, a label, a toolbar button and a tab
  };
  const Case cases[] = {
      {101, "&Datei"},
      {1501, "About"},
      {9999, ""},  // no text under that ID: nothing to show
      {NoText, "unchanged"},
      {-604, "unchanged"},
  };
  const Settings settings = UsingFile("[UserLanguage]\r\n101=&Datei\r\n");
  for (const Case& c : cases) {
    MemoryForm form;
    form.TextIdValue = c.TextId;
    form.CaptionText = "unchanged";
    MemoryControl toolbar = Control(ControlKind::Toolbar, 604, std::nullopt);
    toolbar.Items = {{c.TextId, "unchanged"}};
    MemoryControl tabs = Control(ControlKind::TabStrip, NoText, std::nullopt);
    tabs.Items = {{c.TextId, "unchanged"}};
    form.Controls = {Control(ControlKind::Menu, c.TextId, "unchanged"), Control(ControlKind::Label, c.TextId, "unchanged"),
                     toolbar, tabs};
    ApplyLanguage(form, settings);
    const std::vector<std::string> shown = {*form.CaptionText, *form.Controls[0].CaptionText,
                                            *form.Controls[1].CaptionText, form.Controls[2].Items[0].Text,
                                            form.Controls[3].Items[0].Text};
    EXPECT_EQ(shown, std::vector<std::string>(5, c.Expected)) << c.TextId;
  }
}

TEST_F(ApplyLanguageTest, ControlsLackingPropertiesAreSkipped) {
  MemoryForm form;  // a form with no caption, direction or font of its own
  form.TextIdValue = 1001;
  MemoryControl bare;
  bare.KindValue = ControlKind::Other;
  bare.TextIdValue = 604;
  MemoryControl fontOnly;
  fontOnly.KindValue = ControlKind::TextBox;
  fontOnly.FontCharset = 0;
  MemoryControl labelWithoutAlignment = Control(ControlKind::Label, 620);
  form.Controls = {bare, fontOnly, labelWithoutAlignment};
  const Settings settings = UsingFile("[UserLanguage]\r\nRightToLeftLanguage=1\r\n");
  ApplyLanguage(form, settings);

  EXPECT_FALSE(form.CaptionText || form.RightToLeft || form.FontCharset);
  EXPECT_EQ(static_cast<const Form&>(form).Caption(), std::nullopt);
  EXPECT_FALSE(form.Controls[0].CaptionText || form.Controls[0].FontCharset || form.Controls[0].Alignment);
  EXPECT_EQ(form.Controls[1].FontCharset, 1);
  EXPECT_FALSE(form.Controls[1].CaptionText);
  EXPECT_EQ(form.Controls[2].CaptionText, "Specify how many button bar you need?");
  EXPECT_FALSE(form.Controls[2].Alignment || form.Controls[2].RightToLeft);
}

TEST_F(ApplyLanguageTest, FontScriptOutsideACharacterSetFallsBackToTheDefaultSet) {
  for (const auto& [fontScript, expected] : {std::pair{0, 0}, {178, 178}, {255, 255}, {256, 1}, {-1, 1}, {32767, 1}}) {
    MemoryForm form = MainWindow();
    Settings settings;
    settings.FontScript = static_cast<std::int16_t>(fontScript);
    EXPECT_EQ(ApplyLanguage(form, settings).Charset, expected) << fontScript;
    EXPECT_EQ(form.FontCharset, expected) << fontScript;
    EXPECT_EQ(form.Controls[TextBoxIndex].FontCharset, expected) << fontScript;
  }
}

}  // namespace
}  // namespace barloom
