#include "localisation/language_file.h"

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/ascii_text.h"
#include "platform/code_page.h"
#include "platform/file_bytes.h"
#include "platform/path_text.h"
#include "platform/utf8.h"
#include "settings/ini_document.h"
#include "settings/number_text.h"
#include "settings/settings_file.h"

namespace barloom {
namespace {

constexpr std::size_t TextBufferSize = 4096;  // a text is at most 4095 bytes, as the profile API cuts it
// Not a code page: the file is UTF-16, and the engine hands its values over as the ANSI code page
// where that can hold them, else as the UTF-8 mark and UTF-8 (as cProfile stores such values).
constexpr unsigned UnicodeFile = 0;

// The program's text is valid UTF-8 throughout: a byte that cannot start or continue a
// character becomes U+FFFD, a character broken in the file too. Only a value that filled the read
// buffer may end in a character that the cut split: that one is dropped rather than shown as a
// stray mark.
std::string SanitiseUtf8(std::string_view bytes, bool filledBuffer) {
  return utf8::Repair(filledBuffer ? utf8::WithoutCutCharacter(bytes) : bytes);
}

std::optional<std::string> UnlessEmpty(std::string text) {
  if (text.empty()) return std::nullopt;
  return text;
}

// "/e" (any letter case, blanks around it) asks for the built-in text.
bool IsBuiltInMarker(std::string_view value) {
  const std::string_view trimmed = Trim(value, SpacesAndTabs);
  return trimmed.size() == 2 && trimmed[0] == '/' && (trimmed[1] == 'e' || trimmed[1] == 'E');
}

}  // namespace

// The profile engine treats a byte-order mark as an ordinary byte of line 1 (so a header there
// would be lost); a language file with the mark is UTF-8, so the mark is dropped before parsing.
LoadedLanguage::LoadedLanguage(const Settings& settings) : codePage_(CodePageForCharset(settings.FontScript)) {
  if (settings.UseDefaultLanguage != 0 || !settings.LanguageFile) return;
  std::string bytes;
  if (ReadFileBytes(PathFromUtf8(*settings.LanguageFile), bytes) != FileReadResult::Read) return;
  if (bytes.starts_with(Utf8ByteOrderMark)) {
    bytes.erase(0, Utf8ByteOrderMark.size());
    codePage_ = Utf8CodePage;
    marked_ = true;
  } else if (IsUtf16Le(bytes)) {
    codePage_ = UnicodeFile;
    marked_ = true;
  }
  document_ = IniDocument(std::move(bytes));
}

LoadedLanguage::LoadedLanguage() : codePage_(AnsiCodePage()) {}

LoadedLanguage::LoadedLanguage(const LoadedLanguage& other)
    : document_(other.document_.Bytes()), codePage_(other.codePage_), marked_(other.marked_) {}

LoadedLanguage& LoadedLanguage::operator=(const LoadedLanguage& other) {
  if (this != &other) *this = LoadedLanguage(other);
  return *this;
}

std::optional<std::string> LoadedLanguage::Text(TextId id) const {
  const std::string value = document_.Read(LanguageSection, std::to_string(Number(id)), "", TextBufferSize);
  if (value.empty() || IsBuiltInMarker(value)) return std::nullopt;
  const bool filledBuffer = value.size() == TextBufferSize - 1;
  // A value that decodes to nothing translates nothing: the built-in text stands.
  if (codePage_ == Utf8CodePage) return UnlessEmpty(SanitiseUtf8(value, filledBuffer));
  if (codePage_ == UnicodeFile) {
    if (value.starts_with(Utf8ByteOrderMark))
      return UnlessEmpty(SanitiseUtf8(std::string_view(value).substr(Utf8ByteOrderMark.size()), filledBuffer));
    return UnlessEmpty(DecodeCodePage(value, AnsiCodePage()));
  }
  return UnlessEmpty(DecodeCodePage(value, codePage_));
}

bool LoadedLanguage::RightToLeft() const {
  const std::string value = document_.Read(LanguageSection, RightToLeftKey, "0", TextBufferSize);
  const std::optional<std::int16_t> flag = RoundToInt16(ReadLeadingNumber(value));
  return flag.value_or(0) != 0;
}

void LoadedLanguage::DecodeFor(int fontScript) {
  if (!marked_) codePage_ = CodePageForCharset(fontScript);
}

std::optional<std::int16_t> LoadedLanguage::FontScript() const {
  const std::string value = document_.Read(LanguageSection, FontScriptKey, "", TextBufferSize);
  if (Trim(value, SpacesAndTabs).empty()) return std::nullopt;
  const std::optional<std::int16_t> charset = RoundToInt16(ReadLeadingNumber(value));
  if (!charset || !IsKnownCharset(*charset)) return std::nullopt;
  return charset;
}

}  // namespace barloom
