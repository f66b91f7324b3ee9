#include "settings/profile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "platform/not_found_marker.h"
#include "tests/support/temp_folder.h"

namespace barloom {
namespace {

constexpr std::string_view Mark = "\xEF\xBB\xBF";
const std::string CyrillicPath = "C:\\\u041F\u0430\u043F\u043A\u0430\\\u65E5\u672C\\bars";  // C:\Папка\日本\bars

class ProfileTest : public ::testing::Test {
 protected:
  std::string Ini(std::string_view bytes) { return folder_.Write("test.ini", bytes); }
  std::string File() const { return folder_.PathOf("test.ini"); }
  std::string Bytes() const { return folder_.Read("test.ini"); }

  test_support::TempFolder folder_{test_support::BeyondAnsiTag};
  cProfile profile_;
};

TEST_F(ProfileTest, MissingFileSectionOrKeyGivesTheDefault) {
  const std::string missingFile = File();
  Ini("[Other]\r\nKey=5\r\n[S]\r\nOtherKey=5\r\n");
  struct Case {
    std::string File;
    const char* Section;
  };
  const Case cases[] = {{missingFile + ".none", "S"}, {File(), "NoSection"}, {File(), "S"}};
  for (const Case& c : cases) {
    EXPECT_EQ(profile_.ReadIntegerValue(c.Section, "Key", "1", c.File), 1) << c.File << " " << c.Section;
    EXPECT_EQ(profile_.ReadStringValue(c.Section, "Key", "", c.File), "") << c.File << " " << c.Section;
    EXPECT_EQ(profile_.ReadStringValue(c.Section, "Key", NotFoundMarker, c.File), NotFoundMarker);
  }
  EXPECT_EQ(folder_.Read("test.ini.none"), "<missing>");  // reading creates nothing
}

TEST_F(ProfileTest, ReadsStoredValuesAndTheirLeadingNumbers) {
  const std::string file = Ini(
      "[S]\r\nEmpty=\r\nNumber=12abc\r\nWord=abc\r\nBlanks=   7   \r\nQuoted=\"  inner blanks  \"\r\n"
      "Half=2.5\r\nHex=&H1F\r\n");
  struct Case {
    const char* Key;
    const char* Text;
    double Number;
  };
  const Case cases[] = {
      {"Empty", "", 0},           // present but empty: not the default
      {"Number", "12abc", 12},
      {"Word", "abc", 0},
      {"Blanks", "7", 7},
      {"Quoted", "  inner blanks  ", 0},
      {"Half", "2.5", 2.5},
      {"Hex", "&H1F", 31},
      {"number", "12abc", 12},    // names match without regard to case
  };
  for (const Case& c : cases) {
    EXPECT_EQ(profile_.ReadStringValue("S", c.Key, "default", file), c.Text) << c.Key;
    EXPECT_EQ(profile_.ReadIntegerValue("S", c.Key, "1", file), c.Number) << c.Key;
  }
}

TEST_F(ProfileTest, ReadsAreCutToTheBufferWithoutEverFailing) {
  const std::string file = Ini("[S]\r\nLong=" + std::string(5000, 'x') + "\r\nShort=abc\r\nNumber=12345\r\n");
  EXPECT_EQ(profile_.ReadStringValue("S", "Long", "", file), std::string(4095, 'x'));
  struct Case {
    std::int32_t Size;
    const char* Text;
  };
  const Case cases[] = {
      {2, "a"},  {3, "ab"}, {4, "abc"}, {1, ""}, {0, ""}, {-1, ""}, {std::numeric_limits<std::int32_t>::min(), ""},
      {std::numeric_limits<std::int32_t>::max(), "abc"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(profile_.ReadStringValue("S", "Short", "default", file, c.Size), c.Text) << c.Size;
    EXPECT_EQ(profile_.ReadStringValue("S", "Missing", "abc", file, c.Size), c.Text) << c.Size;  // the default too
  }
  EXPECT_EQ(profile_.ReadIntegerValue("S", "Number", "1", file, 3), 12);
  EXPECT_EQ(profile_.ReadIntegerValue("S", "Number", "1", file, 0), 0);
}

TEST_F(ProfileTest, WritesTrimmedTextsAndCreatesTheFile) {
  const std::string file = File();
  profile_.WriteStringValue("Barloom", "LastPath", "  C:\\My Bars  ", file);
  EXPECT_EQ(Bytes(), "[Barloom]\r\nLastPath=C:\\My Bars\r\n");
  profile_.WriteStringValue("Barloom", "LastPath", "  C:\\My Bars  ", file, true);
  profile_.WriteStringValue("Barloom", "Tabs", "\tx\t", file);  // only spaces are trimmed
  profile_.WriteStringValue("Barloom", "Blank", "   ", file);
  EXPECT_EQ(Bytes(), "[Barloom]\r\nLastPath=\"C:\\My Bars\"\r\nTabs=x\t\r\nBlank=\r\n");
  EXPECT_EQ(profile_.ReadStringValue("Barloom", "LastPath", "", file), "C:\\My Bars");
  EXPECT_EQ(profile_.ReadStringValue("Barloom", "Blank", "default", file), "");
}

TEST_F(ProfileTest, NeverStoresTheNotFoundMarker) {
  const std::string file = File();
  for (const std::string& value : {std::string(NotFoundMarker), "  " + std::string(NotFoundMarker) + "  "}) {
    profile_.WriteStringValue("S", "Key", value, file);
    EXPECT_EQ(Bytes(), "<missing>");  // not even the file is created
  }
  profile_.WriteStringValue("S", "Key", "kept", file);
  for (const bool quoted : {false, true}) {
    profile_.WriteStringValue("S", "Key", NotFoundMarker, file, quoted);
    EXPECT_EQ(Bytes(), "[S]\r\nKey=kept\r\n");
  }
  // Only the exact text is refused.
  const std::string upper = "///CANNOT.FIND.THIS.DATA.HERE\\\\\\";
  profile_.WriteStringValue("S", "Key", upper, file);
  EXPECT_EQ(profile_.ReadStringValue("S", "Key", "", file), upper);
}

TEST_F(ProfileTest, WritesNumbersAsTheirShortestDecimalText) {
  const std::string file = File();
  struct Case {
    double Value;
    const char* Text;
  };
  const Case cases[] = {{1, "1"}, {-5, "-5"}, {0, "0"}, {2.5, "2.5"}, {-0.0, "0"}, {1e20, "100000000000000000000"}};
  for (const Case& c : cases) {
    profile_.WriteIntegerValue("S", "N", c.Value, file);
    EXPECT_EQ(Bytes(), "[S]\r\nN=" + std::string(c.Text) + "\r\n") << c.Value;
    EXPECT_EQ(profile_.ReadIntegerValue("S", "N", "", file), c.Value);
  }
  profile_.WriteIntegerValue("S", "N", std::numeric_limits<double>::infinity(), file);
  profile_.WriteIntegerValue("S", "N", std::numeric_limits<double>::quiet_NaN(), file);
  EXPECT_EQ(Bytes(), "[S]\r\nN=100000000000000000000\r\n");
}

TEST_F(ProfileTest, EveryCallGoesToTheFile) {
  const std::string file = Ini("[S]\r\nKey=1\r\n");
  EXPECT_EQ(profile_.ReadStringValue("S", "Key", "", file), "1");
  Ini("[S]\r\nKey=2\r\n");
  EXPECT_EQ(profile_.ReadStringValue("S", "Key", "", file), "2");
  profile_.WriteStringValue("S", "Key", "3", file);
  EXPECT_EQ(profile_.ReadStringValue("S", "Key", "", file), "3");
}

// The file holds the ANSI code page (1252 here); text beyond it goes as the mark and UTF-8.
TEST_F(ProfileTest, TextsTravelInTheAnsiCodePageOrAsMarkedUtf8) {
  const std::string file = File();
  struct Case {
    std::string Text;
    std::string Stored;
  };
  const Case cases[] = {
      {"M\u00FCller \u20AC", "M\xFCller \x80"},
      {CyrillicPath, std::string(Mark) + CyrillicPath},
      {"\u00EF\u00BB\u00BFabc", std::string(Mark) + "\u00EF\u00BB\u00BFabc"},  // its ANSI bytes would look like the mark
      {"\U0001F600", std::string(Mark) + "\U0001F600"},
  };
  for (const Case& c : cases) {
    profile_.WriteStringValue("S", "Value", c.Text, file);
    EXPECT_EQ(Bytes(), "[S]\r\nValue=" + c.Stored + "\r\n") << c.Text;
    EXPECT_EQ(profile_.ReadStringValue("S", "Value", "", file), c.Text);
  }
  // Quoted, the mark sits inside the quotes, where the reader finds it after removing them.
  profile_.WriteStringValue("S", "Value", CyrillicPath, file, true);
  EXPECT_EQ(Bytes(), "[S]\r\nValue=\"" + std::string(Mark) + CyrillicPath + "\"\r\n");
  EXPECT_EQ(profile_.ReadStringValue("S", "Value", "", file), CyrillicPath);
}

TEST_F(ProfileTest, ReadsValuesByTheirMark) {
  const std::string file = Ini("[S]\r\nUtf8=" + std::string(Mark) + "\u0416\u0416 \u65E5\r\nAnsi=\xC4\xE9\x81\r\n"
                               "NotUtf8=" + std::string(Mark) + "\xFF\xFE\r\nOnlyMark=" + std::string(Mark) + "\r\n");
  EXPECT_EQ(profile_.ReadStringValue("S", "Utf8", "", file), "\u0416\u0416 \u65E5");
  EXPECT_EQ(profile_.ReadStringValue("S", "Ansi", "", file), "\u00C4\u00E9\u0081");
  // Bytes after a mark that are no UTF-8 were not written as UTF-8: read as ANSI, mark and all.
  EXPECT_EQ(profile_.ReadStringValue("S", "NotUtf8", "", file), "\u00EF\u00BB\u00BF\u00FF\u00FE");
  EXPECT_EQ(profile_.ReadStringValue("S", "OnlyMark", "default", file), "");
  // Cut by the buffer in the middle of a character: the broken character is dropped.
  struct Case {
    std::int32_t Size;
    const char* Text;
  };
  const Case cases[] = {{6, "\u0416"}, {7, "\u0416"}, {8, "\u0416\u0416"}, {4, ""}, {3, "\u00EF\u00BB"}};
  for (const Case& c : cases) EXPECT_EQ(profile_.ReadStringValue("S", "Utf8", "", file, c.Size), c.Text) << c.Size;
}

TEST_F(ProfileTest, DefaultsComeBackAsTheSameText) {
  const std::string file = Ini("[S]\r\n");
  for (const std::string& text : {CyrillicPath, std::string("M\u00FCller"), std::string(NotFoundMarker)})
    EXPECT_EQ(profile_.ReadStringValue("S", "Missing", text, file), text);
  EXPECT_EQ(profile_.ReadIntegerValue("S", "Missing", "  42abc", file), 42);
}

// The program's names are ASCII; one the ANSI code page cannot hold names nothing in the file.
TEST_F(ProfileTest, NamesOutsideTheAnsiCodePageNeitherReadNorWrite) {
  const std::string file = File();
  profile_.WriteStringValue("\u0421\u0435\u043A\u0446\u0438\u044F", "Key", "v", file);
  profile_.WriteStringValue("S", "\u041A\u043B\u044E\u0447", "v", file);
  profile_.WriteIntegerValue("S", "\u041A\u043B\u044E\u0447", 1, file);
  EXPECT_EQ(Bytes(), "<missing>");
  Ini("[S]\r\n?=stored\r\n");
  EXPECT_EQ(profile_.ReadStringValue("S", "\u041A\u043B\u044E\u0447", "default", file), "default");
  EXPECT_EQ(profile_.ReadIntegerValue("S", "\u041A\u043B\u044E\u0447", "3", file), 3);
  // Names in the ANSI code page work like any other.
  profile_.WriteStringValue("\u00DCbersicht", "Gr\u00F6\u00DFe", "1", file);
  EXPECT_EQ(Bytes(), "[S]\r\n?=stored\r\n[\xDC" "bersicht]\r\nGr\xF6\xDF" "e=1\r\n");
  EXPECT_EQ(profile_.ReadStringValue("\u00DCbersicht", "Gr\u00F6\u00DFe", "", file), "1");
}

// Written raw, a line break would smuggle a line of its own into the file.
TEST_F(ProfileTest, TextsThatCannotStayOnOneLineAreNotWritten) {
  const std::string file = Ini("[S]\r\nKey=kept\r\n");
  const std::string values[] = {"C:\\x\r\nUseDefaultLanguage=0", "a\nb", "a\rb", std::string("a\0b", 3)};
  for (const std::string& value : values) profile_.WriteStringValue("S", "Key", value, file);
  profile_.WriteStringValue("S\r\n[T]", "Key", "v", file);
  profile_.WriteStringValue("S", "K\nX", "v", file);
  profile_.WriteIntegerValue("S", "K\r\nX", 1, file);
  EXPECT_EQ(Bytes(), "[S]\r\nKey=kept\r\n");
}

TEST_F(ProfileTest, WritesThatCannotHappenAreLostQuietly) {
  const std::string inMissingFolder = folder_.PathOf("no-such-folder") + "/x.ini";
  profile_.WriteStringValue("S", "Key", "v", inMissingFolder);
  profile_.WriteIntegerValue("S", "Key", 1, inMissingFolder);
  EXPECT_EQ(profile_.ReadStringValue("S", "Key", "default", inMissingFolder), "default");
}

}  // namespace
}  // namespace barloom
