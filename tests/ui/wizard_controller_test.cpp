#include "ui/wizard_controller.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/progress.h"
#include "core/wizard_state.h"
#include "localisation/builtin_texts.h"
#include "localisation/language.h"
#include "platform/file_open_dialog.h"
#include "platform/path_text.h"
#include "settings/ini_document.h"
#include "settings/profile.h"
#include "settings/settings_file.h"
#include "tests/support/dialog_doubles.h"
#include "tests/support/temp_folder.h"
#include "tests/support/text_lookup.h"

namespace barloom {
namespace {

// A bar of one button: a file that a pick or a drop takes as an import.
constexpr const char* OneButton = "[Buttonbar]\r\nButtoncount=1\r\nbutton1=x.ico\r\ncmd1=x.exe\r\n";

using test_support::RecordingMessageBox;
using test_support::ScriptedFileOpenDialog;
using test_support::ScriptedFolderPicker;
using test_support::TempFolder;

// The wizard with the dialogs answered by the test and the program living in a fresh folder.
class Wizard {
 public:
  explicit Wizard(std::optional<std::string> lastPath = std::nullopt,
                  std::optional<std::string> commanderPath = std::nullopt,
                  SettingsNotice notice = SettingsNotice::None) {
    SetAppFolder(settings, app.Utf8());
    settings.LastPath = std::move(lastPath);
    fileDialog.Setup(files, "");
    CommanderFolderSources sources;
    sources.Environment = [this, commanderPath](std::string_view) {
      ++commanderLookups;
      return commanderPath;
    };
    controller.emplace(settings, language, profile, WizardServices{folders, fileDialog, messages, sources});
    controller->Start(notice);
    controller->Activated();
  }

  WizardController& operator*() { return *controller; }
  WizardController* operator->() { return &*controller; }

