#include "ui/win32/window_form.h"

#include <commctrl.h>

#include <cwchar>
#include <tuple>
#include <utility>

#include "platform/wide_text.h"
#include "ui/win32/controls.h"

namespace barloom {
namespace {

struct MenuTraits {
  static HMENU Invalid() noexcept { return nullptr; }
  static void Close(HMENU menu) noexcept { ::DestroyMenu(menu); }
};
using UniqueMenu = UniqueHandle<MenuTraits>;

bool SameLook(const LOGFONTW& a, const LOGFONTW& b) {
  const auto numbers = [](const LOGFONTW& f) {
    return std::tie(f.lfHeight, f.lfWidth, f.lfEscapement, f.lfOrientation, f.lfWeight, f.lfItalic, f.lfUnderline,
                    f.lfStrikeOut, f.lfCharSet, f.lfOutPrecision, f.lfClipPrecision, f.lfQuality, f.lfPitchAndFamily);
  };
  // Only the face name up to its end counts: what follows it in the array is leftover.
  return numbers(a) == numbers(b) && std::wcsncmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) == 0;
}

// Sets the bits of `mask` in a window's style (GWL_STYLE or GWL_EXSTYLE) to those of `value`;
// the controls read these styles when they paint, so a repaint shows the change.
// False when they already were.
bool ReplaceStyle(HWND window, int which, LONG_PTR mask, LONG_PTR value) {
  const LONG_PTR style = GetWindowLongPtrW(window, which);
  const LONG_PTR changed = (style & ~mask) | (value & mask);
  if (changed == style) return false;
  SetWindowLongPtrW(window, which, changed);
  InvalidateRect(window, nullptr, TRUE);
  return true;
}

bool SetReadingOrder(HWND window, bool rightToLeft) {
  return ReplaceStyle(window, GWL_EXSTYLE, WS_EX_RTLREADING, rightToLeft ? WS_EX_RTLREADING : 0);
}

// Gives `window` a font like the one it draws with, in `charset`. `fallback` is the font it
// draws with when it has none of its own (nullptr: such a window draws no text).
void GiveCharset(HWND window, int charset, FontCache& fonts, HFONT fallback) {
  if (charset < 0 || charset > 255) return;
  HFONT current = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  if (!current) current = fallback;
  if (!current) return;
  const HFONT font = fonts.InCharset(current, static_cast<BYTE>(charset));
  if (font && font != current) SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

// Wine (8) draws no menu-bar item that reads right to left (MFT_RIGHTORDER): the bar stays empty
// and the menus cannot be reached. There the items are only right-justified.
bool MenusReadRightToLeft() {
  static const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  return !wine;
}

// Menu bar items right-justified, and every menu cascading right to left; or neither. False when
// every item already was.
bool SetMenuReadingOrder(HMENU menu, bool rightToLeft, bool isMenuBar) {
  const UINT flags = (MenusReadRightToLeft() ? MFT_RIGHTORDER : 0) | (isMenuBar ? MFT_RIGHTJUSTIFY : 0);
  bool changed = false;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{sizeof info};
    info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    const UINT type = (info.fType & ~(MFT_RIGHTORDER | MFT_RIGHTJUSTIFY)) | (rightToLeft ? flags : 0);
    if (type != info.fType) {
      info.fType = type;
      info.fMask = MIIM_FTYPE;
      changed = SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info) || changed;
    }
    if (info.hSubMenu) changed = SetMenuReadingOrder(info.hSubMenu, rightToLeft, false) || changed;
  }
  return changed;
}

// A command of the form's menu bar (a popup menu given an ID included).
class MenuItemControl final : public FormControl {
 public:
  MenuItemControl(HWND form, const MenuItemRow& row)
      : form_(form), command_(static_cast<UINT>(row.CommandId)), textId_(row.TextId) {}

  ControlKind Kind() const override { return ControlKind::Menu; }
  int TextId() const override { return textId_; }

  std::optional<std::string> Caption() const override {
    MENUITEMINFOW info{sizeof info};
    info.fMask = MIIM_FTYPE | MIIM_STRING;
    if (!Read(info)) return std::nullopt;
    if (info.fType & MFT_SEPARATOR) return std::string(MenuSeparatorCaption);
    std::wstring text(info.cch + 1, L'\0');
    info.dwTypeData = text.data();
    info.cch = static_cast<UINT>(text.size());
    if (!Read(info)) return std::nullopt;
    text.resize(info.cch);
    return Utf8FromWide(text);
  }

