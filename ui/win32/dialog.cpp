#include "ui/win32/dialog.h"

#include <cwchar>
#include <exception>

#include "platform/wide_text.h"

namespace barloom {
namespace {

// An empty dialog: the controls are created from tables in twips, not in dialog units.
struct alignas(4) EmptyDialogTemplate {
  DLGTEMPLATE Header{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_EX_CONTROLPARENT};
  WORD Menu = 0;
  WORD WindowClass = 0;
  WORD Title = 0;
};

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

HFONT CreateMessageFont(int dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi))) {
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    metrics.lfMessageFont.lfHeight =
        MulDiv(metrics.lfMessageFont.lfHeight, dpi, static_cast<int>(GetDpiForSystem()));
  }
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

Dialog::~Dialog() {
  if (dialog_ && !modal_) DestroyWindow(dialog_);
}

INT_PTR Dialog::Run(HWND owner) {
  modal_ = true;
  result_ = -1;
  const EmptyDialogTemplate dialogTemplate;
  const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &dialogTemplate.Header, owner, DialogProc,
                                                 reinterpret_cast<LPARAM>(this));
  return result == 0 && result_ == -1 ? -1 : result;
}

bool Dialog::Open(HWND owner) {
  modal_ = false;
  result_ = -1;
  const EmptyDialogTemplate dialogTemplate;
  const HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &dialogTemplate.Header, owner, DialogProc,
                                                 reinterpret_cast<LPARAM>(this));
  if (!dialog) return false;
  ShowWindow(dialog, SW_SHOW);
  return true;
}

bool Dialog::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

void Dialog::OnDpiChanged(int, const RECT& suggested) {
  SetWindowPos(dialog_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Dialog::Close(INT_PTR result) {
  result_ = result;
  if (!dialog_) return;
  if (modal_) {
    EndDialog(dialog_, result);
  } else {
    DestroyWindow(dialog_);
  }
}

INT_PTR CALLBACK Dialog::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, lParam);
  auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (!self) return FALSE;
  try {
    switch (message) {
      case WM_INITDIALOG:
        self->dialog_ = dialog;
        if (!self->OnInit()) self->Close(-1);
        return TRUE;  // the dialog manager gives the first control the focus
      case WM_COMMAND:
        self->OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return TRUE;
      case WM_DPICHANGED:
        if (HIWORD(wParam) > 0) self->OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 0);
        return TRUE;
      case WM_NCDESTROY:
        self->dialog_ = nullptr;
        return FALSE;
      default: {
        INT_PTR result = 0;
        if (!self->OnMessage(message, wParam, lParam, result)) return FALSE;
        // A brush for the colour messages is the procedure's own answer.
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) return result;
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result);
        return TRUE;
      }
    }
  } catch (const std::exception&) {
    // Nothing may unwind through the dialog manager; the dialog stays as it is.
    return FALSE;
  }
}

}  // namespace barloom