  TempFolder app{"wizard"};
  Settings settings;
  Language language{settings};
  cProfile profile;
  ScriptedFolderPicker folders;
  ScriptedFileOpenDialog files;
  cCommonDialog fileDialog;
  RecordingMessageBox messages;
  NoProgressDisplay progress;
  int commanderLookups = 0;
  std::optional<WizardController> controller;
};

// Where the settings went is told once, when the window first shows, with the settings file's path.
TEST(WizardController, TellsOnceWhereTheSettingsAre) {
  for (const auto& [notice, text] : {std::pair{SettingsNotice::MovedToProfile, 850}, std::pair{SettingsNotice::NotKept, 851}}) {
    Wizard wizard{std::nullopt, std::nullopt, notice};
    wizard->Activated();
    ASSERT_EQ(wizard.messages.Shown.size(), 1u);
    EXPECT_EQ(wizard.messages.Shown[0].Text,
              std::string{*FindBuiltInText(text)} + "\n" + wizard.settings.SettingsFile);
  }
  Wizard quiet;
  EXPECT_TRUE(quiet.messages.Shown.empty());
}

enum class Do { Next, Back, Browse, Type, Create };
struct Action {
  Do What;
  std::string Text = "";  // the folder picked ("" cancels) or typed
};

struct Expected {
  int Step;
  bool Back, Next, Create, Link, BarButtons;
};

struct NavigationCase {
  const char* Name;
  std::optional<std::string> LastPath;
  std::vector<Action> Actions;
  Expected View;
};

TEST(WizardController, StepsAndWhatEachEnables) {
  const std::string somewhere = TempFolder{"picked"}.Utf8();  // removed again: Create makes it
  const NavigationCase cases[] = {
      {"start", std::nullopt, {}, {0, false, true, false, false, true}},
      {"next with a folder", std::nullopt, {{Do::Next}}, {1, true, true, false, false, true}},
      {"step 3", std::nullopt, {{Do::Next}, {Do::Next}}, {2, true, false, true, false, true}},
      {"next at step 3 does nothing", std::nullopt, {{Do::Next}, {Do::Next}, {Do::Next}}, {2, true, false, true, false, true}},
      {"back from step 3", std::nullopt, {{Do::Next}, {Do::Next}, {Do::Back}}, {1, true, true, false, false, true}},
      {"back to step 1", std::nullopt, {{Do::Next}, {Do::Back}}, {0, false, true, false, false, true}},
      {"back at step 1 does nothing", std::nullopt, {{Do::Back}}, {0, false, true, false, false, true}},
      {"empty stored folder closes the way on", "", {{Do::Next}}, {1, true, false, false, false, true}},
      {"a cancelled picker keeps it closed", "", {{Do::Next}, {Do::Browse, ""}}, {1, true, false, false, false, true}},
      {"a picked folder opens it", "", {{Do::Next}, {Do::Browse, somewhere}}, {1, true, true, false, false, true}},
      {"a typed folder opens it", "", {{Do::Next}, {Do::Type, somewhere}}, {1, true, true, false, false, true}},
      {"emptying the box leaves next", std::nullopt, {{Do::Next}, {Do::Type, ""}}, {1, true, true, false, false, true}},
      {"until back and next again", std::nullopt, {{Do::Next}, {Do::Type, ""}, {Do::Back}, {Do::Next}},
       {1, true, false, false, false, true}},
      {"back from step 3 opens next whatever the box", std::nullopt,
       {{Do::Next}, {Do::Type, ""}, {Do::Next}, {Do::Back}}, {1, true, true, false, false, true}},
      {"created", std::nullopt, {{Do::Next}, {Do::Next}, {Do::Create}}, {2, true, false, false, true, false}},
      {"back after create", std::nullopt, {{Do::Next}, {Do::Next}, {Do::Create}, {Do::Back}},
       {1, true, true, false, false, true}},
      {"next again: still created", std::nullopt, {{Do::Next}, {Do::Next}, {Do::Create}, {Do::Back}, {Do::Next}},
       {2, true, false, false, false, true}},
      {"a new folder un-creates", std::nullopt,
       {{Do::Next}, {Do::Next}, {Do::Create}, {Do::Back}, {Do::Browse, somewhere}, {Do::Next}},
       {2, true, false, true, false, true}},
      {"a typed folder un-creates", std::nullopt,
       {{Do::Next}, {Do::Next}, {Do::Create}, {Do::Back}, {Do::Type, somewhere}, {Do::Next}},
       {2, true, false, true, false, true}},
  };
  for (const NavigationCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Wizard wizard(c.LastPath);
    for (const Action& action : c.Actions) {
      switch (action.What) {
        case Do::Next: wizard->Next(); break;
        case Do::Back: wizard->Back(); break;
        case Do::Browse:
          wizard.folders.Answers.push_back(action.Text);
          wizard->BrowseForFolder();
          break;
        case Do::Type: wizard->FolderTextChanged(action.Text); break;
        case Do::Create: wizard->Create(wizard.progress); break;
      }
    }
    const WizardView view = wizard->View();
    EXPECT_EQ(view.ShownFrame, c.View.Link ? LinkFrame : c.View.Step);
    EXPECT_EQ(view.BackEnabled, c.View.Back);
    EXPECT_EQ(view.NextEnabled, c.View.Next);
    EXPECT_EQ(view.CreateEnabled, c.View.Create);
    EXPECT_EQ(view.BarButtonsEnabled, c.View.BarButtons);
    // The created state offers to make bar 1 of the set Total Commander's button bar.
    EXPECT_EQ(view.InstallOffered, c.View.Link);
    if (c.View.Link) {
      EXPECT_EQ(wizard->CreatedBarFile(), AddBackslash(wizard->State().SaveFolder) + "Bar_01.bar");
    }
  }
}

TEST(WizardController, StartFolderAndThePicker) {
  Wizard fresh;
  EXPECT_EQ(fresh->View().FolderBoxText, fresh.app.Folder() + "bars");
  EXPECT_EQ(fresh->State().SaveFolder, fresh.app.Folder() + "bars");

  // A relative folder lies beside the program; the box shows it as stored.
  const std::string relative = std::string{"sets"} + PathSeparator + "mine";
  Wizard stored(relative);
  EXPECT_EQ(stored->View().FolderBoxText, relative);
  EXPECT_EQ(stored->State().SaveFolder, stored.app.Folder() + relative);

  // The picker starts at the box's folder, titled with it, owned by the window; a drive root
  // keeps its one separator.
  stored->SetOwnerWindow(42);
  stored->Next();
  const std::string root = Utf8FromPath(stored.app.Path().root_path());
  stored.folders.Answers = {root};
  stored->BrowseForFolder();
  ASSERT_EQ(stored.folders.Calls.size(), 1u);
  EXPECT_EQ(stored.folders.Calls[0], (test_support::FolderRequest{relative, 42, relative}));
  EXPECT_EQ(stored->View().FolderBoxText, root);
  EXPECT_EQ(stored->State().SaveFolder, root);
}

TEST(WizardController, BarButtonsMarkAndImportOnlyAtStepThree) {
  Wizard wizard(std::nullopt, "C:\\TC");
  wizard->PickBarCount(5);
  EXPECT_EQ(wizard->View().BarCount, 5);
  EXPECT_EQ(wizard->View().MarkedBar, 5);  // a new count marks its last button

  wizard->ClickBar(2);
  EXPECT_EQ(wizard->View().MarkedBar, 2);
  wizard->Next();
  wizard->ClickBar(4);
  EXPECT_TRUE(wizard.files.Calls.empty()) << "steps 1 and 2 only mark";

  wizard->Next();
  const std::string old = wizard.app.Write("old.bar", OneButton);
  const std::string noBar = wizard.app.Write("picture.bar", "\xFF\xD8\xFF\xE0");
  wizard.files.Answers = {old, std::nullopt, noBar, wizard.app.Write("other.bar", OneButton)};
  wizard->ClickBar(3);
  wizard->ClickBar(3);  // cancelled: the first choice stays
  wizard->ClickBar(3);  // no bar: named at once, and the first choice stays
  EXPECT_EQ(wizard->ImportFile(3), old);
  ASSERT_EQ(wizard.messages.Shown.size(), 1u);
  EXPECT_EQ(wizard.messages.Shown[0].Text, "This file holds no button bar, so it brings no buttons:\n" + noBar);
  EXPECT_EQ(wizard->View().MarkedBar, 3);
  wizard->ClickBar(5);
  ASSERT_EQ(wizard.files.Calls.size(), 4u);
  // The first dialog of the run starts in Total Commander's folder; later ones where the user went.
  EXPECT_EQ(wizard.files.Calls[0].InitDir, AddBackslash("C:\\TC"));
  EXPECT_EQ(wizard.files.Calls[1].InitDir, "");
  EXPECT_EQ(wizard.files.Calls[0].Title, "Open");
  EXPECT_EQ(wizard.files.Calls[0].FileName, "");
  EXPECT_EQ(wizard.files.Calls[0].Filter, "TC button bar file (*.bar)|*.bar|All Files (*.*)|*.*");

  // Removing is for bars that import something, at Step 3.
  EXPECT_FALSE(wizard->CanRemoveImport(1));
  EXPECT_TRUE(wizard->CanRemoveImport(5));
  wizard->RemoveImport(5);
  EXPECT_EQ(wizard->ImportFile(5), "");
  wizard->Back();
  EXPECT_FALSE(wizard->CanRemoveImport(3));
  EXPECT_EQ(wizard.commanderLookups, 1);
  EXPECT_EQ(wizard->Activated(), std::nullopt);
  EXPECT_EQ(wizard.commanderLookups, 1) << "Total Commander's folder is looked up once a run";
}

TEST(WizardController, ImportsOfHiddenBarsComeBackWithTheirCount) {
  Wizard wizard;
  const std::string source = wizard.app.Write("source.bar",
                                              "[Buttonbar]\r\nButtoncount=1\r\nbutton1=x.ico\r\ncmd1=x.exe\r\n");
  wizard->PickBarCount(5);
  wizard->Next();
  wizard->Next();
  wizard.files.Answers = {source};
  wizard->ClickBar(5);
  wizard->Back();
  wizard->Back();
  wizard->PickBarCount(3);  // 3 bars: bar 5's import waits
  wizard->PickBarCount(5);
  wizard->Next();
  wizard->Next();
  wizard->Create(wizard.progress);
  EXPECT_NE(wizard.app.Read("bars" + std::string(1, PathSeparator) + "Bar_05.bar").find("cmd7=x.exe"),
            std::string::npos);
  ASSERT_EQ(wizard.messages.Shown.size(), 1u);
  EXPECT_EQ(wizard.messages.Shown[0].Icon, MessageIcon::Information);
  EXPECT_EQ(wizard.messages.Shown[0].Title, "Barloom");
}

TEST(WizardController, CreateWritesWhereTheBoxSaysAndSurvivesFailure) {
  Wizard wizard;
  wizard.app.Write("blocked", "a file where the folder should be");
  wizard->Next();
  wizard->FolderTextChanged("blocked");
  wizard->Next();
  wizard->Create(wizard.progress);
  ASSERT_EQ(wizard.messages.Shown.size(), 1u);
  EXPECT_EQ(wizard.messages.Shown[0].Icon, MessageIcon::Error);
  EXPECT_NE(wizard.messages.Shown[0].Text.find(wizard.app.PathOf("blocked")), std::string::npos)
      << wizard.messages.Shown[0].Text;
  // Nothing is created: the user can mend the cause and press Create again.
  EXPECT_TRUE(wizard->View().CreateEnabled);
  EXPECT_EQ(wizard->View().ShownFrame, 2);
  EXPECT_EQ(cProfile{}.ReadStringValue(SettingsSection, "LastPath", "none", wizard.settings.SettingsFile), "none");

  wizard->Back();
  wizard->FolderTextChanged("sets");
  wizard->Next();
  wizard->Create(wizard.progress);
  EXPECT_NE(wizard.app.Read("sets" + std::string(1, PathSeparator) + "Bar_02.bar"), "<missing>");
  EXPECT_EQ(cProfile{}.ReadStringValue(SettingsSection, "LastPath", "none", wizard.settings.SettingsFile), "sets")
      << "LastPath keeps the box's text as typed";
  EXPECT_FALSE(wizard->View().CreateEnabled);
}

TEST(WizardController, TheListTheKeyboardAndEnter) {
  EXPECT_EQ(WizardController::BarCounts(),
            (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}));

