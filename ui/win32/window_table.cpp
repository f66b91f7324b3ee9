#include "ui/win32/window_table.h"

#include <commctrl.h>

#include <cwchar>
#include <string>
#include <tuple>

#include "platform/code_page.h"
#include "ui/win32/controls.h"
#include "ui/win32/frame_window.h"

namespace barloom {
namespace {

bool IsMenu(ControlKind kind) {
  return kind == ControlKind::Menu || kind == ControlKind::MenuItem || kind == ControlKind::MenuSeparator;
}

// The window class and styles of a row: its kind and flags, turned into Win32 terms here only.
struct ControlClass {
  const wchar_t* Name;
  DWORD Style;  // beyond WS_CHILD | WS_VISIBLE
  DWORD ExStyle = 0;
};

ControlClass ClassOf(const ControlRow& row) {
  const auto has = [&row](unsigned flag) { return (row.Flags & flag) != 0; };
  const DWORD tabStop = has(ControlFlags::TabStop) ? WS_TABSTOP | WS_GROUP : 0;
  const DWORD notify = has(ControlFlags::Notify) ? BS_NOTIFY : 0;
  switch (row.Kind) {
    case ControlKind::Label:
      return {L"STATIC", tabStop | (has(ControlFlags::Centred) ? SS_CENTER : SS_LEFT) |
                             (has(ControlFlags::NoPrefix) ? SS_NOPREFIX : 0) |
                             (has(ControlFlags::Notify) ? SS_NOTIFY : 0)};
    case ControlKind::CheckBox:
      return {L"BUTTON", tabStop | BS_CHECKBOX | notify};
    case ControlKind::OptionButton:
      return {L"BUTTON", tabStop | BS_AUTORADIOBUTTON | notify};
    case ControlKind::CommandButton:
      return {L"BUTTON", tabStop | (has(ControlFlags::DefaultButton) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) |
                             (has(ControlFlags::IconFace) ? BS_ICON : 0) | notify};
    case ControlKind::TextBox:
      return {WC_EDITW, tabStop | ES_AUTOHSCROLL | (has(ControlFlags::ReadOnly) ? ES_READONLY : 0), WS_EX_CLIENTEDGE};
    case ControlKind::ComboBox:
      return {WC_COMBOBOXW, tabStop | CBS_DROPDOWNLIST | WS_VSCROLL};
    case ControlKind::ProgressBar:
      return {PROGRESS_CLASSW, tabStop};
    case ControlKind::Toolbar:
      return {TOOLBARCLASSNAMEW, tabStop | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP | CCS_NODIVIDER};
    default:
      return {L"STATIC", 0};
  }
}

// Where the control of `row` stands at `dpi`: its design place; a drop-down list's window
// reaches down over its open list, while the closed box takes its height from the font.
PixelRect DesignPlace(const ControlRow& row, int dpi) {
  constexpr int DroppedListPixels = 160;  // the open list, at 96 DPI
  PixelRect at = ToPixels(row.Place, dpi);
  if (row.Kind == ControlKind::ComboBox) at.Bottom += ScaledPixels(DroppedListPixels, dpi);
  return at;
}

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

// The text of a menu command (a popup menu given an ID included); false when it had it already.
bool SetMenuText(HMENU menuBar, int command, const std::string& text) {
  std::wstring wide = WideFromUtf8(text);
  std::wstring shown(wide.size() + 2, L'\0');
  MENUITEMINFOW info{sizeof info};
  info.fMask = MIIM_STRING;
  info.dwTypeData = shown.data();
  info.cch = static_cast<UINT>(shown.size());
  if (GetMenuItemInfoW(menuBar, static_cast<UINT>(command), FALSE, &info) && shown.c_str() == wide) return false;
  info = MENUITEMINFOW{sizeof info};
  info.fMask = MIIM_STRING;
  info.dwTypeData = wide.data();
  return SetMenuItemInfoW(menuBar, static_cast<UINT>(command), FALSE, &info) != FALSE;
}

void AlignLabel(HWND label, TextAlignment alignment) {
  // Images, etched lines and text without word wrap have no alignment to change.
  const LONG_PTR type = GetWindowLongPtrW(label, GWL_STYLE) & SS_TYPEMASK;
  if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT) return;
  const LONG_PTR style = alignment == TextAlignment::Right    ? SS_RIGHT
                         : alignment == TextAlignment::Centre ? SS_CENTER
                                                              : SS_LEFT;
  ReplaceStyle(label, GWL_STYLE, SS_TYPEMASK, style);
}

void Align(HWND control, ControlKind kind, TextAlignment alignment) {
  const bool right = alignment == TextAlignment::Right;
  switch (kind) {
    case ControlKind::Label:
      AlignLabel(control, alignment);
      break;
    case ControlKind::CheckBox:  // the box on the right
    case ControlKind::OptionButton:
      ReplaceStyle(control, GWL_STYLE, BS_LEFTTEXT, right ? BS_LEFTTEXT : 0);
      break;
    case ControlKind::Frame:  // a group box's caption at its right end
      ReplaceStyle(control, GWL_STYLE, BS_CENTER, right ? BS_RIGHT : 0);
      break;
    default:
      break;
  }
}

// Text boxes, lists and the like show the user's data, never a caption.
bool HasCaption(ControlKind kind) {
  return kind == ControlKind::Label || kind == ControlKind::CheckBox || kind == ControlKind::OptionButton ||
         kind == ControlKind::CommandButton || kind == ControlKind::Frame;
}

}  // namespace

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

