// The language files that ship beside the program, read as the program reads them.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <string_view>

#include "tests/support/text_lookup.h"
#include "localisation/builtin_texts.h"
#include "localisation/get_text.h"
#include "localisation/language_file.h"
#include "platform/code_page.h"
#include "platform/utf8.h"
#include "settings/settings_file.h"
#include "tests/localisation/language_test_support.h"
#include "tests/localisation/shipped_languages.h"

namespace barloom {
namespace {

using test_support::LanguageSettings;
using test_support::Script;
using test_support::ShippedLanguage;
using test_support::ShippedLanguages;

Settings ShippedSettings(std::string_view fileName, int fontScript) {
  return LanguageSettings(test_support::ShippedLanguagePath(fileName), fontScript);
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

bool IsLetterOf(Script script, char32_t c) {
  switch (script) {
    case Script::Latin: return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') || (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7);
    case Script::Hebrew: return c >= 0x5D0 && c <= 0x5EA;
    case Script::Cyrillic: return c >= 0x400 && c <= 0x4FF;
    case Script::Chinese: return c >= 0x4E00 && c <= 0x9FFF;
    case Script::Japanese: return (c >= 0x3040 && c <= 0x30FF) || (c >= 0x4E00 && c <= 0x9FFF);  // kana, kanji
  }
  return false;
}

// Latin letters may stand in any language (product names, device names, file names); letters of
// another script than the language's own, or of none, show a text in the wrong file or decoded
// with the wrong code page.
bool HasForeignLetter(std::string_view text, Script own) {
  for (char32_t c : CodePoints(text)) {
    if (IsLetterOf(own, c) || IsLetterOf(Script::Latin, c)) continue;
    for (Script other : {Script::Hebrew, Script::Cyrillic, Script::Chinese, Script::Japanese})
      if (IsLetterOf(other, c)) return true;
  }
  return false;
}

bool HasLetterOf(std::string_view text, Script script) {
  for (char32_t c : CodePoints(text))
    if (IsLetterOf(script, c)) return true;
  return false;
}

bool HasAnyCharacterOf(std::string_view text, std::string_view characters) {
  for (char32_t wanted : CodePoints(characters))
    for (char32_t c : CodePoints(text))
      if (c == wanted) return true;
  return false;
}

class ShippedLanguageFile : public testing::TestWithParam<ShippedLanguage> {};

// Every built-in text is translated, decodes cleanly and is written in the language's script;
// a Latin-script language shows its own letters, which a wrong code page would garble.
TEST_P(ShippedLanguageFile, TranslatesEveryTextInItsOwnScript) {
  const ShippedLanguage& language = GetParam();
  const Settings settings = ShippedSettings(language.FileName, language.FontScript);
  EXPECT_EQ(ReadRightToLeftLanguage(settings), language.RightToLeft);
  int withOwnLetters = 0;
  for (const auto& entry : BuiltInTexts()) {
    const std::optional<std::string> text = ReadLanguageText(entry.Id, settings);
    ASSERT_TRUE(text) << "ID " << entry.Id << " is not translated";
    EXPECT_TRUE(LooksDecodedWell(*text)) << entry.Id << ": " << *text;
    EXPECT_FALSE(HasForeignLetter(*text, language.Letters)) << entry.Id << ": " << *text;
    // Short Latin abbreviations ("OK", "Ver.") are at home in every script; every other text needs
    // the language's own letters.
    if (CodePoints(*text).size() > 4) {
      EXPECT_TRUE(HasLetterOf(*text, language.Letters)) << entry.Id << ": " << *text;
    }
    withOwnLetters += HasAnyCharacterOf(*text, language.OwnLetters);
  }
  if (*language.OwnLetters) {
    EXPECT_GE(withOwnLetters, 5) << "texts with any of " << language.OwnLetters;
  }
}

// A file whose letters need fonts of one character set names it, so that picking it in Options
// makes Windows and Wine choose a font that has them (the Chinese and Japanese ones even when
// their texts are UTF-8); the others name none.
TEST_P(ShippedLanguageFile, NamesTheCharacterSetItsLettersNeed) {
  const ShippedLanguage& language = GetParam();
  const LoadedLanguage loaded(ShippedSettings(language.FileName, language.FontScript));
  const std::optional<std::int16_t> named =
      language.NamesFontScript ? std::optional{static_cast<std::int16_t>(language.FontScript)} : std::nullopt;
  EXPECT_EQ(loaded.FontScript(), named);
}

INSTANTIATE_TEST_SUITE_P(Shipped, ShippedLanguageFile, testing::ValuesIn(ShippedLanguages),
                         [](const auto& info) { return test_support::ShippedLanguageTestName(info.param); });

TEST(ShippedLanguages, TheTableNamesEveryFileInTheLanguagesFolder) {
  std::set<std::string> inFolder, inTable;
  for (const auto& entry : std::filesystem::directory_iterator(test_support::ShippedLanguagePath("")))
    if (entry.path().extension() == ".lng") inFolder.insert(entry.path().filename().string());
  for (const ShippedLanguage& language : ShippedLanguages) inTable.insert(language.FileName);
  EXPECT_EQ(inFolder, inTable);
}

TEST(ShippedLanguages, GermanDecodesItsUmlautsWithTheAnsiCodePage) {
  if (AnsiCodePage() != 1252) {
    GTEST_SKIP() << "the German file is Windows-1252; the ANSI code page is " << AnsiCodePage();
  }
  const Settings settings = ShippedSettings("German.lng", 1);
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
  const Settings settings = ShippedSettings("Hebrew.lng", 177);
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
  const Settings eightBit = ShippedSettings("Hebrew.lng", 177);
  for (int fontScript : {1, 177}) {
    const Settings settings = ShippedSettings("Hebrew-UTF8.lng", fontScript);
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
