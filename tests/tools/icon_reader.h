#pragma once
// Reading the shipped icon files back, for the tests: the directory and the 32-bit images.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace barloom::test {

using Bytes = std::vector<std::uint8_t>;

// One image for each size a button or window icon has at 100 % to 300 % scale.
inline constexpr int ImageSizes[] = {16, 20, 24, 32, 40, 48, 64, 96};
inline constexpr std::size_t ImageCount = std::size(ImageSizes);

inline std::filesystem::path IconFolder() { return std::filesystem::path(BARLOOM_SOURCE_DIR) / "resources" / "icons"; }

inline std::string IconName(bool pressed, int number) {
  char name[16];
  std::snprintf(name, sizeof name, "%s_%02d.ico", pressed ? "Dn" : "Up", number);
  return name;
}

inline Bytes ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::uint32_t U16(const Bytes& b, size_t at) { return b[at] | (b[at + 1] << 8); }
inline std::uint32_t U32(const Bytes& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

struct IconImage {
  int Size = 0;
  Bytes Bgra;  // top-down rows, 4 bytes a pixel
  std::vector<bool> MaskedOut;

  int Alpha(int x, int y) const { return Bgra[static_cast<size_t>((y * Size + x) * 4 + 3)]; }
};

// Reads an icon file with one image of 32 bits for each of ImageSizes (in that order). Returns
// an empty text and fills `images` when the file is sound, else the first fault found.
inline std::string ReadIcon(const Bytes& file, std::vector<IconImage>& images) {
  const std::string count = std::to_string(ImageCount);
  if (file.size() < 6 + ImageCount * 16) return "file too short for a directory of " + count + " entries";
  if (U16(file, 0) != 0 || U16(file, 2) != 1) return "not an icon file";
  if (U16(file, 4) != ImageCount) return "expected " + count + " images, found " + std::to_string(U16(file, 4));
  size_t end_of_previous = 6 + ImageCount * 16;
  for (std::size_t i = 0; i < ImageCount; ++i) {
    const size_t entry = 6 + 16 * i;
    const int size = ImageSizes[i];
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

}  // namespace barloom::test
