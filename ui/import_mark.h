#pragma once
// The mark on the face of a bar button whose bar takes the buttons of another bar file: the image's
// upper right corner turned over in orange, clear of the number in the middle of the face.
#include <cstdint>
#include <span>

namespace barloom {

// The legs of the corner, in pixels of an image `size` pixels square.
int ImportMarkPixels(int size);
// Paints the mark on `pixels`, an image of `size` x `size` pixels as top-down rows of blue, green,
// red and alpha bytes (alpha not premultiplied). Too few pixels for that size: left as they are.
void MarkImported(std::span<std::uint8_t> pixels, int size);

}  // namespace barloom
