// A bar button's image read straight from its icon file: exactly as stored for the images that
// way is taken for, and every other image left to the system's loader.
#include "platform/icon_pixels.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tests/tools/icon_reader.h"

namespace barloom {
namespace {

void PutU16(std::string& bytes, std::uint32_t value) {
  bytes += static_cast<char>(value & 0xFF);
  bytes += static_cast<char>(value >> 8 & 0xFF);
}
void PutU32(std::string& bytes, std::uint32_t value) {
  PutU16(bytes, value & 0xFFFF);
  PutU16(bytes, value >> 16);
}

// An image as icon files store it: the bitmap header, the colours bottom-up, the mask.
std::string Image(int size, int bits, std::uint8_t alpha, std::uint32_t compression = 0, int height = 0) {
  std::string image;
  for (const std::uint32_t value : {40u, static_cast<std::uint32_t>(size), static_cast<std::uint32_t>(height ? height : 2 * size)})
    PutU32(image, value);
  PutU16(image, 1);
  PutU16(image, static_cast<std::uint32_t>(bits));
  PutU32(image, compression);
  image.append(20, '\0');
  for (int pixel = 0; pixel < size * size; ++pixel)
    image += std::string{static_cast<char>(pixel), 0x40, static_cast<char>(0x80), static_cast<char>(alpha)}.substr(0, bits / 8);
  image.append(static_cast<std::size_t>((size + 31) / 32 * 4 * size), '\0');
  return image;
}

std::string IconFile(const std::vector<std::pair<int, std::string>>& images, std::uint16_t type = 1) {
  std::string file;
  for (const std::uint32_t value : {0u, static_cast<std::uint32_t>(type), static_cast<std::uint32_t>(images.size())})
    PutU16(file, value);
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (const auto& [size, image] : images) {
    file += {static_cast<char>(size), static_cast<char>(size), 0, 0};
    PutU16(file, 1);
    PutU16(file, 32);
    PutU32(file, static_cast<std::uint32_t>(image.size()));
    PutU32(file, offset);
    offset += static_cast<std::uint32_t>(image.size());
  }
  for (const auto& [size, image] : images) file += image;
  return file;
}

TEST(IconPixels, ReadsEveryShippedImageExactlyAsStored) {
  for (const bool pressed : {false, true}) {
    const std::string name = test::IconName(pressed, pressed ? 20 : 1);
    const test::Bytes bytes = test::ReadBytes(test::IconFolder() / name);
    std::vector<test::IconImage> images;
    ASSERT_EQ(test::ReadIcon(bytes, images), "") << name;
    const std::string file(bytes.begin(), bytes.end());
    for (const test::IconImage& image : images) {
      const std::optional<std::vector<std::uint8_t>> pixels = IconPixels(file, image.Size);
      ASSERT_TRUE(pixels) << name << " at " << image.Size;
      EXPECT_EQ(*pixels, image.Bgra) << name << " at " << image.Size;
    }
  }
}

TEST(IconPixels, TakesOnlyUncompressed32BitImagesWithAlphaOfTheSizeAskedFor) {
  const std::string good = Image(4, 32, 200);
  const std::string file = IconFile({{4, good}});
  const std::optional<std::vector<std::uint8_t>> pixels = IconPixels(file, 4);
  ASSERT_TRUE(pixels);
  EXPECT_EQ(pixels->at(0), 12) << "the top row first: stored last";
  EXPECT_TRUE(IconPixels(IconFile({{4, Image(4, 24, 0)}, {4, good}}), 4)) << "the 32-bit one among others";

  std::string farOffset = file;
  farOffset[6 + 12] = '\x7F';
  const struct {
    const char* Case;
    std::string File;
    int Size;
  } others[] = {
      {"no image of that size", file, 8},
      {"no size", file, 0},
      {"a cursor file", IconFile({{4, good}}, 2), 4},
      {"directory cut short", file.substr(0, 12), 4},
      {"image cut short", file.substr(0, file.size() - 20), 4},
      {"image beyond the end", farOffset, 4},
      {"24 bits", IconFile({{4, Image(4, 24, 0)}}), 4},
      {"compressed colours", IconFile({{4, Image(4, 32, 200, 3)}}), 4},
      {"a PNG image", IconFile({{4, "\x89PNG\r\n\x1a\n" + std::string(80, '\0')}}), 4},
      {"alpha all clear: the mask tells", IconFile({{4, Image(4, 32, 0)}}), 4},
      {"no mask below the colours", IconFile({{4, Image(4, 32, 200, 0, 4)}}), 4},
      {"empty file", "", 4},
  };
  for (const auto& other : others) EXPECT_FALSE(IconPixels(other.File, other.Size)) << other.Case;
}

}  // namespace
}  // namespace barloom
