// Reading an image's pixels out of an icon file without the system's loader. Arbitrary bytes as
// the file, the size asked for in the last byte, checked:
//  - nothing is read outside the file (the sanitizers watch);
//  - pixels come only as size x size of 4 bytes, at least one of them not fully clear.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "platform/icon_pixels.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int pixels = data[size - 1];
  const std::string_view file(reinterpret_cast<const char*>(data), size - 1);
  const std::optional<std::vector<std::uint8_t>> image = barloom::IconPixels(file, pixels);
  if (!image) return 0;
  barloom::fuzz::Check(image->size() == static_cast<std::size_t>(pixels) * static_cast<std::size_t>(pixels) * 4,
                       "the pixels are not size x size of 4 bytes");
  bool shows = false;
  for (std::size_t at = 3; at < image->size(); at += 4) shows = shows || (*image)[at] != 0;
  barloom::fuzz::Check(shows, "an image whose alpha is all clear was taken");
  return 0;
}
