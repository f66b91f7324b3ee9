// The real main window, driven with the messages that a user's clicks and keys send, the
// dialogs answered by the test.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "tests/support/text_lookup.h"
#include "build_info.h"
#include "localisation/get_text.h"
#include "platform/path_text.h"
#include "platform/code_page.h"
#include "settings/profile.h"
#include "tests/support/dialog_doubles.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/main_layout.h"
#include "ui/main_window_layout.h"
#include "ui/win32/main_window.h"
#include "ui/win32/options_dialog.h"

namespace barloom {
namespace {

namespace ids = main_ids;
using test_support::RecordingMessageBox;
using test_support::RecordingShellOpener;
using test_support::ScriptedFileOpenDialog;
using test_support::ScriptedFolderPicker;
using test_support::TempFolder;

using test_support::MainWindowTest;
using test_support::Text;
using test_support::Visible;

TEST_F(MainWindowTest, ThreeStepsToASetAndTheSettingsAfterwards) {
  const HWND main = Open();
  EXPECT_EQ(Text(main).rfind("Barloom ", 0), 0u) << Text(main);
  EXPECT_EQ(VisibleFrame(), 0);
  EXPECT_FALSE(IsWindowEnabled(Item(ids::Back)));
  EXPECT_TRUE(IsWindowEnabled(Item(ids::Next)));
  EXPECT_FALSE(IsWindowEnabled(Item(ids::Create)));
  EXPECT_EQ(GetFocus(), Item(ids::Combo1)) << "the first activation gives the list the keyboard";
  EXPECT_EQ(Text(Item(ids::Next)), "&Next");
  for (const int later : {ids::SaveIn, ids::KeepButtons, ids::Link, ids::Progress})
    EXPECT_EQ(Item(later), nullptr) << later << ": made when first needed, not at start";
  EXPECT_EQ(ImageList_GetImageCount(reinterpret_cast<HIMAGELIST>(SendMessageW(Item(ids::Toolbar), TB_GETIMAGELIST, 0, 0))),
            80) << "a missing icon gets a stand-in";

  PickBarCount(2);
  EXPECT_EQ(SendMessageW(Item(ids::Toolbar), TB_BUTTONCOUNT, 0, 0), 4);
  EXPECT_EQ(BarImage(4), 20 + 3) << "the last button shows its Dn image";
  EXPECT_EQ(BarImage(1), 0);

  PressKey(VK_RETURN);  // Enter presses Next, the default button
  EXPECT_EQ(VisibleFrame(), 1);
  EXPECT_EQ(Text(Item(ids::SaveIn)), app.Folder() + "bars");
  EXPECT_EQ(GetFocus(), Item(ids::Next)) << "the keyboard left the hidden list for the way on";
  Click(ids::Next);
  EXPECT_EQ(VisibleFrame(), 2);
  EXPECT_FALSE(IsWindowEnabled(Item(ids::Next)));
  EXPECT_TRUE(IsWindowEnabled(Item(ids::Create)));
  EXPECT_TRUE(IsWindowEnabled(GetFocus())) << "the keyboard never stays on a disabled button";

  const std::string source = app.Write("mine.bar", "[Buttonbar]\r\nButtoncount=1\r\ncmd1=notepad.exe\r\n");
  files.Answers = {source};
  SetFocus(Item(ids::Toolbar));  // as Tab would: on the marked bar, 4; the keyboard then moves along the row
  PressKey(VK_LEFT);
  PressKey(VK_LEFT);
  PressKey(VK_SPACE);
  EXPECT_EQ(window->Controller().ImportFile(2), source) << "the arrows and Space chose bar 2";
  ClickBar(3);
  EXPECT_EQ(window->Controller().ImportFile(3), "") << "a click whose dialog is cancelled chooses nothing";
  ClickBar(2);  // again, cancelled: the choice stays
  EXPECT_EQ(BarImage(2), 3 * MaxBarCount + 1) << "down, with the import mark";
  EXPECT_EQ(BarImage(1), 0) << "up, without";
  // The tooltip of bar 2's button names the file, as the toolbar's tooltip asks for it.
  NMTTDISPINFOW tip{};
  tip.hdr.hwndFrom = reinterpret_cast<HWND>(SendMessageW(Item(ids::Toolbar), TB_GETTOOLTIPS, 0, 0));
  tip.hdr.idFrom = ids::BarButton0 + 2;
  tip.hdr.code = TTN_GETDISPINFOW;
  SendMessageW(main, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tip));
  ASSERT_NE(tip.lpszText, nullptr);
  EXPECT_EQ(Utf8FromWide(tip.lpszText), "Bar 2\n" + source);

