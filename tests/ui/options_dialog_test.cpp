// The real Options dialog, driven with the messages that a user's clicks and keys send.
#include "platform/path_text.h"
#include "ui/win32/options_dialog.h"
#include "ui/win32/controls.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "localisation/language.h"
#include "build_info.h"
#include "localisation/get_text.h"
#include "platform/code_page.h"
#include "settings/profile.h"
#include "settings/settings_file.h"
#include "tests/support/dialog_doubles.h"
#include "tests/ui/options_test_support.h"
#include "ui/main_layout.h"
#include "tests/support/text_lookup.h"

namespace barloom {
namespace {

namespace ids = options_ids;
using test_support::ShownMessage;

std::string Text(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return Utf8FromWide(text);
}

// The program's folder with three of the shipped language files (the list's places are fixed
// whatever else ships), started once (so barloom.ini exists).
class OptionsDialogTest : public test_support::OptionsTest {
 protected:
  OptionsDialogTest() : OptionsTest("options-dialog") {}

  void SetUp() override {
    std::filesystem::create_directories(app.Path() / "Languages");
    for (const char* name : {"German.lng", "Hebrew-UTF8.lng", "Hebrew.lng"})
      std::filesystem::copy_file(PathFromUtf8(BARLOOM_DIST_DIR) / "Languages" / name, app.Path() / "Languages" / name);
    SetAppFolder(settings, app.Utf8());
    LoadSettings(settings, profile);
  }

  HWND Open() {
    dialog.emplace(settings, language, profile, &messages);
    EXPECT_TRUE(dialog->Open(nullptr));
    Pump();
    return dialog->Handle();
  }

  void Pump() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (dialog && dialog->Handle() && IsDialogMessageW(dialog->Handle(), &message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }

  HWND Item(int id) const { return GetDlgItem(dialog->Handle(), id); }

  std::vector<std::string> Entries() const {
    std::vector<std::string> entries;
    const HWND list = Item(ids::LanguageList);
    for (LRESULT i = 0; i < SendMessageW(list, CB_GETCOUNT, 0, 0); ++i) {
      std::wstring entry(static_cast<std::size_t>(SendMessageW(list, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
      entry.resize(static_cast<std::size_t>(SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()))));
      entries.push_back(Utf8FromWide(entry));
    }
    return entries;
  }
  LRESULT Selected() const { return SendMessageW(Item(ids::LanguageList), CB_GETCURSEL, 0, 0); }

  // What the list sends when the user picks an entry from the open list (its changes while it is
  // open count when it closes), or moves the closed list with the keyboard.
  void PickLanguage(int position, WORD notification = CBN_CLOSEUP) {
    const HWND list = Item(ids::LanguageList);
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    SendMessageW(dialog->Handle(), WM_COMMAND, MAKEWPARAM(ids::LanguageList, notification),
                 reinterpret_cast<LPARAM>(list));
    Pump();
  }

  void TypePrefix(const wchar_t* text) {
    SendMessageW(dialog->Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(ids::Prefix)), TRUE);
    SendMessageW(Item(ids::Prefix), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  }

  // A key (or, with `message` WM_SYSCHAR, an access key) as the message loop hands it over.
  void Press(WPARAM key, UINT message = WM_KEYDOWN) {
    MSG pressed{GetFocus(), message, key, message == WM_SYSCHAR ? LPARAM{1} << 29 : 0};
    if (!IsDialogMessageW(dialog->Handle(), &pressed)) {
      TranslateMessage(&pressed);
      DispatchMessageW(&pressed);
    }
    Pump();
  }

  std::optional<OptionsDialog> dialog;
};

TEST_F(OptionsDialogTest, PicksALanguageAndAPrefixAndStoresThem) {
  const HWND window = Open();
  ASSERT_TRUE(window);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"Default", "-------", "German.lng", "Hebrew-UTF8.lng", "Hebrew.lng"}));
  EXPECT_EQ(Selected(), 0);
  EXPECT_EQ(Text(Item(ids::Prefix)), "Bar_");
  EXPECT_EQ(GetFocus(), Item(ids::LanguageList)) << "what most open the dialog for";

  // The dialog's fixed design size, at its DPI, in the middle of the screen.
  const int dpi = WindowDpi(window);
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, TwipsToPixels(4815, dpi));
  EXPECT_EQ(client.bottom, TwipsToPixels(1635, dpi));
  EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
  RECT frame{};
  GetWindowRect(window, &frame);
  MONITORINFO screen{sizeof screen};
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &screen);
  EXPECT_LE(std::abs((frame.left + frame.right) - (screen.rcMonitor.left + screen.rcMonitor.right)), 1);
  EXPECT_LE(std::abs((frame.top + frame.bottom) - (screen.rcMonitor.top + screen.rcMonitor.bottom)), 1);
  // Moved to a screen of 144 DPI: the same design at that scale.
  RECT suggested{frame.left, frame.top, frame.left + 700, frame.top + 300};
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, TwipsToPixels(4815, 144));
  EXPECT_EQ(client.bottom, TwipsToPixels(1635, 144));
  RECT box{};
  GetWindowRect(Item(ids::Prefix), &box);
  EXPECT_EQ(box.right - box.left, TwipsToPixels(2145, 144));
  EXPECT_EQ(Text(Item(ids::Label1)), "&File name prefix");

  // The access keys lead into the boxes their labels name.
  Press('l', WM_SYSCHAR);
  EXPECT_EQ(GetFocus(), Item(ids::LanguageList));
  Press('f', WM_SYSCHAR);
  EXPECT_EQ(GetFocus(), Item(ids::Prefix));

  PickLanguage(1);
  EXPECT_EQ(Selected(), 0) << "the separator cannot stay selected";
  PickLanguage(1, CBN_SELCHANGE);
  EXPECT_EQ(Selected(), 2) << "the Down key passes over it";
  PickLanguage(0);
  PickLanguage(2);
  TypePrefix(L" Mine_ ");
  SendMessageW(Item(IDOK), BM_CLICK, 0, 0);
  Pump();
  EXPECT_EQ(dialog->Handle(), nullptr);
  EXPECT_EQ(settings.BarFilePrefix, " Mine_ ");
  EXPECT_EQ(settings.UseDefaultLanguage, 0);
  const std::string german = app.Folder() + "Languages\\German.lng";
  EXPECT_EQ(app.Read("barloom.ini"),
            "[Barloom]\r\nBarFilePrefix=Mine_\r\nUseDefaultLanguage=0\r\nLanguageFile=" + german + "\r\n");
  EXPECT_TRUE(messages.Shown.empty());

  // Opened again: the stored file is selected and the dialog speaks its language.
  Open();
  EXPECT_EQ(Selected(), 2);
  EXPECT_EQ(Text(dialog->Handle()), "Optionen");
}

