// The real system dialogs, answered from a second thread as a person would answer them.
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/file_open_dialog.h"
#include "platform/folder_picker.h"
#include "platform/message_box.h"
#include "platform/shell_open.h"
#include "platform/unique_handle.h"
#include "platform/code_page.h"
#include "tests/support/temp_folder.h"

namespace barloom {
namespace {

using test_support::BeyondAnsiTag;
using test_support::TempFolder;
using namespace std::chrono_literals;

constexpr auto DialogWait = 20s;

std::string TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return Utf8FromWide(text);
}

// A visible dialog box of `thread` other than `except`, or nullptr.
HWND FindDialog(DWORD thread, HWND except = nullptr) {
  struct Search {
    HWND Except;
    HWND Found = nullptr;
  } search{except};
  EnumThreadWindows(
      thread,
      [](HWND window, LPARAM data) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        wchar_t className[16] = {};
        GetClassNameW(window, className, 16);
        if (window == s.Except || !IsWindowVisible(window) || std::wstring_view(className) != L"#32770") return TRUE;
        s.Found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

// Ends the whole run: a thread blocked in a dialog that nobody can close cannot be freed otherwise,
// and a hung test would stall every test after it.
[[noreturn]] void GiveUp(const char* why) {
  std::fprintf(stderr, "dialog test gave up: %s\n", why);
  std::fflush(stderr);
  std::_Exit(3);
}

// Waits (bounded) for a visible dialog box of `thread` other than `except`.
HWND WaitForDialog(DWORD thread, HWND except = nullptr) {
  const auto deadline = std::chrono::steady_clock::now() + DialogWait;
  for (;;) {
    if (HWND dialog = FindDialog(thread, except)) return dialog;
    if (std::chrono::steady_clock::now() >= deadline) GiveUp("no dialog appeared");
    Sleep(10);
  }
}

void PressButton(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Runs `show` on this thread while a second thread waits for the dialog it opens and plays the
// user with `answer`. Everything `answer` records is visible once this returns.
template <typename Show>
auto WhileAnswering(const std::function<void(HWND)>& answer, Show show) {
  const DWORD thread = GetCurrentThreadId();
  std::atomic<bool> returned{false};
  std::thread user([&] {
    answer(WaitForDialog(thread));
    const auto deadline = std::chrono::steady_clock::now() + DialogWait;
    while (!returned) {
      if (std::chrono::steady_clock::now() >= deadline) GiveUp("the dialog did not close when answered");
      Sleep(10);
    }
  });
  auto result = show();
  returned = true;
  user.join();
  return result;
}

// No test sets up OLE: the dialogs bring it up themselves, as they must in a program that starts
// without it.
class DialogTest : public ::testing::Test {};

std::vector<std::string> ChildTexts(HWND dialog) {
  std::vector<std::string> texts;
  EnumChildWindows(
      dialog,
      [](HWND child, LPARAM data) -> BOOL {
        if (IsWindowVisible(child)) reinterpret_cast<std::vector<std::string>*>(data)->push_back(TextOf(child));
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&texts));
  return texts;
}

// A folder inside a folder that has changed since it was last read (its last access lies before
// its last change), as a folder is after a file was written into it.
std::string FolderInChangedFolder(const TempFolder& temp) {
  const std::filesystem::path changed = temp.Path() / L"changed";
  std::filesystem::create_directories(changed / L"start");
  const UniqueFileHandle handle{CreateFileW(changed.c_str(), FILE_WRITE_ATTRIBUTES,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)};
  const SYSTEMTIME longAgo{2000, 1, 0, 1};
  FILETIME lastAccess{};
  SystemTimeToFileTime(&longAgo, &lastAccess);
  EXPECT_TRUE(handle && SetFileTime(handle.get(), nullptr, &lastAccess, nullptr));
  return Utf8FromWide((changed / L"start").native());
}

TEST_F(DialogTest, FolderPickerStartsAtTheStartFolderAndReturnsThePick) {
  const TempFolder temp{BeyondAnsiTag};
  const std::string inChangedFolder = FolderInChangedFolder(temp);
  const std::string title = std::string("Save the bars in ") + std::string(BeyondAnsiTag);
  struct Case {
    std::string StartFolder;
    std::string Title;
    int Button;
    std::string Result;
  };
  const Case cases[] = {
      {temp.Utf8(), title, IDOK, temp.Utf8()},
      {"C:\\", "", IDOK, "C:\\"},  // a drive root keeps its separator
      {inChangedFolder, "", IDOK, inChangedFolder},
      {temp.Utf8(), title, IDCANCEL, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.StartFolder + " / " + std::to_string(c.Button));
    std::vector<std::string> shownTexts;
    ShellFolderPicker picker;
    const std::string result = WhileAnswering(
        [&](HWND dialog) {
          shownTexts = ChildTexts(dialog);
          PressButton(dialog, c.Button);
        },
        [&] { return picker.BrowseFolder(c.StartFolder, 0, c.Title); });
    EXPECT_EQ(result, c.Result);
    if (!c.Title.empty()) {
      EXPECT_NE(std::find(shownTexts.begin(), shownTexts.end(), c.Title), shownTexts.end());
    }
  }
}

// The file-name box of the explorer-style dialog: a combo box whose text is the typed name.
void TypeFileName(HWND dialog, const std::string& name) {
  HWND box = GetDlgItem(dialog, cmb13);
  if (box == nullptr) box = GetDlgItem(dialog, edt1);
  SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(WideFromUtf8(name).c_str()));
}

std::vector<std::string> ComboItems(HWND combo) {
  std::vector<std::string> items;
  const auto count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::wstring item(static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
    item.resize(static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
    items.push_back(Utf8FromWide(item));
  }
  return items;
}

TEST_F(DialogTest, FileOpenDialogReturnsTheTypedExistingFile) {
  const TempFolder temp{BeyondAnsiTag};
  const std::string existing = temp.Write("Bar_01.bar", "[Buttonbar]\r\n");
  const std::string missing = temp.PathOf("missing.bar");
  const std::optional<std::string> cancelled;
  struct Case {
    const char* Name;
    std::string Typed;  // empty: the user cancels
    std::optional<std::string> Result;
  };
  const Case cases[] = {
      {"full path", existing, existing},
      {"name in the start folder", "Bar_01.bar", existing},
      {"missing file: refused, then cancelled", missing, cancelled},
      {"cancelled", "", cancelled},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    std::string caption;
    std::vector<std::string> filters;
    bool refusedMissing = false;
    SystemFileOpenDialog system;
    cCommonDialog common;
    common.Setup(system, "");
    const std::optional<std::string> result = WhileAnswering(
        [&](HWND dialog) {
          caption = TextOf(dialog);
          filters = ComboItems(GetDlgItem(dialog, cmb1));
          if (!c.Typed.empty()) {
            TypeFileName(dialog, c.Typed);
            PressButton(dialog, IDOK);
          }
          if (c.Typed == missing) {  // the dialog says so in a box of its own and stays open
            const HWND complaint = WaitForDialog(GetWindowThreadProcessId(dialog, nullptr), dialog);
            refusedMissing = IsWindow(dialog) != FALSE;
            PressButton(complaint, IDOK);
          }
          if (c.Typed.empty() || c.Typed == missing) PressButton(dialog, IDCANCEL);
        },
        [&] { return common.BrowseForOpen(temp.Utf8(), "", 1, "", false); });
    EXPECT_EQ(result, c.Result);
    EXPECT_EQ(caption, "Open");
    EXPECT_EQ(filters, (std::vector<std::string>{"TC button bar file (*.bar)", "All Files (*.*)"}));
    EXPECT_EQ(refusedMissing, c.Typed == missing);
  }
}

// The icon a message box shows (the system's shared icons have one handle each), or nullptr.
HICON ShownIcon(HWND box) {
  HICON icon = nullptr;
  EnumChildWindows(
      box,
      [](HWND child, LPARAM data) -> BOOL {
        auto& found = *reinterpret_cast<HICON*>(data);
        found = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
        return found == nullptr;
      },
      reinterpret_cast<LPARAM>(&icon));
  return icon;
}

// Wine ignores the right-to-left flags of message boxes (the box looks the same either way), so
// here right to left can only show that the box still comes up and closes.
TEST_F(DialogTest, MessageBoxShowsTextAndIconAndWaitsUntilClosed) {
  struct Case {
    MessageIcon Icon;
    bool RightToLeft;
    LPCWSTR SystemIcon;
  };
  const Case cases[] = {{MessageIcon::Information, false, IDI_INFORMATION}, {MessageIcon::Error, true, IDI_ERROR}};
  const std::string text = std::string("File not found: ") + std::string(BeyondAnsiTag);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.RightToLeft);
    std::string caption;
    std::vector<std::string> texts;
    HICON icon = nullptr;
    SystemMessageBox box;
    box.SetRightToLeft(c.RightToLeft);
    const bool closed = WhileAnswering(
        [&](HWND dialog) {
          caption = TextOf(dialog);
          texts = ChildTexts(dialog);
          icon = ShownIcon(dialog);
          PressButton(dialog, IDOK);
        },
        [&] {
          box.Show(text, "Barloom", c.Icon);
          return true;
        });
    EXPECT_TRUE(closed);
    EXPECT_EQ(caption, "Barloom");
    EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end());
    EXPECT_EQ(icon, LoadIconW(nullptr, c.SystemIcon));
  }
}

// A question answers Yes or No, No being the default. In a language's character set the text takes
// the message font of that set, so that the system picks a face with its letters, and the box
// grows to hold all of it.
TEST_F(DialogTest, QuestionAnswersYesOrNoInTheLanguagesCharacterSet) {
  struct Case {
    int Charset;
    int Pressed;
    bool Answer;
  };
  const Case cases[] = {{DEFAULT_CHARSET, IDYES, true},
                        {DEFAULT_CHARSET, IDNO, false},
                        {SHIFTJIS_CHARSET, IDYES, true},
                        {SHIFTJIS_CHARSET, IDNO, false}};
  const std::string text =
      "\u30A2\u30A4\u30B3\u30F3 \u30D5\u30A9\u30EB\u30C0\u30FC\u304C\u3042\u308A\u307E\u305B\u3093\u3002"
      "\u5207\u308A\u66FF\u3048\u30DC\u30BF\u30F3\u306B\u753B\u50CF\u304C\u8868\u793A\u3055\u308C\u307E"
      "\u305B\u3093:\nC:\\Barloom\\icons\n\n\u305D\u308C\u3067\u3082\u4F5C\u6210\u3057\u307E\u3059\u304B?";
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.Charset) + " " + std::to_string(c.Pressed));
    SystemMessageBox box;
    box.SetCharset(c.Charset);
    int charset = -1;
    bool noIsDefault = false;
    std::vector<std::string> texts;
    RECT shownRect{}, needed{}, frame{}, yes{}, no{};
    const bool answer = WhileAnswering(
        [&](HWND dialog) {
          SendMessageW(dialog, WM_NULL, 0, 0);  // the box is in its own loop: laid out and shown
          const HWND shown = GetDlgItem(dialog, 0xFFFF);
          const HFONT font = reinterpret_cast<HFONT>(SendMessageW(shown, WM_GETFONT, 0, 0));
          LOGFONTW logical{};
          GetObjectW(font, sizeof logical, &logical);
          charset = logical.lfCharSet;
          noIsDefault = (GetWindowLongW(GetDlgItem(dialog, IDNO), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
          texts = ChildTexts(dialog);
          GetClientRect(shown, &shownRect);
          GetWindowRect(dialog, &frame);
          GetWindowRect(GetDlgItem(dialog, IDYES), &yes);
          GetWindowRect(GetDlgItem(dialog, IDNO), &no);
          const std::wstring wide = WideFromUtf8(TextOf(shown));
          const WindowDc dc(shown);
          const SelectedObject measuredIn(dc.get(), font);
          needed = {0, 0, shownRect.right, 0};
          DrawTextW(dc.get(), wide.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
          PressButton(dialog, c.Pressed);
        },
        [&] { return box.Ask(text, "Barloom"); });
    EXPECT_EQ(answer, c.Answer);
    EXPECT_TRUE(noIsDefault);
    EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end());
    if (c.Charset == SHIFTJIS_CHARSET) EXPECT_EQ(charset, SHIFTJIS_CHARSET);
    else EXPECT_NE(charset, SHIFTJIS_CHARSET);
    EXPECT_LE(needed.right, shownRect.right);
    EXPECT_LE(needed.bottom, shownRect.bottom) << "the text fits its place";
    EXPECT_LE(yes.right, no.left) << "Yes stands left of No";
    EXPECT_TRUE(frame.left <= yes.left && no.right <= frame.right && no.bottom <= frame.bottom);
  }
}