  Wizard wizard("");  // an empty folder box: Next closes at Step 2
  const WizardView start = wizard->View();
  EXPECT_EQ(start.BarCount, 2);
  wizard->PickBarCount(5);
  EXPECT_EQ(wizard->View().BarCount, 5);
  wizard->PickBarCount(21);  // no such count: nothing changes
  wizard->PickBarCount(1);
  EXPECT_EQ(wizard->View().BarCount, 5);

  // Enter presses the push button that has the keyboard, else Next.
  wizard->ButtonFocused(WizardControl::BrowseFolder, true);
  EXPECT_EQ(wizard->View().DefaultButton, WizardControl::BrowseFolder);
  wizard->ButtonFocused(WizardControl::FolderBox, true);  // not a push button
  EXPECT_EQ(wizard->View().DefaultButton, WizardControl::BrowseFolder);
  wizard->ButtonFocused(WizardControl::BrowseFolder, false);
  EXPECT_EQ(wizard->View().DefaultButton, WizardControl::Next);

  // A keyboard left on a disabled or hidden control goes to Next, else the next enabled button.
  EXPECT_EQ(start.FocusTarget, WizardControl::Next);
  wizard->Next();
  EXPECT_EQ(wizard->View().FocusTarget, WizardControl::Back) << "Next and Create closed at Step 2";
  wizard->FolderTextChanged("sets");
  wizard->Next();
  EXPECT_EQ(wizard->View().FocusTarget, WizardControl::Create);
  wizard->Create(wizard.progress);
  EXPECT_EQ(wizard->View().FocusTarget, WizardControl::Install) << "after Create the way on is installing the set";
  wizard->ButtonFocused(WizardControl::Install, true);
  EXPECT_EQ(wizard->View().DefaultButton, WizardControl::Install) << "Enter installs";
}

TEST(WizardController, TheContextMenuOffersToRemoveAnImportAtStepThree) {
  Wizard wizard;
  wizard->PickBarCount(4);  // 4 bars, bar 4 marked
  wizard->Next();
  wizard->Next();
  wizard.files.Answers = {wizard.app.Write("a.bar", OneButton), wizard.app.Write("b.bar", OneButton)};
  wizard->ClickBar(2);
  wizard->ClickBar(4);  // marked again
  struct Case {
    int Bar;
    bool FromKeyboard;
    std::optional<int> Offered;
  };
  const Case cases[] = {
      {2, false, 2}, {3, false, std::nullopt}, {0, false, std::nullopt}, {5, false, std::nullopt},
      {2, true, 2},  {0, true, 4},             {3, true, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(wizard->ContextMenuBar(c.Bar, c.FromKeyboard), c.Offered) << c.Bar;
  wizard->Back();
  EXPECT_EQ(wizard->ContextMenuBar(2, false), std::nullopt) << "only at Step 3";
}

TEST(WizardController, TheWindowOpensWhereItWasAndStoresItsNormalPlace) {
  Wizard wizard;
  wizard.settings.WindowTop = 1440;
  wizard.settings.WindowLeft = 2880;
  const PixelRect screen{0, 0, 1024, 768};
  EXPECT_EQ(wizard->StartPlace(400, 300, std::span{&screen, 1}, 96), (PixelRect{192, 96, 592, 396}));
  EXPECT_EQ(wizard->StartPlace(400, 300, std::span{&screen, 1}, 144), (PixelRect{288, 144, 688, 444}));
  wizard.settings.WindowLeft = -99999;  // off every screen: pulled back onto the nearest one
  EXPECT_EQ(wizard->StartPlace(400, 300, std::span{&screen, 1}, 96), (PixelRect{0, 96, 400, 396}));

  const auto stored = [&] {
    return cProfile{}.ReadStringValue(SettingsSection, "MainWindowPosition", "none", wizard.settings.SettingsFile);
  };
  wizard->StorePlace({10, 20, 410, 320}, false, 96);
  EXPECT_EQ(stored(), "none") << "minimised or maximised: nothing stored";
  wizard->StorePlace({10, 20, 410, 320}, true, 96);
  EXPECT_EQ(stored(), "300,150");
  wizard->StorePlace({-5, 20, 400, 320}, true, 168);
  EXPECT_EQ(stored(), "171,-43") << "twips of the system's scale, rounded down";
}

// The window shows what Create kept: a bar the user changed since the last Create has its earlier
// version beside it, named below the installation steps.
TEST(WizardController, TheMessageNamesTheEarlierVersionsKept) {
  Wizard wizard;
  wizard->Next();
  wizard->Next();
  wizard->Create(wizard.progress);
  const std::string bar = wizard.app.PathOf("bars" + std::string(1, PathSeparator) + "Bar_01.bar");
  test_support::WriteFile(bar, "[ButtonBar]\r\nButtoncount=1\r\ncmd1=mine.exe\r\n");
  wizard->Back();
  wizard->PickBarCount(2);
  wizard->Next();
  wizard.messages.Picks = {1};  // the user's button goes: "Drop them"
  wizard->Create(wizard.progress);
  ASSERT_EQ(wizard.messages.Shown.size(), 2u);
  EXPECT_EQ(wizard.messages.Shown[0].Text.find(".bak"), std::string::npos);
  const std::string& text = wizard.messages.Shown[1].Text;
  EXPECT_NE(text.find("\n\nThe earlier versions of the replaced button bar files were kept in:\n" + bar + ".bak"),
            std::string::npos)
      << text;
  EXPECT_FALSE(wizard->View().CreateEnabled);
}

// Step 3's check box: there while the folder holds bars of the set's names, off until checked, and
// a choice like any other (it un-creates the set).
TEST(WizardController, TheKeepButtonsCheckBoxFollowsTheBarsInTheFolder) {
  Wizard wizard;
  const std::string bars = wizard.app.Folder() + "bars" + PathSeparator;
  const auto check = [&](const char* when, bool shown, bool checked, bool create, const std::string& caption) {
    const WizardView view = wizard->View();
    EXPECT_EQ(view.KeepButtonsShown, shown) << when;
    EXPECT_EQ(view.KeepButtonsEnabled, shown) << when;
    EXPECT_EQ(view.KeepButtonsChecked, checked) << when;
    EXPECT_EQ(wizard->State().KeepButtons, checked) << when;
    EXPECT_EQ(view.CreateEnabled, create) << when;
    EXPECT_EQ(view.KeepButtonsCaption, caption) << when;
  };
  const std::string three = "&Keep the buttons already on these bars (found: 3)";
  wizard->PickBarCount(5);  // 5 bars
  wizard->Next();
  wizard->Next();
  check("an empty folder", false, false, true, "");
  wizard->SetKeepButtons(true);
  check("nothing to keep", false, false, true, "");
  wizard->Create(wizard.progress);
  check("created: the link frame covers it", false, false, false, "");

  // The user added a button to bar 1 in Total Commander and wants the set one bar shorter.
  test_support::WriteFile(bars + "Bar_01.bar",
                          test_support::ReadBytes(bars + "Bar_01.bar").value() + "button6=mine.ico\r\ncmd6=mine.exe\r\n");
  test_support::WriteFile(bars + "Set_01.bar", "[Buttonbar]\r\n");  // another prefix: not counted
  for (int bar : {2, 4, 5}) std::filesystem::remove(PathFromUtf8(bars + BarFileName("Bar_", bar)));
  wizard->Back();
  wizard->Next();
  check("bars 1 and 3 found", true, false, false, "&Keep the buttons already on these bars (found: 2)");
  wizard->SetKeepButtons(true);
  check("checked: no longer created", true, true, true, "&Keep the buttons already on these bars (found: 2)");
  wizard->Create(wizard.progress);
  EXPECT_NE(wizard.app.Read("bars" + std::string(1, PathSeparator) + "Bar_01.bar").find("=mine.exe"),
            std::string::npos)
      << "the button the user added is kept";
  wizard->Back();
  wizard->Next();
  check("after Create: five bars, still checked", true, true, false,
        "&Keep the buttons already on these bars (found: 5)");
  wizard->SetKeepButtons(false);
  check("unchecked", true, false, true, "&Keep the buttons already on these bars (found: 5)");
  wizard->SetKeepButtons(true);

  // Files removed by another program while the wizard waits: looked up again when it is active.
  for (int bar = 1; bar <= 5; ++bar) std::filesystem::remove(PathFromUtf8(bars + BarFileName("Bar_", bar)));
  wizard->Activated();
  check("gone", false, false, true, "");
  for (int bar = 1; bar <= 3; ++bar) test_support::WriteFile(bars + BarFileName("Bar_", bar), "[Buttonbar]\r\n");
  wizard->Refresh();
  check("back again, off", true, false, true, three);
  wizard->SetKeepButtons(true);
  wizard->Back();
  wizard->FolderTextChanged(wizard.app.Utf8());  // another folder: asked afresh
  wizard->FolderTextChanged("bars");
  wizard->Next();
  check("the folder changed", true, false, true, three);

  // The caption follows the language and the prefix chosen in Options.
  wizard.settings.UseDefaultLanguage = 0;
  wizard.settings.LanguageFile = wizard.app.Write("German.lng", "[UserLanguage]\r\n728=&Behalten\r\n729=gefunden:\r\n");
  wizard->Refresh();
  check("in German", true, false, true, "&Behalten (gefunden: 3)");
  wizard.settings.BarFilePrefix = "Set_";
  wizard->Refresh();
  check("another prefix", true, false, true, "&Behalten (gefunden: 1)");
}

// Create over bars that hold buttons of their own, the check box off: the user is asked first, and
// each answer does what it says; a box closed without an answer is Cancel.
TEST(WizardController, CreateAsksBeforeItDropsOwnButtons) {
  struct Case {
    std::optional<std::size_t> Answer;
    bool Written, ButtonKept;
  };
  const Case cases[] = {{0, true, true}, {1, true, false}, {2, false, true}, {std::nullopt, false, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Answer.value_or(9));
    Wizard wizard;
    const std::string bar1 = wizard.app.Folder() + "bars" + PathSeparator + "Bar_01.bar";
    wizard->PickBarCount(3);
    wizard->Next();
    wizard->Next();
    wizard->Create(wizard.progress);
    IniDocument added{test_support::ReadBytes(bar1).value()};  // a button added as Total Commander adds it
    added.Write("ButtonBar", "Buttoncount", "6");
    added.Write("ButtonBar", "button6", "mine.ico");
    added.Write("ButtonBar", "cmd6", "mine.exe");
    test_support::WriteFile(bar1, added.Bytes());
    const std::string edited = test_support::ReadBytes(bar1).value();
    wizard->Back();
    wizard->PickBarCount(4);
    wizard->Next();
    wizard->Next();
    wizard.messages.Shown.clear();
    wizard.messages.Picks = {c.Answer};
    wizard->Create(wizard.progress);

    ASSERT_EQ(wizard.messages.Choices.size(), 1u);
    EXPECT_EQ(wizard.messages.Choices[0].Answers, (std::vector<std::string>{"&Keep them", "&Drop them", "Cancel"}));
    EXPECT_TRUE(wizard.messages.Choices[0].Text.starts_with(std::string{*FindBuiltInText(920)} + "\n"));
    EXPECT_NE(wizard.messages.Choices[0].Text.find(bar1 + " (1)"), std::string::npos);
    const std::string after = test_support::ReadBytes(bar1).value();
    EXPECT_EQ(after.find("mine.exe") != std::string::npos, c.ButtonKept);
    EXPECT_EQ(wizard->State().SetCreated, c.Written);
    EXPECT_EQ(wizard.messages.Shown.size(), c.Written ? 1u : 0u);
    EXPECT_EQ(wizard->State().KeepButtons, c.Answer == 0u) << "Keep checks the box";
    if (!c.Written) {
      EXPECT_EQ(after, edited);
      EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(bar1 + ".bak")));
      EXPECT_TRUE(wizard->View().CreateEnabled) << "the wizard stays as it was";
    }
    if (c.Answer == 1u) {
      EXPECT_NE(test_support::ReadBytes(bar1 + ".bak").value_or("").find("mine.exe"), std::string::npos);
      EXPECT_NE(wizard.messages.Shown[0].Text.find(bar1 + "\n- mine.exe\n"), std::string::npos);
    }
  }
}

// Create in two halves, as the window runs it on another thread: the run gets a copy of the
// choices, nothing can be used meanwhile, and a close asked for waits until the set is whole.
// Bars that would point to missing icons are named before anything is written: Yes goes on, No
// leaves the wizard as it was.
TEST(WizardController, CreateAsksWhenTheBarsWouldPointToMissingIcons) {
  struct Case {
    const char* Name;
    int IconBars;  // bars whose two icons the icons folder holds; -1: no folder
    bool Answer;
    bool Asked, Written;
    const char* Names;  // the missing icons the question names ("" for the missing folder)
  };
  const Case cases[] = {
      {"all there", 3, false, false, true, ""},
      {"no folder, Yes", -1, true, true, true, ""},
      {"no folder, No", -1, false, true, false, ""},
      {"bar 3's missing, No", 2, false, true, false, "Up_03.ico, Dn_03.ico"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Wizard wizard;
    const std::filesystem::path icons = wizard.app.Path() / "icons";
    if (c.IconBars >= 0) std::filesystem::create_directory(icons);
    for (int bar = 1; bar <= c.IconBars; ++bar)
      for (const BarIcon icon : {BarIcon::Up, BarIcon::Dn})
        test_support::WriteFile(BarIconFile(wizard.settings.AppFolder, bar, icon), "icon");
    wizard.messages.Answers = {c.Answer};
    wizard->PickBarCount(3);
    wizard->Next();
    wizard->Next();
    wizard->Create(wizard.progress);
    ASSERT_EQ(wizard.messages.Asked.size(), c.Asked ? 1u : 0u);
    if (c.Asked) {
      const std::string& question = wizard.messages.Asked[0].Text;
      EXPECT_NE(question.find(Utf8FromPath(icons)), std::string::npos) << question;
      EXPECT_NE(question.find(*c.Names ? c.Names : "folder is missing"), std::string::npos) << question;
      EXPECT_TRUE(question.ends_with("\n\nCreate the bars all the same?")) << question;
    }
    EXPECT_EQ(wizard.app.Read("bars" + std::string(1, PathSeparator) + "Bar_01.bar") != "<missing>", c.Written);
    EXPECT_EQ(wizard.messages.Shown.size(), c.Written ? 1u : 0u) << "the report follows only a Create that ran";
    EXPECT_EQ(wizard->View().ShownFrame, c.Written ? LinkFrame : 2);
    EXPECT_EQ(wizard->View().CreateEnabled, !c.Written) << "No: Create can be pressed again";
  }
}

// A folder that holds a set of the prefix starts at that set's size, as a Create of it left it;
// Total Commander's folder is looked up at the start only when there is a bar 1 to read.
TEST(WizardController, StartsAtTheSizeOfTheSetTheFolderHolds) {
  struct Case {
    const char* Name;
    int Created;  // 0: none
    bool UnderCommander;  // the set's folder lies in Total Commander's, so its paths are folded
    std::string PrefixAtStart;
    int Count;
  };
  const Case cases[] = {
      {"nothing there", 0, false, "Bar_", 2},
      {"a set of 7", 7, false, "Bar_", 7},
      {"a set of 20", 20, false, "Bar_", 20},
      {"folded paths", 7, true, "Bar_", 7},
      {"another prefix now", 7, false, "Set_", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TempFolder commander{"commander"};
    const std::string folder = commander.PathOf("bars");
    const std::optional<std::string> commanderPath =
        c.UnderCommander ? std::optional{commander.Folder()} : std::nullopt;
    if (c.Created) {
      Wizard earlier{folder, commanderPath};
      earlier->PickBarCount(c.Created);
      earlier->Next();
      earlier->Next();
      earlier->Create(earlier.progress);
      ASSERT_EQ(earlier->View().ShownFrame, LinkFrame);
    }
    Wizard wizard{folder, commanderPath};
    wizard.settings.BarFilePrefix = c.PrefixAtStart;
    wizard->Start();
    EXPECT_EQ(wizard->View().BarCount, c.Count);
    EXPECT_EQ(wizard->View().MarkedBar, c.Count);
    EXPECT_EQ(wizard->State().BarCount, c.Count);
  }
  Wizard fresh{TempFolder{"empty"}.Utf8()};
  EXPECT_EQ(fresh.commanderLookups, 1) << "the first activation's only";
}

TEST(WizardController, WhileCreateRunsNothingChangesAndACloseWaits) {
  Wizard wizard;
  EXPECT_FALSE(wizard->BeginCreate().has_value()) << "Create cannot be pressed at Step 1";
  EXPECT_TRUE(wizard->CloseRequested());
  wizard->PickBarCount(3);
  wizard->Next();
  wizard->Next();
  const std::optional<CreateJob> job = wizard->BeginCreate();
  ASSERT_TRUE(job);
  EXPECT_EQ(job->Choices.BarCount, 3);
  EXPECT_EQ(job->Choices.SaveFolder, wizard->State().SaveFolder);
  EXPECT_EQ(job->ProgramSettings.AppFolder, wizard.settings.AppFolder);

  const auto busy = [&](const char* when) {
    const WizardView view = wizard->View();
    EXPECT_TRUE(view.Busy) << when;
    EXPECT_FALSE(view.BackEnabled || view.NextEnabled || view.CreateEnabled || view.BarButtonsEnabled) << when;
    EXPECT_EQ(view.ShownFrame, 2) << when;
    EXPECT_EQ(wizard->State().BarCount, 3) << when;
  };
  busy("started");
  EXPECT_FALSE(wizard->BeginCreate().has_value()) << "one run at a time";
  wizard->Back();
  wizard->PickBarCount(6);
  wizard.files.Answers = {"C:\\x.bar"};
  wizard->ClickBar(2);
  wizard->FolderTextChanged("elsewhere");
  busy("every intent ignored");
  EXPECT_TRUE(wizard.files.Calls.empty());
  EXPECT_FALSE(wizard->CloseRequested()) << "the set is not whole yet";
  EXPECT_FALSE(wizard->CloseRequested());

  EXPECT_TRUE(wizard->FinishCreate(CreateBarSet(job->Choices, job->ProgramSettings, job->Texts, job->CommanderFolder,
                                                wizard.progress)))
      << "the close asked for comes now";
  EXPECT_FALSE(wizard->View().Busy);
  EXPECT_EQ(wizard->View().ShownFrame, LinkFrame);
  ASSERT_EQ(wizard.messages.Shown.size(), 1u) << "the report first";
  EXPECT_EQ(wizard.messages.Shown[0].Icon, MessageIcon::Information);
  EXPECT_TRUE(wizard->CloseRequested());

  // Without a close asked for, the window stays.
  wizard->Back();
  wizard->PickBarCount(4);
  wizard->Next();
  const std::optional<CreateJob> again = wizard->BeginCreate();
  ASSERT_TRUE(again);
  EXPECT_FALSE(wizard->FinishCreate(CreateBarSet(again->Choices, again->ProgramSettings, again->Texts, again->CommanderFolder,
                                                 wizard.progress)));
  EXPECT_FALSE(wizard->FinishCreate(CreateResult{})) << "no run: nothing to finish";
  EXPECT_EQ(wizard.messages.Shown.size(), 2u);
}

TEST(WizardController, BarButtonNamesTellTheBarItsImportAndWhatCreateReplaces) {
  Wizard wizard;
  const std::string sep(1, PathSeparator);
  const std::string mine = wizard.app.Write("mine.bar", OneButton);
  // Bar 1 of the set exists in the folder: an import of it reads the bar as the set makes it.
  std::filesystem::create_directories(PathFromUtf8(wizard.app.PathOf("bars")));
  const std::string own = wizard.app.Write("bars" + sep + "Bar_01.bar", OneButton);
  const std::string german = wizard.app.Write("de.lng", "[UserLanguage]\r\n770=Leiste\r\n");
  wizard->PickBarCount(3);
  wizard->Next();
  wizard->Next();
  wizard.files.Answers = {mine, own};
  wizard->ClickBar(2);
  wizard->ClickBar(3);
  struct Case {
    const char* Name;
    std::optional<std::string> LanguageFile;
    std::vector<std::string> Names;
  };
  const std::string note = "This file is one of the button bars this set replaces";
  const Case cases[] = {
      {"built-in", std::nullopt,
       {"Bar 1", "Bar 2\n" + mine,
        "Bar 3\n" + own + "\n" + note}},
      {"a language file", german, {"Leiste 1", "Leiste 2\n" + mine, "Leiste 3\n" + own + "\n" + note}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    wizard.settings.UseDefaultLanguage = c.LanguageFile ? 0 : 1;
    wizard.settings.LanguageFile = c.LanguageFile;
    const std::vector<std::string> names = wizard->BarButtonNames();
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[0], c.Names[0]);
    EXPECT_EQ(names[1], c.Names[1]);
    // The note goes on with where the bar's present version will be kept.
    EXPECT_EQ(names[2].substr(0, c.Names[2].size()), c.Names[2]);
    EXPECT_NE(names[2].find("Bar_01.bar.bak"), std::string::npos) << names[2];
  }
  wizard.settings.UseDefaultLanguage = 1;
  wizard.settings.BarFilePrefix = "Set_";  // another set: the file is no bar of it
  EXPECT_EQ(wizard->BarButtonNames()[2], "Bar 3\n" + own);
  wizard->RemoveImport(2);
  EXPECT_EQ(wizard->BarButtonNames()[1], "Bar 2");
}

TEST(WizardController, FilesDroppedOnTheBarButtons) {
  TempFolder in{"in"};
  const std::string dir = in.Folder();
  for (const char* name : {"a.bar", "B.BAR", "c.Bar"}) in.Write(name, OneButton);
  in.Write("none.bar", "[Buttonbar]\r\nButtoncount=0\r\n");
  const DroppedFile a{dir + "a.bar"}, b{dir + "B.BAR"}, c{dir + "c.Bar"}, text{dir + "notes.txt"},
      folder{dir + "more.bar", true}, bare{dir + ".bar"}, none0{dir + "none.bar"};
  struct Case {
    const char* Name;
    int Step;     // 0..2; 3: after Create
    int OnBar;    // the bar under the pointer, 0 for none
    std::vector<DroppedFile> Files;
    std::vector<std::string> Imports;  // of bars 1..5 afterwards
    int Marked;
    std::string Message;  // "" for none
  };
  const std::string none;
  const Case cases[] = {
      {"one file on bar 2", 2, 2, {a}, {none, a.Path, none, none, none}, 2, ""},
      {"three files fill bars 2 to 4 in the order of their names", 2, 2, {c, a, b},
       {none, a.Path, b.Path, c.Path, none}, 4, ""},
      {"beyond the last bar", 2, 4, {a, b, c}, {none, none, none, a.Path, b.Path}, 5,
       "From the bar they were dropped on there are not enough bars; these files were not imported:\n" + c.Path},
      {"a folder and other files are refused, the rest imported", 2, 1, {text, a, folder, bare},
       {a.Path, none, none, none, none}, 1,
       "Only button bar files (*.bar) can be dropped on the bar numbers; these were not imported:\n" + text.Path +
           "\n" + folder.Path + "\n" + bare.Path},
      {"a bar without buttons is named and takes no bar", 2, 2, {none0, b}, {none, b.Path, none, none, none}, 2,
       "This button bar holds no buttons, so it brings none:\n" + none0.Path},
      {"nothing but refusals", 2, 3, {folder}, {none, none, none, none, none}, 5,
       "Only button bar files (*.bar) can be dropped on the bar numbers; these were not imported:\n" + folder.Path},
      {"not on a button", 2, 0, {a}, {none, none, none, none, none}, 5, ""},
      {"Step 1", 0, 2, {a, text}, {none, none, none, none, none}, 5, ""},
      {"Step 2", 1, 2, {a}, {none, none, none, none, none}, 5, ""},
      {"after Create", 3, 2, {a}, {none, none, none, none, none}, 5, ""},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Name);
    Wizard wizard;
    wizard->PickBarCount(5);  // 5 bars
    for (int step = 0; step < std::min(k.Step, 2); ++step) wizard->Next();
    if (k.Step == 3) wizard->Create(wizard.progress);
    wizard.messages.Shown.clear();
    wizard->DropFiles(k.OnBar, k.Files);
    for (int bar = 1; bar <= 5; ++bar) EXPECT_EQ(wizard->ImportFile(bar), k.Imports[bar - 1]) << bar;
    EXPECT_EQ(wizard->View().MarkedBar, k.Marked);
    if (k.Message.empty()) {
      EXPECT_TRUE(wizard.messages.Shown.empty());
    } else {
      ASSERT_EQ(wizard.messages.Shown.size(), 1u);
      EXPECT_EQ(wizard.messages.Shown[0].Text, k.Message);
    }
    EXPECT_TRUE(wizard.files.Calls.empty()) << "a drop asks nothing";
  }
}

TEST(WizardController, AClickedBarIsMarkedBeforeTheFileDialogAsks) {
  Wizard wizard;
  std::vector<std::pair<int, std::size_t>> seen;  // the marked bar and the dialogs asked, as the window is shown
  wizard->SetBeforeDialog([&] { seen.emplace_back(wizard->View().MarkedBar, wizard.files.Calls.size()); });
  wizard->ClickBar(1);  // Step 1: marks only, nothing waits
  EXPECT_FALSE(wizard->View().BarClickAsksForFile);
  wizard->Next();
  wizard->Next();
  EXPECT_TRUE(wizard->View().BarClickAsksForFile);
  wizard->ClickBar(2);
  wizard->ClickBar(1);
  EXPECT_EQ(seen, (std::vector<std::pair<int, std::size_t>>{{2, 0}, {1, 1}}));
}

}  // namespace
}  // namespace barloom
