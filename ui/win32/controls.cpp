#include "ui/win32/controls.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cwchar>

#include "platform/code_page.h"

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
  const WindowDc dc(label);
  if (!dc) return;
  const SelectedObject font(dc.get(), reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
  RECT box = client;
  DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &box, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  const LONG width = box.right - box.left;
  const LONG_PTR type = GetWindowLongPtrW(label, GWL_STYLE) & SS_TYPEMASK;
  const LONG left = type == SS_CENTER ? (client.right - width) / 2 : type == SS_RIGHT ? client.right - width : 0;
  box = {std::max<LONG>(left - 1, 0), 0, std::min<LONG>(left + width + 1, client.right),
         std::min<LONG>(box.bottom + 1, client.bottom)};
  DrawFocusRect(dc.get(), &box);
}

HBITMAP CreatePixelBitmap(int width, int height, void** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  *bits = nullptr;
  UniqueBitmap bitmap{CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0)};
  return *bits ? bitmap.release() : nullptr;
}

HICON CreateTextIcon(const std::wstring& text, HFONT font, COLORREF colour) {
  const UniqueMemoryDc dc{CreateCompatibleDC(nullptr)};
  if (!dc) return nullptr;
  const SelectedObject drawnIn(dc.get(), font);
  SIZE extent{};
  GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
  const int width = std::max<int>(extent.cx + 2, 1);
  const int height = std::max<int>(extent.cy, 1);
  void* bits = nullptr;
  const UniqueBitmap image{CreatePixelBitmap(width, height, &bits)};
  const UniqueBitmap mask{CreateBitmap(width, height, 1, 1, nullptr)};
  if (!image || !bits || !mask) return nullptr;
  {
    // White text on black gives each pixel's coverage; the icon takes it as its alpha, in `colour`.
    const SelectedObject drawnOn(dc.get(), image.get());
    RECT all{0, 0, width, height};
    FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SetBkMode(dc.get(), TRANSPARENT);
    SetTextColor(dc.get(), RGB(255, 255, 255));
    DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &all,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    GdiFlush();
    auto* pixel = static_cast<std::uint32_t*>(bits);
    for (int i = 0; i < width * height; ++i) {
      const std::uint32_t p = pixel[i];
      const std::uint32_t cover = ((p & 0xFF) + ((p >> 8) & 0xFF) + ((p >> 16) & 0xFF)) / 3;
      pixel[i] = (cover << 24) | (static_cast<std::uint32_t>(GetRValue(colour)) << 16) |
                 (static_cast<std::uint32_t>(GetGValue(colour)) << 8) | GetBValue(colour);
    }
  }
  // The icon holds copies of both bitmaps.
  ICONINFO parts{TRUE, 0, 0, mask.get(), image.get()};
  return CreateIconIndirect(&parts);
}

void SetChildFonts(HWND parent, HFONT font) { EnumChildWindows(parent, SetFontOf, reinterpret_cast<LPARAM>(font)); }

int TextWidth(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  const WindowDc dc(control);
  if (!dc) return 0;
  const SelectedObject font(dc.get(), reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  RECT needed{};
  const bool plain = (GetWindowLongW(control, GWL_STYLE) & SS_NOPREFIX) != 0;
  DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &needed,
            DT_CALCRECT | DT_SINGLELINE | (plain ? DT_NOPREFIX : 0));
  return needed.right - needed.left;
}

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
