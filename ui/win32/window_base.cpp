#include "ui/win32/window_base.h"

#include <commctrl.h>

#include <exception>
#include <utility>

#include "build_info.h"
#include "localisation/apply_language.h"
#include "localisation/language.h"
#include "platform/shell_open.h"
#include "ui/menu_commands.h"
#include "ui/win32/controls.h"

namespace barloom {

WindowBase::WindowBase(Settings& settings, const Language& language, const WindowTable& table,
                       MessageBoxService* messages)
    : settings_(settings), language_(language), table_(table), messagesOverride_(messages) {}

LRESULT CALLBACK WindowBase::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_NCCREATE) {
    static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams)->Attach(window);
  }
  WindowBase* self = FromHandle(window);
  const std::optional<LRESULT> answer = self ? self->HandleMessage(message, wParam, lParam) : std::nullopt;
  return answer ? *answer : DefWindowProcW(window, message, wParam, lParam);
}

INT_PTR CALLBACK WindowBase::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_INITDIALOG) reinterpret_cast<WindowBase*>(lParam)->Attach(dialog);
  WindowBase* self = FromHandle(dialog);
  const std::optional<LRESULT> answer = self ? self->HandleMessage(message, wParam, lParam) : std::nullopt;
  if (!answer) return FALSE;
  // The dialog manager takes these answers as the procedure's own result, the others from
  // DWLP_MSGRESULT.
  if (message == WM_INITDIALOG || (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC))
    return static_cast<INT_PTR>(*answer);
  SetWindowLongPtrW(dialog, DWLP_MSGRESULT, *answer);
  return TRUE;
}

WindowBase* WindowBase::FromHandle(HWND window) {
  return reinterpret_cast<WindowBase*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void WindowBase::Attach(HWND window) {
  window_ = window;
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  dpi_ = WindowDpi(window);
  systemMessages_.SetOwner(reinterpret_cast<std::uintptr_t>(window));
}

std::optional<LRESULT> WindowBase::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  try {
    switch (message) {
      case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
      case WM_SETCURSOR:
        if (OnSetCursor(reinterpret_cast<HWND>(wParam))) return TRUE;
        break;
      case WM_CTLCOLORSTATIC:
        if (const HBRUSH brush = OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
          return reinterpret_cast<LRESULT>(brush);
        break;
      case WM_COMMAND:
        if (OnLinkCommand(LOWORD(wParam), HIWORD(wParam))) return 0;
        break;
      case WM_NCDESTROY: {
        const std::optional<LRESULT> answer = OnMessage(message, wParam, lParam);
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        window_ = nullptr;
        return answer;
      }
      default:
        break;
    }
    return OnMessage(message, wParam, lParam);
  } catch (const std::exception& error) {
    // Nothing may unwind through the system's frames; the window stays usable.
    try {
      Messages().Show(error.what(), build_info::ProductName, MessageIcon::Error);
    } catch (const std::exception&) {
    }
    return 0;
  }
}

void WindowBase::CreateFonts(int dpi) {
  // Made in the language's character set, so that the language pass finds every control's font
  // right already: swapping the font of each control costs a start-up under Wine 15 ms or more.
  UniqueFont font{CreateMessageFont(dpi, static_cast<BYTE>(language_.Charset()))};
  SetChildFonts(window_, font.get());
  baseFont_ = std::move(font);  // the old font goes once no control draws with it
}

void WindowBase::OnDpiChanged(int dpi, const RECT& suggested) {
  if (dpi <= 0) return;
  dpi_ = dpi;
  CreateFonts(dpi);
  fonts_.Clear();
  Caption();  // the new fonts in the language's character set
  // The suggested rectangle first, so that the frame takes the new scale before it is measured.
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  LayOut(dpi);
}

void WindowBase::Caption() {
  captions_ = ApplyLanguage(table_, language_);
  if (captions_.MissingFile) ReportMissingLanguageFile(settings_, Messages());
  ShowCaptions(window_, table_, captions_, fonts_);
  systemMessages_.SetRightToLeft(captions_.RightToLeft);
  systemMessages_.SetCharset(captions_.Charset);
  PrepareLinks();
  OnCaptioned();
}

void WindowBase::CaptionFrame(int frameId) {
  ShowCaptions(window_, table_, captions_, fonts_, frameId);
  PrepareLinks();
}

void WindowBase::AddLink(LinkLabel link, ShellOpener& shell) {
  links_.push_back(std::move(link));
  shell_ = &shell;
}

const LinkLabel* WindowBase::LinkOf(HWND control) const {
  if (!control || !IsChild(window_, control)) return nullptr;
  const int id = GetDlgCtrlID(control);
  for (const LinkLabel& link : links_)
    if (link.Id == id && !link.Address.empty()) return &link;
  return nullptr;
}

void WindowBase::PrepareLinks() {
  constexpr UINT_PTR LinkSubclass = 1;
  for (const LinkLabel& link : links_) {
    const HWND control = FindDescendant(window_, link.Id);
    if (!control) continue;
    const bool live = !link.Address.empty();
    // A link that leads nowhere is not shown: a link's look with nothing behind it misleads.
    if (!live) ShowWindow(control, SW_HIDE);
    const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
    SetWindowLongPtrW(control, GWL_STYLE, live ? style | WS_TABSTOP : style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    if (live) SetWindowSubclass(control, LinkProc, LinkSubclass, reinterpret_cast<DWORD_PTR>(this));
  }
}

void WindowBase::OpenLink(const LinkLabel& link) {
  OpenOrReport(reinterpret_cast<std::uintptr_t>(window_), link.Address, language_, *shell_, Messages());
}

// The keys and the focus of a link label: a static control has neither of its own.
LRESULT CALLBACK WindowBase::LinkProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR self) noexcept {
  switch (message) {
    case WM_GETDLGCODE: {
      // Enter opens the link instead of pressing the default button; Tab and the rest stay the
      // dialog manager's.
      const MSG* key = reinterpret_cast<const MSG*>(lParam);
      if (key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN) return DLGC_WANTMESSAGE;
      return DefSubclassProc(control, message, wParam, lParam);
    }
    case WM_KEYDOWN:
      if (wParam != VK_RETURN && wParam != VK_SPACE) break;
      try {
        WindowBase* window = reinterpret_cast<WindowBase*>(self);
        if (const LinkLabel* link = window->LinkOf(control)) window->OpenLink(*link);
      } catch (const std::exception&) {
      }
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(control, nullptr, TRUE);
      break;
    case WM_PAINT: {
      const LRESULT painted = DefSubclassProc(control, message, wParam, lParam);
      if (GetFocus() == control) DrawTextFocus(control);
      return painted;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(control, LinkProc, 1);
      break;
    default:
      break;
  }
  return DefSubclassProc(control, message, wParam, lParam);
}

bool WindowBase::OnSetCursor(HWND over) {
  if (!LinkOf(over)) return false;
  SetCursor(LoadCursorW(nullptr, IDC_HAND));
  return true;
}

HBRUSH WindowBase::OnCtlColorStatic(HDC dc, HWND control) {
  const LinkLabel* link = LinkOf(control);
  return link ? PaintAsLink(dc, link->Colour) : nullptr;
}

bool WindowBase::OnLinkCommand(int id, int code) {
  for (const LinkLabel& link : links_) {
    if (link.Id != id) continue;
    if (code == STN_CLICKED && !link.Address.empty()) OpenLink(link);
    return true;
  }
  return false;
}

}  // namespace barloom
