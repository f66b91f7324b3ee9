// The one-pass readers behind ReadIniValue: a scan over the bytes that stops at the key and
// builds no index (a UTF-16 file is converted first). A read of many keys at once
// (ReadIniValuesFromBytes) is one pass with the keys asked for in a name table; a family of
// numbered keys (FindWholeIniValuesInBytes) takes each line's name apart instead.

#include <string>
#include <vector>

#include "platform/code_page.h"
#include "platform/not_found_marker.h"
#include "settings/ini_document.h"
#include "settings/ini_name_table.h"
#include "settings/ini_syntax.h"
#include "settings/numbered_keys.h"
#include "settings/profile.h"

namespace barloom {
using namespace ini;

namespace {

// Calls visit(syntax) for the key lines of the first section named `section`, in file order,
// until it returns false.
template <typename Visit>
void ScanSectionKeys(std::string_view bytes, std::string_view section, const Visit& visit) {
  LineSplitter splitter(bytes);
  RawLine raw;
  bool inSection = false;
  while (splitter.Next(raw)) {
    const std::string_view content = bytes.substr(raw.Start, raw.Length);
    if (!inSection && !StartsWithBracket(content)) continue;  // outside the section only headers count
    const LineSyntax syntax = ParseLine(content);
    if (syntax.Kind == LineKind::Header) {
      if (inSection) return;  // the first section of the name ended
      inSection = SameIniName(syntax.Name, section);
    } else if (syntax.Kind == LineKind::Key && inSection && !visit(syntax)) {
      return;
    }
  }
}

// The stored value of the key, or nullopt when the section or key is missing or the key's line
// has no '='.
std::optional<std::string_view> ScanValue(std::string_view bytes, std::string_view section, std::string_view key) {
  std::optional<std::string_view> value;
  ScanSectionKeys(bytes, section, [&](const LineSyntax& syntax) {
    if (!SameIniName(syntax.Name, key)) return true;
    if (syntax.HasValue) value = syntax.Value;
    return false;
  });
  return value;
}

// ScanValue for many keys in one pass over the bytes: each key line of the section is looked up
// among the `count` keys asked for by `find` (its name to a key's index, nullopt for none), which
// finds `distinct` of them.
template <typename Find>
std::vector<std::optional<std::string_view>> ScanFoundValues(std::string_view bytes, std::string_view section,
                                                             std::size_t count, std::size_t distinct, const Find& find) {
  std::vector<std::optional<std::string_view>> values(count);
  std::vector<bool> answered(count);
  std::size_t unanswered = distinct;  // the keys that no line has answered yet
  if (unanswered == 0) return values;
  ScanSectionKeys(bytes, section, [&](const LineSyntax& syntax) {
    const std::optional<std::size_t> key = find(syntax.Name);
    if (key && !answered[*key]) {  // the first line of a name wins
      answered[*key] = true;
      --unanswered;
      if (syntax.HasValue) values[*key] = syntax.Value;
    }
    return unanswered > 0;  // once every key has its line, the rest of the section cannot change a value
  });
  return values;
}

// ScanFoundValues for keys named in a list, found through a name table; a key asked for twice
// gets one answer.
std::vector<std::optional<std::string_view>> ScanValues(std::string_view bytes, std::string_view section,
                                                        const std::vector<std::string_view>& keys) {
  const auto nameOf = [&](std::size_t i) { return keys[i]; };
  IniNameTable wanted;
  std::vector<std::size_t> firstAsking(keys.size());
  wanted.Reserve(keys.size(), nameOf);
  std::size_t distinct = 0;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    firstAsking[i] = wanted.FindOrAdd(i, keys[i], nameOf);
    distinct += firstAsking[i] == i ? 1 : 0;
  }
  // The scan answers the first asking of each name; the others take its answer.
  std::vector<std::optional<std::string_view>> values = ScanFoundValues(
      bytes, section, keys.size(), distinct, [&](std::string_view name) { return wanted.Find(name, nameOf); });
  for (std::size_t i = 0; i < keys.size(); ++i) values[i] = values[firstAsking[i]];
  return values;
}

}  // namespace

