#include "ui/main_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace barloom {
namespace {

// The sizing rules at the common scales: 100 %, 150 % and 200 %.
struct ScaleCase {
  int Dpi;
  int Frame;         // frame width in pixels
  int MinimumWidth;  // 6 x the frame's left edge + its width
  int FixedHeight;   // with a window frame of 50 pixels
  PixelPoint FrameAt;  // below a toolbar ending at 41 pixels
  int TwentyBars;    // window width for 20 buttons of 39 pixels
};

TEST(MainLayout, SizingRulesAtEachScale) {
  const ScaleCase cases[] = {
      {96, 361, 385, 193 + 50 + 8, {4, 50}, 20 * (39 + 3)},
      {144, 542, 578, 290 + 50 + 12, {6, 55}, 20 * (39 + 5)},
      {192, 722, 770, 386 + 50 + 16, {8, 59}, 20 * (39 + 6)},
  };
  for (const ScaleCase& c : cases) {
    SCOPED_TRACE(c.Dpi);
    EXPECT_EQ(ToPixels(main_design::Frame, c.Dpi).Width(), c.Frame);
    EXPECT_EQ(MinimumWindowWidth(c.Dpi), c.MinimumWidth);
    EXPECT_EQ(FixedWindowHeight(c.Dpi, 50), c.FixedHeight);
    const PixelPoint frame = FramePlace(41, c.Dpi);
    EXPECT_EQ(frame.X, c.FrameAt.X);
    EXPECT_EQ(frame.Y, c.FrameAt.Y);
    EXPECT_EQ(WindowWidthForBars(39, 20, c.Dpi), std::max(c.TwentyBars, c.MinimumWidth));
    // Two bars never make the window narrower than the frames need.
    EXPECT_EQ(WindowWidthForBars(39, 2, c.Dpi), c.MinimumWidth);
    // The buttons sit below the frames and inside the minimum width.
    EXPECT_GT(ToPixels(main_design::Back, c.Dpi).Top, frame.Y + ToPixels(main_design::Frame, c.Dpi).Height());
    EXPECT_LE(ToPixels(main_design::Progress, c.Dpi).Right, c.MinimumWidth);
  }
}

TEST(MainLayout, TwipConversionsRoundAsStoredPositionsNeed) {
  EXPECT_EQ(TwipsToPixels(2610, 96), 174);
  EXPECT_EQ(TwipsToPixels(-15, 96), -1);
  EXPECT_EQ(TwipsToPixels(5415, 144), 542);  // 541.5: halves away from zero
  EXPECT_EQ(PixelsToTwips(80, 96), 1200);
  EXPECT_EQ(PixelsToTwips(-1, 96), -15);
  EXPECT_EQ(PixelsToTwips(3, 192), 22);    // 22.5 rounded down
  EXPECT_EQ(PixelsToTwips(-3, 192), -23);  // down, not toward zero
}

TEST(MainLayout, PullOntoScreen) {
  const std::vector<PixelRect> screens{{0, 0, 1024, 768}, {1024, 0, 2048, 768}};
  struct Case {
    const char* Name;
    PixelRect Window;
    PixelRect Expected;
  };
  const Case cases[] = {
      {"on the first screen", {100, 100, 500, 350}, {100, 100, 500, 350}},
      {"partly off the left edge", {-15, 174, 385, 424}, {-15, 174, 385, 424}},
      {"across both screens", {900, 100, 1300, 350}, {900, 100, 1300, 350}},
      {"far right of the second", {3000, 100, 3400, 350}, {1648, 100, 2048, 350}},
      {"above both", {200, -900, 600, -650}, {200, 0, 600, 250}},
      {"a sliver left on screen", {-390, 100, 10, 350}, {0, 100, 400, 350}},
      {"larger than any screen", {-5000, -5000, -2000, -3000}, {0, 0, 3000, 2000}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(PullOntoScreen(c.Window, screens, 96), c.Expected);
  }
  EXPECT_EQ(PullOntoScreen({5000, 5000, 5100, 5100}, {}, 96), (PixelRect{5000, 5000, 5100, 5100}));
}

TEST(MainLayout, BarImagesAreTheShippedSizeNearestTheScale) {
  const std::pair<int, int> cases[] = {{96, 32}, {120, 40}, {144, 48}, {168, 48}, {192, 64},
                                       {240, 64}, {288, 96}, {48, 16}, {600, 96}};
  for (const auto& [dpi, size] : cases) EXPECT_EQ(BarImagePixels(dpi), size) << dpi;
}

TEST(MainLayout, ALabelIsAsWideAsItsTextAndItsValueMovesAlong) {
  const LabelRow designed{{10, 5, 110, 20}, {120, 5, 300, 20}};
  struct Case {
    int TextWidth;
    int RightLimit;
    LabelRow Row;
  };
  const Case cases[] = {
      {80, 400, designed},                                // fits: as designed
      {100, 400, designed},                               // exactly
      {130, 400, {{10, 5, 140, 20}, {150, 5, 330, 20}}},  // the value moves along, its width kept
      {130, 310, {{10, 5, 140, 20}, {150, 5, 310, 20}}},  // as far as the limit allows
      {130, 250, {{10, 5, 140, 20}, {150, 5, 300, 20}}},  // a value beyond the limit stays where it ended
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.TextWidth);
    const LabelRow row = FitLabelRow(designed, c.TextWidth, c.RightLimit);
    EXPECT_EQ(row.Label, c.Row.Label);
    EXPECT_EQ(row.Value, c.Row.Value);
  }
}

// Twenty bars on a 1024-pixel screen: the images shrink until the row fits the work area, and the
// window never grows past it; buttons are their image and 7 pixels wide.
TEST(MainLayout, TheBarRowFitsTheWorkArea) {
  struct Case {
    int Count, Dpi, WorkWidth;
    BarRowFit Fit;
  };
  const Case cases[] = {
      {20, 96, 1024, {32, 20 * (39 + 3)}},   // fits as it is
      {20, 144, 1024, {32, 20 * (39 + 5)}},  // 48 and 40 pixels would pass the edge (1200, 1040)
      {20, 144, 1280, {48, 20 * (55 + 5)}},  // a wider screen keeps them
      {20, 192, 1024, {32, 20 * (39 + 6)}},
      {2, 144, 1024, {48, 578}},             // the frames' minimum
      {20, 96, 400, {16, 400}},              // nothing fits: the smallest, the window as wide as the screen
      {2, 192, 700, {64, 700}},              // the minimum itself is wider than the screen
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.Count) + " bars at " + std::to_string(c.Dpi) + " in " + std::to_string(c.WorkWidth));
    EXPECT_EQ(FitBarRow(c.Count, c.Dpi, 7, c.WorkWidth), c.Fit);
  }
}

