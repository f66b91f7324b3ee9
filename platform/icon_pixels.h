#pragma once
// The pixels of one image of an icon file, read without the system's icon loader.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace barloom {

// The image of exactly `size` x `size` pixels in the icon file `file`, when it is stored as an
// uncompressed bitmap of 32 bits with an alpha channel (as the shipped icons and most icons of
// today are): its pixels as top-down rows of blue, green, red and alpha bytes. nullopt for
// anything else (no image of that size, a compressed one, fewer bits, alpha left to the mask, a
// damaged file): the system's loader then reads the file as it always did.
std::optional<std::vector<std::uint8_t>> IconPixels(std::string_view file, int size);

}  // namespace barloom