std::string ReadIniValueFromBytes(std::string_view bytes, std::string_view section, std::string_view key,
                                  std::string_view defaultValue, std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  if (!IsUtf16Le(bytes))
    return ProfileResult(ScanValue(bytes, RequestedName(section), RequestedName(key)), defaultValue, bufferSize);
  const std::string text = Wtf8FromUtf16Le(bytes.substr(Utf16LeMark.size()));
  const std::optional<std::string_view> value =
      ScanValue(text, RequestedName(FileTextFromArgument(section)), RequestedName(FileTextFromArgument(key)));
  return Utf16FileResult(value, defaultValue, bufferSize);
}

void ReadIniValuesFromBytes(std::string_view bytes, std::string_view section, const std::vector<std::string>& keys,
                            std::string_view defaultValue, std::size_t bufferSize,
                            const std::function<void(std::size_t, std::string_view)>& visit) {
  if (bufferSize == 0) {
    for (std::size_t i = 0; i < keys.size(); ++i) visit(i, {});
    return;
  }
  std::vector<std::string_view> names;
  names.reserve(keys.size());
  if (!IsUtf16Le(bytes)) {
    for (const std::string& key : keys) names.push_back(RequestedName(key));
    const auto values = ScanValues(bytes, RequestedName(section), names);
    for (std::size_t i = 0; i < values.size(); ++i) visit(i, ProfileResult(values[i], defaultValue, bufferSize));
    return;
  }
  const std::string text = Wtf8FromUtf16Le(bytes.substr(Utf16LeMark.size()));
  std::vector<std::string> fileKeys;
  fileKeys.reserve(keys.size());
  for (const std::string& key : keys) fileKeys.push_back(FileTextFromArgument(key));
  for (const std::string& key : fileKeys) names.push_back(RequestedName(key));
  const auto values = ScanValues(text, RequestedName(FileTextFromArgument(section)), names);
  for (std::size_t i = 0; i < values.size(); ++i) visit(i, Utf16FileResult(values[i], defaultValue, bufferSize));
}

namespace {

// A stored value as a read into a buffer larger than the file gives it: one pair of quotes taken
// off, and the NotFoundMarker itself taken as no value, as FindIniValuesInBytes takes it.
std::optional<std::string_view> WholeResult(std::optional<std::string_view> stored) {
  if (!stored) return std::nullopt;
  std::string_view text = *stored;
  if (IsQuotedValue(text)) text = text.substr(1, text.size() - 2);
  if (text == NotFoundMarker) return std::nullopt;
  return text;
}

}  // namespace

void FindWholeIniValuesInBytes(std::string_view bytes, std::string_view section, const NumberedKeys& keys,
                               const std::function<void(std::size_t, std::optional<std::string_view>)>& visit) {
  const auto find = [&](std::string_view name) { return keys.IndexOf(name); };
  if (!IsUtf16Le(bytes)) {
    const auto values = ScanFoundValues(bytes, RequestedName(section), keys.Size(), keys.Size(), find);
    for (std::size_t i = 0; i < values.size(); ++i) visit(i, WholeResult(values[i]));
    return;
  }
  // The stems are ASCII, which a UTF-16 file's text spells as the arguments do.
  const std::string text = Wtf8FromUtf16Le(bytes.substr(Utf16LeMark.size()));
  const auto values = ScanFoundValues(text, RequestedName(FileTextFromArgument(section)), keys.Size(), keys.Size(), find);
  std::string ansi;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (!values[i]) {
      visit(i, std::nullopt);
      continue;
    }
    ansi = AnsiFromUtf16FileText(*values[i]);
    visit(i, WholeResult(std::string_view{ansi}));
  }
}

}  // namespace barloom