TEST(MainLayout, AWiderWindowStaysInItsWorkAreaAndTheFramesFollowIt) {
  const PixelRect screen{0, 0, 1024, 738};
  struct Case {
    PixelRect Window;
    int Width;
    PixelRect Work;
    PixelRect Widened;
  };
  const Case cases[] = {
      {{100, 50, 500, 300}, 600, screen, {100, 50, 700, 300}},      // room enough: it keeps its place
      {{600, 50, 1000, 300}, 900, screen, {124, 50, 1024, 300}},    // moves left, its right edge at the work area's
      {{600, 50, 1000, 300}, 1100, screen, {0, 50, 1100, 300}},     // never past the left edge
      {{-50, 50, 400, 300}, 1100, screen, {-50, 50, 1050, 300}},    // nor further left than it stood
      {{1500, 0, 1900, 250}, 800, {1024, 0, 2048, 768}, {1248, 0, 2048, 250}},  // a second monitor
  };
  for (const Case& c : cases) EXPECT_EQ(WidenWithin(c.Window, c.Width, c.Work), c.Widened) << c.Window.Left << " " << c.Width;

  const std::pair<std::pair<int, int>, int> frames[] = {
      {{96, 385}, 361}, {{96, 840}, 361 + 840 - 385}, {{96, 300}, 361}, {{144, 880}, 542 + 880 - 578}};
  for (const auto& [window, width] : frames) EXPECT_EQ(FrameWidth(window.second, window.first), width) << window.second;
}

}  // namespace
}  // namespace barloom
