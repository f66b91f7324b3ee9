#include "platform/ascii_text.h"

#include <gtest/gtest.h>

namespace barloom {
namespace {

TEST(AsciiText, TrimsOnlyTheBlanksOfItsSet) {
  constexpr ByteSet Ini{" \t\x1A"};
  EXPECT_EQ(Trim(" \t a b \t ", SpacesAndTabs), "a b");
  EXPECT_EQ(Trim("\t a \t", Spaces), "\t a \t");
  EXPECT_EQ(Trim("\x1A\xA0x\x1A", Ini), "\xA0x");  // NBSP and other high bytes are never blanks
  EXPECT_EQ(TrimLeft("  a  ", Spaces), "a  ");
  EXPECT_EQ(TrimRight("  a \r\n", SpacesAndLineBreaks), "  a");
  EXPECT_EQ(Trim("   ", Spaces), "");
}

TEST(AsciiText, FoldsAsciiLettersOnly) {
  EXPECT_TRUE(EqualIgnoringAsciiCase("ButtonBar", "BUTTONbar"));
  EXPECT_FALSE(EqualIgnoringAsciiCase("\xC4", "\xE4"));  // Ä and ä in 1252: not ASCII
  EXPECT_FALSE(EqualIgnoringAsciiCase("@[", "`{"));      // the neighbours of the letters
  EXPECT_FALSE(EqualIgnoringAsciiCase("ab", "abc"));
  EXPECT_TRUE(HasLineBreak("a\rb"));
  EXPECT_TRUE(HasLineBreak("a\nb"));
  EXPECT_FALSE(HasLineBreak("a\x0B\x0C" "b"));
}

}  // namespace
}  // namespace barloom
