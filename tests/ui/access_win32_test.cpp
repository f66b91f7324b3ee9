// The main window as a screen reader and a keyboard user meet it: the names every control tells,
// where the keyboard lands after each dialog, and files dropped on the bar buttons.
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "localisation/language.h"
#include "platform/path_text.h"
#include "platform/code_page.h"
#include "settings/profile.h"
#include "settings/settings_file.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/win32/about_box.h"
#include "ui/win32/controls.h"
#include "ui/win32/options_dialog.h"

namespace barloom {
namespace {

namespace ids = main_ids;

// What a screen reader asks for: the accessible name of `window` (or of its item `child`), as
// the system's accessibility layer answers it; nullopt when it gives no answer.
std::optional<std::string> AccessibleName(HWND window, long child = CHILDID_SELF) {
  IAccessible* object = nullptr;
  // __uuidof: the IID_IAccessible of mingw-w64's import libraries holds another GUID.
  if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&object))) ||
      !object)
    return std::nullopt;
  VARIANT item;
  VariantInit(&item);
  item.vt = VT_I4;
  item.lVal = child;
  BSTR name = nullptr;
  const HRESULT got = object->get_accName(item, &name);
  object->Release();
  if (got != S_OK || !name) return std::nullopt;
  std::string text = Utf8FromWide(std::wstring(name, SysStringLen(name)));
  SysFreeString(name);
  return text;
}

// The fixture of the main window's tests, with COM for the accessibility layer.
// The name of bar button `bar`: what the accessibility layer answers for the toolbar's item, else
// (where the layer has no proxy for toolbars, as under Wine) what the system's toolbar proxy reads
// as the item's name: the button's text.
std::optional<std::string> BarButtonName(HWND toolbar, int bar) {
  if (std::optional<std::string> name = AccessibleName(toolbar, bar)) return name;
  TBBUTTON button{};
  if (!SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(bar - 1), reinterpret_cast<LPARAM>(&button)))
    return std::nullopt;
  const auto length = SendMessageW(toolbar, TB_GETBUTTONTEXTW, static_cast<WPARAM>(button.idCommand), 0);
  if (length <= 0) return std::nullopt;
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(toolbar, TB_GETBUTTONTEXTW, static_cast<WPARAM>(button.idCommand), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return Utf8FromWide(text);
}

class AccessTest : public test_support::MainWindowTest {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    MainWindowTest::SetUp();
  }
  void TearDown() override {
    window.reset();
    CoUninitialize();
  }

  HWND Toolbar() const { return Item(ids::Toolbar); }

  // The centre of bar `bar`'s button, in the toolbar's client area.
  POINT BarCentre(int bar) const {
    RECT button{};
    SendMessageW(Toolbar(), TB_GETITEMRECT, static_cast<WPARAM>(bar - 1), reinterpret_cast<LPARAM>(&button));
    return {(button.left + button.right) / 2, (button.top + button.bottom) / 2};
  }
};

// The names of the controls the user can reach at the step shown, in window order, as
// "class: name" lines; the bar buttons one by one.
std::vector<std::string> NamesOfVisibleControls(HWND root, HWND toolbar) {
  std::vector<std::string> lines;
  const std::vector<HWND> all = test_support::Descendants(root);
  for (const HWND control : all) {
    if (!IsWindowVisible(control)) continue;
    wchar_t className[64]{};
    GetClassNameW(control, className, 64);
    const std::string kind = Utf8FromWide(className);
    if (kind == "BarloomFrame") continue;
    if (control == toolbar) {
      const auto count = static_cast<long>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
      for (long child = 1; child <= count; ++child)
        lines.push_back("bar button " + std::to_string(child) + ": " +
                        BarButtonName(toolbar, static_cast<int>(child)).value_or("<none>"));
      continue;
    }
    lines.push_back(kind + " " + std::to_string(GetDlgCtrlID(control)) + ": " +
                    AccessibleName(control).value_or("<none>"));
  }
  return lines;
}

