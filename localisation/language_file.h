#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "localisation/text_ids.h"
#include "settings/ini_document.h"

// Reading a language file: an INI file with one section "UserLanguage", one key per text ID and
// the key RightToLeftLanguage.
namespace barloom {

struct Settings;

inline constexpr std::string_view LanguageSection = "UserLanguage";
inline constexpr std::string_view RightToLeftKey = "RightToLeftLanguage";
inline constexpr std::string_view FontScriptKey = "FontScript";

// A language file read and parsed once, for the many lookups of one captioning pass or one check
// of the file; a change to the file shows in the next one loaded. While
// settings.UseDefaultLanguage is non-zero no file is read: the built-in texts are in use.
class LoadedLanguage {
 public:
  explicit LoadedLanguage(const Settings& settings);
  LoadedLanguage();  // the built-in texts
  // A copy holds the same texts without reading the file again, and answers on a thread of its
  // own (a Create's report).
  LoadedLanguage(const LoadedLanguage& other);
  LoadedLanguage& operator=(const LoadedLanguage& other);
  LoadedLanguage(LoadedLanguage&&) noexcept = default;
  LoadedLanguage& operator=(LoadedLanguage&&) noexcept = default;

  // The file's own text for `id` as UTF-8, or nullopt when the file does not translate the ID
  // (no file in use, file unreadable, key absent, value empty, "/e" in any letter case, or
  // nothing left after decoding). The bytes are decoded with the code page of
  // settings.FontScript's character set; a file that starts with the UTF-8 byte-order mark is
  // read as UTF-8 (a broken character becomes U+FFFD), and one that starts with the UTF-16 LE
  // mark as the Unicode text it holds, whatever FontScript says.
  std::optional<std::string> Text(TextId id) const;

  // RightToLeftLanguage read leniently (the number its value begins with; absent: 0) and rounded
  // to a 16-bit integer, as a switch. A value outside 16 bits, or no file in use, gives false.
  bool RightToLeft() const;

  // The font character set the file names for itself (FontScript, read leniently like
  // RightToLeftLanguage), which its 8-bit texts are written for; nullopt when the file names
  // none, or a number that is no character set fonts know, or no file is in use.
  std::optional<std::int16_t> FontScript() const;

  // The texts decoded for the character set `fontScript` from now on, as if loaded with it (a
  // file with a byte-order mark stays as its mark says): a change of FontScript alone needs no
  // second read of the file.
  void DecodeFor(int fontScript);

 private:
  IniDocument document_;  // empty when no file is in use
  unsigned codePage_;     // the code page of the values, or a mark for a UTF-16 file
  bool marked_ = false;   // the file starts with a byte-order mark, which decides its code page
};

}  // namespace barloom
