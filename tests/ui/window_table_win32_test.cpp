#include "ui/win32/window_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "localisation/apply_language.h"
#include "localisation/language.h"
#include "platform/code_page.h"
#include "settings/settings_file.h"
#include "tests/localisation/language_test_support.h"
#include "tests/ui/test_window_class_win32.h"

namespace barloom {
namespace {

enum Id : int {
  LabelId = 10,
  ButtonId,
  FrameId,
  CheckBoxId,
  TextBoxId,
  LaterId,
  FileMenuId = 101,
  ExitItemId = 110,
  OptionsItemId = 150,
  SeparatorId = 151,
};

using Kind = ControlKind;
constexpr ControlRow Rows[] = {
    {LabelId, Kind::Label, TextId::BarCountLabel, {0, 0, 1500, 300}},
    {FrameId, Kind::Frame, TextId::Step1, {0, 300, 1500, 900}},
    {CheckBoxId, Kind::CheckBox, TextId::Ok, {100, 200, 1200, 300}, 0, FrameId},
    {TextBoxId, Kind::TextBox, TextId::None, {0, 1300, 1500, 300}, ControlFlags::TabStop},
    {ButtonId, Kind::CommandButton, TextId::Next, {0, 1700, 1500, 300}},
    {LaterId, Kind::Label, TextId::Step2, {0, 2100, 1500, 300}, ControlFlags::MadeLater},  // not made
    {FileMenuId, Kind::Menu, TextId::MenuFile},
    {OptionsItemId, Kind::MenuItem, TextId::MenuOptions, {}, 0, FileMenuId},
    {SeparatorId, Kind::MenuSeparator, TextId::None, {}, 0, FileMenuId},
    {ExitItemId, Kind::MenuItem, TextId::MenuExit, {}, 0, FileMenuId},
};
constexpr WindowTable Table{TextId::AboutTitle, nullptr, Rows};

constexpr wchar_t WindowClass[] = L"BarloomWindowTableTest";

std::string Text(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return Utf8FromWide(text);
}
LONG_PTR Style(HWND window, int which = GWL_STYLE) { return GetWindowLongPtrW(window, which); }
HFONT FontOf(HWND window) { return reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)); }
LOGFONTW Look(HWND window) {
  LOGFONTW look{};
  GetObjectW(FontOf(window), sizeof look, &look);
  return look;
}

UniqueFont MakeFont(const wchar_t* face, int height, int weight) {
  return UniqueFont{CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face)};
}

// A hidden window made from the table: a menu bar without texts yet, a check box in a frame, the
// label and the frame's group box sharing a bold Tahoma, the others a plain font.
class WindowTableTest : public test_support::LanguageFileTest {
 protected:
  void SetUp() override {
    const HINSTANCE instance = test_support::RegisterPlainWindowClass(WindowClass);
    HMENU menuBar = CreateMenuBar(Table);
    ASSERT_NE(menuBar, nullptr);
    form_ = CreateWindowExW(0, WindowClass, L"Form1", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, menuBar,
                            instance, nullptr);
    ASSERT_NE(form_, nullptr) << GetLastError();
    ASSERT_TRUE(CreateContents(form_, Table, InWindow, 96));
    label_ = RowWindow(form_, Table, LabelId);
    frame_ = FrameBox(RowWindow(form_, Table, FrameId), FrameId);
    checkBox_ = RowWindow(form_, Table, CheckBoxId);
    textBox_ = RowWindow(form_, Table, TextBoxId);
    button_ = RowWindow(form_, Table, ButtonId);
    ASSERT_TRUE(label_ && frame_ && checkBox_ && textBox_ && button_);
    EXPECT_EQ(RowWindow(form_, Table, LaterId), nullptr);
    SetWindowTextW(textBox_, L"C:\\bars");
    for (HWND window : {label_, frame_}) SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(bold_.get()), FALSE);
    for (HWND window : {checkBox_, textBox_, button_})
      SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(plain_.get()), FALSE);
  }
  void TearDown() override {
    if (form_) DestroyWindow(form_);  // with its children and its menu, before the fonts go
  }

  std::string MenuText(UINT command) const {
    wchar_t text[64] = {};
    GetMenuStringW(GetMenu(form_), command, text, 64, MF_BYCOMMAND);
    return Utf8FromWide(text);
  }
  UINT MenuType(UINT command) const {
    MENUITEMINFOW info{sizeof info};
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(GetMenu(form_), command, FALSE, &info);
    return info.fType;
  }

  UniqueFont bold_ = MakeFont(L"Tahoma", -16, FW_BOLD);
  UniqueFont plain_ = MakeFont(L"MS Shell Dlg", -11, FW_NORMAL);
  FontCache fonts_;
  HWND form_ = nullptr;
  HWND label_ = nullptr, frame_ = nullptr, checkBox_ = nullptr, textBox_ = nullptr, button_ = nullptr;
};