  const auto installOffered = [&] {
    return (GetMenuState(GetMenu(main), ids::MenuFileInstall, MF_BYCOMMAND) & MF_GRAYED) == 0;
  };
  EXPECT_FALSE(installOffered()) << "nothing to install before Create";
  CreateAndWait();
  ASSERT_EQ(messages.Shown.size(), 1u);
  EXPECT_EQ(messages.Shown[0].Icon, MessageIcon::Information);
  EXPECT_NE(messages.Shown[0].Text.find("'Bar_01.bar'"), std::string::npos);
  EXPECT_NE(messages.Shown[0].Text.find("The set is in the folder:\n" + app.Folder() + "bars"), std::string::npos);
  EXPECT_TRUE(installOffered());
  EXPECT_TRUE(Visible(Item(ids::InstallButton)));
  EXPECT_EQ(GetFocus(), Item(ids::InstallButton)) << "the keyboard goes to the way on, not to Back";
  EXPECT_EQ(Text(Item(ids::InstallButton)), "&Make it Total Commander's button bar...");
  EXPECT_EQ(VisibleFrame(), 3) << "the link frame covers Step 3";
  EXPECT_EQ(Text(Item(ids::Link)), "Quillset");
  // A link without an address is not shown, and its frame does not name the tools.
  const bool toolsPage = !std::string_view{build_info::ToolsPage}.empty();
  EXPECT_EQ(Visible(Item(ids::Link)), toolsPage);
  EXPECT_EQ((GetWindowLongPtrW(Item(ids::Link), GWL_STYLE) & WS_TABSTOP) != 0, toolsPage);
  EXPECT_EQ(Text(Item(ids::FrameBox0 + 3)), toolsPage ? "Try my other tools" : "");
  EXPECT_FALSE(IsWindowEnabled(Item(ids::Create)));
  EXPECT_FALSE(IsWindowEnabled(Item(ids::Toolbar)));
  EXPECT_FALSE(Visible(Item(ids::Progress)));
  const std::string bars = "bars" + std::string(1, PathSeparator);
  EXPECT_NE(app.Read(bars + "Bar_04.bar").find("Buttoncount=6"), std::string::npos);
  EXPECT_NE(app.Read(bars + "Bar_02.bar").find("cmd6=notepad.exe"), std::string::npos);