// Whatever the values in it, a message box and its button stay within the work area of the
// monitor it comes up on: long lines are cut in the middle, surplus lines between the first and
// the last ones.
TEST_F(DialogTest, MessageBoxStaysOnTheScreenWhateverItsText) {
  std::string caption;
  while (caption.size() < 100 * 1024) caption += "A caption of a language file, long beyond reason. ";
  std::string lines;
  for (int line = 1; line <= 300; ++line) lines += "Line " + std::to_string(line) + "\n";
  const std::string cases[] = {
      "The button bar file could not be saved.\nC:\\bars\\" + std::string(1 << 20, 'p') + "01.bar\nA name is too long.",
      caption + "\n" + caption + "\n" + caption + "\n" + caption,
      lines,
  };
  for (const std::string& text : cases) {
    SCOPED_TRACE(text.substr(0, 40));
    RECT box{}, button{};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    std::vector<std::string> texts;
    SystemMessageBox messages;
    WhileAnswering(
        [&](HWND dialog) {
          GetWindowRect(dialog, &box);
          GetWindowRect(GetDlgItem(dialog, IDOK), &button);
          GetMonitorInfoW(MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), &monitor);
          texts = ChildTexts(dialog);
          PressButton(dialog, IDOK);
        },
        [&] {
          messages.Show(text, "Barloom", MessageIcon::Error);
          return true;
        });
    const RECT& work = monitor.rcWork;
    for (const RECT& shown : {box, button}) {
      EXPECT_GE(shown.left, work.left);
      EXPECT_GE(shown.top, work.top);
      EXPECT_LE(shown.right, work.right);
      EXPECT_LE(shown.bottom, work.bottom);
    }
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(),
                            [](const std::string& shown) { return shown.find("\u2026") != std::string::npos; }));
  }
}

