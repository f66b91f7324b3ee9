#pragma once
// A window's table made real: its controls made, placed and captioned from the rows, the kinds and
// flags turned into window classes and styles in one place, and the captions of a language pass
// shown.
#include <windows.h>

#include <cstddef>
#include <optional>
#include <vector>

#include "localisation/apply_language.h"
#include "localisation/window_table.h"
#include "platform/unique_handle.h"
#include "ui/main_layout.h"

namespace barloom {

// One owned font per look: a font asked for twice (same LOGFONT) is created once and shared by
// every control that uses it. The cached fonts must outlive the controls that use them: only the
// owner clears the cache, after it has given those controls other fonts (for example new base
// fonts when the window's DPI changes).
class FontCache {
 public:
  FontCache() = default;
  FontCache(const FontCache&) = delete;
  FontCache& operator=(const FontCache&) = delete;

  // The cached font described by `look`, created at the first request; nullptr when the system
  // cannot create it.
  HFONT Font(const LOGFONTW& look);
  // A font like `font` (face, size, weight, style) in the character set `charset`: `font`
  // itself when it already has that set, else the cached copy; nullptr when `font` cannot be read.
  HFONT InCharset(HFONT font, BYTE charset);
  // Releases every font.
  void Clear() noexcept { fonts_.clear(); }
  std::size_t Size() const noexcept { return fonts_.size(); }

 private:
  struct Entry {
    LOGFONTW Look;
    UniqueFont Font;
  };
  std::vector<Entry> fonts_;
};

// The control of `row` in `parent` at its design place at `dpi`, or at `place` when given (a
// drop-down list's window reaching down over its open list; a frame with its group box, hidden);
// nullptr when the system refuses it. It starts without a text, or with the row's fixed text.
HWND CreateRowControl(HWND parent, const ControlRow& row, int dpi, const PixelRect* place = nullptr);
// The controls of the rows in `container` (InWindow: the window's own) that are not made later,
// in the table's order (the Tab order); the frames among them with their own controls. False
// when the system refuses one.
bool CreateContents(HWND parent, const WindowTable& table, int container, int dpi);
// Moves the controls of the rows in `container` to their design places at `dpi` (frames are the
// window's to place).
void PlaceContents(HWND parent, const WindowTable& table, int container, int dpi);
// The menu bar of the table's menu rows, its items still without text; nullptr when the system
// refuses it. The caller owns it until a window takes it (SetMenu).
HMENU CreateMenuBar(const WindowTable& table);

// The window of the control `id` in `window` (inside the frames it sits in); nullptr when it is
// not made.
HWND RowWindow(HWND window, const WindowTable& table, int id);
// The group box that shows the caption of the frame `frame`.
HWND FrameBox(HWND frame, int frameId);

// Shows `captions` (ApplyLanguage of `table`): the window's title, reading order, menu bar and
// font, and for every row made so far, or for those of the frame `onlyFrame` and the frame itself,
// its text, reading order, alignment and a font in the character set (`fonts` keeps the fonts of
// other character sets). A row whose control is not made yet is left for the frame's own call.
// Reading order is set without mirroring the layout: positions stay as designed.
void ShowCaptions(HWND window, const WindowTable& table, const WindowCaptions& captions, FontCache& fonts,
                  std::optional<int> onlyFrame = std::nullopt);

}  // namespace barloom
