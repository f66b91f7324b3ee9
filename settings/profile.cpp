#include "settings/profile.h"

#include <algorithm>
#include <optional>

#include "platform/code_page.h"
#include "platform/not_found_marker.h"
#include "settings/number_text.h"
#include "settings/private_profile.h"

namespace barloom {

namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";

std::optional<std::string> AnsiName(std::string_view name) { return EncodeCodePage(name, AnsiCodePage()); }

// The bytes that stand for `text` in the file: the ANSI code page where it can hold the text,
// otherwise the mark and UTF-8. ANSI bytes that would themselves begin with the mark's bytes
// ("ï»¿" in code page 1252) go the UTF-8 way too, or they would be misread as the mark.
std::string StoredValue(std::string_view text) {
  if (std::optional<std::string> ansi = EncodeCodePage(text, AnsiCodePage());
      ansi && !ansi->starts_with(Utf8Mark))
    return std::move(*ansi);
  return std::string(Utf8Mark) + std::string(text);
}

// `text` without a last character that is cut off (a lead byte with fewer continuation bytes
// than it announces), as a value cut by the buffer may end.
std::string_view WithoutCutCharacter(std::string_view text) {
  std::size_t start = text.size();
  while (start > 0 && text.size() - start < 3 && (static_cast<unsigned char>(text[start - 1]) & 0xC0) == 0x80) --start;
  if (start == 0) return text;
  const auto lead = static_cast<unsigned char>(text[start - 1]);
  const std::size_t needed = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  const std::size_t present = text.size() - (start - 1);
  return present < needed ? text.substr(0, start - 1) : text;
}

// The text that stored bytes stand for. After the mark comes UTF-8 (less a character the
// buffer cut off). Bytes after a mark that are no UTF-8 were not written by us: they are read
// as ANSI like any other value, mark included.
std::string TextOfStoredValue(std::string_view bytes) {
  if (bytes.starts_with(Utf8Mark)) {
    const std::string_view text = WithoutCutCharacter(bytes.substr(Utf8Mark.size()));
    if (IsValidUtf8(text)) return std::string(text);
  }
  return DecodeCodePage(bytes, AnsiCodePage());
}

// A line break or NUL cannot be part of a value (or name) in an INI file: written raw, it would
// end the line and start a line of its own, a made-up key or section.
bool FitsOnOneLine(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

std::size_t BufferSize(std::int32_t lpMaxBufferSize) {
  return lpMaxBufferSize > 0 ? static_cast<std::size_t>(lpMaxBufferSize) : 0;
}

std::string_view TrimSpaces(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string cProfile::ReadStringValue(std::string_view lpSectionName, std::string_view lpKeyName,
                                      std::string_view lpDefaultValue, std::string_view lpFileName,
                                      std::int32_t lpMaxBufferSize) const {
  const std::optional<std::string> section = AnsiName(lpSectionName);
  const std::optional<std::string> key = AnsiName(lpKeyName);
  if (!section || !key) return std::string(lpDefaultValue);
  // The default travels through the engine like a stored value, so that it is trimmed and cut
  // exactly as the platform does it, and comes back as the same text.
  const std::string bytes =
      ReadIniValue(*section, *key, StoredValue(lpDefaultValue), BufferSize(lpMaxBufferSize), PathFromUtf8(lpFileName));
  if (bytes.empty()) return {};
  return TextOfStoredValue(bytes);
}

double cProfile::ReadIntegerValue(std::string_view lpSectionName, std::string_view lpKeyName,
                                  std::string_view lpDefaultValue, std::string_view lpFileName,
                                  std::int32_t lpMaxBufferSize) const {
  return ReadLeadingNumber(ReadStringValue(lpSectionName, lpKeyName, lpDefaultValue, lpFileName, lpMaxBufferSize));
}

void cProfile::WriteStringValue(std::string_view lpSectionName, std::string_view lpKeyName, std::string_view lpValue,
                                std::string_view lpFileName, bool blnAddQuotation) const {
  const std::string_view trimmed = TrimSpaces(lpValue);
  if (trimmed == NotFoundMarker) return;
  if (!FitsOnOneLine(trimmed) || !FitsOnOneLine(lpSectionName) || !FitsOnOneLine(lpKeyName)) return;
  const std::optional<std::string> section = AnsiName(lpSectionName);
  const std::optional<std::string> key = AnsiName(lpKeyName);
  if (!section || !key) return;
  std::string value = StoredValue(trimmed);
  if (blnAddQuotation) value = '"' + value + '"';
  // Writes that the file system refuses are lost without a message, as the program expects.
  WriteIniValue(*section, *key, value, PathFromUtf8(lpFileName));
}

void cProfile::WriteIntegerValue(std::string_view lpSectionName, std::string_view lpKeyName, double lpValue,
                                 std::string_view lpFileName) const {
  const std::optional<std::string> text = DecimalText(lpValue);
  if (!text || !FitsOnOneLine(lpSectionName) || !FitsOnOneLine(lpKeyName)) return;
  const std::optional<std::string> section = AnsiName(lpSectionName);
  const std::optional<std::string> key = AnsiName(lpKeyName);
  if (!section || !key) return;
  WriteIniValue(*section, *key, *text, PathFromUtf8(lpFileName));
}

}  // namespace barloom