TEST_F(AccessTest, EveryControlAtStepsTwoAndThreeHasItsName) {
  const HWND main = Open();
  PickBarCount(3);  // 5 bars
  Click(ids::Next);
  const std::vector<std::string> stepTwo = NamesOfVisibleControls(main, Toolbar());
  for (const std::string& line : stepTwo) std::printf("step 2 | %s\n", line.c_str());
  EXPECT_EQ(AccessibleName(Item(ids::SaveIn)), "Specify where the button bar files will be saved.")
      << "the folder box is named by its label";
  EXPECT_EQ(AccessibleName(Item(ids::BrowseFolder)), "Browse for folder");
  EXPECT_EQ(AccessibleName(Item(ids::Next)), "Next");
  for (int bar = 1; bar <= 5; ++bar) EXPECT_EQ(BarButtonName(Toolbar(), bar), "Bar " + std::to_string(bar));

  Click(ids::Next);
  const std::string mine = app.Write("mine.bar", "[Buttonbar]\r\nButtoncount=1\r\ncmd1=mine.exe\r\n");
  files.Answers = {mine};
  ClickBar(2);
  const std::vector<std::string> stepThree = NamesOfVisibleControls(main, Toolbar());
  for (const std::string& line : stepThree) std::printf("step 3 | %s\n", line.c_str());
  EXPECT_EQ(BarButtonName(Toolbar(), 2), "Bar 2\n" + mine);
  EXPECT_EQ(BarButtonName(Toolbar(), 3), "Bar 3");
  EXPECT_EQ(AccessibleName(Item(ids::Create)), "Create");
  for (const std::string& line : stepThree) EXPECT_EQ(line.find("<none>"), std::string::npos) << line;
  for (const std::string& line : stepTwo) EXPECT_EQ(line.find("<none>"), std::string::npos) << line;

  // The text is not drawn on the buttons: they keep the size of their images.
  RECT button{};
  SendMessageW(Toolbar(), TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&button));
  const int image = HIWORD(SendMessageW(Toolbar(), TB_GETBUTTONSIZE, 0, 0));
  EXPECT_LT(button.right - button.left, 2 * image);
}

// Records the context menus the window opens, and closes each at once, as Esc would.
struct MenuWatch {
  static LRESULT CALLBACK Watch(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    if (message == WM_INITMENUPOPUP) {
      const auto menu = reinterpret_cast<HMENU>(wParam);
      wchar_t text[64]{};
      GetMenuStringW(menu, 0, text, 64, MF_BYPOSITION);
      reinterpret_cast<MenuWatch*>(self)->Menus.push_back(Utf8FromWide(text));
      EndMenu();
    }
    return DefSubclassProc(window, message, wParam, lParam);
  }
  std::vector<std::string> Menus;
};

