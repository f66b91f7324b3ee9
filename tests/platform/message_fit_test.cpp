#include "platform/message_fit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/utf8.h"

namespace barloom {
namespace {

// A font in which every character is 10 pixels wide, and a box of 400 by 100 pixels (five lines
// of 20) that breaks lines at 200.
int Width(std::string_view line) {
  int characters = 0;
  for (std::size_t at = 0; at < line.size(); utf8::Next(line, at)) ++characters;
  return 10 * characters;
}
constexpr MessageRoom Room{400, 100, 20, 200};

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end == std::string::npos ? end : end - start));
    if (end == std::string::npos) return lines;
    start = end + 1;
  }
}

std::string Repeated(std::string_view piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

TEST(FitMessage, CutsLongValuesInTheMiddleAndLongMessagesBetweenTheirLines) {
  const std::string path = "C:\\bars\\" + std::string(5000, 'x') + "\\end";
  const std::string hebrew = Repeated("\u05E9\u05DC\u05D5\u05DD ", 20000);  // 100,000 characters, 180 KB
  const std::string emoji = Repeated("\U0001F600", 100);                       // 4 bytes each
  struct Case {
    const char* Name;
    std::string Text;
    std::vector<std::string> Expected;  // "": any text; a line of "<cut>": the line's head ... tail
  };
  const Case cases[] = {
      {"fits as it is", "The folder could not be created.\n\nC:\\bars", {"The folder could not be created.", "", "C:\\bars"}},
      {"a long path keeps its start and its end",
       "Problem\n" + path,
       {"Problem", "C:\\bars\\" + std::string(11, 'x') + "\u2026" + std::string(15, 'x') + "\\end"}},
      {"a right-to-left caption of 100,000 characters",
       hebrew,
       {Repeated("\u05E9\u05DC\u05D5\u05DD ", 3) + "\u05E9\u05DC\u05D5\u05DD\u2026\u05DC\u05D5\u05DD " +
        Repeated("\u05E9\u05DC\u05D5\u05DD ", 3)}},
      {"characters of four bytes are never split", emoji, {Repeated("\U0001F600", 19) + "\u2026" + Repeated("\U0001F600", 19)}},
      {"broken bytes are cut as characters", std::string(100, '\xE9'),
       {Repeated("\uFFFD", 19) + "\u2026" + Repeated("\uFFFD", 19)}},
      // Lines of 30 characters take two rows at 200 pixels: two of them and the ellipsis fill the five rows.
      {"too many lines: the first and the last stay",
       "first " + std::string(24, 'a') + "\n2\n3\n4\n5\nlast " + std::string(25, 'z'),
       {"first " + std::string(24, 'a'), "\u2026", "last " + std::string(25, 'z')}},
      {"too many short lines", "1\n2\n3\n4\n5\n6\n7", {"1", "2", "\u2026", "6", "7"}},
      // 56 characters: wider than a line, three rows at 200 pixels: the box breaks it at its spaces.
      {"a sentence wider than a line stays whole", Repeated("a sentence ", 5) + "whole",
       {Repeated("a sentence ", 5) + "whole"}},
      {"a sentence with a word wider than a line", "See " + path,
       {"See C:\\bars\\" + std::string(7, 'x') + "\u2026" + std::string(15, 'x') + "\\end"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::string fitted = FitMessage(c.Text, Room, Width);
    EXPECT_EQ(LinesOf(fitted), c.Expected);
    for (const std::string& line : LinesOf(fitted))
      for (std::size_t start = 0; start <= line.size();) {
        const std::size_t end = std::min(line.find(' ', start), line.size());
        EXPECT_LE(Width(line.substr(start, end - start)), Room.MaxLineWidth) << "every word fits a line";
        start = end + 1;
      }
  }
}

TEST(FitMessage, AMegabyteLineIsNeverMeasuredWhole) {
  std::size_t longest = 0;
  const std::string fitted = FitMessage(std::string(1 << 20, 'p'), Room, [&](std::string_view line) {
    longest = std::max(longest, line.size());
    return Width(line);
  });
  EXPECT_EQ(fitted, std::string(19, 'p') + "\u2026" + std::string(19, 'p'));
  EXPECT_LE(longest, 2u * Room.MaxLineWidth + 3);
}

}  // namespace
}  // namespace barloom
