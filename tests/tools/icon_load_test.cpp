// The shipped icons as the system itself loads and draws them: every size of every file must come
// out pixel for pixel as stored, not scaled from another size or drawn through a wrong mask.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/tools/icon_reader.h"

namespace barloom {
namespace {

using namespace test;

constexpr std::uint8_t Background[3] = {0xFF, 0x00, 0xFF};  // B, G, R: a colour no icon uses

// Draws `icon` at its size onto the background colour and returns the top-down BGRA pixels.
std::vector<std::uint8_t> Render(HICON icon, int size) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = -size;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  std::vector<std::uint8_t> pixels;
  if (dc && bitmap && bits) {
    HGDIOBJ old = SelectObject(dc, bitmap);
    auto* p = static_cast<std::uint8_t*>(bits);
    for (int i = 0; i < size * size; ++i) {
      p[i * 4] = Background[0];
      p[i * 4 + 1] = Background[1];
      p[i * 4 + 2] = Background[2];
      p[i * 4 + 3] = 0;
    }
    if (DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL)) {
      GdiFlush();
      pixels.assign(p, p + size * size * 4);
    }
    SelectObject(dc, old);
  }
  if (bitmap) DeleteObject(bitmap);
  if (dc) DeleteDC(dc);
  return pixels;
}

TEST(IconFilesOnWindows, EverySizeLoadsAndDrawsExactlyAsStored) {
  for (bool pressed : {false, true}) {
    for (int number = 1; number <= 20; ++number) {
      const std::filesystem::path file = IconFolder() / IconName(pressed, number);
      std::vector<IconImage> images;
      ASSERT_EQ(ReadIcon(ReadBytes(file), images), "") << file;
      for (const IconImage& image : images) {
        const int s = image.Size;
        const std::string where = IconName(pressed, number) + " at " + std::to_string(s) + " px";
        auto icon = static_cast<HICON>(LoadImageW(nullptr, file.c_str(), IMAGE_ICON, s, s, LR_LOADFROMFILE));
        ASSERT_NE(icon, nullptr) << where;
        const std::vector<std::uint8_t> drawn = Render(icon, s);
        DestroyIcon(icon);
        ASSERT_EQ(drawn.size(), image.Bgra.size()) << where << ": not drawn";
        int wrong = 0;
        for (int p = 0; p < s * s; ++p) {
          const bool opaque = image.Bgra[static_cast<size_t>(p * 4 + 3)] == 255;
          for (int c = 0; c < 3; ++c) {
            const std::uint8_t expected = opaque ? image.Bgra[static_cast<size_t>(p * 4 + c)] : Background[c];
            wrong += drawn[static_cast<size_t>(p * 4 + c)] != expected;
          }
        }
        EXPECT_EQ(wrong, 0) << where << ": colour channels differing from the stored image";
      }
    }
  }
}

}  // namespace
}  // namespace barloom
