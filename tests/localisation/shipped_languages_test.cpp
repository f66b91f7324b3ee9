// The language files that ship beside the program, read as the program reads them.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "localisation/builtin_texts.h"
#include "localisation/get_text.h"
#include "localisation/language_file.h"
#include "platform/code_page.h"
#include "platform/utf8.h"
#include "settings/settings_file.h"
#include "tests/localisation/language_test_support.h"

namespace barloom {
namespace {

using test_support::LanguageSettings;

Settings ShippedLanguage(std::string_view fileName, int fontScript) {
  return LanguageSettings(std::string(BARLOOM_SOURCE_DIR) + "/resources/Languages/" + std::string(fileName), fontScript);
}

// Code points of `text`; a decoding fault shows as U+FFFD or a C1 control (an undefined byte).
std::u32string CodePoints(std::string_view text) {
  std::u32string points;
  for (std::size_t pos = 0; pos < text.size();) points.push_back(utf8::Next(text, pos));
  return points;
}

bool LooksDecodedWell(std::string_view text) {
  for (char32_t c : CodePoints(text)) {
    if (c == utf8::Invalid || c == 0xFFFD || (c >= 0x80 && c <= 0x9F) || c < 0x20) return false;
  }
  return true;
}

bool HasAnyOf(std::string_view text, char32_t first, char32_t last) {
  for (char32_t c : CodePoints(text)) {
    if (c >= first && c <= last) return true;
  }
  return false;
}

bool HasHebrewLetter(std::string_view text) { return HasAnyOf(text, U'\u05D0', U'\u05EA'); }

TEST(ShippedLanguages, GermanDecodesItsUmlautsWithTheAnsiCodePage) {
  if (AnsiCodePage() != 1252) {
    GTEST_SKIP() << "the German file is Windows-1252; the ANSI code page is " << AnsiCodePage();
  }
  const Settings settings = ShippedLanguage("German.lng", 1);
  int withUmlaut = 0;
  for (const auto& entry : BuiltInTexts()) {
    const std::optional<std::string> text = ReadLanguageText(entry.Id, settings);
    ASSERT_TRUE(text) << "ID " << entry.Id << " is not translated";
    EXPECT_TRUE(LooksDecodedWell(*text)) << entry.Id << ": " << *text;
    for (std::string_view umlaut : {"ä", "ö", "ü", "Ä", "Ö", "Ü", "ß"}) {
      if (text->find(umlaut) != std::string::npos) {
        ++withUmlaut;
        break;
      }
    }
  }
  EXPECT_GE(withUmlaut, 5);
  EXPECT_EQ(GetText(605, settings), "&Zurück");
  EXPECT_FALSE(ReadRightToLeftLanguage(settings));
}

TEST(ShippedLanguages, HebrewIsHebrewWithItsCharacterSet) {
  const Settings settings = ShippedLanguage("Hebrew.lng", 177);
  for (const auto& entry : BuiltInTexts()) {
    const std::optional<std::string> text = ReadLanguageText(entry.Id, settings);
    ASSERT_TRUE(text) << "ID " << entry.Id << " is not translated";
    EXPECT_TRUE(LooksDecodedWell(*text)) << entry.Id << ": " << *text;
    EXPECT_TRUE(HasHebrewLetter(*text)) << entry.Id << ": " << *text;
  }
  EXPECT_EQ(GetText(101, settings), "&קובץ");
  EXPECT_TRUE(ReadRightToLeftLanguage(settings));
}

TEST(ShippedLanguages, HebrewUtf8GivesTheSameTextsWhateverFontScriptSays) {
  const Settings eightBit = ShippedLanguage("Hebrew.lng", 177);
  for (int fontScript : {1, 177}) {
    const Settings settings = ShippedLanguage("Hebrew-UTF8.lng", fontScript);
    EXPECT_TRUE(ReadRightToLeftLanguage(settings));
    for (const auto& entry : BuiltInTexts()) {
      const std::optional<std::string> text = ReadLanguageText(entry.Id, settings);
      ASSERT_TRUE(text) << "ID " << entry.Id << " is not translated";
      EXPECT_EQ(*text, ReadLanguageText(entry.Id, eightBit)) << "FontScript " << fontScript << ", ID " << entry.Id;
    }
  }
}

}  // namespace
}  // namespace barloom
