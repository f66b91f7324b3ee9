#include "localisation/language_file.h"

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/code_page.h"
#include "settings/ini_document.h"
#include "settings/number_text.h"
#include "settings/settings_file.h"

namespace barloom {
namespace {

constexpr std::size_t kTextBufferSize = 4096;  // a text is at most 4095 bytes, as the profile API cuts it
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr unsigned kUtf8CodePage = 65001;

struct LanguageDocument {
  IniDocument Ini;
  unsigned CodePage;
};

// The profile engine treats a byte-order mark as an ordinary byte of line 1 (so a header there
// would be lost); a language file with the mark is UTF-8, so the mark is dropped before parsing.
LanguageDocument LoadLanguageDocument(const Settings& settings) {
  const unsigned fontCodePage = CodePageForCharset(settings.FontScript);
  if (!settings.LanguageFile) return {IniDocument(), fontCodePage};
  std::optional<std::string> bytes = ReadFileBytes(PathFromUtf8(*settings.LanguageFile));
  if (!bytes) return {IniDocument(), fontCodePage};
  if (bytes->starts_with(kUtf8Mark)) return {IniDocument(bytes->substr(kUtf8Mark.size())), kUtf8CodePage};
  return {IniDocument(std::move(*bytes)), fontCodePage};
}

std::size_t Utf8SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

bool IsValidUtf8Sequence(std::string_view s) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  for (std::size_t i = 1; i < s.size(); ++i) {
    if ((byte(i) & 0xC0) != 0x80) return false;
  }
  if (s.size() < 2) return true;
  // Overlong forms, UTF-16 surrogates and code points beyond U+10FFFF.
  if (byte(0) == 0xE0 && byte(1) < 0xA0) return false;
  if (byte(0) == 0xED && byte(1) >= 0xA0) return false;
  if (byte(0) == 0xF0 && byte(1) < 0x90) return false;
  if (byte(0) == 0xF4 && byte(1) >= 0x90) return false;
  return true;
}

// The program's text is valid UTF-8 throughout: a byte that cannot start or continue a
// character becomes U+FFFD. A character cut short at the very end (the value was cut at the
// buffer size) is dropped rather than shown as a stray mark.
std::string SanitiseUtf8(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  std::size_t i = 0;
  while (i < bytes.size()) {
    const std::size_t length = Utf8SequenceLength(static_cast<unsigned char>(bytes[i]));
    if (length != 0 && i + length > bytes.size() && IsValidUtf8Sequence(bytes.substr(i))) break;
    if (length != 0 && i + length <= bytes.size() && IsValidUtf8Sequence(bytes.substr(i, length))) {
      text.append(bytes.substr(i, length));
      i += length;
    } else {
      text.append("\xEF\xBF\xBD");
      ++i;
    }
  }
  return text;
}

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// "/e" (any letter case, blanks around it) asks for the built-in text.
bool IsBuiltInMarker(std::string_view value) {
  const std::string_view trimmed = TrimBlanks(value);
  return trimmed.size() == 2 && trimmed[0] == '/' && (trimmed[1] == 'e' || trimmed[1] == 'E');
}

}  // namespace

std::optional<std::string> ReadLanguageText(int id, const Settings& settings) {
  const LanguageDocument document = LoadLanguageDocument(settings);
  const std::string value = document.Ini.Read(LanguageSection, std::to_string(id), "", kTextBufferSize);
  if (value.empty() || IsBuiltInMarker(value)) return std::nullopt;
  if (document.CodePage == kUtf8CodePage) return SanitiseUtf8(value);
  return DecodeCodePage(value, document.CodePage);
}

bool ReadRightToLeftLanguage(const Settings& settings) {
  const LanguageDocument document = LoadLanguageDocument(settings);
  const std::string value = document.Ini.Read(LanguageSection, RightToLeftKey, "0", kTextBufferSize);
  const std::optional<std::int16_t> flag = RoundToInt16(ReadLeadingNumber(value));
  return flag.value_or(0) != 0;
}

}  // namespace barloom
