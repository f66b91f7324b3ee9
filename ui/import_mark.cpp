#include "ui/import_mark.h"

#include <algorithm>
#include <cstddef>

namespace barloom {
namespace {

constexpr std::uint8_t MarkBlue = 0, MarkGreen = 140, MarkRed = 255;  // orange
constexpr int Samples = 4;  // per pixel and direction, for a smooth edge

}  // namespace

int ImportMarkPixels(int size) { return std::max(4, (size * 3 + 5) / 10); }

void MarkImported(std::span<std::uint8_t> pixels, int size) {
  if (size <= 0 || pixels.size() < static_cast<std::size_t>(size) * static_cast<std::size_t>(size) * 4) return;
  const int legs = ImportMarkPixels(size);
  const int first = size - legs;
  for (int y = 0; y < legs; ++y) {
    for (int x = first; x < size; ++x) {
      // How much of the pixel lies above the diagonal from (first, 0) to (size, legs).
      int inside = 0;
      for (int sy = 0; sy < Samples; ++sy)
        for (int sx = 0; sx < Samples; ++sx)
          if ((x - first) * Samples + sx + 0.5 > (y * Samples + sy + 0.5)) ++inside;
      if (inside == 0) continue;
      const double cover = static_cast<double>(inside) / (Samples * Samples);
      std::uint8_t* pixel = &pixels[(static_cast<std::size_t>(y) * size + x) * 4];
      // The mark over what was there, as straight alpha.
      const double below = pixel[3] / 255.0 * (1.0 - cover);
      const double alpha = cover + below;
      const std::uint8_t mark[3] = {MarkBlue, MarkGreen, MarkRed};
      for (int c = 0; c < 3; ++c)
        pixel[c] = static_cast<std::uint8_t>((mark[c] * cover + pixel[c] * below) / alpha + 0.5);
      pixel[3] = static_cast<std::uint8_t>(alpha * 255.0 + 0.5);
    }
  }
}

}  // namespace barloom
