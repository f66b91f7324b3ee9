#include "platform/code_page.h"

#include "platform/utf8.h"

namespace barloom {

namespace {

// Code pages that depend on the system, resolved when asked for.
constexpr unsigned SystemAnsi = 0;
constexpr unsigned SystemOem = 1;

struct CharsetCodePage {
  int Charset;
  unsigned CodePage;  // or SystemAnsi, SystemOem
};

// The LOGFONT character sets and the code pages their fonts show.
constexpr CharsetCodePage CharsetTable[] = {
    {0, 1252},         // ANSI_CHARSET: Western, whatever the system's ANSI code page is
    {1, SystemAnsi},   // DEFAULT_CHARSET
    {2, SystemAnsi},   // SYMBOL_CHARSET: the bytes stay those of the ANSI code page
    {77, 10000},       // MAC_CHARSET: Mac Roman
    {128, 932},        // SHIFTJIS_CHARSET
    {129, 949},        // HANGUL_CHARSET
    {130, 1361},       // JOHAB_CHARSET
    {134, 936},        // GB2312_CHARSET
    {136, 950},        // CHINESEBIG5_CHARSET
    {161, 1253},       // GREEK_CHARSET
    {162, 1254},       // TURKISH_CHARSET
    {163, 1258},       // VIETNAMESE_CHARSET
    {177, 1255},       // HEBREW_CHARSET
    {178, 1256},       // ARABIC_CHARSET
    {186, 1257},       // BALTIC_CHARSET
    {204, 1251},       // RUSSIAN_CHARSET
    {222, 874},        // THAI_CHARSET
    {238, 1250},       // EASTEUROPE_CHARSET
    {255, SystemOem},  // OEM_CHARSET
};

const CharsetCodePage* FindCharset(int charset) {
  for (const auto& entry : CharsetTable)
    if (entry.Charset == charset) return &entry;
  return nullptr;
}

}  // namespace

unsigned CodePageForCharset(int charset) {
  const CharsetCodePage* entry = FindCharset(charset);
  if (!entry || entry->CodePage == SystemAnsi) return AnsiCodePage();
  return entry->CodePage == SystemOem ? OemCodePage() : entry->CodePage;
}

bool IsKnownCharset(int charset) { return FindCharset(charset) != nullptr; }

bool IsValidUtf8(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();)
    if (utf8::Next(text, pos) == utf8::Invalid) return false;
  return true;
}

std::string MarkedValueBytes(std::string_view utf8, unsigned codePage) {
  if (std::optional<std::string> bytes = EncodeCodePage(utf8, codePage);
      bytes && !bytes->starts_with(Utf8ByteOrderMark))
    return std::move(*bytes);
  return std::string(Utf8ByteOrderMark) + std::string(utf8);
}

std::string TextOfMarkedValue(std::string_view bytes, unsigned codePage) {
  if (bytes.starts_with(Utf8ByteOrderMark)) {
    const std::string_view text = utf8::WithoutCutCharacter(bytes.substr(Utf8ByteOrderMark.size()));
    if (IsValidUtf8(text)) return std::string(text);
  }
  return DecodeCodePage(bytes, codePage);
}

}  // namespace barloom

namespace barloom {
namespace {

// The next code point of generalised UTF-8; U+FFFD for a malformed byte.
char32_t NextWtf8(std::string_view text, std::size_t& pos) {
  const char32_t code = utf8::Next(text, pos, utf8::Surrogates::Allowed);
  return code == utf8::Invalid ? U'\uFFFD' : code;
}

void AppendUnit(std::string& units, char32_t unit) {
  units += static_cast<char>(unit & 0xFF);
  units += static_cast<char>((unit >> 8) & 0xFF);
}

}  // namespace

bool IsUtf16Le(std::string_view bytes) { return bytes.starts_with(Utf16LeMark); }

std::string Wtf8FromUtf16Le(std::string_view units) {
  const std::size_t count = units.size() / 2;
  const auto unit = [&](std::size_t i) {
    return static_cast<char32_t>(static_cast<unsigned char>(units[2 * i]) |
                                 (static_cast<unsigned char>(units[2 * i + 1]) << 8));
  };
  // Two passes, so that the text takes exactly its size (a mostly ASCII file: half the units').
  const auto convert = [&](auto&& put) {
    for (std::size_t i = 0; i < count; ++i) {
      char32_t code = unit(i);
      if (code >= 0xD800 && code <= 0xDBFF && i + 1 < count) {
        const char32_t low = unit(i + 1);
        if (low >= 0xDC00 && low <= 0xDFFF) {
          code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
          ++i;
        }
      }
      put(code);
    }
  };
  std::size_t size = 0;
  convert([&](char32_t code) { size += utf8::EncodedLength(code); });
  std::string text;
  text.reserve(size);
  convert([&](char32_t code) { utf8::Append(text, code); });
  return text;
}

std::string Utf16LeFromWtf8(std::string_view text) {
  std::string units;
  units.reserve(text.size() * 2);
  for (std::size_t pos = 0; pos < text.size();) {
    const char32_t code = NextWtf8(text, pos);
    if (code >= 0x10000) {
      AppendUnit(units, 0xD800 + ((code - 0x10000) >> 10));
      AppendUnit(units, 0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      AppendUnit(units, code);
    }
  }
  return units;
}

std::string Utf16FileTextFromAnsi(std::string_view bytes) {
  if (bytes.starts_with(Utf8ByteOrderMark)) return DecodeCodePage(bytes.substr(Utf8ByteOrderMark.size()), Utf8CodePage);
  return DecodeCodePage(bytes, AnsiCodePage());
}

std::string AnsiFromUtf16FileText(std::string_view text) {
  std::string valid;
  valid.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const char32_t code = NextWtf8(text, pos);
    utf8::Append(valid, code >= 0xD800 && code <= 0xDFFF ? U'\uFFFD' : code);
  }
  return MarkedValueBytes(valid, AnsiCodePage());
}

}  // namespace barloom
