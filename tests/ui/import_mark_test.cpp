#include "ui/import_mark.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

namespace barloom {
namespace {

// A face of one grey, opaque; the mark in its upper right corner only.
TEST(ImportMark, TheCornerTurnsOrangeAndTheRestStays) {
  for (const int size : {16, 32, 48, 96}) {
    SCOPED_TRACE(size);
    std::vector<std::uint8_t> face(static_cast<std::size_t>(size) * size * 4, 0x80);
    for (std::size_t i = 3; i < face.size(); i += 4) face[i] = 0xFF;
    const std::vector<std::uint8_t> before = face;
    MarkImported(face, size);
    const auto at = [&](const std::vector<std::uint8_t>& pixels, int x, int y) {
      const std::uint8_t* p = &pixels[(static_cast<std::size_t>(y) * size + x) * 4];
      return std::vector<int>{p[0], p[1], p[2], p[3]};
    };
    const int legs = ImportMarkPixels(size);
    EXPECT_GE(legs, 4);
    EXPECT_EQ(at(face, size - 1, 0), (std::vector<int>{0, 140, 255, 255})) << "the corner";
    EXPECT_EQ(at(face, size - 2, 1), (std::vector<int>{0, 140, 255, 255}));
    // Below the diagonal, and the rest of the face, as they were.
    const std::pair<int, int> unchanged[] = {{size - legs, 1}, {size - 1, legs}, {size / 2, size / 2}, {0, 0},
                                             {size - 1, size - 1}};
    for (const auto& [x, y] : unchanged) EXPECT_EQ(at(face, x, y), at(before, x, y)) << x << "," << y;
  }
  // A transparent face gets an opaque mark; too few pixels for the size are left alone.
  std::vector<std::uint8_t> clear(32 * 32 * 4, 0);
  MarkImported(clear, 32);
  EXPECT_EQ(clear[(0 * 32 + 31) * 4 + 3], 255);
  std::vector<std::uint8_t> tooShort(10, 7);
  MarkImported(tooShort, 32);
  EXPECT_EQ(tooShort, std::vector<std::uint8_t>(10, 7));
}

}  // namespace
}  // namespace barloom
