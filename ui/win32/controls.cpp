#include "ui/win32/controls.h"

#include <algorithm>
#include <cwchar>

#include "platform/wide_text.h"

namespace barloom {
namespace {

BOOL CALLBACK SetFontOf(HWND child, LPARAM font) {
  SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
  return TRUE;
}

struct IdSearch {
  int Id;
  HWND Found;
};

BOOL CALLBACK MatchControlId(HWND window, LPARAM search) {
  auto& s = *reinterpret_cast<IdSearch*>(search);
  if (GetDlgCtrlID(window) != s.Id) return TRUE;
  s.Found = window;
  return FALSE;
}

}  // namespace

HWND CreatePlannedControl(HWND parent, const ControlPlan& plan) {
  return CreateWindowExW(plan.ExStyle, plan.ClassName, plan.Text, WS_CHILD | WS_VISIBLE | plan.Style, 0, 0, 0, 0,
                         parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(plan.Id)), GetModuleHandleW(nullptr),
                         nullptr);
}

void PlacePlannedControl(HWND parent, const ControlPlan& plan, int dpi) {
  const PixelRect at = ToPixels(plan.Place, dpi);
  SetWindowPos(GetDlgItem(parent, plan.Id), nullptr, at.Left, at.Top, at.Width(), at.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

HFONT CreateMessageFont(int dpi, BYTE charset) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi))) {
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    metrics.lfMessageFont.lfHeight =
        MulDiv(metrics.lfMessageFont.lfHeight, dpi, static_cast<int>(GetDpiForSystem()));
  }
  metrics.lfMessageFont.lfCharSet = charset;
  return CreateFontIndirectW(&metrics.lfMessageFont);
}

HFONT CreateNamedFont(const wchar_t* face, int centipoints, int weight, BYTE charset, int dpi) {
  LOGFONTW look{};
  look.lfHeight = -MulDiv(centipoints, dpi, 7200);
  look.lfWeight = weight;
  look.lfCharSet = charset;
  look.lfQuality = CLEARTYPE_QUALITY;
  wcsncpy(look.lfFaceName, face, LF_FACESIZE - 1);
  return CreateFontIndirectW(&look);
}

HBRUSH PaintAsLink(HDC dc, COLORREF colour) {
  SetTextColor(dc, colour);
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return GetSysColorBrush(COLOR_BTNFACE);
}

void DrawTextFocus(HWND label) {
  RECT client{};
  GetClientRect(label, &client);
  const std::wstring text = WideFromUtf8(WindowText(label));
  const HDC dc = GetDC(label);
  if (!dc) return;
  const HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
  RECT box = client;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  const LONG width = box.right - box.left;
  const LONG_PTR type = GetWindowLongPtrW(label, GWL_STYLE) & SS_TYPEMASK;
  const LONG left = type == SS_CENTER ? (client.right - width) / 2 : type == SS_RIGHT ? client.right - width : 0;
  box = {std::max<LONG>(left - 1, 0), 0, std::min<LONG>(left + width + 1, client.right),
         std::min<LONG>(box.bottom + 1, client.bottom)};
  DrawFocusRect(dc, &box);
  SelectObject(dc, oldFont);
  ReleaseDC(label, dc);
}

void SetChildFonts(HWND parent, HFONT font) { EnumChildWindows(parent, SetFontOf, reinterpret_cast<LPARAM>(font)); }

std::string WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return Utf8FromWide(text);
}

HWND FindDescendant(HWND window, int id) {
  IdSearch search{id, nullptr};
  EnumChildWindows(window, MatchControlId, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

int WindowDpi(HWND window) {
  const UINT dpi = window ? GetDpiForWindow(window) : 0;
  return dpi != 0 ? static_cast<int>(dpi) : DesignDpi;
}

void SizeDropDown(HWND parent, const ControlPlan& plan, int dpi) {
  constexpr int DroppedListPixels = 160;  // the open list, at 96 DPI
  const PixelRect list = ToPixels(plan.Place, dpi);
  SetWindowPos(FindDescendant(parent, plan.Id), nullptr, 0, 0, list.Width(),
               list.Height() + ScaledPixels(DroppedListPixels, dpi), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CenterForm(HWND window) {
  const HWND owner = GetWindow(window, GW_OWNER);
  MONITORINFO monitor{sizeof monitor};
  if (!GetMonitorInfoW(MonitorFromWindow(owner ? owner : window, MONITOR_DEFAULTTONEAREST), &monitor)) return;
  const RECT& screen = monitor.rcMonitor;
  RECT rect{};
  GetWindowRect(window, &rect);
  const int left = screen.left + ((screen.right - screen.left) - (rect.right - rect.left)) / 2;
  const int top = screen.top + ((screen.bottom - screen.top) - (rect.bottom - rect.top)) / 2;
  SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace barloom