HWND CreateRowControl(HWND parent, const ControlRow& row, int dpi, const PixelRect* place) {
  // Made in its place: moving each control afterwards costs a start-up under Wine about 0.5 ms.
  const PixelRect at = place ? *place : DesignPlace(row, dpi);
  if (row.Kind == ControlKind::Frame)
    return CreateFrameWindow(parent, row.Id, row.Id + FrameBoxOffset, RECT{at.Left, at.Top, at.Right, at.Bottom});
  const ControlClass look = ClassOf(row);
  const std::wstring text = WideFromUtf8(row.FixedText);
  return CreateWindowExW(look.ExStyle, look.Name, text.c_str(), WS_CHILD | WS_VISIBLE | look.Style, at.Left, at.Top,
                         at.Width(), at.Height(), parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.Id)),
                         GetModuleHandleW(nullptr), nullptr);
}

bool CreateContents(HWND parent, const WindowTable& table, int container, int dpi) {
  for (const ControlRow& row : table.Rows) {
    if (row.Container != container || IsMenu(row.Kind) || (row.Flags & ControlFlags::MadeLater)) continue;
    const HWND control = CreateRowControl(parent, row, dpi);
    if (!control) return false;
    if (row.Kind == ControlKind::Frame && !CreateContents(control, table, row.Id, dpi)) return false;
  }
  return true;
}

void PlaceContents(HWND parent, const WindowTable& table, int container, int dpi) {
  for (const ControlRow& row : table.Rows) {
    if (row.Container != container || IsMenu(row.Kind) || row.Kind == ControlKind::Frame ||
        row.Kind == ControlKind::Toolbar)
      continue;
    const PixelRect at = DesignPlace(row, dpi);
    if (const HWND control = GetDlgItem(parent, row.Id))
      SetWindowPos(control, nullptr, at.Left, at.Top, at.Width(), at.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

HMENU CreateMenuBar(const WindowTable& table) {
  UniqueMenu bar{CreateMenu()};
  if (!bar) return nullptr;
  for (const ControlRow& menu : table.Rows) {
    if (menu.Kind != ControlKind::Menu) continue;
    UniqueMenu popup{CreatePopupMenu()};
    if (!popup) return nullptr;
    for (const ControlRow& item : table.Rows) {
      if (item.Container != menu.Id || !IsMenu(item.Kind)) continue;
      AppendMenuW(popup.get(), item.Kind == ControlKind::MenuSeparator ? MF_SEPARATOR : MF_STRING,
                  static_cast<UINT_PTR>(item.Id), L"");
    }
    if (!AppendMenuW(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(popup.get()), L"")) return nullptr;
    popup.release();  // destroyed with the bar from here on
    // The popup's own ID lets its title be captioned like a command.
    MENUITEMINFOW info{sizeof info};
    info.fMask = MIIM_ID;
    info.wID = static_cast<UINT>(menu.Id);
    if (!SetMenuItemInfoW(bar.get(), static_cast<UINT>(GetMenuItemCount(bar.get()) - 1), TRUE, &info)) return nullptr;
  }
  return bar.release();
}

HWND RowWindow(HWND window, const WindowTable& table, int id) {
  const ControlRow* row = FindRow(table, id);
  if (!row || IsMenu(row->Kind)) return nullptr;
  const HWND parent = row->Container == InWindow ? window : RowWindow(window, table, row->Container);
  return parent ? GetDlgItem(parent, id) : nullptr;
}

HWND FrameBox(HWND frame, int frameId) { return GetDlgItem(frame, frameId + FrameBoxOffset); }

void ShowCaptions(HWND window, const WindowTable& table, const WindowCaptions& captions, FontCache& fonts,
                  std::optional<int> onlyFrame) {
  const bool rightToLeft = captions.RightToLeft;
  bool menusChanged = false;
  if (!onlyFrame) {
    if (captions.Title) SetWindowTextW(window, WideFromUtf8(*captions.Title).c_str());
    // The frame is laid out again only for a change: under Wine that costs a start-up several ms.
    if (SetReadingOrder(window, rightToLeft)) {
      SetWindowPos(window, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);  // the title bar
    }
    if (const HMENU menuBar = GetMenu(window)) menusChanged = SetMenuReadingOrder(menuBar, rightToLeft, true);
    // Only a window with a font of its own (a dialog) has one to change.
    GiveCharset(window, captions.Charset, fonts, nullptr);
  }
  const HFONT systemFont = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  for (std::size_t i = 0; i < table.Rows.size() && i < captions.Controls.size(); ++i) {
    const ControlRow& row = table.Rows[i];
    const ControlCaption& caption = captions.Controls[i];
    if (onlyFrame && row.Id != *onlyFrame && row.Container != *onlyFrame) continue;
    if (IsMenu(row.Kind)) {
      const HMENU menuBar = GetMenu(window);
      if (!onlyFrame && menuBar && caption.Text && row.Kind != ControlKind::MenuSeparator)
        menusChanged = SetMenuText(menuBar, row.Id, *caption.Text) || menusChanged;
      continue;
    }
    const HWND found = RowWindow(window, table, row.Id);
    const HWND control = found && row.Kind == ControlKind::Frame ? FrameBox(found, row.Id) : found;
    if (!control) continue;
    // A control without a font of its own draws with the system font.
    GiveCharset(control, captions.Charset, fonts, systemFont);
    // The same text again would only make a shown control paint itself anew.
    if (caption.Text && HasCaption(row.Kind) && WindowText(control) != *caption.Text)
      SetWindowTextW(control, WideFromUtf8(*caption.Text).c_str());
    if (caption.RightToLeft) SetReadingOrder(control, *caption.RightToLeft);
    if (caption.Alignment) Align(control, row.Kind, *caption.Alignment);
  }
  // A hidden window's menu bar is drawn when it shows.
  if (menusChanged && IsWindowVisible(window)) DrawMenuBar(window);
}

}  // namespace barloom
