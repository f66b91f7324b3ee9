// The 40 shipped bar-button icons, read back as Windows reads them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "tests/tools/icon_reader.h"

namespace barloom {
namespace {

using namespace test;

class IconFile : public testing::TestWithParam<std::string> {};

TEST_P(IconFile, HoldsASoundImageOfEverySizeWhoseMaskMatchesItsAlpha) {
  std::vector<IconImage> images;
  const Bytes file = ReadBytes(IconFolder() / GetParam());
  ASSERT_EQ(ReadIcon(file, images), "");
  for (const IconImage& image : images) {
    // Programs that ignore the alpha channel draw through the AND mask: both must agree.
    for (int y = 0; y < image.Size; ++y)
      for (int x = 0; x < image.Size; ++x) {
        const int alpha = image.Alpha(x, y);
        EXPECT_TRUE(alpha == 0 || alpha == 255) << image.Size << " px at " << x << "," << y;
        EXPECT_EQ(image.MaskedOut[static_cast<size_t>(y * image.Size + x)], alpha == 0)
            << image.Size << " px at " << x << "," << y;
      }
    EXPECT_EQ(image.Alpha(image.Size / 2, image.Size / 2), 255) << image.Size << " px: the face is see-through";
  }
}

std::vector<std::string> AllIconNames() {
  std::vector<std::string> names;
  for (bool pressed : {false, true})
    for (int number = 1; number <= 20; ++number) names.push_back(IconName(pressed, number));
  return names;
}

INSTANTIATE_TEST_SUITE_P(All, IconFile, testing::ValuesIn(AllIconNames()), [](const auto& info) {
  return info.param.substr(0, 5);  // "Up_01"
});

TEST(IconFolder, HoldsExactlyTheFortyIcons) {
  std::set<std::string> found;
  for (const auto& entry : std::filesystem::directory_iterator(IconFolder()))
    if (entry.path().extension() == ".ico") found.insert(entry.path().filename().string());
  const std::vector<std::string> expected = AllIconNames();
  EXPECT_EQ(found, std::set<std::string>(expected.begin(), expected.end()));
}

std::vector<IconImage> LoadIcon(bool pressed, int number) {
  std::vector<IconImage> images;
  const std::string fault = ReadIcon(ReadBytes(IconFolder() / IconName(pressed, number)), images);
  EXPECT_EQ(fault, "") << IconName(pressed, number);
  return images;
}

// Every size of every icon must show its own picture: a number drawn wrong, or not at all, at any
// one size makes two pictures equal.
TEST(IconFolder, EveryPictureAtEverySizeIsDistinct) {
  std::vector<std::set<Bytes>> seen(std::size(ImageSizes));
  for (bool pressed : {false, true})
    for (int number = 1; number <= 20; ++number) {
      const auto images = LoadIcon(pressed, number);
      for (size_t i = 0; i < images.size(); ++i)
        EXPECT_TRUE(seen[i].insert(images[i].Bgra).second)
            << IconName(pressed, number) << " at " << ImageSizes[i] << " px";
    }
}

// The colour of a pixel, without its alpha.
std::uint32_t Colour(const IconImage& image, int x, int y) {
  const auto* px = &image.Bgra[static_cast<size_t>((y * image.Size + x) * 4)];
  return px[0] | (px[1] << 8) | (px[2] << 16);
}

// The number is drawn sharp at every size, in the same proportions: its pixels are of the ink
// colour alone, and beside them in a row lies only that row's face colour (the face's gradient
// runs from top to bottom), so no stroke is blurred by scaling or smoothing.
TEST(IconFolder, EverySizeShowsItsNumberSharpAndInProportion) {
  for (bool pressed : {false, true}) {
    const std::uint32_t ink = pressed ? 0xFFFFFF : 0x1A1A1A;
    for (int number = 1; number <= 20; ++number) {
      for (const IconImage& image : LoadIcon(pressed, number)) {
        const std::string where = IconName(pressed, number) + " at " + std::to_string(image.Size) + " px";
        int left = image.Size, right = -1, top = image.Size, bottom = -1;
        for (int y = 0; y < image.Size; ++y)
          for (int x = 0; x < image.Size; ++x)
            if (Colour(image, x, y) == ink) {
              left = std::min(left, x), right = std::max(right, x);
              top = std::min(top, y), bottom = std::max(bottom, y);
            }
        ASSERT_GE(right, 0) << where << ": no number";
        const double width = (right - left + 1) / double(image.Size), height = (bottom - top + 1) / double(image.Size);
        EXPECT_TRUE(width >= 0.4 && width <= 0.8 && height >= 0.4 && height <= 0.6)
            << where << ": the number fills " << width << " of the width and " << height << " of the height";
        for (int y = top; y <= bottom; ++y) {
          std::set<std::uint32_t> beside;
          for (int x = left; x <= right; ++x)
            if (Colour(image, x, y) != ink) beside.insert(Colour(image, x, y));
          EXPECT_LE(beside.size(), 1u) << where << ": row " << y << " blends the number into the face";
        }
      }
    }
  }
}

// Each size is drawn for itself: no image is a smaller one with every pixel repeated, which is how
// a picture made for one size looks when it is stretched to twice or three times that size.
TEST(IconFolder, NoSizeIsASmallerOneEnlarged) {
  for (bool pressed : {false, true})
    for (int number = 1; number <= 20; ++number) {
      const auto images = LoadIcon(pressed, number);
      for (const IconImage& small : images)
        for (const IconImage& large : images) {
          if (large.Size <= small.Size || large.Size % small.Size != 0) continue;
          const int factor = large.Size / small.Size;
          bool repeated = true;
          for (int y = 0; y < large.Size && repeated; ++y)
            for (int x = 0; x < large.Size && repeated; ++x)
              repeated = Colour(large, x, y) == Colour(small, x / factor, y / factor);
          EXPECT_FALSE(repeated) << IconName(pressed, number) << ": " << large.Size << " px is " << small.Size
                                 << " px enlarged";
        }
    }
}

// The brightness most of the button has: the median over its visible pixels, so that the digits
// (dark on a light face, light on a dark one) do not blur the comparison.
int MedianBrightness(const IconImage& image) {
  std::vector<int> values;
  for (int p = 0; p < image.Size * image.Size; ++p) {
    const auto* px = &image.Bgra[static_cast<size_t>(p * 4)];
    if (px[3] != 0) values.push_back((px[0] + px[1] + px[2]) / 3);
  }
  if (values.empty()) return 0;
  std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2), values.end());
  return values[values.size() / 2];
}