TEST_F(AccessTest, TheKeyboardReachesEveryBarAction) {
  const HWND main = Open();
  PickBarCount(3);
  Click(ids::Next);
  Click(ids::Next);
  const std::string mine = app.Write("mine.bar", "[Buttonbar]\r\nButtoncount=1\r\ncmd1=mine.exe\r\n");
  const std::string other = app.Write("other.bar", "[Buttonbar]\r\nButtoncount=1\r\ncmd1=other.exe\r\n");

  // Back from the file dialog, the keyboard is on the bar that was clicked, and shows it.
  files.Answers = {mine};
  ClickBar(2);
  EXPECT_EQ(GetFocus(), Toolbar());
  EXPECT_EQ(SendMessageW(Toolbar(), TB_GETHOTITEM, 0, 0), 1);
  EXPECT_EQ(SendMessageW(main, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS, 0);

  // Reached by Tab, the row marks the bar that is marked.
  SetFocus(Item(ids::Create));
  SetFocus(Toolbar());
  EXPECT_EQ(SendMessageW(Toolbar(), TB_GETHOTITEM, 0, 0), 1);

  // Enter does what Space does: the bar it is on asks for its file; Next is not pressed.
  PressKey(VK_RIGHT);
  files.Answers = {other};
  PressKey(VK_RETURN);
  EXPECT_EQ(window->Controller().ImportFile(3), other);
  EXPECT_EQ(VisibleFrame(), 2);
  EXPECT_TRUE(messages.Shown.empty());

  // The context menu from Shift+F10 and from the menu key, over the bar the keyboard is on.
  MenuWatch watch;
  SetWindowSubclass(main, MenuWatch::Watch, 1, reinterpret_cast<DWORD_PTR>(&watch));
  PressKey(VK_F10, true);
  PressKey(VK_APPS);
  PressKey(VK_RIGHT);  // bar 4 imports nothing: nothing to offer
  PressKey(VK_APPS);
  RemoveWindowSubclass(main, MenuWatch::Watch, 1);
  EXPECT_EQ(watch.Menus, (std::vector<std::string>{"&Remove import", "&Remove import"}));

  // After any dialog the keyboard is back where it was, and shows it.
  SetFocus(Item(ids::Create));
  SendMessageW(main, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
  SendMessageW(main, WM_ACTIVATE, WA_INACTIVE, 0);
  SetFocus(nullptr);
  SendMessageW(main, WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(GetFocus(), Item(ids::Create));
  EXPECT_EQ(SendMessageW(main, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS, 0);

  // Options opens with the keyboard in the language list.
  Settings& settings = StoredSettings();
  const Language language{settings};
  OptionsDialog options{settings, language, profile, &messages};
  ASSERT_TRUE(options.Open(main));
  Pump();
  EXPECT_EQ(GetFocus(), GetDlgItem(options.Handle(), options_ids::LanguageList));
}

// The memory a drop from Explorer or Total Commander hands over: DROPFILES, then the paths.
HGLOBAL DropOf(POINT at, const std::vector<std::string>& paths) {
  std::wstring list;
  for (const std::string& path : paths) list += WideFromUtf8(path) + L'\0';
  list += L'\0';
  const HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->pt = at;
  drop->fNC = FALSE;
  drop->fWide = TRUE;
  std::memcpy(drop + 1, list.data(), list.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  return memory;
}

TEST_F(AccessTest, BarFilesDroppedOnABarButtonBecomeItsImports) {
  const HWND main = Open();
  PickBarCount(3);  // 5 bars
  const std::string one = app.Write("one.bar", "[Buttonbar]\r\nButtoncount=1\r\ncmd1=one.exe\r\n");
  const std::string two = app.Write("two.bar", "[Buttonbar]\r\nButtoncount=1\r\ncmd1=two.exe\r\n");
  const std::string three = app.Write("three.bar", "[Buttonbar]\r\nButtoncount=1\r\ncmd1=three.exe\r\n");
  const std::string notes = app.Write("notes.txt", "");
  std::filesystem::create_directories(app.Path() / "folder.bar");
  const std::string folder = app.PathOf("folder.bar");
  // Where the pointer is on bar `bar`'s button, in the main window's client area.
  const auto onBar = [&](int bar) {
    POINT at = BarCentre(bar);
    MapWindowPoints(Toolbar(), main, &at, 1);
    return at;
  };
  const auto drop = [&](int bar, const std::vector<std::string>& paths) {
    PostMessageW(main, WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf(onBar(bar), paths)), 0);
    Pump();
  };
  drop(2, {one, two, three});
  EXPECT_EQ(window->Controller().ImportFile(1), "") << "Step 1: a drop does nothing";
  EXPECT_EQ(window->Controller().ImportFile(2), "");

  Click(ids::Next);
  Click(ids::Next);
  drop(2, {one, two, three});
  for (int bar = 1; bar <= 5; ++bar)
    std::printf("after the drop of three files on bar 2 | bar %d imports \"%s\"\n", bar,
                window->Controller().ImportFile(bar).c_str());
  EXPECT_EQ(window->Controller().ImportFile(1), "");
  EXPECT_EQ(window->Controller().ImportFile(2), one);
  EXPECT_EQ(window->Controller().ImportFile(3), three);
  EXPECT_EQ(window->Controller().ImportFile(4), two);
  EXPECT_EQ(window->Controller().ImportFile(5), "");
  EXPECT_EQ(SendMessageW(Toolbar(), TB_GETBITMAP, ids::BarButton0 + 4, 0), 3 * 20 + 3)
      << "the last bar filled is marked, with the import mark";
  EXPECT_TRUE(messages.Shown.empty());

  drop(5, {notes, folder});
  ASSERT_EQ(messages.Shown.size(), 1u);
  EXPECT_EQ(messages.Shown[0].Text,
            "Only button bar files (*.bar) can be dropped on the bar numbers; these were not imported:\n" + notes + "\n" +
                folder);
  EXPECT_EQ(window->Controller().ImportFile(5), "");

  Click(ids::Create);
  drop(5, {one});
  EXPECT_EQ(window->Controller().ImportFile(5), "") << "after Create a drop does nothing";
}

LOGFONTW Look(HWND control) {
  LOGFONTW look{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof look, &look);
  return look;
}
bool SameFont(const LOGFONTW& a, const LOGFONTW& b) {
  return std::wstring(a.lfFaceName) == b.lfFaceName && a.lfHeight == b.lfHeight && a.lfWeight == b.lfWeight &&
         a.lfCharSet == b.lfCharSet;
}

TEST_F(AccessTest, TheButtonsOfOptionsAndAboutWriteInTheirLabelsFont) {
  const HWND main = Open();
  Settings& settings = StoredSettings();
  const Language language{settings};
  OptionsDialog options{settings, language, profile, &messages};
  ASSERT_TRUE(options.Open(main));
  AboutBox about{settings, language, shell, messages, [](std::string_view, std::string_view) { return std::string{}; }};
  ASSERT_TRUE(about.Open(main));
  for (const int dpi : {96, 144, 192}) {
    SCOPED_TRACE(dpi);
    RECT suggested{100, 100, 900, 600};
    if (dpi != 96) {
      SendMessageW(options.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
      SendMessageW(about.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    }
    const LOGFONTW label = Look(GetDlgItem(options.Handle(), options_ids::Label1));
    EXPECT_TRUE(SameFont(Look(GetDlgItem(options.Handle(), IDOK)), label));
    EXPECT_TRUE(SameFont(Look(GetDlgItem(options.Handle(), IDCANCEL)), label));
    const LOGFONTW aboutLabel = Look(FindDescendant(about.Handle(), about_ids::ProgrammedBy));
    EXPECT_TRUE(SameFont(Look(GetDlgItem(about.Handle(), IDOK)), aboutLabel));
  }
}

}  // namespace
}  // namespace barloom
