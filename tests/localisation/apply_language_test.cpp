#include "localisation/apply_language.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "build_info.h"
#include "localisation/builtin_texts.h"
#include "platform/code_page.h"
#include "platform/file_bytes.h"
#include "platform/message_box.h"
#include "platform/path_text.h"
#include "settings/settings_file.h"
#include "tests/localisation/language_test_support.h"
#include "tests/support/allocation_counter.h"
#include "tests/support/dialog_doubles.h"
#include "tests/support/memory_form.h"

namespace barloom {
namespace {

using test_support::RecordingMessageBox;
using test_support::TempFolder;

MemoryControl Control(ControlKind kind, std::string tag, std::optional<std::string> caption = std::string()) {
  MemoryControl control;
  control.KindValue = kind;
  control.TagText = std::move(tag);
  control.CaptionText = std::move(caption);
  control.FontCharset = 0;
  return control;
}

// A control with a reading order and an alignment of its own.
MemoryControl Aligned(ControlKind kind, std::string tag, std::string caption = std::string(), int alignment = 0) {
  MemoryControl control = Control(kind, std::move(tag), std::move(caption));
  control.RightToLeft = false;
  control.Alignment = alignment;
  return control;
}

MemoryControl Menu(std::string caption) { return Control(ControlKind::Menu, "", std::move(caption)); }

// The main window as designed: menus carry their IDs as captions until SetMenuTags.
MemoryForm MainWindow() {
  MemoryForm form;
  form.CaptionText = "Barloom 1.00";
  form.RightToLeft = false;
  form.FontCharset = 0;
  form.Controls = {
      Menu("101"),
      Menu("150"),
      Menu("-"),
      Menu("110"),
      Menu("161"),
      Menu("162"),
      Menu("163"),
      Control(ControlKind::Toolbar, "", std::nullopt),
      Aligned(ControlKind::Frame, "601"),
      Aligned(ControlKind::Label, "620"),
      Control(ControlKind::ComboBox, "", std::nullopt),
      Aligned(ControlKind::Frame, "602"),
      Aligned(ControlKind::Label, "621"),
      Aligned(ControlKind::Label, "622"),
      Aligned(ControlKind::TextBox, "", "C:\\bars"),
      Aligned(ControlKind::CommandButton, "", ">>"),
      Aligned(ControlKind::Frame, "603"),
      Aligned(ControlKind::Label, "623"),
      Aligned(ControlKind::Label, "624"),
      Aligned(ControlKind::Frame, "607"),
      Aligned(ControlKind::Label, "", "Quillset", AlignCenter),
      Aligned(ControlKind::CommandButton, "605"),
      Aligned(ControlKind::CommandButton, "604"),
      Aligned(ControlKind::CommandButton, "606"),
  };
  form.Controls[10].RightToLeft = false;  // the combo box has a reading order but takes none
  form.Controls[7].Items = {{"", "1"}, {"", "2"}};
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
  MemoryForm PreparedMainWindow() {
    MemoryForm form = MainWindow();
    SetMenuTags(form);
    return form;
  }

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

  RecordingMessageBox messages_;
};

TEST_F(ApplyLanguageTest, SetMenuTagsCopiesTheDesignCaptionsButNotSeparators) {
  MemoryForm form = MainWindow();
  SetMenuTags(form);
  const std::vector<std::string> expected = {"101", "150", "", "110", "161", "162", "163"};
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(form.Controls[i].TagText, expected[i]) << i;
  for (std::size_t i = expected.size(); i < form.Controls.size(); ++i) {
    EXPECT_EQ(form.Controls[i].TagText, MainWindow().Controls[i].TagText) << i;
  }
}

TEST_F(ApplyLanguageTest, BuiltInTextsWithTheCharacterSetOfFontScript) {
  MemoryForm form = PreparedMainWindow();
  Settings settings;
  settings.FontScript = 204;
  settings.LanguageFile = folder_.Write("Test.lng", "[UserLanguage]\r\n101=Datei\r\nRightToLeftLanguage=1\r\n");
  ApplyLanguage(form, settings, messages_);

  EXPECT_EQ(Captions(form), BuiltInCaptions);
  EXPECT_EQ(form.CaptionText, "Barloom 1.00");  // no tag: the window keeps its title
  EXPECT_EQ(form.FontCharset, 204);
  for (const auto& control : form.Controls) EXPECT_EQ(control.FontCharset, 204) << control.CaptionText.value_or("");
  ExpectDirection(form, false);
  EXPECT_TRUE(messages_.Shown.empty());
  EXPECT_EQ(form.Controls[LinkLabelIndex].Alignment, 0);  // designed centred, left-justified like every label
}

TEST_F(ApplyLanguageTest, AFileTranslatingOnlyTheFileMenuChangesOnlyThatCaption) {
  MemoryForm form = PreparedMainWindow();
  Settings settings = UsingFile("[UserLanguage]\r\n101=&Datei\r\n");
  ApplyLanguage(form, settings, messages_);

  std::vector<std::string> expected = BuiltInCaptions;
  expected[0] = "&Datei";
  EXPECT_EQ(Captions(form), expected);
  EXPECT_TRUE(messages_.Shown.empty());
  EXPECT_EQ(settings.UseDefaultLanguage, 0);
}

TEST_F(ApplyLanguageTest, RightToLeftOnAndBackOff) {
  MemoryForm form = PreparedMainWindow();
  form.Controls.push_back(Aligned(ControlKind::CheckBox, "1008"));
  form.Controls.push_back(Aligned(ControlKind::OptionButton, "1009"));
  Settings settings = UsingFile("[UserLanguage]\r\nRightToLeftLanguage=1\r\n604=Next in Hebrew\r\n", 177);
  ApplyLanguage(form, settings, messages_);
  ExpectDirection(form, true);
  EXPECT_EQ(form.Controls[22].CaptionText, "Next in Hebrew");
  EXPECT_EQ(form.Controls[TextBoxIndex].CaptionText, "C:\\bars");
  EXPECT_EQ(form.Controls.back().CaptionText, "Cancel");

  settings.UseDefaultLanguage = 1;
  ApplyLanguage(form, settings, messages_);
  ExpectDirection(form, false);
  EXPECT_EQ(form.Controls[22].CaptionText, "&Next");
  EXPECT_TRUE(messages_.Shown.empty());
}

// However many controls a window has, a captioning pass reads and parses the language file once:
// what it allocates stays within a small multiple of the file's size.
TEST_F(ApplyLanguageTest, ACaptioningPassLoadsTheFileOnce) {
  const std::string file = "[UserLanguage]\r\nRightToLeftLanguage=1\r\n101=&Datei\r\n" + std::string(1 << 18, '\n');
  Settings settings = UsingFile(file);
  MemoryForm form = PreparedMainWindow();
  test_support::AllocationScope scope;
  ApplyLanguage(form, settings, messages_);
  EXPECT_LE(scope.AllocatedBytes(), 3 * file.size());
  EXPECT_EQ(form.Controls[0].CaptionText, "&Datei");
  ExpectDirection(form, true);
}

TEST_F(ApplyLanguageTest, AMissingFileIsReportedOnceAndTheBuiltInTextsFollow) {
  TempFolder appFolder;
  const std::string settingsBytes =
      "[Barloom]\r\nBarFilePrefix=Bar_\r\nUseDefaultLanguage=0\r\nLanguageFile=gone.lng\r\n";
  Settings settings;
  settings.SettingsFile = appFolder.Write("barloom.ini", settingsBytes);
  settings.UseDefaultLanguage = 0;
  settings.LanguageFile = folder_.PathOf("Deleted.lng");

  MemoryForm mainWindow = PreparedMainWindow();
  mainWindow.Controls.push_back(Aligned(ControlKind::Label, "", "x", 1));
  mainWindow.RightToLeft = true;
  ApplyLanguage(mainWindow, settings, messages_);
  ASSERT_EQ(messages_.Shown.size(), 1u);
  EXPECT_EQ(messages_.Shown[0].Text, "Cannot find language file!");
  EXPECT_EQ(messages_.Shown[0].Title, build_info::ProductName);
  EXPECT_EQ(messages_.Shown[0].Icon, MessageIcon::Error);
  EXPECT_EQ(settings.UseDefaultLanguage, 1);
  ExpectDirection(mainWindow, false);
  mainWindow.Controls.pop_back();
  EXPECT_EQ(Captions(mainWindow), BuiltInCaptions);

  // The Options dialog, opened later in the same run, shows no second message.
  MemoryForm options;
  options.TagText = "1001";
  options.CaptionText = "Form1";
  options.Controls = {Aligned(ControlKind::Label, "610"), Aligned(ControlKind::CommandButton, "1008")};
  ApplyLanguage(options, settings, messages_);
  EXPECT_EQ(messages_.Shown.size(), 1u);
  EXPECT_EQ(options.CaptionText, "Options");
  EXPECT_EQ(options.Controls[0].CaptionText, "&File name prefix");

  EXPECT_EQ(ReadFileBytes(PathFromUtf8(settings.SettingsFile)), settingsBytes);  // in memory only
}

TEST_F(ApplyLanguageTest, NoLanguageFileChosenCountsAsMissing) {
  Settings settings;
  settings.UseDefaultLanguage = 0;  // e.g. stored as a word
  MemoryForm form = PreparedMainWindow();
  ApplyLanguage(form, settings, messages_);
  EXPECT_EQ(messages_.Shown.size(), 1u);
  EXPECT_EQ(settings.UseDefaultLanguage, 1);
  EXPECT_EQ(Captions(form), BuiltInCaptions);
}

TEST_F(ApplyLanguageTest, FormCaptionNeedsAWholeNumberTag) {
  struct Case {
    std::string Tag;
    std::string Expected;
  };
  const Case cases[] = {
      {"1001", "Options"},
      {" 1501 ", "About"},
      {"1000.6", "Options"},
      {"1501.5", "Programmed by :"},  // to 1502, the even neighbour
      {"", "Designed"},
      {"abc", "Designed"},
      {"1001x", "Designed"},
      {"40000", "Designed"},
  };
  for (const Case& c : cases) {
    MemoryForm form;
    form.TagText = c.Tag;
    form.CaptionText = "Designed";
    Settings settings;
    ApplyLanguage(form, settings, messages_);
    EXPECT_EQ(static_cast<const Form&>(form).Caption(), c.Expected) << '"' << c.Tag << '"';
  }
}

TEST_F(ApplyLanguageTest, TagsAreReadByKind) {
  // Menus, toolbar buttons and tabs need a whole number; other controls take the number their
  // tag begins with. Fractions round to the nearest whole number, halves to even.
  struct Case {
    std::string Tag;
    std::string Menu;   // caption of a menu item with this tag
    std::string Label;  // caption of a label with this tag
  };
  const Case cases[] = {
      {"101", "&File", "&File"},
      {"  110  ", "E&xit", "E&xit"},
      {"109.5", "E&xit", "E&xit"},
      {"110.5", "E&xit", "E&xit"},
      {"150.4", "&Options...", "&Options..."},
      {"110abc", "unchanged", "E&xit"},
      {"604 Next", "unchanged", "&Next"},
      {"abc", "unchanged", "unchanged"},
      {"", "unchanged", "unchanged"},
      {"0", "", "unchanged"},  // a menu asks for ID 0, which has no text; a label never asks for it
      {"-604", "", "unchanged"},
      {"40000", "unchanged", "unchanged"},
      {"1E9", "unchanged", "unchanged"},
  };
  for (const Case& c : cases) {
    MemoryForm form;
    form.Controls = {Control(ControlKind::Menu, c.Tag, "unchanged"), Control(ControlKind::Label, c.Tag, "unchanged"),
                     Control(ControlKind::TextBox, c.Tag, "unchanged")};
    Settings settings;
    ApplyLanguage(form, settings, messages_);
    EXPECT_EQ(form.Controls[0].CaptionText, c.Menu) << '"' << c.Tag << '"';
    EXPECT_EQ(form.Controls[1].CaptionText, c.Label) << '"' << c.Tag << '"';
    EXPECT_EQ(form.Controls[2].CaptionText, c.Label) << '"' << c.Tag << '"';
  }
}

TEST_F(ApplyLanguageTest, ToolbarButtonsAndTabsTakeWholeNumberTags) {
  MemoryForm form;
  MemoryControl toolbar = Control(ControlKind::Toolbar, "601", std::nullopt);
  toolbar.Items = {{"604", "tip"}, {"", "1"}, {"abc", "2"}, {" 605 ", "tip"}, {"606x", "3"}};
  MemoryControl tabs = Control(ControlKind::TabStrip, "", std::nullopt);
  tabs.Items = {{"601", "Tab"}, {"602.5", "Tab"}, {"70000", "Tab"}};
  form.Controls = {toolbar, tabs};
  Settings settings = UsingFile("[UserLanguage]\r\n601=Schritt 1\r\n605=&Zur\xFC" "ck\r\n");
  ApplyLanguage(form, settings, messages_);

  const std::vector<std::string> tips = {"&Next", "1", "2", "&Zur\xC3\xBC" "ck", "3"};
  for (std::size_t i = 0; i < tips.size(); ++i) {
    if (i == 3 && AnsiCodePage() != 1252) continue;
    EXPECT_EQ(form.Controls[0].Items[i].Text, tips[i]) << i;
  }
  EXPECT_EQ(form.Controls[1].Items[0].Text, "Schritt 1");
  EXPECT_EQ(form.Controls[1].Items[1].Text, "Step 2");
  EXPECT_EQ(form.Controls[1].Items[2].Text, "Tab");
}

TEST_F(ApplyLanguageTest, ControlsLackingPropertiesAreSkipped) {
  MemoryForm form;  // a form with no caption, direction or font of its own
  form.TagText = "1001";
  MemoryControl bare;
  bare.KindValue = ControlKind::Other;
  bare.TagText = "604";
  MemoryControl fontOnly;
  fontOnly.KindValue = ControlKind::TextBox;
  fontOnly.FontCharset = 0;
  MemoryControl labelWithoutAlignment = Control(ControlKind::Label, "620");
  form.Controls = {bare, fontOnly, labelWithoutAlignment};
  Settings settings = UsingFile("[UserLanguage]\r\nRightToLeftLanguage=1\r\n");
  ApplyLanguage(form, settings, messages_);

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
    ApplyLanguage(form, settings, messages_);
    EXPECT_EQ(form.FontCharset, expected) << fontScript;
    EXPECT_EQ(form.Controls[TextBoxIndex].FontCharset, expected) << fontScript;
  }
}

}  // namespace
}  // namespace barloom
