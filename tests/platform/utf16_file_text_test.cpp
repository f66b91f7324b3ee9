#include "platform/code_page.h"

#include <gtest/gtest.h>

#include <string>

namespace barloom {
namespace {

using namespace std::string_literals;

// Every sequence of code units comes back unchanged, paired or not; a pair is one character.
TEST(Utf16FileText, EveryCodeUnitRoundTrips) {
  struct Case {
    const char* What;
    std::string Units;
    std::string Text;
  };
  const Case cases[] = {
      {"ASCII keeps its bytes", "[\0S\0]\0"s, "[S]"},
      {"two-byte character", "\xE4\0"s, "\xC3\xA4"},
      {"pair: one character", "\x3D\xD8\x00\xDE"s, "\xF0\x9F\x98\x80"},
      {"lone high surrogate", "\x00\xD8" "a\0"s, "\xED\xA0\x80" "a"},
      {"lone low surrogate", "\x00\xDC"s, "\xED\xB0\x80"},
      {"low before high: two lone ones", "\x00\xDC\x00\xD8"s, "\xED\xB0\x80\xED\xA0\x80"},
      {"high surrogate last", "a\0\xFF\xDB"s, "a\xED\xAF\xBF"},
      {"U+FFFF", "\xFF\xFF"s, "\xEF\xBF\xBF"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Wtf8FromUtf16Le(c.Units), c.Text) << c.What;
    EXPECT_EQ(Utf16LeFromWtf8(c.Text), c.Units) << c.What;
  }
}

TEST(Utf16FileText, AnsiConversionMarksWhatTheCodePageCannotHold) {
  EXPECT_EQ(Utf16FileTextFromAnsi("\xE4"), "\xC3\xA4");
  EXPECT_EQ(Utf16FileTextFromAnsi("\xEF\xBB\xBF\xC4\x80"), "\xC4\x80");
  EXPECT_EQ(AnsiFromUtf16FileText("\xC3\xA4"), "\xE4");
  EXPECT_EQ(AnsiFromUtf16FileText("\xC4\x80"), "\xEF\xBB\xBF\xC4\x80");
  EXPECT_EQ(AnsiFromUtf16FileText("a\xED\xA0\x80"), "\xEF\xBB\xBF" "a\xEF\xBF\xBD");
}

}  // namespace
}  // namespace barloom