  void SetCaption(std::string_view caption) override {
    MENUITEMINFOW info{sizeof info};
    info.fMask = MIIM_FTYPE;
    if (!Read(info) || (info.fType & MFT_SEPARATOR)) return;
    std::wstring text = WideFromUtf8(caption);
    info.fMask = MIIM_STRING;
    info.dwTypeData = text.data();
    // A hidden window's menu bar is drawn when it shows; redrawing it for every item of a
    // language pass would lay out the window's frame again each time.
    if (SetMenuItemInfoW(GetMenu(form_), command_, FALSE, &info) && IsWindowVisible(form_)) DrawMenuBar(form_);
  }

 private:
  bool Read(MENUITEMINFOW& info) const {
    const HMENU menuBar = GetMenu(form_);
    return menuBar && GetMenuItemInfoW(menuBar, command_, FALSE, &info);
  }

  HWND form_;
  UINT command_;
  int textId_;
};

}  // namespace

// A control window anywhere below the form.
class WindowForm::ChildControl final : public FormControl {
 public:
  ChildControl(HWND form, const FormControlRow& row, FontCache& fonts)
      : form_(form), id_(row.ControlId), kind_(row.Kind), textId_(row.TextId), fonts_(fonts) {}

  int Id() const { return id_; }
  // The window the form's walk found for the row; nullptr: none.
  void Found(HWND window) { window_ = window; }

  ControlKind Kind() const override { return kind_; }
  int TextId() const override { return textId_; }

  std::optional<std::string> Caption() const override {
    const HWND window = Window();
    if (!window || !HasCaption()) return std::nullopt;
    return WindowText(window);
  }

  void SetCaption(std::string_view caption) override {
    const HWND window = Window();
    // The same text again would only make a shown control paint itself anew.
    if (window && HasCaption() && WindowText(window) != caption) SetWindowTextW(window, WideFromUtf8(caption).c_str());
  }

  void SetRightToLeft(bool rightToLeft) override {
    const HWND window = Window();
    if (!window) return;
    SetReadingOrder(window, rightToLeft);
    // A group box has no alignment of its own: its caption follows the reading order.
    if (kind_ == ControlKind::Frame) ReplaceStyle(window, GWL_STYLE, BS_CENTER, rightToLeft ? BS_RIGHT : 0);
  }

  void SetAlignment(int alignment) override {
    const HWND window = Window();
    if (!window) return;
    if (kind_ == ControlKind::Label) {
      AlignLabel(window, alignment);
    } else if ((kind_ == ControlKind::CheckBox || kind_ == ControlKind::OptionButton) &&
               (alignment == AlignLeft || alignment == AlignRight)) {
      ReplaceStyle(window, GWL_STYLE, BS_LEFTTEXT, alignment == AlignRight ? BS_LEFTTEXT : 0);
    }
  }

  void SetFontCharset(int charset) override {
    // A control without a font of its own draws with the system font.
    const HWND window = Window();
    if (window) GiveCharset(window, charset, fonts_, static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
  }

  std::size_t ItemCount() const override {
    const HWND window = Window();
    if (!window || kind_ != ControlKind::Toolbar) return 0;
    return static_cast<std::size_t>(SendMessageW(window, TB_BUTTONCOUNT, 0, 0));
  }

 private:
  // Found by the form's walk and kept while it lives; one that has gone is searched for again (a
  // search asks the system for every child window, so a row without a control does not search).
  HWND Window() const {
    if (window_ && (!IsWindow(window_) || GetDlgCtrlID(window_) != id_)) window_ = FindDescendant(form_, id_);
    return window_;
  }

  // Text boxes, lists and the like show the user's data, never a caption.
  bool HasCaption() const {
    switch (kind_) {
      case ControlKind::TextBox:
      case ControlKind::ComboBox:
      case ControlKind::ListBox:
      case ControlKind::ProgressBar:
      case ControlKind::Toolbar:
      case ControlKind::TabStrip:
        return false;
      default:
        return true;
    }
  }

  static void AlignLabel(HWND label, int alignment) {
    constexpr LONG_PTR TextStyles[] = {SS_LEFT, SS_RIGHT, SS_CENTER};  // by AlignLeft, AlignRight, AlignCenter
    if (alignment < AlignLeft || alignment > AlignCenter) return;
    // Images, etched lines and text without word wrap have no alignment to change.
    const LONG_PTR type = GetWindowLongPtrW(label, GWL_STYLE) & SS_TYPEMASK;
    if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT) return;
    ReplaceStyle(label, GWL_STYLE, SS_TYPEMASK, TextStyles[alignment]);
  }

