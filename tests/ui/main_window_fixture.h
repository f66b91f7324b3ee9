#pragma once
// The real main window for the window tests: created with the dialogs answered by the test,
// driven with the messages that a user's clicks and keys send.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/path_text.h"
#include "platform/code_page.h"
#include "settings/profile.h"
#include "settings/settings_file.h"
#include "tests/support/dialog_doubles.h"
#include "tests/support/temp_folder.h"
#include "ui/win32/main_window.h"
#include "ui/main_window_layout.h"

namespace barloom::test_support {

namespace ids = main_ids;

inline std::string Text(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return Utf8FromWide(text);
}

inline HWND Find(HWND root, int id) {
  if (const HWND direct = GetDlgItem(root, id)) return direct;
  for (HWND child = GetWindow(root, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (const HWND inside = GetDlgItem(child, id)) return inside;
  return nullptr;
}

// Every window inside `root`, in window order, those inside container windows included.
inline std::vector<HWND> Descendants(HWND root) {
  std::vector<HWND> all;
  EnumChildWindows(
      root,
      [](HWND child, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&all));
  return all;
}

inline bool Visible(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    namespace fs = std::filesystem;
    const fs::path dist = PathFromUtf8(BARLOOM_DIST_DIR);
    fs::copy(dist / "icons", app.Path() / "icons");
    fs::copy(dist / "Languages", app.Path() / "Languages");
    fs::remove(app.Path() / "icons" / "Up_07.ico");  // drawn as a numbered stand-in
  }

  HWND Open() {
    MainWindowOptions options;
    options.AppFolder = app.Utf8();
    options.Dialogs = {&folders, &files, &messages, &shell};
    options.CommanderSources = CommanderFolderSources{};
    options.QuitOnClose = false;
    window = std::make_unique<MainWindow>(options);
    EXPECT_TRUE(window->Create());
    window->Show(SW_SHOWNORMAL);
    Pump();
    return window->Handle();
  }

  void Pump() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (window && window->Handle() && IsDialogMessageW(window->Handle(), &message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }

  HWND Item(int id) const { return Find(window->Handle(), id); }

  void Click(int id) {
    SendMessageW(Item(id), BM_CLICK, 0, 0);
    Pump();
  }

  // Create runs on a worker thread: the messages flow until it has ended (at most a minute).
  void CreateAndWait() {
    Click(ids::Create);
    for (const ULONGLONG end = GetTickCount64() + 60000; window->Controller().View().Busy && GetTickCount64() < end;) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
      Pump();
    }
    EXPECT_FALSE(window->Controller().View().Busy);
  }

  // What the list sends when the user picks an entry.
  void PickBarCount(int position) {
    const HWND list = Item(ids::Combo1);
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(ids::Combo1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    Pump();
  }

  void ClickBar(int bar) {
    const HWND toolbar = Item(ids::Toolbar);
    RECT button{};
    SendMessageW(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(bar - 1), reinterpret_cast<LPARAM>(&button));
    const LPARAM at = MAKELPARAM((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    SendMessageW(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(toolbar, WM_LBUTTONUP, 0, at);
    Pump();
  }

  // A key as the message loop gets it, pressed and released, through the dialog keyboard; with
  // `shift`, while Shift is held.
  void PressKey(UINT key, bool shift = false) {
    BYTE keys[256]{};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    const bool system = key == VK_F10;  // F10 comes as a system key
    for (const UINT message : {system ? WM_SYSKEYDOWN : WM_KEYDOWN, system ? WM_SYSKEYUP : WM_KEYUP}) {
      const bool up = message == WM_KEYUP || message == WM_SYSKEYUP;
      MSG press{GetFocus(), message, key, up ? static_cast<LPARAM>(0xC0000001) : 1};
      if (!IsDialogMessageW(window->Handle(), &press)) {
        TranslateMessage(&press);
        DispatchMessageW(&press);
      }
      Pump();
    }
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
  }

  // Alt and a letter: what IsDialogMessage turns into a click on the control it names.
  void PressAccessKey(wchar_t letter) {
    MSG press{GetFocus() ? GetFocus() : window->Handle(), WM_SYSCHAR, letter, 0x20000001};
    if (!IsDialogMessageW(window->Handle(), &press)) DispatchMessageW(&press);
    Pump();
  }

  int BarImage(int bar) const {
    return static_cast<int>(SendMessageW(Item(ids::Toolbar), TB_GETBITMAP, ids::BarButton0 + bar, 0));
  }

  int VisibleFrame() const {
    int shown = -1;
    for (int frame = 0; frame < 4; ++frame)
      if (Visible(Item(ids::Frame0 + frame))) {
        EXPECT_EQ(shown, -1) << "two frames shown";
        shown = frame;
      }
    return shown;
  }

  void Close() {
    SendMessageW(window->Handle(), WM_CLOSE, 0, 0);
    Pump();
    window.reset();
  }

  // The settings as barloom.ini holds them now, for a dialog opened beside the window.
  Settings& StoredSettings() {
    stored = Settings{};
    SetAppFolder(stored, app.Utf8());
    LoadSettings(stored, profile);
    return stored;
  }

  TempFolder app{"window"};
  cProfile profile;
  Settings stored;
  ScriptedFolderPicker folders;
  ScriptedFileOpenDialog files;
  RecordingMessageBox messages;
  RecordingShellOpener shell;
  std::unique_ptr<MainWindow> window;
};

}  // namespace barloom::test_support