  RECT at{};
  GetWindowRect(main, &at);
  Close();
  const cProfile profile;
  const std::string settingsFile = app.PathOf("barloom.ini");
  const int dpi = static_cast<int>(GetDpiForSystem());
  EXPECT_EQ(profile.ReadStringValue("Barloom", "MainWindowPosition", "", settingsFile),
            std::to_string(PixelsToTwips(at.top, dpi)) + "," + std::to_string(PixelsToTwips(at.left, dpi)));
  EXPECT_EQ(profile.ReadStringValue("Barloom", "LastPath", "", settingsFile), app.Folder() + "bars");
}

// Up_07.ico is missing: Create of 7 bars asks first, No writes nothing and leaves Create to be
// pressed again, Yes writes the set. The next start opens at the size of the set it finds.
TEST_F(MainWindowTest, AsksAboutMissingIconsAndTheNextStartTakesTheSetsSize) {
  Open();
  PickBarCount(7 - MinBarCount);
  Click(ids::Next);
  Click(ids::Next);
  const std::filesystem::path bars = app.Path() / "bars";
  messages.Answers = {false};
  Click(ids::Create);
  ASSERT_EQ(messages.Asked.size(), 1u);
  EXPECT_NE(messages.Asked[0].Text.find("Up_07.ico"), std::string::npos) << messages.Asked[0].Text;
  EXPECT_FALSE(std::filesystem::exists(bars / "Bar_01.bar"));
  EXPECT_TRUE(IsWindowEnabled(Item(ids::Create)));
  EXPECT_TRUE(messages.Shown.empty());
  messages.Answers = {true};
  CreateAndWait();
  EXPECT_TRUE(std::filesystem::exists(bars / "Bar_07.bar"));
  Close();

  Open();
  EXPECT_EQ(SendMessageW(Item(ids::Combo1), CB_GETCURSEL, 0, 0), 7 - MinBarCount);
  EXPECT_EQ(SendMessageW(Item(ids::Toolbar), TB_BUTTONCOUNT, 0, 0), 7);
}

TEST_F(MainWindowTest, KeepsItsHeightAndItsMinimumWidth) {
  const HWND main = Open();
  const int dpi = static_cast<int>(GetDpiForWindow(main));
  RECT start{};
  GetWindowRect(main, &start);
  const int height = start.bottom - start.top;
  EXPECT_EQ(start.right - start.left, MinimumWindowWidth(dpi));
  RECT inner{};
  GetClientRect(main, &inner);
  EXPECT_EQ(height, FixedWindowHeight(dpi, height - inner.bottom));

  struct Attempt {
    int Width, Height, ExpectedWidth;
  };
  const Attempt attempts[] = {
      {100, 900, MinimumWindowWidth(dpi)},
      {700, 40, 700},
      {MinimumWindowWidth(dpi) - 1, height, MinimumWindowWidth(dpi)},
  };
  for (const Attempt& attempt : attempts) {
    SetWindowPos(main, nullptr, 0, 0, attempt.Width, attempt.Height, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    RECT now{};
    GetWindowRect(main, &now);
    EXPECT_EQ(now.right - now.left, attempt.ExpectedWidth) << attempt.Width << "x" << attempt.Height;
    EXPECT_EQ(now.bottom - now.top, height) << attempt.Width << "x" << attempt.Height;
  }
  ShowWindow(main, SW_MINIMIZE);
  ShowWindow(main, SW_RESTORE);
  Pump();
  RECT restored{};
  GetWindowRect(main, &restored);
  EXPECT_EQ(restored.bottom - restored.top, height);

  // Twenty bars need a wider window than the frames.
  PickBarCount(18);
  GetWindowRect(main, &restored);
  const int button = LOWORD(SendMessageW(Item(ids::Toolbar), TB_GETBUTTONSIZE, 0, 0));
  EXPECT_EQ(restored.right - restored.left, WindowWidthForBars(button, 20, dpi));

  // Moved to a screen at 150 %: everything grows with the scale.
  PickBarCount(0);
  RECT suggested{10, 10, 10 + restored.right - restored.left, 10 + height};
  SendMessageW(main, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  Pump();
  RECT scaled{};
  GetWindowRect(main, &scaled);
  GetClientRect(main, &inner);
  EXPECT_EQ(scaled.right - scaled.left, MinimumWindowWidth(144));
  EXPECT_EQ(scaled.bottom - scaled.top, FixedWindowHeight(144, (scaled.bottom - scaled.top) - inner.bottom));
  RECT frame{};
  GetWindowRect(Item(ids::Frame0), &frame);
  EXPECT_EQ(frame.right - frame.left, ToPixels(main_design::Frame, 144).Width());
  int imageSize = 0;
  ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(SendMessageW(Item(ids::Toolbar), TB_GETIMAGELIST, 0, 0)),
                        &imageSize, &imageSize);
  EXPECT_EQ(imageSize, 48);
}

// Twenty bars at every scale: the window stays within its monitor's work area, every bar button
// in sight, the frames as wide as the window lets them.
TEST_F(MainWindowTest, TwentyBarsStayWithinTheWorkAreaAtEveryScale) {
  const HWND main = Open();
  PickBarCount(18);
  for (const int dpi : {96, 144, 192}) {
    SCOPED_TRACE(dpi);
    RECT at{};
    GetWindowRect(main, &at);
    // Placed near the right edge first: growing moves it left rather than past the edge.
    MONITORINFO monitor{sizeof monitor};
    GetMonitorInfoW(MonitorFromWindow(main, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT work = monitor.rcWork;
    RECT suggested{work.right - 300, at.top, work.right - 300 + (at.right - at.left), at.bottom};
    SendMessageW(main, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    Pump();
    GetWindowRect(main, &at);
    EXPECT_GE(at.left, work.left);
    EXPECT_LE(at.right, work.right);
    RECT row{};
    GetClientRect(Item(ids::Toolbar), &row);
    RECT last{};
    SendMessageW(Item(ids::Toolbar), TB_GETITEMRECT, 19, reinterpret_cast<LPARAM>(&last));
    EXPECT_LE(last.right, row.right) << "bar 20 in sight";
    RECT frame{};
    GetWindowRect(Item(ids::Frame0), &frame);
    EXPECT_EQ(frame.right - frame.left, FrameWidth(at.right - at.left, dpi));
  }
}

std::string MenuText(HWND window, int command) {
  wchar_t text[128] = {};
  GetMenuStringW(GetMenu(window), static_cast<UINT>(command), text, 128, MF_BYCOMMAND);
  return Utf8FromWide(text);
}

// Plays the user of the next dialog that opens on this thread: picks `language` in the Options
// dialog, if that is what opened, and presses OK.
HHOOK answerHook = nullptr;
const wchar_t* answerLanguage = nullptr;
LRESULT CALLBACK AnswerDialog(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    const HWND dialog = reinterpret_cast<HWND>(wParam);
    if (const HWND list = GetDlgItem(dialog, options_ids::LanguageList); list && answerLanguage) {
      const LRESULT entry = SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(answerLanguage));
      PostMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(options_ids::LanguageList, CBN_CLOSEUP),
                   reinterpret_cast<LPARAM>(list));
    }
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  }
  return CallNextHookEx(answerHook, code, wParam, lParam);
}

TEST_F(MainWindowTest, MenusOpenTheDialogsAndALanguageChangeRecaptionsAtOnce) {
  const HWND main = Open();
  const int commands[] = {ids::MenuFile, ids::MenuFileOptions, ids::MenuFileInstall, ids::MenuFileExit,
                          ids::MenuHelp, ids::MenuHelpTopics,  ids::MenuHelpAbout};
  const int textIds[] = {101, 150, 800, 110, 161, 162, 163};
  for (std::size_t i = 0; i < std::size(commands); ++i)
    EXPECT_EQ(MenuText(main, commands[i]), GetText(textIds[i], Settings{})) << textIds[i];
  EXPECT_EQ(GetMenuState(GetMenu(main), ids::MenuFileSeparator, MF_BYCOMMAND) & MF_SEPARATOR, MF_SEPARATOR);

  SendMessageW(main, WM_COMMAND, ids::MenuHelpTopics, 0);
  ASSERT_EQ(messages.Shown.size(), 1u);
  EXPECT_EQ(messages.Shown[0], (test_support::ShownMessage{"File not found.", "Barloom", MessageIcon::Error}));

  answerHook = SetWindowsHookExW(WH_CBT, AnswerDialog, nullptr, GetCurrentThreadId());
  SendMessageW(main, WM_COMMAND, ids::MenuHelpAbout, 0);  // returns once OK closed it
  answerLanguage = L"German.lng";
  SendMessageW(main, WM_COMMAND, ids::MenuFileOptions, 0);
  UnhookWindowsHookEx(answerHook);
  answerLanguage = nullptr;
  Pump();
  EXPECT_EQ(window->CurrentSettings().UseDefaultLanguage, 0);
  EXPECT_EQ(Text(Item(ids::Next)), "&Weiter") << "captioned again without a restart";
  EXPECT_EQ(MenuText(main, ids::MenuFile), "&Datei");

  RECT at{};
  GetWindowRect(main, &at);
  SendMessageW(main, WM_COMMAND, ids::MenuFileExit, 0);
  Pump();
  EXPECT_FALSE(IsWindow(main));
  const int dpi = static_cast<int>(GetDpiForSystem());
  EXPECT_EQ(cProfile{}.ReadStringValue("Barloom", "MainWindowPosition", "", app.PathOf("barloom.ini")),
            std::to_string(PixelsToTwips(at.top, dpi)) + "," + std::to_string(PixelsToTwips(at.left, dpi)));
  window.reset();
}

// A package manager keeps barloom.ini as a hard link into a folder of its own: Options OK and
// Create change the file where it is, so both names hold the new settings.
TEST_F(MainWindowTest, OptionsAndCreateKeepAHardLinkedSettingsFileLinked) {
  const std::filesystem::path settings = app.Path() / "barloom.ini";
  const std::filesystem::path persisted = app.Path() / "persisted.ini";
  test_support::WriteFileAt(settings, "[Barloom]\r\nBarFilePrefix=Bar_\r\n");
  std::filesystem::create_hard_link(settings, persisted);
  const HWND main = Open();
  answerHook = SetWindowsHookExW(WH_CBT, AnswerDialog, nullptr, GetCurrentThreadId());
  answerLanguage = L"German.lng";
  SendMessageW(main, WM_COMMAND, ids::MenuFileOptions, 0);
  UnhookWindowsHookEx(answerHook);
  answerLanguage = nullptr;
  Click(ids::Next);
  Click(ids::Next);
  CreateAndWait();
  Close();
  const std::string bytes = test_support::ReadFileAt(settings).value_or("");
  EXPECT_NE(bytes.find("LanguageFile="), std::string::npos) << bytes;
  EXPECT_NE(bytes.find("LastPath="), std::string::npos) << bytes;
  EXPECT_EQ(test_support::ReadFileAt(persisted), bytes);
  EXPECT_EQ(test_support::FileNames(app.Path()),
            (std::vector<std::string>{"Languages", "barloom.ini", "bars", "icons", "persisted.ini"}))
      << "no journal left beside it";
}

struct LanguageCase {
  const char* File;
  int FontScript;
  bool RightToLeft;
};

TEST_F(MainWindowTest, CaptionedFromTheShippedLanguageFiles) {
  for (const LanguageCase& c : {LanguageCase{"German.lng", 0, false}, LanguageCase{"Hebrew.lng", 177, true},
                                LanguageCase{"Hebrew-UTF8.lng", 1, true}}) {
    SCOPED_TRACE(c.File);
    const std::string languageFile = app.Folder() + "Languages" + PathSeparator + c.File;
    app.Write("barloom.ini", "[Barloom]\r\nLanguageFile=" + languageFile + "\r\nUseDefaultLanguage=0\r\nFontScript=" +
                                 std::to_string(c.FontScript) + "\r\n");
    Open();
    Settings language;
    language.UseDefaultLanguage = 0;
    language.LanguageFile = languageFile;
    language.FontScript = static_cast<std::int16_t>(c.FontScript);
    EXPECT_EQ(Text(Item(ids::Next)), GetText(604, language));
    EXPECT_EQ(Text(Item(ids::Label1)), GetText(620, language));
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Item(ids::Next), WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfCharSet, c.FontScript);
    EXPECT_TRUE(messages.Shown.empty());
    // Step 2 and the link frame are made later, and captioned as they are made.
    Click(ids::Next);
    EXPECT_EQ(Text(Item(ids::FrameBox0 + 1)), GetText(602, language));
    for (const int label : {ids::Label1, ids::Label2}) {
      const LONG_PTR labelStyle = GetWindowLongPtrW(Item(label), GWL_STYLE);
      EXPECT_EQ((GetWindowLongPtrW(Item(label), GWL_EXSTYLE) & WS_EX_RTLREADING) != 0, c.RightToLeft) << label;
      EXPECT_EQ((labelStyle & SS_TYPEMASK) == SS_RIGHT, c.RightToLeft) << label;
    }
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Item(ids::SaveIn), WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfCharSet, c.FontScript);
    Click(ids::Next);
    CreateAndWait();
    EXPECT_EQ(GetWindowLongPtrW(Item(ids::Link), GWL_STYLE) & SS_TYPEMASK, SS_CENTER) << "the link stays centred";
    Close();
    messages.Shown.clear();
  }
}

