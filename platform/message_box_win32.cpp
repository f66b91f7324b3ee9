#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/message_box.h"
#include "platform/message_fit.h"
#include "platform/unique_handle.h"
#include "platform/code_page.h"

namespace barloom {
namespace {

// The font message boxes show their text in, at `dpi`.
UniqueFont MessageFont(UINT dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi),
                                            static_cast<int>(GetDpiForSystem()));
  }
  return UniqueFont(CreateFontIndirectW(&metrics.lfMessageFont));
}

// `text` as it fits on the monitor the box comes up on (the owner's, or the primary one), in the
// message font at the owner's DPI: the box is at most three quarters of the work area wide, so
// that it reads as a message, and no higher than the work area.
std::string FitOnScreen(std::string_view text, HWND owner) {
  const UINT dpi = owner && GetDpiForWindow(owner) ? GetDpiForWindow(owner) : GetDpiForSystem();
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoW(MonitorFromWindow(owner ? owner : GetActiveWindow(), MONITOR_DEFAULTTOPRIMARY), &monitor))
    return std::string{text};
  const UniqueFont font = MessageFont(dpi);
  const WindowDc screen(nullptr);  // the screen's, for the time of the measurement
  const SelectedObject measuredIn(screen.get(), font.get());
  TEXTMETRICW metrics{};
  GetTextMetricsW(screen.get(), &metrics);
  const int lineHeight = std::max<int>(metrics.tmHeight, 1);
  const int averageWidth = std::max<int>(metrics.tmAveCharWidth, 1);

  const auto scaled = [dpi](int pixelsAt96) { return MulDiv(pixelsAt96, static_cast<int>(dpi), 96); };
  const auto metric = [dpi](int index) { return GetSystemMetricsForDpi(index, dpi); };
  // Around the text: the frame, the icon and the margins beside it; the caption, the button
  // (about two lines high) and the margins above and below.
  const int beside = 2 * (metric(SM_CXFIXEDFRAME) + metric(SM_CXPADDEDBORDER)) + metric(SM_CXICON) + scaled(48);
  const int aboveAndBelow =
      2 * (metric(SM_CYFIXEDFRAME) + metric(SM_CXPADDEDBORDER)) + metric(SM_CYCAPTION) + 3 * lineHeight + scaled(48);
  const int workWidth = static_cast<int>(monitor.rcWork.right - monitor.rcWork.left);
  const int workHeight = static_cast<int>(monitor.rcWork.bottom - monitor.rcWork.top);
  MessageRoom room;
  room.MaxLineWidth = std::max(workWidth * 3 / 4 - beside, 10 * averageWidth);
  room.MaxHeight = std::max(workHeight - aboveAndBelow, lineHeight);
  room.LineHeight = lineHeight;
  // Boxes break their lines at no less than about forty average characters.
  room.WrapWidth = 40 * averageWidth;
  return FitMessage(text, room, [&](std::string_view line) {
    const std::wstring wide = WideFromUtf8(line);
    SIZE size{};
    GetTextExtentPoint32W(screen.get(), wide.c_str(), static_cast<int>(wide.size()), &size);
    return static_cast<int>(size.cx);
  });
}

// The text control of a message box, as both the system and Wine number it.
constexpr int MessageTextId = 0xFFFF;

// What the hook of the box being opened on this thread gives its text; one box at a time.
struct BoxText {
  HFONT Font = nullptr;
  int MaxWidth = 0;
  HHOOK Hook = nullptr;
};
thread_local BoxText* openingBox = nullptr;

// The box measured its text in the system's message font, whose face may lack the language's
// letters: the text takes the font of the language's set, and the box grows to what it needs, its
// buttons moving with the text's bottom and staying centred.
void RefontText(HWND box, const BoxText& boxText) {
  const HWND text = GetDlgItem(box, MessageTextId);
  if (!text) return;
  RECT was{};
  GetWindowRect(text, &was);
  MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&was), 2);
  std::wstring wide(static_cast<std::size_t>(GetWindowTextLengthW(text)) + 1, L'\0');
  wide.resize(static_cast<std::size_t>(GetWindowTextW(text, wide.data(), static_cast<int>(wide.size()))));
  SendMessageW(text, WM_SETFONT, reinterpret_cast<WPARAM>(boxText.Font), FALSE);
  const WindowDc dc(text);
  const SelectedObject measuredIn(dc.get(), boxText.Font);
  const UINT format = DT_EXPANDTABS | DT_NOPREFIX | DT_CALCRECT;
  RECT lines{0, 0, 0, 0};
  DrawTextW(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &lines, format);
  const int width = std::clamp<int>(lines.right, was.right - was.left, std::max<int>(boxText.MaxWidth, was.right - was.left));
  RECT wrapped{0, 0, width, 0};
  DrawTextW(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &wrapped, format | DT_WORDBREAK);
  const int growX = width - (was.right - was.left);
  const int growY = std::max<int>(0, wrapped.bottom - (was.bottom - was.top));
  SetWindowPos(text, nullptr, 0, 0, width, was.bottom - was.top + growY, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (growX == 0 && growY == 0) return;
  // Every button's place first: a button moved could otherwise be met again on the way.
  std::vector<std::pair<HWND, RECT>> buttons;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t kind[16]{};
    GetClassNameW(child, kind, 16);
    if (CompareStringOrdinal(kind, -1, L"Button", -1, TRUE) != CSTR_EQUAL) continue;
    RECT button{};
    GetWindowRect(child, &button);
    MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&button), 2);
    buttons.emplace_back(child, button);
  }
  for (const auto& [button, place] : buttons)
    SetWindowPos(button, nullptr, place.left + growX / 2, place.top + growY, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT frame{};
  GetWindowRect(box, &frame);
  SetWindowPos(box, nullptr, frame.left - growX / 2, frame.top - growY / 2, frame.right - frame.left + growX,
               frame.bottom - frame.top + growY, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK OnBoxOpening(int code, WPARAM wParam, LPARAM lParam) {
  BoxText* box = openingBox;
  if (!box) return 0;
  const HHOOK hook = box->Hook;
  const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  // The box lays out its text and buttons while it answers WM_INITDIALOG; the hook's work follows.
  if (code == HC_ACTION && call->message == WM_INITDIALOG) {
    openingBox = nullptr;
    RefontText(call->hwnd, *box);
  }
  return CallNextHookEx(hook, code, wParam, lParam);
}

}  // namespace

int SystemMessageBox::Run(std::string_view text, std::string_view title, unsigned style) {
  const HWND owner = reinterpret_cast<HWND>(ownerWindow_);
  const std::wstring wideText = WideFromUtf8(FitOnScreen(text, owner));
  const std::wstring wideTitle = WideFromUtf8(title);
  if (rightToLeft_) style |= MB_RTLREADING | MB_RIGHT;
  constexpr int DefaultCharset = DEFAULT_CHARSET;
  if (charset_ == DefaultCharset || charset_ == ANSI_CHARSET || openingBox)
    return MessageBoxW(owner, wideText.c_str(), wideTitle.c_str(), style);
  const UINT dpi = owner && GetDpiForWindow(owner) ? GetDpiForWindow(owner) : GetDpiForSystem();
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
  metrics.lfMessageFont.lfCharSet = static_cast<BYTE>(charset_);
  const UniqueFont font(CreateFontIndirectW(&metrics.lfMessageFont));
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY), &monitor);
  BoxText box{font.get(), static_cast<int>(monitor.rcWork.right - monitor.rcWork.left) / 2, nullptr};
  if (font) box.Hook = SetWindowsHookExW(WH_CALLWNDPROCRET, OnBoxOpening, nullptr, GetCurrentThreadId());
  if (box.Hook) openingBox = &box;
  const int answer = MessageBoxW(owner, wideText.c_str(), wideTitle.c_str(), style);
  openingBox = nullptr;
  if (box.Hook) UnhookWindowsHookEx(box.Hook);
  return answer;
}