// A question shows a button for each answer, the first with the keyboard (Enter presses it), and
// says which was pressed; Esc and the close box give the last answer, the one that changes nothing.
TEST_F(DialogTest, QuestionReturnsTheAnswerPressed) {
  const std::vector<std::string> answers{"&Keep them", "&Drop them", "Cancel"};
  struct Case {
    int Press;  // the answer's button (100 onwards, the last IDCANCEL), or 0 for the close box
    std::optional<std::size_t> Answer;
  };
  const Case cases[] = {{100, 0}, {101, 1}, {IDCANCEL, 2}, {0, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Press);
    std::string caption;
    std::vector<std::string> texts;
    int focused = 0;
    SystemMessageBox box;
    const std::optional<std::size_t> answer = WhileAnswering(
        [&](HWND dialog) {
          caption = TextOf(dialog);
          texts = ChildTexts(dialog);
          GUITHREADINFO thread{};
          thread.cbSize = sizeof thread;
          if (GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &thread))
            focused = GetDlgCtrlID(thread.hwndFocus);
          if (c.Press != 0)
            PostMessageW(dialog, TDM_CLICK_BUTTON, static_cast<WPARAM>(c.Press), 0);
          else
            PostMessageW(dialog, WM_CLOSE, 0, 0);
        },
        [&] { return box.Choose(std::string("Keep the buttons? ") + std::string(BeyondAnsiTag), "Barloom", answers); });
    EXPECT_EQ(answer, c.Answer);
    EXPECT_EQ(caption, "Barloom");
    EXPECT_EQ(focused, 100) << "the first answer is the default";
    for (const std::string& shown : answers)
      EXPECT_NE(std::find(texts.begin(), texts.end(), shown), texts.end()) << shown;
  }
}

// The shell's answer for what it cannot open comes back as a reason, with no dialog of its own.
TEST_F(DialogTest, ShellOpenerSaysWhyATargetCannotBeOpened) {
  const TempFolder temp;
  const struct {
    std::string Target;
    ShellOpenReason Reason;
  } cases[] = {
      {temp.PathOf("Readme.htm"), ShellOpenReason::NotFound},
      {temp.Write("Readme.barloom-unknown-kind", "x"), ShellOpenReason::NoAssociation},
      {"barloom-unknown-scheme:readme", ShellOpenReason::NoAssociation},
  };
  SystemShellOpener shell;
  for (const auto& c : cases)
    EXPECT_EQ(shell.Open(0, c.Target), (ShellOpenFailure{c.Reason, {}})) << c.Target;
}

}  // namespace
}  // namespace barloom
