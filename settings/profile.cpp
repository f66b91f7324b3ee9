#include "settings/profile.h"

#include <algorithm>
#include <optional>

#include "platform/ascii_text.h"
#include "platform/code_page.h"
#include "platform/file_bytes.h"
#include "platform/not_found_marker.h"
#include "platform/path_text.h"
#include "settings/number_text.h"
#include "settings/private_profile.h"

namespace barloom {

namespace {

std::optional<std::string> AnsiName(std::string_view name) { return EncodeCodePage(name, AnsiCodePage()); }

// A line break or NUL cannot be part of a value (or name) in an INI file: written raw, it would
// end the line and start a line of its own, a made-up key or section.
bool FitsOnOneLine(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

std::size_t BufferSize(std::int32_t lpMaxBufferSize) {
  return lpMaxBufferSize > 0 ? static_cast<std::size_t>(lpMaxBufferSize) : 0;
}

// A text read through `readBytes(section, key, default, bufferSize)`, the engine's read of a file
// or of a snapshot of it: names and texts converted at the file.
template <typename ReadBytes>
std::string ReadText(std::string_view lpSectionName, std::string_view lpKeyName, std::string_view lpDefaultValue,
                     std::int32_t lpMaxBufferSize, const ReadBytes& readBytes) {
  const std::optional<std::string> section = AnsiName(lpSectionName);
  const std::optional<std::string> key = AnsiName(lpKeyName);
  if (!section || !key) return std::string(lpDefaultValue);
  // The default travels through the engine like a stored value, so that it is trimmed and cut
  // exactly as the platform does it, and comes back as the same text.
  const std::string bytes =
      readBytes(*section, *key, MarkedValueBytes(lpDefaultValue, AnsiCodePage()), BufferSize(lpMaxBufferSize));
  if (bytes.empty()) return {};
  return TextOfMarkedValue(bytes, AnsiCodePage());
}

}  // namespace

std::optional<std::string_view> StorableText(std::string_view lpValue) {
  const std::string_view trimmed = Trim(lpValue, Spaces);
  if (trimmed == NotFoundMarker) return std::nullopt;
  return trimmed;
}

std::optional<std::string> FindIniValue(const IniDocument& document, std::string_view section, std::string_view key,
                                        std::size_t bufferSize) {
  std::string value = document.Read(section, key, NotFoundMarker, bufferSize);
  if (value == NotFoundMarker) return std::nullopt;
  return value;
}

void FindIniValuesInBytes(std::string_view bytes, std::string_view section, const std::vector<std::string>& keys,
                          std::size_t bufferSize,
                          const std::function<void(std::size_t, std::optional<std::string_view>)>& visit) {
  ReadIniValuesFromBytes(bytes, section, keys, NotFoundMarker, bufferSize, [&](std::size_t key, std::string_view value) {
    visit(key, value == NotFoundMarker ? std::nullopt : std::optional{value});
  });
}

std::string cProfile::ReadStringValue(std::string_view lpSectionName, std::string_view lpKeyName,
                                      std::string_view lpDefaultValue, std::string_view lpFileName,
                                      std::int32_t lpMaxBufferSize) const {
  return ReadText(lpSectionName, lpKeyName, lpDefaultValue, lpMaxBufferSize,
                  [file = PathFromUtf8(lpFileName)](std::string_view section, std::string_view key,
                                                    std::string_view defaultValue, std::size_t bufferSize) {
                    return ReadIniValue(section, key, defaultValue, bufferSize, file);
                  });
}

double cProfile::ReadIntegerValue(std::string_view lpSectionName, std::string_view lpKeyName,
                                  std::string_view lpDefaultValue, std::string_view lpFileName,
                                  std::int32_t lpMaxBufferSize) const {
  return ReadLeadingNumber(ReadStringValue(lpSectionName, lpKeyName, lpDefaultValue, lpFileName, lpMaxBufferSize));
}

ProfileSnapshot cProfile::Snapshot(std::string_view lpFileName) const {
  // A file that cannot be read reads like a missing one: every read gives its default.
  return ProfileSnapshot(IniDocument(ReadFileBytes(PathFromUtf8(lpFileName)).value_or(std::string())));
}

std::string ProfileSnapshot::ReadStringValue(std::string_view lpSectionName, std::string_view lpKeyName,
                                             std::string_view lpDefaultValue, std::int32_t lpMaxBufferSize) const {
  return ReadText(lpSectionName, lpKeyName, lpDefaultValue, lpMaxBufferSize,
                  [this](std::string_view section, std::string_view key, std::string_view defaultValue,
                         std::size_t bufferSize) { return file_.Read(section, key, defaultValue, bufferSize); });
}

double ProfileSnapshot::ReadIntegerValue(std::string_view lpSectionName, std::string_view lpKeyName,
                                         std::string_view lpDefaultValue, std::int32_t lpMaxBufferSize) const {
  return ReadLeadingNumber(ReadStringValue(lpSectionName, lpKeyName, lpDefaultValue, lpMaxBufferSize));
}

void cProfile::WriteStringValue(std::string_view lpSectionName, std::string_view lpKeyName, std::string_view lpValue,
                                std::string_view lpFileName, bool blnAddQuotation) const {
  const std::optional<std::string_view> trimmed = StorableText(lpValue);
  if (!trimmed) return;
  if (!FitsOnOneLine(*trimmed) || !FitsOnOneLine(lpSectionName) || !FitsOnOneLine(lpKeyName)) return;
  const std::optional<std::string> section = AnsiName(lpSectionName);
  const std::optional<std::string> key = AnsiName(lpKeyName);
  if (!section || !key) return;
  std::string value = MarkedValueBytes(*trimmed, AnsiCodePage());
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