// The current bar (Dn) must stand out from the others at a glance: its face is much darker.
TEST(IconFolder, PressedButtonsAreClearlyDarkerThanRaisedOnes) {
  for (int number = 1; number <= 20; ++number) {
    const auto up = LoadIcon(false, number);
    const auto down = LoadIcon(true, number);
    ASSERT_EQ(up.size(), down.size());
    for (size_t i = 0; i < up.size(); ++i)
      EXPECT_GE(MedianBrightness(up[i]) - MedianBrightness(down[i]), 80) << number << " at " << ImageSizes[i] << " px";
  }
}

int RowBrightness(const IconImage& image, int y) {
  int sum = 0;
  for (int x = 2; x < image.Size - 2; ++x)
    for (int c = 0; c < 3; ++c) sum += image.Bgra[static_cast<size_t>((y * image.Size + x) * 4 + c)];
  return sum / (3 * (image.Size - 4));
}

// Light falls from above: a raised button's top edge is lighter than its bottom edge, a pressed
// one's darker. A picture stored upside down turns this round.
TEST(IconFolder, RaisedButtonsAreLitFromAbovePressedOnesSunken) {
  for (int number = 1; number <= 20; ++number) {
    for (bool pressed : {false, true}) {
      for (const IconImage& image : LoadIcon(pressed, number)) {
        const int top = RowBrightness(image, 1), bottom = RowBrightness(image, image.Size - 2);
        if (pressed)
          EXPECT_LT(top, bottom) << IconName(pressed, number) << " at " << image.Size << " px";
        else
          EXPECT_GT(top, bottom) << IconName(pressed, number) << " at " << image.Size << " px";
      }
    }
  }
}

}  // namespace
}  // namespace barloom
