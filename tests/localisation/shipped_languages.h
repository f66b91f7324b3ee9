#pragma once
// The language files that ship in resources/Languages, with what a reader needs to know of each:
// the FontScript that reads it right and the script its texts are written in.
#include <string>
#include <string_view>

namespace barloom::test_support {

enum class Script { Latin, Hebrew, Cyrillic, Chinese, Japanese };

struct ShippedLanguage {
  const char* FileName;
  int FontScript;  // 0 reads Windows-1252 whatever the system uses; a UTF-8 file reads right with any
  bool NamesFontScript;  // the file names that FontScript itself: its letters need fonts of that set
  bool RightToLeft;
  Script Letters;
  const char* OwnLetters;  // for a Latin script: letters the language has and English lacks
};

inline constexpr ShippedLanguage ShippedLanguages[] = {
    {"Chinese-Simplified.lng", 134, true, false, Script::Chinese, ""},
    {"French.lng", 1, false, false, Script::Latin, "éèàçêôÉ"},
    {"German.lng", 0, false, false, Script::Latin, "äöüßÄÖÜ"},
    {"Hebrew.lng", 177, true, true, Script::Hebrew, ""},
    {"Hebrew-UTF8.lng", 1, false, true, Script::Hebrew, ""},
    {"Italian.lng", 1, false, false, Script::Latin, "àèéìòùÈ"},
    {"Japanese.lng", 128, true, false, Script::Japanese, ""},
    {"Polish.lng", 1, false, false, Script::Latin, "ąćęłńóśźż"},
    {"Portuguese-Brazil.lng", 1, false, false, Script::Latin, "ãõçáéêóú"},
    {"Russian.lng", 1, false, false, Script::Cyrillic, ""},
    {"Spanish.lng", 1, false, false, Script::Latin, "áéíóúñ¿"},
};

inline std::string ShippedLanguagePath(std::string_view fileName) {
  return std::string(BARLOOM_SOURCE_DIR) + "/resources/Languages/" + std::string(fileName);
}

// A name for a parameterised test: the file name's letters and digits.
inline std::string ShippedLanguageTestName(const ShippedLanguage& language) {
  std::string name;
  for (const char* c = language.FileName; *c && *c != '.'; ++c)
    if (std::string_view("-_ ").find(*c) == std::string_view::npos) name += *c;
  return name;
}

}  // namespace barloom::test_support