// The folder holds three bars of the set's names, one of them with a button of the user's own:
// Step 3 offers to keep them, from the keyboard too, and Create then keeps that button.
TEST_F(MainWindowTest, StepThreeOffersToKeepTheButtonsAlreadyOnTheBars) {
  const std::string bars = app.Folder() + "bars" + PathSeparator;
  std::filesystem::create_directories(PathFromUtf8(bars));
  for (int bar = 1; bar <= 3; ++bar)
    test_support::WriteFile(bars + "Bar_0" + std::to_string(bar) + ".bar",
                            "[Buttonbar]\r\nButtoncount=1\r\nbutton1=mine.ico\r\ncmd1=mine" + std::to_string(bar) +
                                ".exe\r\n");
  const HWND main = Open();
  Click(ids::Next);
  Click(ids::Next);
  const HWND keep = Item(ids::KeepButtons);
  EXPECT_TRUE(Visible(keep));
  EXPECT_TRUE(IsWindowEnabled(keep));
  EXPECT_EQ(Text(keep), "&Keep the buttons already on these bars (found: 3)");
  EXPECT_EQ(SendMessageW(keep, BM_GETCHECK, 0, 0), BST_UNCHECKED) << "off until the user checks it";
  // In the Tab order after the bar buttons, before Create.
  EXPECT_EQ(GetNextDlgTabItem(main, Item(ids::Toolbar), FALSE), keep);
  EXPECT_EQ(GetNextDlgTabItem(main, keep, FALSE), Item(ids::Create));

  PressAccessKey(L'k');
  EXPECT_EQ(SendMessageW(keep, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(window->Controller().State().KeepButtons);
  CreateAndWait();
  ASSERT_EQ(messages.Shown.size(), 1u);
  EXPECT_NE(messages.Shown[0].Text.find(bars + "Bar_01.bar.bak"), std::string::npos) << messages.Shown[0].Text;
  EXPECT_NE(app.Read("bars" + std::string(1, PathSeparator) + "Bar_02.bar").find("cmd5=mine2.exe"), std::string::npos);
  EXPECT_FALSE(Visible(keep)) << "the link frame covers Step 3";

  Click(ids::Back);
  Click(ids::Next);
  EXPECT_FALSE(IsWindowEnabled(Item(ids::Create))) << "created";
  SendMessageW(keep, BM_CLICK, 0, 0);
  Pump();
  EXPECT_EQ(SendMessageW(keep, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_TRUE(IsWindowEnabled(Item(ids::Create))) << "a changed choice un-creates the set";
  Close();
}

// Create with the check box off over bars with buttons of their own asks first: Cancel leaves the
// window and the files as they were, Keep checks the box and keeps the buttons.
TEST_F(MainWindowTest, CreateAsksBeforeItDropsTheButtonsOnTheBars) {
  const std::string bar = app.Folder() + "bars" + PathSeparator + "Bar_01.bar";
  std::filesystem::create_directories(PathFromUtf8(app.Folder() + "bars"));
  test_support::WriteFile(bar, "[Buttonbar]\r\nButtoncount=1\r\nbutton1=mine.ico\r\ncmd1=mine.exe\r\n");
  Open();
  Click(ids::Next);
  Click(ids::Next);
  messages.Picks = {2, 0};  // Cancel, then Keep them
  CreateAndWait();
  ASSERT_EQ(messages.Choices.size(), 1u);
  EXPECT_TRUE(messages.Shown.empty());
  EXPECT_EQ(app.Read("bars" + std::string(1, PathSeparator) + "Bar_02.bar"), "<missing>") << "nothing written";
  EXPECT_TRUE(IsWindowEnabled(Item(ids::Create)));
  EXPECT_EQ(VisibleFrame(), 2) << "Step 3 as it was";
  EXPECT_EQ(SendMessageW(Item(ids::KeepButtons), BM_GETCHECK, 0, 0), BST_UNCHECKED);

  CreateAndWait();
  ASSERT_EQ(messages.Choices.size(), 2u);
  ASSERT_EQ(messages.Shown.size(), 1u);
  EXPECT_TRUE(window->Controller().State().KeepButtons);
  EXPECT_NE(test_support::ReadBytes(bar).value_or("").find("cmd5=mine.exe"), std::string::npos);
  Close();
}

// A large Create: the window answers and paints meanwhile, everything but its frame is unusable,
// the progress bar only moves forward, and a close asked for comes once the set is whole.
TEST_F(MainWindowTest, CreateRunsBesideTheMessagesAndACloseWaitsForTheWholeSet) {
  std::string source = "[Buttonbar]\r\nButtoncount=20000\r\n";
  for (int i = 1; i <= 20000; ++i) source += "button" + std::to_string(i) + "=t.ico\r\ncmd" + std::to_string(i) + "=t.exe\r\n";
  const std::string file = app.Write("large.bar", source);
  const HWND main = Open();
  PickBarCount(4);  // 6 bars
  Click(ids::Next);
  Click(ids::Next);
  for (int bar = 1; bar <= 6; ++bar) {
    files.Answers = {file};
    ClickBar(bar);
  }
  Click(ids::Create);
  ASSERT_TRUE(window->Controller().View().Busy) << "the run goes on beside the messages";
  for (const int id : {ids::Back, ids::Create, ids::Toolbar}) EXPECT_FALSE(IsWindowEnabled(Item(id))) << id;
  EXPECT_EQ(GetMenuState(GetMenu(main), 0, MF_BYPOSITION) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
  SendMessageW(main, WM_COMMAND, ids::MenuFileOptions, 0);  // nothing opens
  SendMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(main)) << "the close waits";

  // Another thread asks the window while the set is being written; the window's thread only pumps.
  std::atomic<int> asked{0}, unanswered{0};
  std::atomic<bool> stop{false};
  std::thread prober([&] {
    while (!stop) {
      DWORD_PTR result = 0;
      ++asked;
      // Not answered while it is there; the last probe may meet it gone.
      if (!SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result) && IsWindow(main)) ++unanswered;
      Sleep(20);
    }
  });
  const HWND bar = Item(ids::Progress);
  int last = 0;
  bool shown = false;
  for (const ULONGLONG end = GetTickCount64() + 60000; IsWindow(main) && GetTickCount64() < end;) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    Pump();
    if (!IsWindow(main) || !Visible(bar)) continue;
    shown = true;
    const int position = static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0));
    EXPECT_GE(position, last) << "the bar never runs back";
    last = position;
  }
  stop = true;
  prober.join();
  EXPECT_FALSE(IsWindow(main)) << "closed after the run";
  EXPECT_TRUE(shown);
  EXPECT_GT(asked, 0);
  EXPECT_EQ(unanswered, 0) << "the window answered while it created";
  ASSERT_EQ(messages.Shown.size(), 1u) << "the report, then the close";
  EXPECT_EQ(messages.Shown[0].Icon, MessageIcon::Information);
  for (int number = 1; number <= 6; ++number) {
    const std::string bytes = app.Read("bars" + std::string(1, PathSeparator) + BarFileName("Bar_", number));
    EXPECT_NE(bytes.find("Buttoncount=20007\r\n"), std::string::npos) << number;
    EXPECT_NE(bytes.find("cmd20007=t.exe\r\n"), std::string::npos) << "whole: " << number;
  }
  window.reset();
}

