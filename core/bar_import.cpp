#include "core/bar_import.h"

#include <cmath>
#include <filesystem>
#include <limits>
#include <system_error>
#include <vector>

#include "core/bar_layout.h"
#include "platform/code_page.h"
#include "platform/file_bytes.h"
#include "platform/file_writing.h"
#include "platform/not_found_marker.h"
#include "platform/path_text.h"
#include "settings/ini_document.h"
#include "settings/ini_syntax.h"
#include "settings/numbered_keys.h"
#include "settings/number_text.h"
#include "settings/profile.h"

namespace barloom {
namespace {

// The count is read as the profile API reads a number from a buffer of this size.
constexpr std::size_t CountBufferSize = 4096;
// Carried values are read whole.
constexpr std::size_t WholeValue = std::numeric_limits<std::size_t>::max();

std::string CountValue(const ImportedButtons& imported, ImportPlace place) {
  return std::to_string(place.After + imported.Count);
}

void ShowButtons(const ImportedButtons& imported, Progress& progress) {
  if (imported.Count > 0) progress.Step(imported.Count);
}

}  // namespace

ImportPlace ImportPlace::Behind(int buttons) {
  ImportPlace place{0};
  place.After = buttons;
  place.ReplacesPlaceholder = false;
  return place;
}

// The count as the profile API reads a number (halves to even), with the cases that would overflow
// a 16-bit counter cut to what still fits behind the bar's own buttons.
ImportedButtons ButtonsToImport(std::string_view countText, ImportPlace place) {
  const double value = ReadLeadingNumber(countText);
  const int limit = MaxButtonNumber - place.After;
  ImportedButtons count;
  if (const auto rounded = RoundToInt16(value)) {
    count.Count = *rounded;
  } else if (value > 0) {  // beyond 16 bits, or infinite
    count.Count = limit;
    count.Clamped = true;
  }  // hugely negative or not a number: no buttons
  if (count.Count > limit) {
    count.Count = limit;
    count.Clamped = true;
  }
  if (count.Count < 0) count.Count = 0;
  return count;
}

BarText BarTextOf(std::string_view fileBytes) {
  if (fileBytes.starts_with(Utf8ByteOrderMark)) return BarText{fileBytes.substr(Utf8ByteOrderMark.size()), true};
  return BarText{fileBytes, false};
}

std::string SourceCountText(std::string_view fileBytes) {
  return ReadIniValueFromBytes(BarTextOf(fileBytes).Text, ButtonBarSection, "ButtonCount", "0", CountBufferSize);
}

BarFileShape ShapeOfBarFile(std::string_view fileBytes) {
  const std::string_view text = BarTextOf(fileBytes).Text;
  const std::string count = ReadIniValueFromBytes(text, ButtonBarSection, "ButtonCount", NotFoundMarker, CountBufferSize);
  // A bar without a count has no buttons; only then is it worth asking whether it is a bar at all.
  if (count == NotFoundMarker) return IniDocument{std::string{text}}.HasSection(ButtonBarSection) ? BarFileShape::NoButtons : BarFileShape::NotABar;
  return ButtonsToImport(count, ImportPlace::Behind(0)).Count > 0 ? BarFileShape::Buttons : BarFileShape::NoButtons;
}

std::optional<BuildWarning> ShapeWarning(BarFileShape shape, std::string_view file) {
  if (shape == BarFileShape::NotABar) return BuildWarning{ImportProblem::SourceNotABar, std::string{file}};
  if (shape == BarFileShape::NoButtons) return BuildWarning{ImportProblem::SourceHasNoButtons, std::string{file}};
  return std::nullopt;
}

namespace {

// Whether the profile reader would take something off `value` as a key line stores it.
bool ReaderWouldTrim(std::string_view value) {
  const bool blankEdge =
      !value.empty() && (ini::ProfileBlanks.Contains(value.front()) || ini::ProfileBlanks.Contains(value.back()));
  return blankEdge || ini::IsQuotedValue(value);
}

}  // namespace

std::string StoredValue(std::string_view value) {
  if (!ReaderWouldTrim(value)) return std::string{value};
  std::string stored;
  stored.reserve(value.size() + 2);
  stored += '"';
  stored += value;
  stored += '"';
  return stored;
}

std::string CarriedValue(std::string_view value, bool utf8, unsigned codePage) {
  if (!utf8) return StoredValue(value);
  // Bytes that are no UTF-8 stay as they are: the mark in front keeps them what they were.
  if (!IsValidUtf8(value)) return StoredValue(std::string{Utf8ByteOrderMark} + std::string{value});
  return StoredValue(MarkedValueBytes(value, codePage));
}

namespace {

// visit(key, value) as CarriedValue stores the value; a plain value, the most common by far, is
// passed on as it stands.
auto CarryingTo(const BarText& text, unsigned codePage,
                const std::function<void(std::size_t, std::optional<std::string_view>)>& visit) {
  return [&text, codePage, &visit, carried = std::string{}](std::size_t key, std::optional<std::string_view> value) mutable {
    if (!value) return visit(key, std::nullopt);
    if (!text.Utf8 && !ReaderWouldTrim(*value)) return visit(key, value);
    carried = CarriedValue(*value, text.Utf8, codePage);
    visit(key, std::string_view{carried});
  };
}

}  // namespace

void ReadCarriedValues(const BarText& text, const std::vector<std::string>& keys, unsigned codePage,
                       const std::function<void(std::size_t, std::optional<std::string_view>)>& visit) {
  FindIniValuesInBytes(text.Text, ButtonBarSection, keys, WholeValue, CarryingTo(text, codePage, visit));
}

void ReadCarriedValues(const BarText& text, const NumberedKeys& keys, unsigned codePage,
                       const std::function<void(std::size_t, std::optional<std::string_view>)>& visit) {
  FindWholeIniValuesInBytes(text.Text, ButtonBarSection, keys, CarryingTo(text, codePage, visit));
}

ButtonImport ReadButtonImport(std::string_view sourceBytes, ImportPlace place, unsigned codePage) {
  ButtonImport import;
  import.Buttons = ButtonsToImport(SourceCountText(sourceBytes), place);
  import.FirstNumber = place.After + 1;
  import.ReplacesPlaceholder = place.ReplacesPlaceholder && import.Buttons.Count > 0;
  const NumberedKeys sourceKeys{ButtonKeys, 1, import.Buttons.Count};
  const NumberedKeys targetKeys{ButtonKeys, import.FirstNumber, import.Buttons.Count};
  // The values and their target keys take about as many bytes as the source.
  import.Writes.Reserve(sourceKeys.Size() + 1, sourceBytes.size());
  ReadCarriedValues(BarTextOf(sourceBytes), sourceKeys, codePage, [&](std::size_t key, std::optional<std::string_view> value) {
    if (value) import.Writes.AddNumbered(targetKeys, key, *value);
  });
  import.Writes.Add("Buttoncount", CountValue(import.Buttons, place));
  return import;
}

void ApplyButtonImport(const ButtonImport& import, IniDocument& target, Progress& progress) {
  // The first imported button takes the placeholder's number: none of the placeholder's keys stays.
  // Every line of each name goes: a later line of the same name would be read in its place.
  if (import.ReplacesPlaceholder) {
    std::vector<std::string> placeholderKeys;
    for (const std::string_view key : ButtonKeys)
      placeholderKeys.push_back(std::string{key} + std::to_string(import.FirstNumber));
    target.RemoveAll(ButtonBarSection, placeholderKeys);
  }
  target.Write(ButtonBarSection, import.Writes);
  ShowButtons(import.Buttons, progress);
}

FileError ReadError(FileProblem problem, std::string_view file, const std::filesystem::path& path) {
  WriteFailure failure = ReadFailureOf(path);
  return FileError{problem, std::string{file}, std::move(failure.SystemMessage), failure.Reason};
}

ImportOutcome ImportIntoBar(std::string_view sourceFile, std::string_view targetFile, ImportPlace place, Progress& progress,
                            unsigned codePage, const std::string* sourceBytes) {
  const std::filesystem::path sourcePath = PathFromUtf8(sourceFile);
  const std::filesystem::path targetPath = PathFromUtf8(targetFile);
  ImportOutcome outcome;
  auto targetBytes = ReadFileBytes(targetPath);
  if (!targetBytes) {
    outcome.Error = FileError{FileProblem::BarFileNotRead, std::string{targetFile}};
    return outcome;
  }
  std::optional<std::string> readBytes;
  if (!sourceBytes && IsSameFile(sourcePath, targetPath)) {
    sourceBytes = &*targetBytes;  // the bar as it is before the import
  } else if (!sourceBytes) {
    readBytes = ReadFileBytes(sourcePath);
    if (!readBytes) {
      outcome.Error = ReadError(FileProblem::SourceNotRead, sourceFile, sourcePath);
      return outcome;
    }
    sourceBytes = &*readBytes;
  }
  const ButtonImport import = ReadButtonImport(*sourceBytes, place, codePage);
  outcome.Warning = ShapeWarning(ShapeOfBarFile(*sourceBytes), sourceFile);
  IniDocument target{std::move(*targetBytes)};
  ApplyButtonImport(import, target, progress);
  if (import.Buttons.Clamped)
    outcome.Warning = BuildWarning{ImportProblem::ButtonCountClamped, std::string{sourceFile}, import.Buttons.Count};
  outcome.TargetBytes = target.Bytes();
  return outcome;
}

}  // namespace barloom
