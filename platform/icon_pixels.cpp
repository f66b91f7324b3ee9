#include "platform/icon_pixels.h"

#include <algorithm>
#include <cstddef>

namespace barloom {
namespace {

constexpr std::size_t DirectoryHeader = 6;
constexpr std::size_t DirectoryEntry = 16;
constexpr std::uint32_t BitmapHeader = 40;  // BITMAPINFOHEADER
constexpr std::uint32_t Uncompressed = 0;    // BI_RGB

std::uint32_t U16(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint8_t>(bytes[at]) | static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at + 1])) << 8;
}
std::uint32_t U32(std::string_view bytes, std::size_t at) { return U16(bytes, at) | U16(bytes, at + 2) << 16; }

// The image's bytes (header and pixels) when it is the wanted one, else an empty view.
std::string_view MatchingImage(std::string_view file, std::size_t entry, int size) {
  const std::uint32_t length = U32(file, entry + 8);
  const std::uint32_t offset = U32(file, entry + 12);
  if (offset > file.size() || file.size() - offset < length) return {};
  const std::string_view image = file.substr(offset, length);
  const std::size_t pixelBytes = static_cast<std::size_t>(size) * static_cast<std::size_t>(size) * 4;
  // A compressed (PNG) image starts with its own signature, never with this header size.
  if (image.size() < BitmapHeader || U32(image, 0) != BitmapHeader) return {};
  const bool wanted = U32(image, 4) == static_cast<std::uint32_t>(size) &&
                      U32(image, 8) == static_cast<std::uint32_t>(2 * size) &&  // the colours, then the mask
                      U16(image, 12) == 1 && U16(image, 14) == 32 && U32(image, 16) == Uncompressed;
  if (!wanted || image.size() - BitmapHeader < pixelBytes) return {};
  return image;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> IconPixels(std::string_view file, int size) {
  if (size <= 0 || size > 256 || file.size() < DirectoryHeader) return std::nullopt;
  if (U16(file, 0) != 0 || U16(file, 2) != 1) return std::nullopt;  // not an icon file
  const std::size_t count = U16(file, 4);
  if (file.size() < DirectoryHeader + count * DirectoryEntry) return std::nullopt;
  for (std::size_t index = 0; index < count; ++index) {
    const std::string_view image = MatchingImage(file, DirectoryHeader + index * DirectoryEntry, size);
    if (image.empty()) continue;
    const std::size_t row = static_cast<std::size_t>(size) * 4;
    std::vector<std::uint8_t> pixels(row * static_cast<std::size_t>(size));
    for (std::size_t y = 0; y < static_cast<std::size_t>(size); ++y) {  // stored bottom-up
      const std::string_view stored = image.substr(BitmapHeader + y * row, row);
      std::transform(stored.begin(), stored.end(), pixels.end() - static_cast<std::ptrdiff_t>((y + 1) * row),
                     [](char byte) { return static_cast<std::uint8_t>(byte); });
    }
    bool hasAlpha = false;
    for (std::size_t at = 3; at < pixels.size() && !hasAlpha; at += 4) hasAlpha = pixels[at] != 0;
    if (!hasAlpha) return std::nullopt;  // an older icon whose mask tells what shows
    return pixels;
  }
  return std::nullopt;
}

}  // namespace barloom