// However the close comes during a Create (the close box, the system menu or Alt+F4, a session
// that ends as Wine's desktop ends it when a window manager closes it), it waits for the whole set.
TEST_F(MainWindowTest, EveryWayOfClosingDuringCreateWaitsForTheSet) {
  struct Ask {
    const char* Way;
    UINT Message;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Answer;  // what the window answers at once
  };
  const Ask asks[] = {
      {"close box", WM_CLOSE, 0, 0, 0},
      {"system menu", WM_SYSCOMMAND, SC_CLOSE, 0, 0},
      {"Alt+F4", WM_SYSKEYDOWN, VK_F4, 1 | (1 << 29), 0},
      {"session end", WM_QUERYENDSESSION, 0, 0, FALSE},
  };
  // Large enough that the run is still going when the close comes, however fast the import is.
  std::string source = "[Buttonbar]\r\nButtoncount=20000\r\n";
  for (int i = 1; i <= 20000; ++i) source += "button" + std::to_string(i) + "=t.ico\r\ncmd" + std::to_string(i) + "=t.exe\r\n";
  const std::string file = app.Write("large.bar", source);
  for (const Ask& ask : asks) {
    SCOPED_TRACE(ask.Way);
    messages.Shown.clear();
    std::filesystem::remove_all(app.Path() / "bars");  // each run a new set
    const HWND main = Open();
    Click(ids::Next);
    Click(ids::Next);
    for (int bar = 1; bar <= 2; ++bar) {
      files.Answers = {file};
      ClickBar(bar);
    }
    Click(ids::Create);
    ASSERT_TRUE(window->Controller().View().Busy);
    EXPECT_EQ(SendMessageW(main, ask.Message, ask.WParam, ask.LParam), ask.Answer);
    if (ask.Message == WM_QUERYENDSESSION) SendMessageW(main, WM_ENDSESSION, FALSE, 0);  // refused: not ended
    EXPECT_TRUE(IsWindow(main)) << "the close waits";
    for (const ULONGLONG end = GetTickCount64() + 60000; IsWindow(main) && GetTickCount64() < end;) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
      Pump();
    }
    EXPECT_FALSE(IsWindow(main)) << "closed once the set was whole";
    EXPECT_EQ(messages.Shown.size(), 1u) << "the report, then the close";
    const std::string bar = app.Read("bars" + std::string(1, PathSeparator) + BarFileName("Bar_", 1));
    EXPECT_NE(bar.find("cmd20003=t.exe\r\n"), std::string::npos) << "whole";
    window.reset();
  }
  // Not busy, the session may end; when it does, the window closes and stores its place.
  const HWND main = Open();
  EXPECT_EQ(SendMessageW(main, WM_QUERYENDSESSION, 0, 0), TRUE);
  SendMessageW(main, WM_ENDSESSION, TRUE, 0);
  EXPECT_FALSE(IsWindow(main));
  EXPECT_NE(profile.ReadStringValue("Barloom", "MainWindowPosition", "", app.PathOf("barloom.ini")), "");
  window.reset();
}

}  // namespace
}  // namespace barloom
