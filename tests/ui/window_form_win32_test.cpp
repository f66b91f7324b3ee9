#include "ui/win32/window_form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "localisation/apply_language.h"
#include "platform/wide_text.h"
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
  MissingId,
  ContainerId,
  FileMenuId = 101,
  ExitItemId = 110,
  OptionsItemId = 150,
  SeparatorId = 151,
};

constexpr FormControlRow Rows[] = {
    {LabelId, ControlKind::Label, 620},      {FrameId, ControlKind::Frame, 601},
    {CheckBoxId, ControlKind::CheckBox, 1008}, {TextBoxId, ControlKind::TextBox, NoText},
    {ButtonId, ControlKind::CommandButton, 604}, {MissingId, ControlKind::Label, 602},  // no such window
};
constexpr MenuItemRow FileItems[] = {{OptionsItemId, 150}, {SeparatorId, NoText}, {ExitItemId, 110}};
constexpr MenuPlan Menus[] = {{{FileMenuId, 101}, FileItems}};
constexpr std::size_t MissingRow = 5;
constexpr std::size_t SeparatorRow = 8;  // the menu items follow the rows: File, Options, the separator

constexpr wchar_t WindowClass[] = L"BarloomWindowFormTest";

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

// A hidden window as designed: a menu bar without texts yet, a group box in a container window,
// the label and the group box sharing a bold Tahoma, the others a plain font.
class WindowFormTest : public test_support::LanguageFileTest {
 protected:
  void SetUp() override {
    const HINSTANCE instance = test_support::RegisterPlainWindowClass(WindowClass);

    HMENU menuBar = CreateMenuBar(Menus);
    ASSERT_NE(menuBar, nullptr);
    form_ = CreateWindowExW(0, WindowClass, L"Form1", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, menuBar,
                            instance, nullptr);
    ASSERT_NE(form_, nullptr) << GetLastError();
    const HWND container = Child(form_, WindowClass, L"", 0, ContainerId);
    label_ = Child(form_, L"STATIC", L"Label1", SS_LEFT, LabelId);
    frame_ = Child(container, L"BUTTON", L"Frame1", BS_GROUPBOX, FrameId);
    checkBox_ = Child(form_, L"BUTTON", L"Check1", BS_AUTOCHECKBOX, CheckBoxId);
    textBox_ = Child(form_, L"EDIT", L"C:\\bars", ES_AUTOHSCROLL, TextBoxId);
    button_ = Child(form_, L"BUTTON", L"Command1", BS_PUSHBUTTON, ButtonId);
    for (HWND window : {label_, frame_}) SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(bold_.get()), FALSE);
    for (HWND window : {checkBox_, textBox_, button_})
      SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(plain_.get()), FALSE);
  }
  void TearDown() override {
    if (form_) DestroyWindow(form_);  // with its children and its menu, before the fonts go
  }

  static HWND Child(HWND parent, const wchar_t* windowClass, const wchar_t* text, DWORD style, int id) {
    return CreateWindowExW(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 100, 20, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
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

TEST_F(WindowFormTest, CaptionsTheWindowInBothReadingOrdersWithOneFontPerLookAndCharacterSet) {
  WindowForm form(form_, 1501, Rows, fonts_, Menus);
  const std::vector<int> menuTextIds = {101, 150, NoText, 110};
  for (std::size_t i = 0; i < menuTextIds.size(); ++i) {
    EXPECT_EQ(form.Control(std::size(Rows) + i).Kind(), ControlKind::Menu);
    EXPECT_EQ(form.Control(std::size(Rows) + i).TextId(), menuTextIds[i]) << i;
  }
  EXPECT_EQ(form.Control(SeparatorRow).Caption(), "-");
  EXPECT_EQ(form.Control(MissingRow).Caption(), std::nullopt);
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
    const LanguageFound found = ApplyLanguage(form, phase.Language);
    EXPECT_FALSE(found.MissingFile);
    EXPECT_EQ(found.RightToLeft, phase.RightToLeft);

    EXPECT_EQ(form.Caption(), "About");
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
