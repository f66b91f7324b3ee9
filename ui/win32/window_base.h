#pragma once
// What every window of the program shares, the main window and the dialogs alike: the message
// thunk that finds the window's object (`this` in the window's GWLP_USERDATA), one noexcept
// handler for the messages all of them answer the same way, the change of DPI with its font swap,
// the captions and reading direction of the user's language, and link labels.
#include <windows.h>

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/message_box.h"
#include "platform/unique_handle.h"
#include "localisation/apply_language.h"
#include "ui/win32/window_table.h"

namespace barloom {

class Language;
class ShellOpener;
struct Settings;

// A label that opens an address in the user's browser: drawn in `Colour` under a hand cursor, a
// Tab stop that shows when it has the keyboard, opened by a click, Enter or Space; an address that
// cannot be opened is named in a message with the reason. Without an address it is not shown.
struct LinkLabel {
  int Id;
  std::string Address;
  COLORREF Colour;
};

class WindowBase {
 public:
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;
  virtual ~WindowBase() = default;

  HWND Handle() const { return window_; }

 protected:
  // `settings` is the program's and `language` the language in use, which follows it; a missing
  // language file switches the settings to the built-in texts. `messages` null: the system's
  // message box, owned by this window and reading in its language's direction. `table` describes
  // the window; it must outlive it.
  WindowBase(Settings& settings, const Language& language, const WindowTable& table, MessageBoxService* messages);

  // The window procedure of a window class, and the dialog procedure of a dialog: both find the
  // object through the window (`this` goes in with WM_NCCREATE's create parameter or
  // WM_INITDIALOG's parameter) and hand every message to HandleMessage.
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

  // The window's own messages, one OnXxx each: the answer, or nullopt for the default handling.
  virtual std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

  // The window's fonts at `dpi`. The base gives every control the system's message font; a window
  // with fonts of its own gives them afterwards (new fonts first, then the old ones released).
  virtual void CreateFonts(int dpi);
  HFONT BaseFont() const { return baseFont_.get(); }  // the message font every control is given
  // The controls, and the window's size, at `dpi`: at the start and after a change of scale.
  virtual void LayOut(int dpi) = 0;
  int Dpi() const { return dpi_; }

  const WindowTable& Table() const { return table_; }
  const Language& LanguageInUse() const { return language_; }
  // The language pass over the table, shown on the controls made so far; a missing language file
  // is reported once; then OnCaptioned.
  void Caption();
  // The frame `frameId`, made after the last pass, shows that pass's captions.
  void CaptionFrame(int frameId);
  virtual void OnCaptioned() {}
  bool RightToLeft() const { return captions_.RightToLeft; }

  // `link` opens through `shell`, which must outlive the window.
  void AddLink(LinkLabel link, ShellOpener& shell);

  MessageBoxService& Messages() { return messagesOverride_ ? *messagesOverride_ : systemMessages_; }

 private:
  static WindowBase* FromHandle(HWND window);
  void Attach(HWND window);
  // The messages every window answers alike, then OnMessage; nothing unwinds through the system.
  std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  void OnDpiChanged(int dpi, const RECT& suggested);
  bool OnSetCursor(HWND over);
  HBRUSH OnCtlColorStatic(HDC dc, HWND control);
  bool OnLinkCommand(int id, int code);
  const LinkLabel* LinkOf(HWND control) const;  // only links with an address
  void PrepareLinks();  // Tab stops and keys, once the controls exist
  void OpenLink(const LinkLabel& link);
  static LRESULT CALLBACK LinkProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR self) noexcept;

  Settings& settings_;
  const Language& language_;
  const WindowTable& table_;
  MessageBoxService* messagesOverride_;
  SystemMessageBox systemMessages_;
  HWND window_ = nullptr;
  int dpi_ = 96;
  FontCache fonts_;  // the fonts in the language's character set
  UniqueFont baseFont_;
  WindowCaptions captions_;  // what the last language pass found
  std::vector<LinkLabel> links_;
  ShellOpener* shell_ = nullptr;
};

}  // namespace barloom
