#pragma once
// The small pieces every window of the program is built from: the fonts they draw with, images
// made for them, and plain questions about windows.
#include <windows.h>

#include <string>

#include "platform/unique_handle.h"
#include "ui/main_layout.h"

namespace barloom {

// The system's font for messages and dialogs at `dpi` in `charset` (owned by the caller).
HFONT CreateMessageFont(int dpi, BYTE charset);
// The font `face` at `centipoints` hundredths of a point at `dpi` (owned by the caller).
HFONT CreateNamedFont(const wchar_t* face, int centipoints, int weight, BYTE charset, int dpi);
// A label drawn as a link in `colour` on the dialog's face: the brush its WM_CTLCOLORSTATIC answers.
HBRUSH PaintAsLink(HDC dc, COLORREF colour);
// The focus rectangle around the text of the label `label` (as wrapped and aligned in it).
void DrawTextFocus(HWND label);
// A 32-bit top-down bitmap of `width` x `height` pixels whose pixels (blue, green, red, alpha)
// are at `bits` (owned by the caller); nullptr when the system cannot make it.
HBITMAP CreatePixelBitmap(int width, int height, void** bits);
// An icon of `text` drawn in `font` and `colour` on a clear background, just large enough for it:
// the face of a button whose window text is its name for screen readers (owned by the caller);
// nullptr when the system cannot make it.
HICON CreateTextIcon(const std::wstring& text, HFONT font, COLORREF colour);
// Gives every child window of `parent` the font `font`.
void SetChildFonts(HWND parent, HFONT font);
// The width in pixels that the text of `control` takes on one line in the control's font (an "&"
// counted as the access key's mark unless the control shows it as it is).
int TextWidth(HWND control);
// The text of a window or control (UTF-8).
std::string WindowText(HWND window);
// The control with `id` anywhere inside `window` (controls may sit inside container windows, and
// the search covers every descendant); nullptr when there is none.
HWND FindDescendant(HWND window, int id);
// The window's DPI, or 96 when the system cannot tell.
int WindowDpi(HWND window);
// Moves `window` to the middle of the screen its owner or the cursor is on.
void CenterForm(HWND window);

}  // namespace barloom
