#pragma once
// Text lookups by number for the tests, which name texts as the language files key them: each
// reads the language file anew, as a fresh look at what the program would show.
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "localisation/builtin_texts.h"
#include "localisation/get_text.h"
#include "localisation/language_file.h"
#include "localisation/text_ids.h"

namespace barloom {

// Test messages name a text by its number.
inline std::ostream& operator<<(std::ostream& out, TextId id) { return out << Number(id); }

inline std::string GetText(int id, const Settings& settings) { return GetText(TextId{id}, LoadedLanguage(settings)); }
inline std::string GetText(TextId id, const Settings& settings) { return GetText(id, LoadedLanguage(settings)); }
inline std::string GetText(int id, const LoadedLanguage& language) { return GetText(TextId{id}, language); }
inline std::optional<std::string_view> FindBuiltInText(int id) { return FindBuiltInText(TextId{id}); }
inline std::optional<std::string> ReadLanguageText(int id, const Settings& settings) {
  return LoadedLanguage(settings).Text(TextId{id});
}
inline std::optional<std::string> ReadLanguageText(TextId id, const Settings& settings) {
  return LoadedLanguage(settings).Text(id);
}
inline bool ReadRightToLeftLanguage(const Settings& settings) { return LoadedLanguage(settings).RightToLeft(); }

}  // namespace barloom
