// make_icons: writes the 40 bar-button icons Up_01.ico ... Up_20.ico and Dn_01.ico ... Dn_20.ico
// into the folder given on the command line (with --program: the program's own icon, barloom.ico).
// Every file holds one image for each of 16, 20, 24, 32, 40, 48, 64 and 96 px, the sizes a
// button or a window icon has at 100 % to 300 % scale, so that the system never has to stretch
// one: 32-bit BGRA bitmaps with AND masks. "Up" is a light, raised button with dark digits; "Dn"
// is the current bar: a sunken, strongly coloured face with white digits.
//
// Each size is drawn for itself: the digits are pixel glyphs (4x7, 5x7 or 5x9, whichever suits
// the size) enlarged by a whole factor with the Scale2x/Scale3x rules, so that they stay sharp and
// their diagonals smooth without any blur; the bevel and the press shift grow with the size.
// Only integer arithmetic is used, so the output is byte-identical on every run and machine.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace barloom {
namespace {

// ---------------------------------------------------------------------------------------------
// Digit glyphs: one string per row, '#' for ink.

struct Font {
  int Width;
  int Height;
  const char* (*Row)(int digit, int y);

  bool Ink(int digit, int x, int y) const { return Row(digit, y)[x] == '#'; }
};

constexpr const char* const Font4x7[10][7] = {
    {".##.", "#..#", "#..#", "#..#", "#..#", "#..#", ".##."},
    {"..#.", ".##.", "..#.", "..#.", "..#.", "..#.", ".###"},
    {".##.", "#..#", "...#", "..#.", ".#..", "#...", "####"},
    {".##.", "#..#", "...#", ".##.", "...#", "#..#", ".##."},
    {"#..#", "#..#", "#..#", "####", "...#", "...#", "...#"},
    {"####", "#...", "###.", "...#", "...#", "#..#", ".##."},
    {".##.", "#...", "#...", "###.", "#..#", "#..#", ".##."},
    {"####", "...#", "...#", "..#.", "..#.", ".#..", ".#.."},
    {".##.", "#..#", "#..#", ".##.", "#..#", "#..#", ".##."},
    {".##.", "#..#", "#..#", ".###", "...#", "...#", ".##."},
};

constexpr const char* const Font5x7[10][7] = {
    {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."},
    {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."},
    {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"},
    {".###.", "#...#", "....#", "..##.", "....#", "#...#", ".###."},
    {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."},
    {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."},
    {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."},
    {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."},
    {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."},
    {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."},
};

// Taller digits for the sizes whose face has room for nine rows but not for a doubled 5x7 number.
constexpr const char* const Font5x9[10][9] = {
    {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."},
    {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."},
    {".###.", "#...#", "....#", "....#", "...#.", "..#..", ".#...", "#....", "#####"},
    {".###.", "#...#", "....#", "....#", "..##.", "....#", "....#", "#...#", ".###."},
    {"...#.", "..##.", ".#.#.", "#..#.", "#..#.", "#####", "...#.", "...#.", "...#."},
    {"#####", "#....", "#....", "####.", "....#", "....#", "....#", "#...#", ".###."},
    {"..##.", ".#...", "#....", "#....", "####.", "#...#", "#...#", "#...#", ".###."},
    {"#####", "....#", "....#", "...#.", "...#.", "..#..", "..#..", ".#...", ".#..."},
    {".###.", "#...#", "#...#", "#...#", ".###.", "#...#", "#...#", "#...#", ".###."},
    {".###.", "#...#", "#...#", "#...#", ".####", "....#", "....#", "...#.", ".##.."},
};

constexpr Font SmallFont{4, 7, [](int digit, int y) { return Font4x7[digit][y]; }};
constexpr Font LargeFont{5, 7, [](int digit, int y) { return Font5x7[digit][y]; }};
constexpr Font TallFont{5, 9, [](int digit, int y) { return Font5x9[digit][y]; }};

// A two-colour picture: true = ink.
struct Mask {
  int Width = 0;
  int Height = 0;
  std::vector<bool> Ink;

  Mask(int width, int height) : Width(width), Height(height), Ink(static_cast<size_t>(width * height)) {}
  // Outside the picture counts as background, which keeps the enlargement rules simple.
  bool At(int x, int y) const {
    if (x < 0 || y < 0 || x >= Width || y >= Height) return false;
    return Ink[static_cast<size_t>(y * Width + x)];
  }
  void Set(int x, int y, bool ink) { Ink[static_cast<size_t>(y * Width + x)] = ink; }
};

// The two digits of `number` side by side, one blank column apart.
Mask NumberMask(int number, const Font& font) {
  Mask mask(font.Width * 2 + 1, font.Height);
  const int digits[2] = {number / 10, number % 10};
  for (int d = 0; d < 2; ++d) {
    const int left = d * (font.Width + 1);
    for (int y = 0; y < font.Height; ++y)
      for (int x = 0; x < font.Width; ++x) mask.Set(left + x, y, font.Ink(digits[d], x, y));
  }
  return mask;
}

// Scale2x: doubles a pixel picture, filling the steps of diagonal strokes instead of blurring.
Mask Scale2x(const Mask& in) {
  Mask out(in.Width * 2, in.Height * 2);
  for (int y = 0; y < in.Height; ++y) {
    for (int x = 0; x < in.Width; ++x) {
      const bool b = in.At(x, y - 1), d = in.At(x - 1, y), e = in.At(x, y), f = in.At(x + 1, y),
                 h = in.At(x, y + 1);
      bool e0 = e, e1 = e, e2 = e, e3 = e;
      if (b != h && d != f) {
        e0 = d == b ? d : e;
        e1 = b == f ? f : e;
        e2 = d == h ? d : e;
        e3 = h == f ? f : e;
      }
      out.Set(2 * x, 2 * y, e0);
      out.Set(2 * x + 1, 2 * y, e1);
      out.Set(2 * x, 2 * y + 1, e2);
      out.Set(2 * x + 1, 2 * y + 1, e3);
    }
  }
  return out;
}

// Scale3x: the same idea for a factor of three.
Mask Scale3x(const Mask& in) {
  Mask out(in.Width * 3, in.Height * 3);
  for (int y = 0; y < in.Height; ++y) {
    for (int x = 0; x < in.Width; ++x) {
      const bool a = in.At(x - 1, y - 1), b = in.At(x, y - 1), c = in.At(x + 1, y - 1);
      const bool d = in.At(x - 1, y), e = in.At(x, y), f = in.At(x + 1, y);
      const bool g = in.At(x - 1, y + 1), h = in.At(x, y + 1), i = in.At(x + 1, y + 1);
      bool r[9] = {e, e, e, e, e, e, e, e, e};
      if (b != h && d != f) {
        r[0] = d == b ? d : e;
        r[1] = (d == b && e != c) || (b == f && e != a) ? b : e;
        r[2] = b == f ? f : e;
        r[3] = (d == b && e != g) || (d == h && e != a) ? d : e;
        r[5] = (b == f && e != i) || (h == f && e != c) ? f : e;
        r[6] = d == h ? d : e;
        r[7] = (d == h && e != i) || (h == f && e != g) ? h : e;
        r[8] = h == f ? f : e;
      }
      for (int k = 0; k < 9; ++k) out.Set(3 * x + k % 3, 3 * y + k / 3, r[k]);
    }
  }
  return out;
}

// Enlarges by a whole factor: 2 and 3 directly, 4 and 6 as Scale2x after Scale2x or Scale3x.
Mask Enlarge(const Mask& in, int factor) {
  switch (factor) {
    case 1: return in;
    case 2: return Scale2x(in);
    case 3: return Scale3x(in);
    case 4: return Scale2x(Scale2x(in));
    case 6: return Scale2x(Scale3x(in));
  }
  throw std::invalid_argument("no enlargement rule for factor " + std::to_string(factor));
}

// ---------------------------------------------------------------------------------------------
// Pictures and colours.

struct Colour {
  std::uint8_t R, G, B;
};

// Linear blend of a and b, t/n of the way to b, in whole numbers.
Colour Blend(Colour a, Colour b, int t, int n) {
  auto mix = [&](int p, int q) { return static_cast<std::uint8_t>(p + (q - p) * t / n); };
  return {mix(a.R, b.R), mix(a.G, b.G), mix(a.B, b.B)};
}

struct Image {
  int Size;
  std::vector<std::uint8_t> Bgra;  // top-down rows

  explicit Image(int size) : Size(size), Bgra(static_cast<size_t>(size * size * 4), 0) {}
  void Put(int x, int y, Colour c) {
    if (x < 0 || y < 0 || x >= Size || y >= Size) return;
    std::uint8_t* p = &Bgra[static_cast<size_t>((y * Size + x) * 4)];
    p[0] = c.B;
    p[1] = c.G;
    p[2] = c.R;
    p[3] = 255;
  }
  void Clear(int x, int y) {
    std::uint8_t* p = &Bgra[static_cast<size_t>((y * Size + x) * 4)];
    p[0] = p[1] = p[2] = p[3] = 0;
  }
  bool Opaque(int x, int y) const { return Bgra[static_cast<size_t>((y * Size + x) * 4 + 3)] != 0; }
};

struct Style {
  Colour Outline;
  Colour FaceTop, FaceBottom;
  Colour TopLeftEdge, BottomRightEdge;  // the bevel
  Colour Ink;
  bool Pressed;  // a pressed button shows its number moved down and right
};

// Up: a light face lit from the top left, dark digits. Dn: a strong blue well, darker at the top
// and shaded on its top and left edges, white digits: the current bar stands out at a glance.
constexpr Style UpStyle{
    {0x70, 0x70, 0x70}, {0xFF, 0xFF, 0xFF}, {0xD8, 0xDC, 0xE2},
    {0xFF, 0xFF, 0xFF}, {0xA4, 0xA8, 0xB0}, {0x1A, 0x1A, 0x1A}, false,
};

constexpr Style DownStyle{
    {0x0A, 0x24, 0x5A}, {0x1E, 0x5C, 0xC8}, {0x2C, 0x78, 0xE8},
    {0x0E, 0x30, 0x78}, {0x5C, 0x98, 0xF0}, {0xFF, 0xFF, 0xFF}, true,
};

// How each image size is drawn: the glyphs, how they are enlarged, the bevel's width, and how
// far a pressed button moves its number (not at 24 px, where the number fills the face). The
// number takes about two thirds of the face's width and under half its height at every size.
struct SizePlan {
  int Size;
  const Font* GlyphFont;
  int Scale;  // 1, 2, 3, 4 or 6
  int Bevel;
  int PressShift;
};

constexpr SizePlan Plans[] = {
    {16, &SmallFont, 1, 1, 1},  // 9 x 7 digits
    {20, &TallFont, 1, 1, 1},   // 11 x 9
    {24, &SmallFont, 2, 1, 0},  // 18 x 14
    {32, &LargeFont, 2, 2, 1},  // 22 x 14
    {40, &TallFont, 2, 2, 1},   // 22 x 18
    {48, &LargeFont, 3, 2, 1},  // 33 x 21
    {64, &LargeFont, 4, 3, 2},  // 44 x 28
    {96, &LargeFont, 6, 4, 2},  // 66 x 42
};

Image DrawButton(int number, bool pressed, const SizePlan& plan) {
  const Style& style = pressed ? DownStyle : UpStyle;
  const int s = plan.Size;
  Image image(s);

  // Face with a vertical gradient, then the 1 px outline and the bevel inside it.
  for (int y = 0; y < s; ++y)
    for (int x = 0; x < s; ++x) image.Put(x, y, Blend(style.FaceTop, style.FaceBottom, y, s - 1));
  for (int k = 0; k < s; ++k) {
    image.Put(k, 0, style.Outline);
    image.Put(k, s - 1, style.Outline);
    image.Put(0, k, style.Outline);
    image.Put(s - 1, k, style.Outline);
  }
  for (int w = 1; w <= plan.Bevel; ++w) {
    const int lo = w, hi = s - 1 - w;
    // As on the classic 3-D buttons, the bottom and right edges own the two shared corners.
    for (int k = lo; k <= hi; ++k) {
      image.Put(k, hi, style.BottomRightEdge);
      image.Put(hi, k, style.BottomRightEdge);
    }
    for (int k = lo; k < hi; ++k) {
      image.Put(k, lo, style.TopLeftEdge);
      image.Put(lo, k, style.TopLeftEdge);
    }
  }
  // Rounded corners: the outermost corner pixels are transparent.
  for (int cx : {0, s - 1})
    for (int cy : {0, s - 1}) image.Clear(cx, cy);

  const Mask digits = Enlarge(NumberMask(number, *plan.GlyphFont), plan.Scale);
  // Centre the number; an odd remainder goes to the right and bottom.
  const int shift = style.Pressed ? plan.PressShift : 0;
  const int left = (s - digits.Width + 1) / 2 + shift;
  const int top = (s - digits.Height + 1) / 2 + shift;
  for (int y = 0; y < digits.Height; ++y)
    for (int x = 0; x < digits.Width; ++x)
      if (digits.At(x, y)) image.Put(left + x, top + y, style.Ink);
  return image;
}

// ---------------------------------------------------------------------------------------------
// The .ico container.

void PutU16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
  out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF));
}

// One icon image as stored in the file: BITMAPINFOHEADER (height doubled for the mask), the
// colour rows bottom-up, then the AND mask (1 = transparent), rows padded to 32 bits.
std::vector<std::uint8_t> EncodeDib(const Image& image) {
  const int s = image.Size;
  const std::uint32_t maskStride = static_cast<std::uint32_t>((s + 31) / 32 * 4);
  const std::uint32_t colourBytes = static_cast<std::uint32_t>(s * s * 4);
  std::vector<std::uint8_t> out;
  PutU32(out, 40);
  PutU32(out, static_cast<std::uint32_t>(s));
  PutU32(out, static_cast<std::uint32_t>(s * 2));
  PutU16(out, 1);   // planes
  PutU16(out, 32);  // bits per pixel
  PutU32(out, 0);   // BI_RGB
  PutU32(out, colourBytes + maskStride * static_cast<std::uint32_t>(s));
  for (int i = 0; i < 4; ++i) PutU32(out, 0);  // resolution, colours used, important
  for (int y = s - 1; y >= 0; --y)
    for (int x = 0; x < s; ++x)
      for (int c = 0; c < 4; ++c) out.push_back(image.Bgra[static_cast<size_t>((y * s + x) * 4 + c)]);
  for (int y = s - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(maskStride, 0);
    for (int x = 0; x < s; ++x)
      if (!image.Opaque(x, y)) row[static_cast<size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

std::vector<std::uint8_t> EncodeIcon(const std::vector<Image>& images) {
  std::vector<std::vector<std::uint8_t>> dibs;
  for (const Image& image : images) dibs.push_back(EncodeDib(image));

  std::vector<std::uint8_t> out;
  PutU16(out, 0);  // reserved
  PutU16(out, 1);  // icon
  PutU16(out, static_cast<unsigned>(dibs.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * dibs.size());
  for (size_t i = 0; i < dibs.size(); ++i) {
    const int s = images[i].Size;
    out.push_back(static_cast<std::uint8_t>(s));
    out.push_back(static_cast<std::uint8_t>(s));
    out.push_back(0);  // no palette
    out.push_back(0);
    PutU16(out, 1);
    PutU16(out, 32);
    PutU32(out, static_cast<std::uint32_t>(dibs[i].size()));
    PutU32(out, offset);
    offset += static_cast<std::uint32_t>(dibs[i].size());
  }
  for (const auto& dib : dibs) out.insert(out.end(), dib.begin(), dib.end());
  return out;
}

std::vector<std::uint8_t> EncodeBarIcon(int number, bool pressed) {
  std::vector<Image> images;
  for (const SizePlan& plan : Plans) images.push_back(DrawButton(number, pressed, plan));
  return EncodeIcon(images);
}

// The program's icon: three button bars stacked, the middle one the current bar in the blue of a
// pressed bar button, each carrying a row of small buttons where the size allows.
Image DrawProgramIcon(int s) {
  Image image(s);
  const int margin = s / 16;
  const int gap = s / 16;
  const int height = (s - 2 * margin - 2 * gap) / 3;
  for (int bar = 0; bar < 3; ++bar) {
    const Style& style = bar == 1 ? DownStyle : UpStyle;
    const int top = margin + bar * (height + gap);
    const int left = margin;
    const int right = s - margin - 1;
    const int bottom = top + height - 1;
    for (int y = top; y <= bottom; ++y)
      for (int x = left; x <= right; ++x)
        image.Put(x, y, (x == left || x == right || y == top || y == bottom)
                            ? style.Outline
                            : Blend(style.FaceTop, style.FaceBottom, y - top, height - 1));
    for (int cx : {left, right})
      for (int cy : {top, bottom}) image.Clear(cx, cy);
    if (height < 8) continue;
    const int cell = height / 2;
    const Colour cellColour = Blend(style.FaceBottom, style.Ink, 2, 3);
    for (int x = left + cell / 2 + 1; x + cell <= right - cell / 2; x += cell + cell / 2)
      for (int y = top + cell / 2; y < top + cell / 2 + cell; ++y)
        for (int k = 0; k < cell; ++k) image.Put(x + k, y, cellColour);
  }
  return image;
}

bool WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  file.close();
  return static_cast<bool>(file);
}

}  // namespace
}  // namespace barloom

int main(int argc, char** argv) {
  const bool program = argc == 3 && std::string{argv[1]} == "--program";
  if (argc != 2 && !program) {
    std::cerr << "usage: make_icons [--program] <output folder>\n";
    return 2;
  }
  const std::filesystem::path folder = argv[argc - 1];
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    std::cerr << "make_icons: cannot create " << folder.string() << ": " << error.message() << "\n";
    return 1;
  }
  if (program) {
    std::vector<barloom::Image> images;
    for (const barloom::SizePlan& plan : barloom::Plans) images.push_back(barloom::DrawProgramIcon(plan.Size));
    if (!barloom::WriteFile(folder / "barloom.ico", barloom::EncodeIcon(images))) {
      std::cerr << "make_icons: cannot write " << (folder / "barloom.ico").string() << "\n";
      return 1;
    }
    return 0;
  }
  for (bool pressed : {false, true}) {
    for (int number = 1; number <= 20; ++number) {
      char name[16];
      std::snprintf(name, sizeof name, "%s_%02d.ico", pressed ? "Dn" : "Up", number);
      if (!barloom::WriteFile(folder / name, barloom::EncodeBarIcon(number, pressed))) {
        std::cerr << "make_icons: cannot write " << (folder / name).string() << "\n";
        return 1;
      }
    }
  }
  return 0;
}
