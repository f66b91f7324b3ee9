#include "localisation/get_text.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "localisation/builtin_texts.h"
#include "localisation/language_file.h"
#include "platform/code_page.h"
#include "platform/path_text.h"
#include "platform/utf8.h"
#include "settings/settings_file.h"
#include "tests/localisation/language_test_support.h"
#include "tests/support/text_lookup.h"

namespace barloom {
namespace {

using test_support::TempFolder;

std::string BuiltIn(int id) { return std::string(FindBuiltInText(id).value()); }

using GetTextTest = test_support::LanguageFileTest;

TEST_F(GetTextTest, NonZeroUseDefaultLanguageGivesBuiltInTextsWhateverTheFileSays) {
  for (int useDefault : {1, -1, 32767}) {
    Settings settings = UsingFile("[UserLanguage]\r\n101=Datei\r\n");
    settings.UseDefaultLanguage = static_cast<std::int16_t>(useDefault);
    EXPECT_EQ(GetText(101, settings), "&File") << useDefault;
  }
}

TEST_F(GetTextTest, ValuesOfTheLanguageFile) {
  const std::string longValue(5000, 'x');
  struct Case {
    std::string_view Name;
    std::string Line;  // the line after [UserLanguage]
    std::string Expected;
  };
  const Case cases[] = {
      {"plain translation", "101=&Datei", "&Datei"},
      {"blanks around the value dropped", "101=   &Datei  ", "&Datei"},
      {"one pair of quotes dropped", "101=\" &Datei \"", " &Datei "},
      {"empty value", "101=", BuiltIn(101)},
      {"blank value", "101=   ", BuiltIn(101)},
      {"built-in marker", "101=/e", BuiltIn(101)},
      {"built-in marker in capitals", "101=/E", BuiltIn(101)},
      {"built-in marker with blanks inside quotes", "101=\"  /E \"", BuiltIn(101)},
      {"built-in marker with a tab", "101=\"\t/e\"", BuiltIn(101)},
      {"not the marker", "101=/ex", "/ex"},
      {"not the marker either", "101=e/", "e/"},
      {"key name blanks trimmed", "  101  = Datei", "Datei"},
      {"key with a leading zero is another key", "0101=Datei", BuiltIn(101)},
      {"key with a sign is another key", "+101=Datei", BuiltIn(101)},
      {"key names ignore case (nothing to ignore in digits)", "101=Datei", "Datei"},
      {"markup is shown literally", "101=<b>Datei</b>", "<b>Datei</b>"},
      {"format directives are shown literally", "101=%s %d %n %%{0}", "%s %d %n %%{0}"},
      {"doubled ampersand kept as written", "101=A && B", "A && B"},
      {"cut to 4095 bytes", "101=" + longValue, std::string(4095, 'x')},
  };
  for (const Case& c : cases) {
    const Settings settings = UsingFile("[UserLanguage]\r\n" + c.Line + "\r\n");
    EXPECT_EQ(GetText(101, settings), c.Expected) << c.Name;
  }
}

TEST_F(GetTextTest, OnlyTheUserLanguageSectionCounts) {
  const Settings settings = UsingFile(
      "101=top\r\n[Other]\r\n101=other\r\n110=other exit\r\n"
      "[UserLanguage]\r\n150=&Optionen\r\n[userlanguage]\r\n110=dup\r\n");
  EXPECT_EQ(GetText(101, settings), "&File");
  EXPECT_EQ(GetText(110, settings), "E&xit");  // a duplicate section is not searched
  EXPECT_EQ(GetText(150, settings), "&Optionen");
}

TEST_F(GetTextTest, UnusableFilesGiveTheBuiltInTexts) {
  static constexpr char NulFile[] = "\0[UserLanguage]\0\r\n\0" "101=x";
  std::string binary;
  for (int i = 0; i < 4096; ++i) binary.push_back(static_cast<char>((i * 37 + 11) % 256));
  struct Case {
    std::string_view Name;
    std::optional<std::string> File;
  };
  const Case cases[] = {
      {"no file set", std::nullopt},
      {"missing file", folder_.PathOf("Missing.lng")},
      {"missing folder", folder_.PathOf("nowhere/Missing.lng")},
      {"a folder instead of a file", Utf8FromPath(folder_.Path())},
      {"empty file", folder_.Write("Empty.lng", "")},
      {"binary file", folder_.Write("Binary.lng", binary)},
      {"NUL bytes around the header", folder_.Write("Nul.lng", std::string(NulFile, sizeof NulFile - 1))},
      {"empty path", std::string()},
  };
  for (const Case& c : cases) {
    Settings settings;
    settings.UseDefaultLanguage = 0;
    settings.LanguageFile = c.File;
    for (const auto& entry : BuiltInTexts()) {
      EXPECT_EQ(GetText(entry.Id, settings), entry.Text) << c.Name << ", ID " << entry.Id;
    }
  }
}

TEST_F(GetTextTest, IdsWithoutBuiltInText) {
  const Settings settings = UsingFile("[UserLanguage]\r\n4242=Extra\r\n-7=Negative\r\n0=Zero\r\n");
  EXPECT_EQ(GetText(4242, settings), "Extra");
  EXPECT_EQ(GetText(-7, settings), "Negative");
  EXPECT_EQ(GetText(0, settings), "Zero");
  EXPECT_EQ(GetText(4243, settings), "");
  Settings builtIn;
  EXPECT_EQ(GetText(4242, builtIn), "");
}

TEST_F(GetTextTest, EightBitTextIsDecodedWithTheCodePageOfFontScript) {
  // 0xE4 0xF9 is "äù" in Windows-1252, "дщ" in 1251, "הש" in 1255, "δω" in 1253.
  const std::string file = "[UserLanguage]\r\n101=\xE4\xF9\r\n";
  EXPECT_EQ(GetText(101, UsingFile(file, 204)), "дщ");
  EXPECT_EQ(GetText(101, UsingFile(file, 177)), "הש");
  EXPECT_EQ(GetText(101, UsingFile(file, 161)), "δω");
  EXPECT_EQ(GetText(101, UsingFile(file, 1)), DecodeCodePage("\xE4\xF9", AnsiCodePage()));
  if (AnsiCodePage() == 1252) {
    EXPECT_EQ(GetText(101, UsingFile(file, 0)), "äù");
  }
}

TEST_F(GetTextTest, AFileWithTheUtf8MarkIsReadAsUtf8WhateverFontScriptSays) {
  const std::string file = "\xEF\xBB\xBF[UserLanguage]\r\n101=&Файл קובץ\r\n110=/E\r\n";
  for (int fontScript : {0, 1, 177, 204, 238}) {
    EXPECT_EQ(GetText(101, UsingFile(file, fontScript)), "&Файл קובץ") << fontScript;
    EXPECT_EQ(GetText(110, UsingFile(file, fontScript)), "E&xit") << fontScript;
  }
  // Without the mark the same bytes are 8-bit text of the font's code page.
  EXPECT_EQ(GetText(101, UsingFile(file.substr(3), 204)),
            DecodeCodePage("&\xD0\xA4\xD0\xB0\xD0\xB9\xD0\xBB \xD7\xA7\xD7\x95\xD7\x91\xD7\xA5", 1251));
}

// "Unicode" as Notepad saves it: UTF-16 LE behind its mark.
std::string Utf16LeFile(std::string_view utf8Text) {
  std::string bytes = "\xFF\xFE";
  for (std::size_t pos = 0; pos < utf8Text.size();) {
    const char32_t c = utf8::Next(utf8Text, pos);  // the test texts lie in the basic plane
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>((c >> 8) & 0xFF);
  }
  return bytes;
}

TEST_F(GetTextTest, AUtf16FileIsReadAsTheUnicodeItHoldsWhateverFontScriptSays) {
  const std::string file = Utf16LeFile("[UserLanguage]\r\nRightToLeftLanguage=1\r\n101=&Файл קובץ\r\n110=/E\r\n150=Été\r\n");
  for (int fontScript : {0, 1, 177, 204, 238}) {
    EXPECT_EQ(GetText(101, UsingFile(file, fontScript)), "&Файл קובץ") << fontScript;
    EXPECT_EQ(GetText(110, UsingFile(file, fontScript)), "E&xit") << fontScript;
    EXPECT_EQ(GetText(150, UsingFile(file, fontScript)), "Été") << fontScript;
    EXPECT_TRUE(ReadRightToLeftLanguage(UsingFile(file, fontScript))) << fontScript;
  }
}

TEST_F(GetTextTest, BrokenUtf8IsRepairedNeverPassedOn) {
  const std::string mark = "\xEF\xBB\xBF";
  // A stray byte becomes U+FFFD.
  EXPECT_EQ(GetText(101, UsingFile(mark + "[UserLanguage]\r\n101=a\xFF" "b\xC0\xAF" "c\r\n")),
            "a\xEF\xBF\xBD" "b\xEF\xBF\xBD\xEF\xBF\xBD" "c");
  // A character broken in the file is one U+FFFD, also at the end of a value.
  const std::string broken = "\xE2\x82";  // the first two bytes of a three-byte character
  EXPECT_EQ(GetText(110, UsingFile(mark + "[UserLanguage]\r\n110=" + broken + "\r\n")), "\xEF\xBF\xBD");
  EXPECT_EQ(GetText(101, UsingFile(mark + "[UserLanguage]\r\n101=ab" + broken + "\r\n")), "ab\xEF\xBF\xBD");
  EXPECT_EQ(ReadLanguageText(110, UsingFile(mark + "[UserLanguage]\r\n110=" + broken)), "\xEF\xBF\xBD");
  // A character cut by the 4095-byte limit is dropped, not shown half.
  std::string value(4094, 'x');
  value += "\xD7\xA9";  // bytes 4095 and 4096: the second is cut off
  const std::string text = GetText(101, UsingFile(mark + "[UserLanguage]\r\n101=" + value + "\r\n"));
  EXPECT_EQ(text, std::string(4094, 'x'));
}

TEST_F(GetTextTest, RightToLeftLanguageIsReadLenientlyWithin16Bits) {
  struct Case {
    std::string_view Line;
    bool Expected;
  };
  const Case cases[] = {
      {"", false},
      {"RightToLeftLanguage=1", true},
      {"righttoleftlanguage = 1", true},
      {"RightToLeftLanguage=0", false},
      {"RightToLeftLanguage=", false},
      {"RightToLeftLanguage=yes", false},
      {"RightToLeftLanguage=2 (Arabic)", true},
      {"RightToLeftLanguage=-1", true},
      {"RightToLeftLanguage=0.5", false},  // halves go to the even neighbour
      {"RightToLeftLanguage=1.5", true},
      {"RightToLeftLanguage=32767", true},
      {"RightToLeftLanguage=-32768", true},
      {"RightToLeftLanguage=32768", false},
      {"RightToLeftLanguage=65536", false},
      {"RightToLeftLanguage=1E300", false},
      {"RightToLeftLanguage=1E999", false},
      {"RightToLeftLanguage=&H1", true},
  };
  for (const Case& c : cases) {
    const Settings settings = UsingFile("[UserLanguage]\r\n" + std::string(c.Line) + "\r\n");
    EXPECT_EQ(ReadRightToLeftLanguage(settings), c.Expected) << c.Line;
  }
  EXPECT_TRUE(ReadRightToLeftLanguage(UsingFile("\xEF\xBB\xBF[UserLanguage]\r\nRightToLeftLanguage=1\r\n")));
}

}  // namespace
}  // namespace barloom
