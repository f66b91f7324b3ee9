#pragma once
#include <string>

namespace barloom {

class LoadedLanguage;
struct Settings;

// The text of `id` in the user's language, as UTF-8: the built-in text while
// settings.UseDefaultLanguage is non-zero; otherwise the language file's text for the ID
// (decoded with the code page of settings.FontScript, or as UTF-8 or UTF-16 when the file
// starts with that byte-order mark), falling back to the built-in text when the file has none.
// Each call reads the file anew.
std::string GetText(int id, const Settings& settings);

// The same from a language loaded once, for the many lookups of a captioning pass: the file as
// it was when `language` was loaded.
std::string GetText(int id, const LoadedLanguage& language);

}  // namespace barloom
