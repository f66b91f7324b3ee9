// The language files that ship in Languages/ fit the controls: every text is there, keeps its
// access key (without clashes) and its length. Their decoding is tested with the language reader.
#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/text_lookup.h"
#include "localisation/builtin_texts.h"
#include "localisation/language_file.h"
#include "platform/code_page.h"  // IsValidUtf8, Utf8FromPath
#include "platform/path_text.h"
#include "settings/settings_file.h"
#include "tests/localisation/shipped_languages.h"

namespace barloom {
namespace {

using test_support::ShippedLanguage;

Settings LanguageSettings(std::string_view fileName, int fontScript) {
  Settings settings;
  settings.LanguageFile = Utf8FromPath(PathFromUtf8(test_support::ShippedLanguagePath(fileName)));
  settings.UseDefaultLanguage = 0;
  settings.FontScript = static_cast<std::int16_t>(fontScript);
  return settings;
}

// Characters, not bytes: every byte that does not continue a UTF-8 sequence starts a character.
std::size_t CharacterCount(std::string_view utf8) {
  std::size_t count = 0;
  for (unsigned char c : utf8) count += (c & 0xC0) != 0x80;
  return count;
}

// Alt+letter ignores the letter's case: the capital Cyrillic letters А to Я (UTF-8 D0 90 to D0 AF)
// become а to я (D0 B0 to D0 BF, D1 80 to D1 8F), Ё (D0 81) becomes ё (D1 91).
std::string LowerCyrillic(std::string key) {
  if (key.size() != 2 || static_cast<unsigned char>(key[0]) != 0xD0) return key;
  const unsigned char second = static_cast<unsigned char>(key[1]);
  if (second == 0x81) return "\xD1\x91";
  if (second >= 0x90 && second <= 0x9F) return std::string{'\xD0', static_cast<char>(second + 0x20)};
  if (second >= 0xA0 && second <= 0xAF) return std::string{'\xD1', static_cast<char>(second - 0x20)};
  return key;
}

// The character after the single "&" (lower-cased for ASCII), or nullopt when there is none.
// More than one "&" is reported as a failure.
std::optional<std::string> AccessKey(std::string_view text, std::string_view context) {
  const std::size_t at = text.find('&');
  if (at == std::string_view::npos) return std::nullopt;
  EXPECT_EQ(text.find('&', at + 1), std::string_view::npos) << context << ": more than one '&' in " << text;
  if (at + 1 >= text.size()) {
    ADD_FAILURE() << context << ": '&' at the end of " << text;
    return std::nullopt;
  }
  std::size_t length = 1;
  while (at + 1 + length < text.size() && (static_cast<unsigned char>(text[at + 1 + length]) & 0xC0) == 0x80) ++length;
  std::string key(text.substr(at + 1, length));
  if (key.size() == 1 && key[0] >= 'A' && key[0] <= 'Z') key[0] = static_cast<char>(key[0] - 'A' + 'a');
  return LowerCyrillic(key);
}

class LanguageFile : public testing::TestWithParam<ShippedLanguage> {};

TEST_P(LanguageFile, EveryTextKeepsItsAccessKeyAndFitsItsControl) {
  const ShippedLanguage& shipped = GetParam();
  const Settings settings = LanguageSettings(shipped.FileName, shipped.FontScript);
  EXPECT_EQ(ReadRightToLeftLanguage(settings), shipped.RightToLeft);
  for (const BuiltInText& builtIn : BuiltInTexts()) {
    const std::string context = std::string(shipped.FileName) + " " + std::to_string(Number(builtIn.Id));
    const std::optional<std::string> text = ReadLanguageText(builtIn.Id, settings);
    ASSERT_TRUE(text) << context << " is missing";
    EXPECT_TRUE(IsValidUtf8(*text)) << context;
    EXPECT_EQ(text->find("\xEF\xBF\xBD"), std::string::npos) << context << ": undecodable bytes";
    EXPECT_EQ(AccessKey(*text, context).has_value(), AccessKey(builtIn.Text, "built-in").has_value())
        << context << ": " << *text;
    // The controls are sized for the English texts; a translation may run somewhat longer.
    EXPECT_LE(CharacterCount(*text), CharacterCount(builtIn.Text) * 3 / 2 + 8) << context << ": " << *text;
  }
  // The completion message replaces this name by the first bar's real file name (each language
  // quotes it in its own way).
  const std::optional<std::string> install = ReadLanguageText(628, settings);
  ASSERT_TRUE(install);
  EXPECT_NE(install->find("Bar_01.bar"), std::string::npos) << *install;
}

// Alt+letter must reach one control only: the menu bar and the main window's buttons share the
// window, each menu and each dialog are groups of their own.
TEST_P(LanguageFile, AccessKeysDoNotClashWithinAWindowOrMenu) {
  const ShippedLanguage& shipped = GetParam();
  const Settings settings = LanguageSettings(shipped.FileName, shipped.FontScript);
  const std::vector<std::vector<int>> groups = {
      {101, 161, 604, 605, 606, 728, 800}, {110, 150, 800}, {162, 163}, {610, 611, 1008, 1009},
      {802, 815, 816, 819, 820, 823, 846}};
  for (const auto& group : groups) {
    std::map<std::string, int> owner;
    for (int id : group) {
      const std::string context = std::string(shipped.FileName) + " " + std::to_string(id);
      const std::optional<std::string> key = AccessKey(ReadLanguageText(id, settings).value_or(""), context);
      if (!key) continue;
      const auto [where, inserted] = owner.emplace(*key, id);
      EXPECT_TRUE(inserted) << context << " shares its access key with " << where->second;
    }
  }
}

// Each file with the FontScript that reads it right; the UTF-8 files read right with any.
INSTANTIATE_TEST_SUITE_P(Shipped, LanguageFile, testing::ValuesIn(test_support::ShippedLanguages),
                         [](const auto& info) { return test_support::ShippedLanguageTestName(info.param); });

}  // namespace
}  // namespace barloom
