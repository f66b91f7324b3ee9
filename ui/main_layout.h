#pragma once
#include <span>

#include "localisation/window_table.h"

// The main window's geometry as numbers: the design in twips (1/1440 inch), converted at the
// window's DPI, and the sizing rules. Lengths that the design gives in pixels are pixels of a
// 96-DPI screen and grow with the DPI like everything else, so the window looks the same at any
// scale.
namespace barloom {

inline constexpr int DesignDpi = 96;

struct PixelPoint {
  int X = 0;
  int Y = 0;
};

struct PixelRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Twips to pixels at `dpi`, to the nearest pixel (halves away from zero).
int TwipsToPixels(int twips, int dpi);
// Pixels to twips at `dpi`, rounded down: the window position is stored that way.
int PixelsToTwips(int pixels, int dpi);
// A length of the 96-DPI design, at `dpi`.
int ScaledPixels(int designPixels, int dpi);
// Left and top converted on their own, then width and height: neighbours share their edges.
PixelRect ToPixels(const TwipRect& design, int dpi);

// The design of the main window: client coordinates, or coordinates inside a frame.
namespace main_design {
inline constexpr int ToolbarHeight = 615;
inline constexpr int BarImageSize = 32;  // pixels at 96 DPI
inline constexpr TwipRect Frame{0, 0, 5415, 1665};
inline constexpr int FrameLeftPixels = 4;
inline constexpr int FrameGapPixels = 9;  // between the toolbar and the frames
inline constexpr int BarButtonGapPixels = 3;
inline constexpr int BottomMarginPixels = 8;
inline constexpr int MinimumVisiblePixels = 32;  // of a window placed on a screen

// The row of push buttons and the progress bar, which the sizing rules measure; the frames'
// controls have their places in the window's table (main_window_layout.h).
inline constexpr TwipRect Back{90, 2550, 1185, 345};
inline constexpr TwipRect Next{1380, 2550, 1185, 345};
inline constexpr TwipRect Create{2670, 2550, 1185, 345};
inline constexpr TwipRect Progress{3930, 2580, 1485, 255};
inline constexpr int InitialWidth = 5640;  // the height follows from the controls (FixedWindowHeight)
}  // namespace main_design

// A label and what stands on its right on the same row (a box, or a value it names).
struct LabelRow {
  PixelRect Label;
  PixelRect Value;
};
// The row with the label as wide as its text needs (`textWidth` pixels, measured in its font at
// its DPI), never narrower than designed: what stands on its right moves along by as much, keeping
// its width as far as `rightLimit` allows (it never reaches beyond it, unless it stood beyond it).
LabelRow FitLabelRow(const LabelRow& designed, int textWidth, int rightLimit);

// The image sizes every shipped icon file holds (tools/make_icons writes them).
inline constexpr int IconImageSizes[] = {16, 20, 24, 32, 40, 48, 64, 96};
// The size of the bar buttons' images at `dpi`: of IconImageSizes the one nearest to the design's
// 32 pixels at that scale (the smaller of two as near), so that no image is stretched.
int BarImagePixels(int dpi);

// The narrowest the main window may be: the frames, their left margin and five times that margin
// to their right.
int MinimumWindowWidth(int dpi);
// The one height the main window may have: Create's bottom edge, 8 pixels below it and the
// window's frame (caption, menu bar and borders: `nonClientHeight`).
int FixedWindowHeight(int dpi, int nonClientHeight);
// Where every frame lies: 4 pixels from the left edge, 9 below the toolbar.
PixelPoint FramePlace(int toolbarBottom, int dpi);
// The width the bar buttons claim: each button with 3 pixels after it.
int BarButtonsWidth(int buttonWidth, int count, int dpi);
// The window's width after the bar count changed: the row of bar buttons, or the frames'
// minimum when the row is narrower.
int WindowWidthForBars(int buttonWidth, int count, int dpi);

// The bar buttons' image size and the window's width for `count` bars at `dpi`, on a monitor whose
// work area is `workWidth` pixels wide, a button being its image and `buttonPadding` pixels wide:
// the image size BarImagePixels gives while that row fits the work area, else the largest smaller
// one of IconImageSizes whose row fits (the smallest when none does); the window as wide as
// WindowWidthForBars says, never wider than the work area.
struct BarRowFit {
  int ImageSize = 0;
  int WindowWidth = 0;
  friend bool operator==(const BarRowFit&, const BarRowFit&) = default;
};
BarRowFit FitBarRow(int count, int dpi, int buttonPadding, int workWidth);
// `window` made `width` wide: where its right edge would pass the work area's, it moves left as far
// as needed, never past the work area's left edge (nor further left than it stood).
PixelRect WidenWithin(const PixelRect& window, int width, const PixelRect& work);
// The frames' width in a window `windowWidth` wide: as designed at the narrowest window, and
// wider by as much as the window is wider than that.
int FrameWidth(int windowWidth, int dpi);

// `window` as it is when a square of MinimumVisiblePixels (or the whole window, when smaller) lies
// on one of `screens`; otherwise moved onto the nearest screen, as far as its size allows. No
// screens known: unchanged.
PixelRect PullOntoScreen(const PixelRect& window, std::span<const PixelRect> screens, int dpi);

}  // namespace barloom
