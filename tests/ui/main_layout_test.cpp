#include "ui/main_layout.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace barloom
