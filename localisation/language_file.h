#pragma once
#include <optional>
#include <string>
#include <string_view>

// Reading a language file: an INI file with one section "UserLanguage", one key per text ID and
// the key RightToLeftLanguage. Every call opens and reads the file anew, so a file edited while
// the program runs takes effect at the next lookup.
namespace barloom {

struct Settings;

inline constexpr std::string_view LanguageSection = "UserLanguage";
inline constexpr std::string_view RightToLeftKey = "RightToLeftLanguage";

// The file's own text for `id` as UTF-8, or nullopt when the file does not translate the ID
// (no file set, file unreadable, key absent, value empty, "/e" in any letter case, or nothing
// left after decoding). The bytes are decoded with the code page of settings.FontScript's
// character set; a file that starts with the UTF-8 byte-order mark is read as UTF-8 (a broken
// character becomes U+FFFD), and one that starts with the UTF-16 LE mark as the Unicode text it
// holds, whatever FontScript says.
std::optional<std::string> ReadLanguageText(int id, const Settings& settings);

// The file's RightToLeftLanguage read leniently (the number its value begins with; absent: 0)
// and rounded to a 16-bit integer, as a switch. A value outside 16 bits gives false.
bool ReadRightToLeftLanguage(const Settings& settings);

}  // namespace barloom
