#include "platform/code_page.h"
#include "platform/path_text.h"

#include <gtest/gtest.h>

#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace barloom {
namespace {

constexpr unsigned SingleBytePages[] = {874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258};

std::string AllBytes() {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  return bytes;
}

TEST(CodePage, EveryByteRoundTripsInEverySingleBytePage) {
  const std::string bytes = AllBytes();
  for (const unsigned codePage : SingleBytePages) {
    const std::string text = DecodeCodePage(bytes, codePage);
    ASSERT_TRUE(IsValidUtf8(text)) << codePage;
    EXPECT_EQ(EncodeCodePage(text, codePage), bytes) << codePage;
    // And byte for byte, so that no two bytes share a character.
    for (int b = 0; b < 256; ++b) {
      const std::string one(1, static_cast<char>(b));
      EXPECT_EQ(EncodeCodePage(DecodeCodePage(one, codePage), codePage), one) << codePage << " byte " << b;
    }
  }
}

// Both builds must agree on these, the portable tables with the system's conversion.
TEST(CodePage, BytesDecodeToTheCharactersWindowsGivesThem) {
  struct Case {
    unsigned CodePage;
    unsigned char Byte;
    const char* Utf8;
  };
  const Case cases[] = {
      {1252, 0x80, "\u20AC"},  {1252, 0xE9, "\u00E9"},  {1252, 0x9F, "\u0178"},
      {1252, 0x81, "\u0081"},  {1252, 0x9D, "\u009D"},  // undefined: the C1 control of that value
      {1251, 0xC0, "\u0410"},  {1251, 0xFF, "\u044F"},  {1251, 0x88, "\u20AC"},  {1251, 0x98, "\u0098"},
      {1250, 0x8A, "\u0160"},  {1250, 0xF8, "\u0159"},  {1253, 0xC1, "\u0391"},  {1253, 0xAA, "\uF8F9"},
      {1254, 0xF0, "\u011F"},  {1254, 0xDD, "\u0130"},  {1255, 0xE0, "\u05D0"},  {1255, 0xCA, "\u05BA"},
      {1255, 0xD9, "\uF88D"},  {1256, 0xC7, "\u0627"},  {1256, 0x81, "\u067E"},  {1257, 0xE0, "\u0105"},
      {1257, 0xA1, "\uF8FC"},  {1258, 0xD2, "\u0309"},  {1258, 0xF0, "\u0111"},  {874, 0xA1, "\u0E01"},
      {874, 0xDB, "\uF8C1"},   {874, 0xFF, "\uF8C8"},   {874, 0x85, "\u2026"},
  };
  for (const Case& c : cases) {
    const std::string byte(1, static_cast<char>(c.Byte));
    EXPECT_EQ(DecodeCodePage(byte, c.CodePage), c.Utf8) << c.CodePage << " byte " << int{c.Byte};
  }
}

TEST(CodePage, TextEncodesToItsCodePageBytes) {
  struct Case {
    const char* Utf8;
    unsigned CodePage;
    const char* Bytes;
  };
  const Case cases[] = {
      {"", 1252, ""},
      {"plain ASCII ~\x7F", 1252, "plain ASCII ~\x7F"},
      {"C:\\M\u00FCller\\\u20AC", 1252, "C:\\M\xFCller\\\x80"},
      {"\u041F\u0430\u043F\u043A\u0430", 1251, "\xCF\xE0\xEF\xEA\xE0"},
      {"\u05E9\u05DC\u05D5\u05DD", 1255, "\xF9\xEC\xE5\xED"},
      {"\u0394\u03AF\u03C3\u03BA\u03BF\u03C2", 1253, "\xC4\xDF\xF3\xEA\xEF\xF2"},
      {"\u0E44\u0E17\u0E22", 874, "\xE4\xB7\xC2"},
      {"\u015F\u0130", 1254, "\xFE\xDD"},
      {"\u0111\u0300", 1258, "\xF0\xCC"},  // a combining mark stays its own byte
  };
  for (const Case& c : cases) EXPECT_EQ(EncodeCodePage(c.Utf8, c.CodePage), std::string(c.Bytes)) << c.Utf8;
}

// A character the page cannot hold makes the whole text unconvertible: never "?", never a
// best-fit look-alike ("A" for "Ā", "8" for "∞").
TEST(CodePage, UnmappableOrInvalidTextGivesNothing) {
  struct Case {
    const char* Utf8;
    unsigned CodePage;
  };
  const Case cases[] = {
      {"\u0100", 1252},          {"\u221E", 1252},       {"a\u041Fb", 1252},       {"\u65E5\u672C", 1252},
      {"\U0001F600", 1252},      {"\u00E9", 1251},       {"\u0410", 1253},         {"\u05D0", 1256},
      {"\u00C0", 1250},          {"\u0E01", 1252},       {"\u0080", 1252},
      {"\xC3", 1252},            // truncated sequence
      {"\xC0\xAF", 1252},        // overlong "/"
      {"\xED\xA0\x80", 1252},    // a surrogate half
      {"\xF4\x90\x80\x80", 1252},  // past U+10FFFF
      {"\x80", 1252},            // stray continuation byte
      {"\xC3", Utf8CodePage},
  };
  for (const Case& c : cases) EXPECT_EQ(EncodeCodePage(c.Utf8, c.CodePage), std::nullopt) << c.Utf8 << " " << c.CodePage;
}

TEST(CodePage, Utf8CodePagePassesValidTextAndRepairsInvalidBytes) {
  const std::string text = "\u041F\u65E5\U0001F600";
  EXPECT_EQ(DecodeCodePage(text, Utf8CodePage), text);
  EXPECT_EQ(EncodeCodePage(text, Utf8CodePage), text);
  EXPECT_EQ(DecodeCodePage("a\xFF" "b", Utf8CodePage), "a\uFFFD" "b");
  // A character broken off is one U+FFFD, as Unicode recommends; a stray byte is one each.
  EXPECT_EQ(DecodeCodePage("a\xE2\x82" "b\xF0\x9F\x98", Utf8CodePage), "a\uFFFD" "b\uFFFD");
#ifndef _WIN32
  // Overlong forms and surrogates: one mark per byte, as Unicode recommends (the system's
  // decoder under Wine counts some of them differently).
  std::string sevenMarks;
  for (int i = 0; i < 7; ++i) sevenMarks += "\uFFFD";
  EXPECT_EQ(DecodeCodePage("\xC0\xAF\xE0\x80\xED\xA0\x80", Utf8CodePage), sevenMarks);
#endif
}

TEST(CodePage, ValidUtf8IsRecognised) {
  struct Case {
    const char* Text;
    bool Valid;
  };
  const Case cases[] = {
      {"", true},
      {"abc", true},
      {"\u00E9\u20AC\U0010FFFF", true},
      {"\xEF\xBB\xBF" "x", true},
      {"\xE2\x82", false},
      {"\xE0\x80\x80", false},
      {"\xF5\x80\x80\x80", false},
      {"\xFF", false},
      {"\xC2" "A", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsValidUtf8(c.Text), c.Valid) << c.Text;
}

TEST(CodePage, CharsetsGiveTheirCodePages) {
  const unsigned ansi = AnsiCodePage();
  struct Case {
    int Charset;
    unsigned CodePage;
    bool Known;
  };
  // 0 is the ANSI character set proper, which fonts show as 1252 whatever the system's page.
  const Case cases[] = {
      {0, 1252, true},     {1, ansi, true},      {2, ansi, true},      {161, 1253, true},
      {162, 1254, true},   {163, 1258, true},    {177, 1255, true},    {178, 1256, true},
      {186, 1257, true},   {204, 1251, true},    {222, 874, true},     {238, 1250, true},
      {128, 932, true},    {129, 949, true},     {134, 936, true},     {136, 950, true},
      {77, 10000, true},   {130, 1361, true},    {255, OemCodePage(), true},
      {3, ansi, false},    {254, ansi, false},   {-1, ansi, false},    {1251, ansi, false},
      {32767, ansi, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CodePageForCharset(c.Charset), c.CodePage) << c.Charset;
    EXPECT_EQ(IsKnownCharset(c.Charset), c.Known) << c.Charset;
  }
}

#ifdef _WIN32
TEST(CodePage, DoubleBytePagesUseTheSystemTables) {
  EXPECT_EQ(DecodeCodePage("\x93\xFA\x96\x7B", 932), "\u65E5\u672C");
  EXPECT_EQ(EncodeCodePage("\u65E5\u672C", 932), std::string("\x93\xFA\x96\x7B"));
  EXPECT_EQ(AnsiCodePage(), GetACP());
  EXPECT_EQ(OemCodePage(), GetOEMCP());
  // A code page the system does not know reads as the ANSI code page: no byte is dropped.
  EXPECT_EQ(DecodeCodePage("abc\xE9\x81", 12345), DecodeCodePage("abc\xE9\x81", AnsiCodePage()));
}
#else
TEST(CodePage, PortableBuildReadsUntabledPagesAsItsAnsiPage) {
  EXPECT_EQ(AnsiCodePage(), 1252u);
  const std::string bytes = AllBytes();
  for (const unsigned codePage : {932u, 949u, 936u, 950u, 437u, 0u}) {
    EXPECT_EQ(DecodeCodePage(bytes, codePage), DecodeCodePage(bytes, 1252)) << codePage;
    EXPECT_EQ(EncodeCodePage(DecodeCodePage(bytes, codePage), codePage), bytes) << codePage;
  }
}
#endif

TEST(CodePage, PathsKeepEveryCharacter) {
  const std::string names[] = {
      "plain.bar",
      "C:\\Users\\M\u00FCller\\\u041F\u0430\u043F\u043A\u0430\\\u65E5\u672C\\Bar_01.bar",
      "/home/\u05D0\u05D1/\U0001F600 x/",
      "",
  };
  for (const std::string& name : names) EXPECT_EQ(Utf8FromPath(PathFromUtf8(name)), name);
#ifdef _WIN32
  EXPECT_EQ(PathFromUtf8("\u041F\U0001F600").native(), std::wstring(L"\u041F\U0001F600"));
#endif
  // Invalid UTF-8 never throws. Windows names are UTF-16: there the byte becomes U+FFFD; elsewhere
  // a name is bytes, kept as they are.
#ifdef _WIN32
  EXPECT_EQ(Utf8FromPath(PathFromUtf8("a\xFF" "b")), "a\xEF\xBF\xBD" "b");
#else
  EXPECT_EQ(Utf8FromPath(PathFromUtf8("a\xFF" "b")), "a\xFF" "b");
#endif
}

TEST(CodePage, MarkedValuesUseTheCodePageWhereItCanUtf8WithTheMarkWhereItCannot) {
  EXPECT_EQ(MarkedValueBytes("C:\\Ärger", 1252), "C:\\\xC4rger");
  EXPECT_EQ(MarkedValueBytes("C:\\Папка", 1252), "\xEF\xBB\xBF" "C:\\Папка");
  EXPECT_EQ(MarkedValueBytes("C:\\Папка", 1251), "C:\\\xCF\xE0\xEF\xEA\xE0");
  EXPECT_EQ(MarkedValueBytes("C:\\漢字", 1252), "\xEF\xBB\xBF" "C:\\漢字");
  // Code-page bytes that begin like the mark would be read back as UTF-8: they are marked too.
  EXPECT_EQ(MarkedValueBytes("ï»¿x", 1252), "\xEF\xBB\xBF" "ï»¿x");
}

}  // namespace
}  // namespace barloom