TEST_F(WindowTableTest, CaptionsTheWindowInBothReadingOrdersWithOneFontPerLookAndCharacterSet) {
  const LONG_PTR textBoxStyle = Style(textBox_), textBoxExStyle = Style(textBox_, GWL_EXSTYLE);

  Settings builtIn;
  builtIn.FontScript = 0;
  // Hebrew (Windows-1255) for "Next" and "File".
  const Settings hebrew =
      UsingFile("[UserLanguage]\r\nRightToLeftLanguage=1\r\n604=\xE4\xE1\xE0\r\n101=\xF7\xE5\xE1\xF5\r\n", 177);
  struct Phase {
    Settings Language;
    bool RightToLeft;
    BYTE Charset;
    std::string Next;
    std::string File;
    std::size_t CachedFonts;  // both looks in each character set asked for so far
  };
  const Phase phases[] = {
      {builtIn, false, 0, "&Next", "&File", 2},
      {hebrew, true, 177, "\xD7\x94\xD7\x91\xD7\x90", "\xD7\xA7\xD7\x95\xD7\x91\xD7\xA5", 4},
      {builtIn, false, 0, "&Next", "&File", 4},
  };
  HFONT firstLabelFont = nullptr;
  for (const Phase& phase : phases) {
    SCOPED_TRACE(phase.Next);
    const WindowCaptions captions = ApplyLanguage(Table, Language{phase.Language});
    EXPECT_EQ(captions.RightToLeft, phase.RightToLeft);
    ShowCaptions(form_, Table, captions, fonts_);

    EXPECT_EQ(Text(form_), "About");
    const std::vector<std::string> texts = {Text(label_), Text(frame_), Text(checkBox_), Text(button_),
                                            MenuText(FileMenuId), MenuText(OptionsItemId), MenuText(ExitItemId)};
    const std::vector<std::string> expected = {"Specify how many button bar you need?", "Step 1", "OK", phase.Next,
                                               phase.File, "&Options...", "E&xit"};
    EXPECT_EQ(texts, expected);
    EXPECT_TRUE(MenuType(SeparatorId) & MFT_SEPARATOR);

    const bool rtl = phase.RightToLeft;
    for (HWND window : {form_, label_, frame_, checkBox_, button_})
      EXPECT_EQ((Style(window, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0, rtl) << Text(window);
    EXPECT_EQ(Style(label_) & SS_TYPEMASK, rtl ? SS_RIGHT : SS_LEFT);
    EXPECT_EQ(Style(frame_) & BS_CENTER, rtl ? BS_RIGHT : 0);
    EXPECT_EQ((Style(checkBox_) & BS_LEFTTEXT) != 0, rtl);
    // Under Wine, which draws no right-to-left menu items, the bar's items are right-justified only.
    const UINT rightOrder = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") ? 0u : MFT_RIGHTORDER;
    EXPECT_EQ(MenuType(FileMenuId) & (MFT_RIGHTORDER | MFT_RIGHTJUSTIFY), rtl ? rightOrder | MFT_RIGHTJUSTIFY : 0u);
    EXPECT_EQ(MenuType(ExitItemId) & (MFT_RIGHTORDER | MFT_RIGHTJUSTIFY), rtl ? rightOrder : 0u);

    // The text box keeps everything but its font's character set.
    EXPECT_EQ(Text(textBox_), "C:\\bars");
    EXPECT_EQ(Style(textBox_), textBoxStyle);
    EXPECT_EQ(Style(textBox_, GWL_EXSTYLE), textBoxExStyle);
    EXPECT_EQ(Look(textBox_).lfCharSet, phase.Charset);

    const LOGFONTW label = Look(label_);
    EXPECT_EQ(label.lfCharSet, phase.Charset);
    EXPECT_STREQ(label.lfFaceName, L"Tahoma");
    EXPECT_EQ(label.lfHeight, -16);
    EXPECT_EQ(label.lfWeight, FW_BOLD);
    EXPECT_EQ(FontOf(frame_), FontOf(label_));
    EXPECT_EQ(FontOf(checkBox_), FontOf(button_));
    EXPECT_EQ(FontOf(textBox_), FontOf(button_));
    EXPECT_EQ(fonts_.Size(), phase.CachedFonts);
    if (!firstLabelFont) firstLabelFont = FontOf(label_);
  }
  EXPECT_EQ(FontOf(label_), firstLabelFont);  // back in the first character set: the same cached font
}

}  // namespace
}  // namespace barloom
