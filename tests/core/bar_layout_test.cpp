#include "core/bar_layout.h"

#include <gtest/gtest.h>

#include "core/commander_path.h"
#include "tests/core/test_support.h"

namespace barloom {
namespace {

using core_testing::NativePath;
using core_testing::Windows1252;

std::string Golden(std::string_view name) {
  const auto bytes = test_support::ReadBytes(std::string{BARLOOM_SOURCE_DIR} + "/tests/core/golden/" + std::string{name});
  EXPECT_TRUE(bytes.has_value()) << name;
  return bytes.value_or("");
}

SetPaths SetOf(int count, std::string_view saveFolder, std::string_view appFolder, std::string_view prefix) {
  return core_testing::PathsOf(count, saveFolder, appFolder, prefix);
}

#ifdef _WIN32
// The example set: a program in C:\TC\Tools\ writing two bars to C:\TC\bars\ while COMMANDER_PATH is C:\TC.
TEST(GeneratedBar, TwoBarExampleByteForByte) {
  const SetPaths state = SetOf(2, "C:\\TC\\bars\\", "C:\\TC\\Tools\\", "Bar_");
  const auto folder = AddBackslash("C:\\TC");
  EXPECT_EQ(GeneratedBarBytes(state, 1, folder, Windows1252), Golden("two_bars/Bar_01.bar"));
  EXPECT_EQ(GeneratedBarBytes(state, 2, folder, Windows1252), Golden("two_bars/Bar_02.bar"));
}
#endif

// Twenty bars saved outside Total Commander's folder: commands stay full paths, icons are folded.
// The golden files use "\"; the portable build compares them with its own separator.
TEST(GeneratedBar, TwentyBarSetByteForByte) {
  const SetPaths state = SetOf(20, NativePath("D:\\Bars\\Work Set\\"),
                                  NativePath("C:\\Program Files\\totalcmd\\Plugins\\Barloom\\"), "Set_");
  const std::optional<std::string> folder = NativePath("C:\\Program Files\\totalcmd\\");
  for (int bar = 1; bar <= 20; ++bar) {
    const std::string expected = NativePath(Golden("twenty_bars/Set_" + TwoDigitNumber(bar) + ".bar"));
    EXPECT_EQ(GeneratedBarBytes(state, bar, folder, Windows1252), expected) << "bar " << bar;
  }
}

TEST(GeneratedBar, LinesCountsAndOwnButton) {
  for (const int count : {2, 7, 20}) {
    const SetPaths state = SetOf(count, NativePath("D:\\B\\"), NativePath("C:\\A\\"), "Bar_");
    for (const int bar : {1, count}) {
      const std::string bytes = GeneratedBarBytes(state, bar, std::nullopt, Windows1252);
      std::size_t lines = 0;
      for (std::size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + 2)) ++lines;
      EXPECT_EQ(lines, static_cast<std::size_t>(3 * count + 6));
      EXPECT_EQ(bytes.find('\n'), bytes.find("\r\n") + 1);  // no bare line feeds
      EXPECT_TRUE(bytes.ends_with("\r\n"));
      EXPECT_NE(bytes.find("Buttoncount=" + std::to_string(count + 2) + "\r\n"), std::string::npos);
      const std::string own = "button" + std::to_string(bar) + "=" + NativePath("C:\\A\\icons\\Dn_") +
                              TwoDigitNumber(bar) + ".ico\r\n";
      EXPECT_NE(bytes.find(own), std::string::npos);
      EXPECT_NE(bytes.find("\r\nbutton" + std::to_string(count + 1) + "=\r\n"), std::string::npos);
      EXPECT_TRUE(bytes.ends_with("menu" + std::to_string(count + 2) + "=This is the first button in button bar No. " +
                                  std::to_string(bar) + "\r\n"));
    }
  }
}

TEST(GeneratedBar, AFolderTheCodePageCannotHoldIsNeverWrittenAsQuestionMarks) {
  const SetPaths state = SetOf(2, NativePath("D:\\Панели\\"), NativePath("C:\\App\\"), "Bar_");
  const std::string bytes = GeneratedBarBytes(state, 1, std::nullopt, Windows1252);
  EXPECT_EQ(bytes.find('?'), std::string::npos);
  EXPECT_NE(bytes.find("\r\ncmd1=\xEF\xBB\xBF" + NativePath("D:\\Панели\\Bar_01.bar") + "\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("\r\nbutton1=" + NativePath("C:\\App\\icons\\Dn_01.ico") + "\r\n"), std::string::npos);
}

}  // namespace
}  // namespace barloom
