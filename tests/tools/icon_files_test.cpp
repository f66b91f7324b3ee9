// The 40 shipped bar-button icons, read back as Windows reads them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace barloom {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kSizes[] = {16, 24, 32, 48};

std::filesystem::path IconFolder() { return std::filesystem::path(BARLOOM_SOURCE_DIR) / "resources" / "icons"; }

std::string IconName(bool pressed, int number) {
  char name[16];
  std::snprintf(name, sizeof name, "%s_%02d.ico", pressed ? "Dn" : "Up", number);
  return name;
}

Bytes ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t U16(const Bytes& b, size_t at) { return b[at] | (b[at + 1] << 8); }
std::uint32_t U32(const Bytes& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

struct IconImage {
  int Size = 0;
  Bytes Bgra;  // top-down rows, 4 bytes a pixel
  std::vector<bool> MaskedOut;

  int Alpha(int x, int y) const { return Bgra[static_cast<size_t>((y * Size + x) * 4 + 3)]; }
};

// Reads an icon file with 16, 24, 32 and 48 px images of 32 bits each (in that order). Returns
// an empty text and fills `images` when the file is sound, else the first fault found.
std::string ReadIcon(const Bytes& file, std::vector<IconImage>& images) {
  if (file.size() < 6 + 4 * 16) return "file too short for a directory of 4 entries";
  if (U16(file, 0) != 0 || U16(file, 2) != 1) return "not an icon file";
  if (U16(file, 4) != 4) return "expected 4 images, found " + std::to_string(U16(file, 4));
  size_t end_of_previous = 6 + 4 * 16;
  for (int i = 0; i < 4; ++i) {
    const size_t entry = 6 + 16 * static_cast<size_t>(i);
    const int size = kSizes[i];
    const std::string where = std::to_string(size) + " px entry: ";
    if (file[entry] != size || file[entry + 1] != size) return where + "wrong width or height";
    if (file[entry + 2] != 0 || file[entry + 3] != 0) return where + "palette count or reserved byte set";
    if (U16(file, entry + 4) != 1 || U16(file, entry + 6) != 32) return where + "not 1 plane of 32 bits";
    const std::uint32_t mask_stride = (size + 31) / 32 * 4;
    const std::uint32_t expected_bytes = 40 + size * size * 4 + mask_stride * size;
    const std::uint32_t bytes = U32(file, entry + 8);
    const std::uint32_t offset = U32(file, entry + 12);
    if (bytes != expected_bytes) return where + "image byte count " + std::to_string(bytes);
    if (offset < end_of_previous) return where + "overlaps the directory or the previous image";
    if (offset > file.size() || file.size() - offset < bytes) return where + "runs past the end of the file";
    end_of_previous = offset + bytes;

    if (U32(file, offset) != 40) return where + "no BITMAPINFOHEADER";
    if (U32(file, offset + 4) != static_cast<std::uint32_t>(size) ||
        U32(file, offset + 8) != static_cast<std::uint32_t>(2 * size))
      return where + "bitmap is not size x (2 * size)";
    if (U16(file, offset + 12) != 1 || U16(file, offset + 14) != 32 || U32(file, offset + 16) != 0)
      return where + "bitmap is not uncompressed 32 bits";

    IconImage image;
    image.Size = size;
    image.Bgra.resize(static_cast<size_t>(size * size * 4));
    image.MaskedOut.resize(static_cast<size_t>(size * size));
    const size_t pixels = offset + 40;
    const size_t mask = pixels + static_cast<size_t>(size * size * 4);
    for (int y = 0; y < size; ++y) {
      const int row = size - 1 - y;  // both planes are stored bottom-up
      for (int x = 0; x < size; ++x) {
        for (int c = 0; c < 4; ++c)
          image.Bgra[static_cast<size_t>((y * size + x) * 4 + c)] = file[pixels + static_cast<size_t>((row * size + x) * 4 + c)];
        image.MaskedOut[static_cast<size_t>(y * size + x)] =
            (file[mask + row * mask_stride + static_cast<size_t>(x / 8)] & (0x80 >> (x % 8))) != 0;
      }
    }
    images.push_back(std::move(image));
  }
  if (end_of_previous != file.size()) return "bytes after the last image";
  return "";
}

class IconFile : public testing::TestWithParam<std::string> {};

TEST_P(IconFile, HoldsFourSoundImagesWhoseMaskMatchesTheirAlpha) {
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
  std::vector<std::set<Bytes>> seen(std::size(kSizes));
  for (bool pressed : {false, true})
    for (int number = 1; number <= 20; ++number) {
      const auto images = LoadIcon(pressed, number);
      for (size_t i = 0; i < images.size(); ++i)
        EXPECT_TRUE(seen[i].insert(images[i].Bgra).second) << IconName(pressed, number) << " at " << kSizes[i] << " px";
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
      EXPECT_GE(MedianBrightness(up[i]) - MedianBrightness(down[i]), 80) << number << " at " << kSizes[i] << " px";
  }
}

}  // namespace
}  // namespace barloom
