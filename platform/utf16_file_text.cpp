#include "platform/utf16_file_text.h"

#include "platform/code_page.h"
#include "platform/utf8.h"

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
