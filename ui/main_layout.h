#pragma once
#include <span>

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

struct TwipRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
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

inline constexpr TwipRect Label1{180, 330, 3675, 435};
inline constexpr TwipRect Combo1{3990, 300, 945, 315};
inline constexpr TwipRect Label2{180, 330, 5025, 375};
inline constexpr TwipRect Label3{180, 750, 5025, 375};
inline constexpr TwipRect SaveIn{150, 1200, 4755, 285};
inline constexpr TwipRect BrowseFolder{4920, 1200, 345, 285};
inline constexpr TwipRect Label4{180, 330, 5025, 495};
inline constexpr TwipRect Label5{180, 900, 5025, 495};
inline constexpr TwipRect KeepButtons{180, 1380, 5025, 255};
inline constexpr TwipRect Link{180, 300, 4995, 825};
inline constexpr TwipRect InstallButton{180, 1200, 4995, 345};
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

// `window` as it is when a square of MinimumVisiblePixels (or the whole window, when smaller) lies
// on one of `screens`; otherwise moved onto the nearest screen, as far as its size allows. No
// screens known: unchanged.
PixelRect PullOntoScreen(const PixelRect& window, std::span<const PixelRect> screens, int dpi);

}  // namespace barloom
