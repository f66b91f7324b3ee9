// The real About box, opened without a modal loop and driven with the messages that keys and
// clicks send; the registry and the shell answered by the test.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "localisation/language.h"
#include "build_info.h"
#include "core/version_text.h"
#include "platform/code_page.h"
#include "tests/localisation/language_test_support.h"
#include "tests/support/dialog_doubles.h"
#include "tests/ui/test_window_class_win32.h"
#include "ui/about_layout.h"
#include "ui/win32/about_box.h"
#include "ui/win32/controls.h"

namespace barloom {
namespace {

namespace ids = about_ids;
using test_support::OpenedTarget;
using test_support::RecordingMessageBox;
using test_support::RecordingShellOpener;

constexpr wchar_t OwnerClass[] = L"BarloomAboutTestOwner";
constexpr char HomePage[] = "https://barloom.example/";
constexpr char WindowsKey[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr char WindowsNtKey[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

std::string Text(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return Utf8FromWide(text);
}
LONG_PTR Style(HWND window, int which = GWL_STYLE) { return GetWindowLongPtrW(window, which); }
LOGFONTW Look(HWND window) {
  LOGFONTW look{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof look, &look);
  return look;
}
// The font of the program's dialogs at `dpi`: the system's message font.
LOGFONTW DialogFont(int dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi));
  return metrics.lfMessageFont;
}
// A window's place in its parent's client area.
RECT Place(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// The labels and what they show with the built-in texts.
struct LabelText {
  int Id;
  std::string Text;
};

class AboutBoxTest : public test_support::LanguageFileTest {
 protected:
  void SetUp() override {
    const HICON programIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    const HINSTANCE instance = test_support::RegisterPlainWindowClass(OwnerClass, programIcon);
    owner_ = CreateWindowExW(0, OwnerClass, L"Barloom", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                             instance, nullptr);
    ASSERT_NE(owner_, nullptr);
  }
  void TearDown() override {
    box_.reset();
    language_.reset();
    DestroyWindow(owner_);
  }

  HWND Open(Settings& settings, std::string homePage = HomePage) {
    box_.reset();
    language_.emplace(settings);
    box_ = std::make_unique<AboutBox>(
        settings, *language_, shell_, messages_,
        [this](std::string_view path, std::string_view name) {
          asked_.push_back(std::string{path} + "|" + std::string{name});
          const auto found = registry_.find(std::string{path});
          return found != registry_.end() ? std::optional{found->second} : std::nullopt;
        },
        homePage);
    EXPECT_TRUE(box_->Open(owner_));
    Pump();
    return box_->Handle();
  }

  HWND Item(int id) const {
    const HWND dialog = box_->Handle();
    if (const HWND direct = GetDlgItem(dialog, id)) return direct;
    return GetDlgItem(GetDlgItem(dialog, ids::Frame), id);
  }

  void Pump() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (box_ && box_->Handle() && IsDialogMessageW(box_->Handle(), &message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }

  // The values of the shown lines stand in one column, right of every label's text.
  void ExpectOneColumn() {
    std::optional<LONG> column;
    for (const AboutLine& line : AboutFrameLines) {
      if (line.Value == 0 || !IsWindowVisible(Item(line.Value))) continue;
      const RECT label = Place(Item(line.Label));
      const RECT value = Place(Item(line.Value));
      if (!column) column = value.left;
      EXPECT_EQ(value.left, *column) << line.Value;
      EXPECT_LT(label.left + TextWidth(Item(line.Label)), value.left) << line.Label;
      EXPECT_GE(value.right - value.left, TextWidth(Item(line.Value))) << line.Value;
      EXPECT_EQ(value.top, label.top) << line.Value;
    }
    EXPECT_TRUE(column.has_value());
  }

  // A key as the message loop hands it to the dialog manager.
  void PressKey(UINT key) {
    const HWND focus = GetFocus();
    MSG down{focus && IsChild(box_->Handle(), focus) ? focus : Item(IDOK), WM_KEYDOWN, key, 0};
    EXPECT_TRUE(IsDialogMessageW(box_->Handle(), &down));
    Pump();
  }

  HWND owner_ = nullptr;
  std::map<std::string, std::string> registry_;  // key path -> RegisteredOwner
  std::vector<std::string> asked_;
  RecordingShellOpener shell_;
  RecordingMessageBox messages_;
  std::optional<Language> language_;  // the language in use while the box is open
  std::unique_ptr<AboutBox> box_;
};

TEST_F(AboutBoxTest, ShowsTheBuiltInTextsAndTheLinkOpensTheHomePage) {
  Settings settings;  // built-in texts
  const HWND dialog = Open(settings);
  ASSERT_NE(dialog, nullptr);

  EXPECT_EQ(Text(dialog), "About Barloom");
  const LabelText labels[] = {
      {IDOK, "OK"},
      {ids::ProgrammedBy, "Programmed by :"},
      {ids::AuthorName, build_info::Author},
      {ids::Version, "Version"},
      {ids::VersionNo, VersionText()},
      {ids::RegisteredTo, "This program is registered to :"},
      {ids::UserName, "You"},
      {ids::HomePageNote, "For the latest information on this program please visit the program home page."},
      {ids::WebAddress, "Web site"},
      {ids::Url, "Visit Now"},
      {ids::Email, "e-mail"},
      {ids::EmailAddress, build_info::Email},
  };
  for (const LabelText& label : labels) EXPECT_EQ(Text(Item(label.Id)), label.Text) << label.Id;
  EXPECT_EQ(asked_, (std::vector<std::string>{std::string{WindowsKey} + "|RegisteredOwner",
                                              std::string{WindowsNtKey} + "|RegisteredOwner"}));

  // Fixed, with the owner's icon; every label and OK in the dialogs' font, in FontScript's set.
  EXPECT_EQ(Style(dialog) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
  EXPECT_EQ(SendMessageW(dialog, WM_GETICON, ICON_BIG, 0), GetClassLongPtrW(owner_, GCLP_HICON));
  for (const LabelText& label : labels) {
    const LOGFONTW look = Look(Item(label.Id));
    EXPECT_STREQ(look.lfFaceName, DialogFont(96).lfFaceName) << label.Id;
    EXPECT_EQ(look.lfHeight, DialogFont(96).lfHeight) << label.Id;
    EXPECT_EQ(look.lfCharSet, settings.FontScript) << label.Id;
  }

  // The design at 96 DPI: the frame at (7, 2), OK 6 pixels below it, all inside the box.
  RECT client{};
  GetClientRect(dialog, &client);
  const RECT frame = Place(Item(ids::Frame));
  const RECT ok = Place(Item(IDOK));
  EXPECT_EQ(frame.left, 7);
  EXPECT_EQ(frame.top, 2);
  EXPECT_EQ(frame.right - frame.left, 409);
  EXPECT_EQ(ok.top, frame.bottom + 6);
  EXPECT_EQ(ok.right - ok.left, 80);
  EXPECT_LE(frame.right + 7, client.right);
  EXPECT_LE(ok.bottom + 7, client.bottom);
  ExpectOneColumn();

  // A click on the link: the home page, the box stays open.
  const HWND link = Item(ids::Url);
  SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  Pump();
  EXPECT_EQ(shell_.Opened, (std::vector<OpenedTarget>{{reinterpret_cast<std::uintptr_t>(dialog), HomePage}}));
  ASSERT_EQ(box_->Handle(), dialog);

  // Moved to a screen of 150 % and of 200 %, it is laid out anew at that scale, the values in one
  // column again.
  for (const int dpi : {144, 192}) {
    SCOPED_TRACE(dpi);
    RECT suggested{100, 100, 100 + 429 * dpi / 96, 100 + 252 * dpi / 96};
    SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(Place(Item(ids::Frame)).left, ScaledPixels(7, dpi));
    EXPECT_EQ(Look(Item(ids::UserName)).lfHeight, DialogFont(dpi).lfHeight);
    ExpectOneColumn();
  }
  EXPECT_EQ(Text(dialog), "About Barloom");
  EXPECT_TRUE(messages_.Shown.empty());
}

TEST_F(AboutBoxTest, OwnerFromTheFirstPlaceThatHasOneAndEnterOrEscCloses) {
  struct Case {
    std::map<std::string, std::string> Registry;
    std::string Shown;
    UINT Key;
  };
  const Case cases[] = {
      {{}, "You", VK_RETURN},
      {{{WindowsKey, "Ada"}, {WindowsNtKey, "Grace"}}, "Ada", VK_ESCAPE},
      {{{WindowsNtKey, "Grace"}}, "Grace", VK_RETURN},
      {{{WindowsKey, ""}, {WindowsNtKey, "Grace"}}, "", VK_ESCAPE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Shown);
    registry_ = c.Registry;
    Settings settings;
    ASSERT_NE(Open(settings), nullptr);
    EXPECT_EQ(Text(Item(ids::UserName)), c.Shown);
    PressKey(c.Key);
    EXPECT_EQ(box_->Handle(), nullptr) << "still open";
  }
}

TEST_F(AboutBoxTest, RightToLeftFromAHebrewLanguageFile) {
  // Windows-1255: "About", "Version", "Visit Now"; the other texts are the built-in ones.
  Settings settings = UsingFile(
      "[UserLanguage]\r\nRightToLeftLanguage=1\r\n1501=\xE0\xE5\xE3\xE5\xFA\r\n1503=\xE2\xF8\xF1\xE4\r\n"
      "1508=\xE1\xF7\xF8 \xF2\xEB\xF9\xE9\xE5\r\n",
      177);
  const HWND dialog = Open(settings);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Text(dialog), "\u05D0\u05D5\u05D3\u05D5\u05EA Barloom");
  EXPECT_EQ(Text(Item(ids::Version)), "\u05D2\u05E8\u05E1\u05D4");
  EXPECT_EQ(Text(Item(ids::Url)), "\u05D1\u05E7\u05E8 \u05E2\u05DB\u05E9\u05D9\u05D5");
  EXPECT_EQ(Text(Item(ids::WebAddress)), "Web site");
  EXPECT_TRUE(Style(dialog, GWL_EXSTYLE) & WS_EX_RTLREADING);
  for (const int id : {ids::ProgrammedBy, ids::AuthorName, ids::Version, ids::UserName, ids::HomePageNote, ids::Url}) {
    EXPECT_TRUE(Style(Item(id), GWL_EXSTYLE) & WS_EX_RTLREADING) << id;
    EXPECT_EQ(Style(Item(id)) & SS_TYPEMASK, SS_RIGHT) << id;
    EXPECT_EQ(Look(Item(id)).lfCharSet, 177) << id;
  }
  EXPECT_TRUE(Style(Item(IDOK), GWL_EXSTYLE) & WS_EX_RTLREADING);
  EXPECT_TRUE(messages_.Shown.empty());
}

// The link with an address: a Tab stop that opens with Enter or Space and names the address and
// the reason when it cannot; without one, not shown. Lines without a value are left out.
TEST_F(AboutBoxTest, TheLinkOpensFromTheKeyboardAndEmptyLinesAreLeftOut) {
  Settings settings;
  HWND dialog = Open(settings);
  HWND link = Item(ids::Url);
  EXPECT_TRUE(Style(link) & WS_TABSTOP);
  EXPECT_EQ(GetNextDlgTabItem(dialog, Item(IDOK), FALSE), link);
  SetFocus(link);
  PressKey(VK_RETURN);
  EXPECT_NE(box_->Handle(), nullptr) << "Enter on the link opens it, not OK";
  shell_.Answers = {ShellOpenFailure{ShellOpenReason::NoAssociation, ""}};
  PressKey(VK_SPACE);
  ASSERT_EQ(shell_.Opened.size(), 2u);
  EXPECT_EQ(shell_.Opened[1].Target, HomePage);
  ASSERT_EQ(messages_.Shown.size(), 1u);
  EXPECT_EQ(messages_.Shown[0].Text, std::string{"The file or web address could not be opened.\n"} + HomePage +
                                          "\nNo program is set up to open this kind of file or address.");
  EXPECT_EQ(messages_.Shown[0].Icon, MessageIcon::Error);
  const HDC dc = GetDC(link);
  EXPECT_NE(SendMessageW(GetParent(link), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(link)), 0);
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 255)) << "drawn as a link";
  ReleaseDC(link, dc);
  // The e-mail address built in is empty: its line is left out; the others are there.
  EXPECT_EQ(IsWindowVisible(Item(ids::Email)), !std::string_view{build_info::Email}.empty());
  EXPECT_EQ(IsWindowVisible(Item(ids::EmailAddress)), !std::string_view{build_info::Email}.empty());
  EXPECT_TRUE(IsWindowVisible(Item(ids::UserName)));
  const RECT designedFrame = Place(Item(ids::Frame));
  const RECT emailAt = Place(Item(ids::Email));
  PressKey(VK_ESCAPE);

  registry_ = {{WindowsKey, ""}};  // an empty owner
  dialog = Open(settings, "");
  // No home page: the link, its label and the note that points to it are left out, and with the
  // owner's line they take no room.
  for (const int id : {ids::Url, ids::WebAddress, ids::HomePageNote, ids::RegisteredTo, ids::UserName})
    EXPECT_FALSE(IsWindowVisible(Item(id))) << id;
  EXPECT_TRUE(IsWindowVisible(Item(ids::Version)));
  EXPECT_FALSE(Style(Item(ids::Url)) & WS_TABSTOP);
  EXPECT_EQ(GetNextDlgTabItem(dialog, Item(IDOK), FALSE), Item(IDOK));
  EXPECT_LT(Place(Item(ids::Frame)).bottom, designedFrame.bottom);
  if (IsWindowVisible(Item(ids::Email))) {
    EXPECT_LT(Place(Item(ids::Email)).top, emailAt.top);
    EXPECT_EQ(Place(Item(ids::Email)).top, Place(Item(ids::Version)).bottom + 3) << "just below the version";
  }
  ExpectOneColumn();
  PressKey(VK_RETURN);
  EXPECT_EQ(box_->Handle(), nullptr) << "Enter presses OK";
}

}  // namespace
}  // namespace barloom