  HWND form_;
  mutable HWND window_ = nullptr;
  int id_;
  ControlKind kind_;
  int textId_;
  FontCache& fonts_;
};

HFONT FontCache::Font(const LOGFONTW& look) {
  for (const Entry& entry : fonts_) {
    if (SameLook(entry.Look, look)) return entry.Font.get();
  }
  UniqueFont font{CreateFontIndirectW(&look)};
  if (!font) return nullptr;
  const HFONT handle = font.get();
  fonts_.push_back({look, std::move(font)});
  return handle;
}

HFONT FontCache::InCharset(HFONT font, BYTE charset) {
  LOGFONTW look{};
  if (GetObjectW(font, sizeof look, &look) != sizeof look) return nullptr;
  if (look.lfCharSet == charset) return font;
  look.lfCharSet = charset;
  return Font(look);
}

HMENU CreateMenuBar(std::span<const MenuPlan> menus) {
  UniqueMenu bar{CreateMenu()};
  if (!bar) return nullptr;
  for (const MenuPlan& menu : menus) {
    UniqueMenu popup{CreatePopupMenu()};
    if (!popup) return nullptr;
    for (const MenuItemRow& item : menu.Items) {
      AppendMenuW(popup.get(), item.TextId == NoText ? MF_SEPARATOR : MF_STRING, static_cast<UINT_PTR>(item.CommandId),
                  L"");
    }
    if (!AppendMenuW(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(popup.get()), L"")) return nullptr;
    popup.release();  // destroyed with the bar from here on
    // The popup's own ID lets the language pass find its title.
    MENUITEMINFOW info{sizeof info};
    info.fMask = MIIM_ID;
    info.wID = static_cast<UINT>(menu.Title.CommandId);
    if (!SetMenuItemInfoW(bar.get(), static_cast<UINT>(GetMenuItemCount(bar.get()) - 1), TRUE, &info)) return nullptr;
  }
  return bar.release();
}

WindowForm::WindowForm(HWND form, int titleTextId, std::span<const FormControlRow> rows, FontCache& fonts,
                       std::span<const MenuPlan> menus, TitleFormat title)
    : form_(form), titleTextId_(titleTextId), title_(title), fonts_(fonts) {
  controls_.reserve(rows.size());
  for (const FormControlRow& row : rows) {
    auto control = std::make_unique<ChildControl>(form, row, fonts);
    children_.push_back(control.get());
    controls_.push_back(std::move(control));
  }
  for (const MenuPlan& menu : menus) {
    controls_.push_back(std::make_unique<MenuItemControl>(form, menu.Title));
    for (const MenuItemRow& item : menu.Items) controls_.push_back(std::make_unique<MenuItemControl>(form, item));
  }
  FindControls();
}

WindowForm::~WindowForm() = default;

void WindowForm::FindControls() {
  std::vector<std::pair<int, HWND>> found;
  EnumChildWindows(
      form_,
      [](HWND window, LPARAM list) {
        reinterpret_cast<std::vector<std::pair<int, HWND>>*>(list)->emplace_back(GetDlgCtrlID(window), window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  for (ChildControl* control : children_) {
    HWND window = nullptr;
    for (const auto& [id, candidate] : found) {
      if (id == control->Id()) {
        window = candidate;  // the first in the walk's order, as a search by ID finds it
        break;
      }
    }
    control->Found(window);
  }
}

std::optional<std::string> WindowForm::Caption() const { return WindowText(form_); }

void WindowForm::SetCaption(std::string_view caption) {
  const std::string shown = title_ ? title_(caption) : std::string{caption};
  SetWindowTextW(form_, WideFromUtf8(shown).c_str());
}

void WindowForm::SetRightToLeft(bool rightToLeft) {
  // The frame is laid out again only for a change: under Wine that costs a start-up several ms.
  if (SetReadingOrder(form_, rightToLeft)) {
    SetWindowPos(form_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);  // the title bar
  }
  if (const HMENU menuBar = GetMenu(form_); menuBar && SetMenuReadingOrder(menuBar, rightToLeft, true))
    DrawMenuBar(form_);
}

void WindowForm::SetFontCharset(int charset) { GiveCharset(form_, charset, fonts_, nullptr); }

}  // namespace barloom
