#include <windows.h>

#include <algorithm>

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

}  // namespace

void SystemMessageBox::Show(std::string_view text, std::string_view title, MessageIcon icon) {
  const HWND owner = reinterpret_cast<HWND>(ownerWindow_);
  const std::wstring wideText = WideFromUtf8(FitOnScreen(text, owner));
  const std::wstring wideTitle = WideFromUtf8(title);
  UINT style = MB_OK | (icon == MessageIcon::Error ? MB_ICONERROR : MB_ICONINFORMATION);
  if (rightToLeft_) style |= MB_RTLREADING | MB_RIGHT;
  MessageBoxW(owner, wideText.c_str(), wideTitle.c_str(), style);
}

bool SystemMessageBox::Ask(std::string_view text, std::string_view title) {
  const HWND owner = reinterpret_cast<HWND>(ownerWindow_);
  const std::wstring wideText = WideFromUtf8(FitOnScreen(text, owner));
  const std::wstring wideTitle = WideFromUtf8(title);
  UINT style = MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2;
  if (rightToLeft_) style |= MB_RTLREADING | MB_RIGHT;
  return MessageBoxW(owner, wideText.c_str(), wideTitle.c_str(), style) == IDYES;
}

}  // namespace barloom
