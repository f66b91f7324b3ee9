#include "ui/main_layout.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace barloom {
namespace {

constexpr int TwipsPerInch = 1440;

// value * numerator / denominator to the nearest whole number, halves away from zero.
int ScaleRounded(int value, int numerator, int denominator) {
  const std::int64_t product = std::int64_t{value} * numerator;
  const std::int64_t half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator : -((-product + half) / denominator));
}

int Overlap(int lowA, int highA, int lowB, int highB) { return std::min(highA, highB) - std::max(lowA, lowB); }

// How far apart two rectangles are (0 when they touch or overlap), squared.
std::int64_t DistanceSquared(const PixelRect& a, const PixelRect& b) {
  const std::int64_t dx = std::max({0, b.Left - a.Right, a.Left - b.Right});
  const std::int64_t dy = std::max({0, b.Top - a.Bottom, a.Top - b.Bottom});
  return dx * dx + dy * dy;
}

int Clamp(int value, int low, int high) { return high < low ? low : std::clamp(value, low, high); }

}  // namespace

int TwipsToPixels(int twips, int dpi) { return ScaleRounded(twips, dpi, TwipsPerInch); }

int PixelsToTwips(int pixels, int dpi) {
  const std::int64_t product = std::int64_t{pixels} * TwipsPerInch;
  std::int64_t twips = product / dpi;
  if (product % dpi != 0 && product < 0) --twips;
  return static_cast<int>(twips);
}

int ScaledPixels(int designPixels, int dpi) { return ScaleRounded(designPixels, dpi, DesignDpi); }

LabelRow FitLabelRow(const LabelRow& designed, int textWidth, int rightLimit) {
  LabelRow row = designed;
  const int growth = textWidth - designed.Label.Width();
  if (growth <= 0) return row;
  row.Label.Right += growth;
  row.Value.Left += growth;
  row.Value.Right = std::max(designed.Value.Right, std::min(designed.Value.Right + growth, rightLimit));
  return row;
}

int BarImagePixels(int dpi) {
  const int wanted = ScaledPixels(main_design::BarImageSize, dpi);
  int nearest = IconImageSizes[0];
  for (const int size : IconImageSizes)
    if (std::abs(size - wanted) < std::abs(nearest - wanted)) nearest = size;
  return nearest;
}

PixelRect ToPixels(const TwipRect& design, int dpi) {
  const int left = TwipsToPixels(design.Left, dpi);
  const int top = TwipsToPixels(design.Top, dpi);
  return {left, top, left + TwipsToPixels(design.Width, dpi), top + TwipsToPixels(design.Height, dpi)};
}

int MinimumWindowWidth(int dpi) {
  return 6 * ScaledPixels(main_design::FrameLeftPixels, dpi) + TwipsToPixels(main_design::Frame.Width, dpi);
}

int FixedWindowHeight(int dpi, int nonClientHeight) {
  return ToPixels(main_design::Create, dpi).Bottom + nonClientHeight +
         ScaledPixels(main_design::BottomMarginPixels, dpi);
}

PixelPoint FramePlace(int toolbarBottom, int dpi) {
  return {ScaledPixels(main_design::FrameLeftPixels, dpi),
          toolbarBottom + ScaledPixels(main_design::FrameGapPixels, dpi)};
}

int BarButtonsWidth(int buttonWidth, int count, int dpi) {
  return count * (buttonWidth + ScaledPixels(main_design::BarButtonGapPixels, dpi));
}

int WindowWidthForBars(int buttonWidth, int count, int dpi) {
  return std::max(MinimumWindowWidth(dpi), BarButtonsWidth(buttonWidth, count, dpi));
}

BarRowFit FitBarRow(int count, int dpi, int buttonPadding, int workWidth) {
  const int preferred = BarImagePixels(dpi);
  int size = IconImageSizes[0];
  for (const int candidate : IconImageSizes) {
    if (candidate > preferred) break;
    if (candidate == IconImageSizes[0] || BarButtonsWidth(candidate + buttonPadding, count, dpi) <= workWidth)
      size = candidate;
  }
  return {size, std::min(WindowWidthForBars(size + buttonPadding, count, dpi), workWidth)};
}

PixelRect WidenWithin(const PixelRect& window, int width, const PixelRect& work) {
  int left = window.Left;
  if (left + width > work.Right) left = std::max(work.Right - width, std::min(left, work.Left));
  return {left, window.Top, left + width, window.Bottom};
}

int FrameWidth(int windowWidth, int dpi) {
  return TwipsToPixels(main_design::Frame.Width, dpi) + std::max(0, windowWidth - MinimumWindowWidth(dpi));
}

PixelRect PullOntoScreen(const PixelRect& window, std::span<const PixelRect> screens, int dpi) {
  if (screens.empty()) return window;
  const int visible = ScaledPixels(main_design::MinimumVisiblePixels, dpi);
  const int needX = std::min(visible, window.Width());
  const int needY = std::min(visible, window.Height());
  const PixelRect* nearest = nullptr;
  std::int64_t nearestDistance = std::numeric_limits<std::int64_t>::max();
  for (const PixelRect& screen : screens) {
    if (Overlap(window.Left, window.Right, screen.Left, screen.Right) >= needX &&
        Overlap(window.Top, window.Bottom, screen.Top, screen.Bottom) >= needY)
      return window;
    if (const std::int64_t distance = DistanceSquared(window, screen); distance < nearestDistance) {
      nearestDistance = distance;
      nearest = &screen;
    }
  }
  // A window larger than the screen keeps its top-left corner on it (the caption stays reachable).
  const int left = Clamp(window.Left, nearest->Left, nearest->Right - window.Width());
  const int top = Clamp(window.Top, nearest->Top, nearest->Bottom - window.Height());
  return {left, top, left + window.Width(), top + window.Height()};
}

}  // namespace barloom
