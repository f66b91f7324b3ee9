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