void SystemMessageBox::Show(std::string_view text, std::string_view title, MessageIcon icon) {
  Run(text, title, MB_OK | (icon == MessageIcon::Error ? MB_ICONERROR : MB_ICONINFORMATION));
}

bool SystemMessageBox::Ask(std::string_view text, std::string_view title) {
  return Run(text, title, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

std::optional<std::size_t> SystemMessageBox::Choose(std::string_view text, std::string_view title,
                                                    std::span<const std::string> answers) {
  const HWND owner = reinterpret_cast<HWND>(ownerWindow_);
  // A task dialog wraps its text to its own width; only a message box needs it fitted.
  const std::wstring wideText = WideFromUtf8(text);
  const std::wstring wideTitle = WideFromUtf8(title);
  constexpr int FirstAnswer = 100;  // clear of IDOK, IDCANCEL and the other answers the system knows
  std::vector<std::wstring> captions;
  for (const std::string& answer : answers) captions.push_back(WideFromUtf8(answer));
  std::vector<TASKDIALOG_BUTTON> buttons;
  // The last answer is the dialog's cancel button: Esc and the close box press it.
  for (std::size_t index = 0; index < captions.size(); ++index)
    buttons.push_back({index + 1 == captions.size() ? IDCANCEL : FirstAnswer + static_cast<int>(index),
                       captions[index].c_str()});

  // Task dialogs come with version 6 of the common controls, which the program's manifest asks for.
  using TaskDialogFunction = HRESULT(WINAPI*)(const TASKDIALOGCONFIG*, int*, int*, BOOL*);
  HMODULE controls = GetModuleHandleW(L"comctl32.dll");
  if (!controls) controls = LoadLibraryW(L"comctl32.dll");
  const auto taskDialog =
      controls ? reinterpret_cast<TaskDialogFunction>(reinterpret_cast<void*>(GetProcAddress(controls, "TaskDialogIndirect")))
               : nullptr;
  if (taskDialog) {
    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof config;
    config.hwndParent = owner;
    config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | (owner ? TDF_POSITION_RELATIVE_TO_WINDOW : 0) |
                     (rightToLeft_ ? TDF_RTL_LAYOUT : 0);
    config.pszWindowTitle = wideTitle.c_str();
    config.pszMainIcon = TD_WARNING_ICON;
    config.pszContent = wideText.c_str();
    config.cButtons = static_cast<UINT>(buttons.size());
    config.pButtons = buttons.data();
    config.nDefaultButton = buttons.size() > 1 ? FirstAnswer : IDCANCEL;
    int pressed = 0;
    if (SUCCEEDED(taskDialog(&config, &pressed, nullptr, nullptr))) {
      if (pressed == IDCANCEL && !buttons.empty()) return buttons.size() - 1;
      if (pressed >= FirstAnswer && pressed < FirstAnswer + static_cast<int>(buttons.size()))
        return static_cast<std::size_t>(pressed - FirstAnswer);
      return std::nullopt;
    }
  }
  UINT style = MB_ICONWARNING | MB_DEFBUTTON1 |
               (answers.size() >= 3 ? MB_YESNOCANCEL : answers.size() == 2 ? MB_YESNO : MB_OK);
  switch (Run(text, title, style)) {
    case IDYES:
    case IDOK:
      return answers.empty() ? std::nullopt : std::optional<std::size_t>{0};
    case IDNO:
      return 1;
    case IDCANCEL:
      return answers.size() >= 3 ? std::optional<std::size_t>{2} : std::nullopt;
    default:
      return std::nullopt;
  }
}

}  // namespace barloom
