// Every caption of every window fits its control, in every shipped language, at the scales people
// use: its text measured in the control's own font at the window's DPI.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "localisation/language.h"
#include "localisation/language_file.h"
#include "platform/path_text.h"
#include "platform/code_page.h"
#include "settings/profile.h"
#include "settings/settings_file.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/main_layout.h"
#include "ui/options_model.h"
#include "ui/win32/about_box.h"
#include "ui/win32/controls.h"
#include "ui/win32/install_dialog.h"
#include "ui/win32/options_dialog.h"

namespace barloom {
namespace {

namespace ids = main_ids;

constexpr int Scales[] = {96, 120, 144, 168, 192, 240};  // 100 % to 250 %

std::wstring ClassOf(HWND window) {
  wchar_t name[64]{};
  GetClassNameW(window, name, 64);
  return name;
}

// Where `control`'s caption does not fit it: "" when it fits. Labels wrap within their width;
// buttons and frame titles keep to one line beside their edges.
std::string CutOf(HWND control, int dpi) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  if (text.empty()) return {};
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  const std::wstring kind = ClassOf(control);
  RECT client{};
  GetClientRect(control, &client);
  int width = client.right;
  int height = client.bottom;
  UINT format = DT_CALCRECT;
  if (kind == L"Static") {
    format |= DT_WORDBREAK | ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0);
  } else if (kind == L"Button") {
    const LONG type = style & BS_TYPEMASK;
    if (style & (BS_ICON | BS_BITMAP)) return {};  // the text is a name, not shown
    format |= DT_SINGLELINE;
    // A push button draws its text inside its 3-D edge; a group box's title stands between the
    // frame's corners; a check box beside its square.
    if (type == BS_GROUPBOX) {
      width -= ScaledPixels(16, dpi);
    } else if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX) {
      width -= ScaledPixels(18, dpi);
    } else {
      width -= ScaledPixels(6, dpi);
    }
  } else {
    return {};
  }
  HDC dc = GetDC(control);
  const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  RECT needed{0, 0, width, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed, format);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  if (needed.right <= width && needed.bottom <= height) return {};
  return "control " + std::to_string(GetDlgCtrlID(control)) + " \"" + Utf8FromWide(text) + "\" needs " +
         std::to_string(needed.right) + " x " + std::to_string(needed.bottom) + ", has " + std::to_string(width) + " x " +
         std::to_string(height);
}

// The cuts among the visible controls inside `root`.
std::vector<std::string> CutsIn(HWND root, int dpi) {
  const std::vector<HWND> all = test_support::Descendants(root);
  std::vector<std::string> cuts;
  for (const HWND control : all) {
    if (!IsWindowVisible(control)) continue;
    if (std::string cut = CutOf(control, dpi); !cut.empty()) cuts.push_back(std::move(cut));
  }
  return cuts;
}

// The entries of the language list that its closed box cannot show whole.
std::vector<std::string> CutEntries(HWND list) {
  COMBOBOXINFO parts{sizeof parts};
  GetComboBoxInfo(list, &parts);
  const int room = parts.rcItem.right - parts.rcItem.left;
  HDC dc = GetDC(list);
  const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
  std::vector<std::string> cuts;
  const auto count = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
  for (int index = 0; index < count; ++index) {
    std::wstring entry(static_cast<std::size_t>(SendMessageW(list, CB_GETLBTEXTLEN, index, 0)) + 1, L'\0');
    entry.resize(static_cast<std::size_t>(SendMessageW(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(entry.data()))));
    SIZE extent{};
    GetTextExtentPoint32W(dc, entry.c_str(), static_cast<int>(entry.size()), &extent);
    if (extent.cx > room)
      cuts.push_back("entry \"" + Utf8FromWide(entry) + "\" needs " + std::to_string(extent.cx) + ", has " +
                     std::to_string(room));
  }
  SelectObject(dc, old);
  ReleaseDC(list, dc);
  return cuts;
}

void ChangeScale(HWND window, int dpi) {
  RECT now{};
  GetWindowRect(window, &now);
  RECT suggested{now.left, now.top, now.left + MulDiv(now.right - now.left, dpi, 96),
                 now.top + MulDiv(now.bottom - now.top, dpi, 96)};
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

class CaptionFitTest : public test_support::MainWindowTest {
 protected:
  // The settings file of a user who picked `file` ("" for Default) in Options.
  void PickLanguage(const std::string& file) {
    Settings& settings = StoredSettings();
    const Language language{settings};
    OptionsModel model(settings, language, profile, messages);
    const std::vector<std::string>& entries = model.Entries();
    for (std::size_t index = 0; index < entries.size(); ++index)
      if (entries[index] == file) model.Select(index);
    if (file.empty()) model.Select(0);
    ASSERT_TRUE(model.Confirm(settings.BarFilePrefix));
  }

  void Report(const std::string& where, const std::vector<std::string>& cuts) {
    for (const std::string& cut : cuts) ADD_FAILURE() << where << ": " << cut;
  }
};

TEST_F(CaptionFitTest, NoCaptionIsCutInAnyLanguageAtAnyScale) {
  std::vector<std::string> languages{""};
  for (const std::string& file : ListLanguageFiles(app.Folder() + "Languages")) languages.push_back(file);
  ASSERT_GE(languages.size(), 12u);
  for (const std::string& language : languages) {
    const std::string name = language.empty() ? "Default" : language;
    PickLanguage(language);
    const HWND main = Open();
    PickBarCount(18);  // 20 bars
    Settings& settings = StoredSettings();
    const Language inUse{settings};
    OptionsDialog options{settings, inUse, profile, &messages};
    ASSERT_TRUE(options.Open(main));
    AboutBox about{settings, inUse, shell, messages,
                   [](std::string_view, std::string_view) { return std::optional<std::string>{"A. User"}; }};
    ASSERT_TRUE(about.Open(main));
    // While Total Commander runs, so that the message and Retry show too.
    InstallDialog install{
        settings, inUse, app.PathOf("Bar_01.bar"), {&files, &messages, CommanderFolderSources{}, [] { return true; }}};
    ASSERT_TRUE(install.Open(main));
    for (const int dpi : Scales) {
      const std::string where = name + " at " + std::to_string(dpi) + " DPI";
      ChangeScale(main, dpi);
      ChangeScale(options.Handle(), dpi);
      ChangeScale(about.Handle(), dpi);
      ChangeScale(install.Handle(), dpi);
      Pump();
      for (int step = 0; step < 3; ++step) {
        Report(where + ", Step " + std::to_string(step + 1), CutsIn(main, dpi));
        Click(ids::Next);
      }
      Click(ids::Back);
      Click(ids::Back);
      Report(where + ", Options", CutsIn(options.Handle(), dpi));
      Report(where + ", Options", CutEntries(GetDlgItem(options.Handle(), options_ids::LanguageList)));
      Report(where + ", About", CutsIn(about.Handle(), dpi));
      Report(where + ", Total Commander's button bar", CutsIn(install.Handle(), dpi));
    }
    // The created state, with its button that opens that dialog.
    Click(ids::Next);
    Click(ids::Next);
    CreateAndWait();
    for (const int dpi : Scales) {
      ChangeScale(main, dpi);
      Pump();
      Report(name + " at " + std::to_string(dpi) + " DPI, created", CutsIn(main, dpi));
    }
    Close();
    std::filesystem::remove_all(app.Path() / "bars");  // the next language starts without a set
  }
}

}  // namespace
}  // namespace barloom