TEST_F(OptionsDialogTest, EnterConfirmsEscAndTheCloseBoxCancel) {
  struct Case {
    const char* Name;
    WPARAM Key;  // 0: the close box
    INT_PTR Result;
    const char* StoredPrefix;
  };
  for (const Case& c : {Case{"enter", VK_RETURN, IDOK, "Typed"}, Case{"escape", VK_ESCAPE, IDCANCEL, "Bar_"},
                        Case{"close box", 0, IDCANCEL, "Bar_"}}) {
    SCOPED_TRACE(c.Name);
    app.Write("barloom.ini", "[Barloom]\r\nBarFilePrefix=Bar_\r\n");
    ReadSettings(settings, profile);
    Open();
    PickLanguage(3);
    TypePrefix(L"Typed");
    if (c.Key) {
      Press(c.Key);
    } else {
      SendMessageW(dialog->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
      Pump();
    }
    EXPECT_EQ(dialog->Handle(), nullptr);
    EXPECT_EQ(Stored("BarFilePrefix"), c.StoredPrefix);
    EXPECT_EQ(settings.BarFilePrefix, c.StoredPrefix);
    EXPECT_EQ(settings.UseDefaultLanguage, c.Result == IDOK ? 0 : 1);
    EXPECT_EQ(Stored("LanguageFile"), c.Result == IDOK ? app.Folder() + "Languages\\Hebrew-UTF8.lng" : "<none>");
  }
}

TEST_F(OptionsDialogTest, APrefixNoFileNameCanBeginWithKeepsTheDialogOpen) {
  Open();
  TypePrefix(L"a/b");
  SendMessageW(Item(IDOK), BM_CLICK, 0, 0);
  Pump();
  EXPECT_EQ(messages.Shown,
            (std::vector<ShownMessage>{{GetText(703, settings), build_info::ProductName, MessageIcon::Error}}));
  ASSERT_NE(dialog->Handle(), nullptr);
  EXPECT_EQ(GetFocus(), Item(ids::Prefix));
  DWORD start = 1;
  DWORD end = 0;
  SendMessageW(Item(ids::Prefix), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 3u) << "the whole prefix is selected for typing over";
  EXPECT_EQ(app.Read("barloom.ini"), "[Barloom]\r\nBarFilePrefix=Bar_\r\n");
}

TEST_F(OptionsDialogTest, CaptionedInTheUsersLanguage) {
  struct Case {
    const char* File;  // nullptr: the built-in texts
    int FontScript;
    bool RightToLeft;
  };
  for (const Case& c : {Case{nullptr, 1, false}, Case{"German.lng", 0, false}, Case{"Hebrew.lng", 177, true}}) {
    SCOPED_TRACE(c.File ? c.File : "built-in");
    settings.UseDefaultLanguage = c.File ? 0 : 1;
    settings.LanguageFile = c.File ? std::optional{app.Folder() + "Languages\\" + c.File} : std::nullopt;
    settings.FontScript = static_cast<std::int16_t>(c.FontScript);
    Open();
    const std::string title = Text(dialog->Handle());
    const std::vector<std::string> captions = {title, Text(Item(ids::Label1)), Text(Item(ids::Label2)),
                                               Text(Item(IDOK)), Text(Item(IDCANCEL))};
    if (!c.File) {
      EXPECT_EQ(captions, (std::vector<std::string>{"Options", "&File name prefix", "&Language File", "OK", "Cancel"}));
    } else if (std::string_view{c.File} == "German.lng") {
      EXPECT_EQ(captions, (std::vector<std::string>{"Optionen", "&Dateinamen-Pr\u00e4fix", "&Sprachdatei", "OK",
                                                    "Abbrechen"}));
    } else {
      EXPECT_EQ(captions, (std::vector<std::string>{GetText(1001, settings), GetText(610, settings),
                                                    GetText(611, settings), GetText(1008, settings),
                                                    GetText(1009, settings)}));
      EXPECT_NE(title, "Options");
    }
    EXPECT_EQ((GetWindowLongPtrW(Item(ids::Label2), GWL_EXSTYLE) & WS_EX_RTLREADING) != 0, c.RightToLeft);
    EXPECT_EQ((GetWindowLongPtrW(Item(ids::Label2), GWL_STYLE) & SS_TYPEMASK) == SS_RIGHT, c.RightToLeft);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Item(ids::LanguageList), WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfCharSet, c.FontScript);
    EXPECT_TRUE(messages.Shown.empty());
  }
}

}  // namespace
}  // namespace barloom
