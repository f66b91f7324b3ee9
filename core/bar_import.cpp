#include "core/bar_import.h"

#include <array>
#include <cmath>
#include <filesystem>
#include <system_error>
#include <vector>

#include "core/bar_layout.h"
#include "platform/file_writing.h"
#include "platform/file_bytes.h"
#include "platform/path_text.h"
#include "settings/ini_document.h"
#include "settings/number_text.h"
#include "settings/profile.h"

namespace barloom {
namespace {

constexpr std::size_t ValueBufferSize = 4096;
constexpr std::array<std::string_view, 6> ButtonKeys{"button", "cmd", "path", "menu", "param", "iconic"};

constexpr int KeysPerButton = static_cast<int>(ButtonKeys.size());

// The name of key `index` (0, 1, ...) in the order the keys are copied: button k's button, cmd,
// path, menu, param and iconic, from k = firstNumber on.
std::string ButtonKey(int index, int firstNumber) {
  return std::string{ButtonKeys[index % KeysPerButton]} + std::to_string(firstNumber + index / KeysPerButton);
}

// The target's number of source button k is place.After + k.
int FirstTargetNumber(ImportPlace place) { return place.After + 1; }

// A value read from the source as the target gets it: trimmed, as the profile writer trims it,
// and nullopt for a missing key, which leaves the target's as it is.
std::optional<std::string_view> CopiedValue(std::optional<std::string_view> value) {
  return value ? StorableText(*value) : std::nullopt;
}

std::string CountValue(const ImportedButtons& imported, ImportPlace place) {
  return std::to_string(place.After + imported.Count);
}

void ShowButtons(const ImportedButtons& imported, Progress& progress) {
  for (int k = 1; k <= imported.Count; ++k) progress.Step();
}

// The key-by-key copy: each key read with `read(key)`, then written with `write(key, value)`,
// before the next is read, exactly as one profile call after the other would do.
template <typename Find, typename Write>
ImportedButtons CopyKeyByKey(const Find& find, const Write& write, ImportPlace place, Progress& progress) {
  const ImportedButtons imported = ButtonsToImport(find("ButtonCount").value_or("0"), place);
  for (int key = 0; key < imported.Count * KeysPerButton; ++key) {
    const std::optional<std::string> value = find(ButtonKey(key, 1));
    if (const auto text = CopiedValue(value)) write(ButtonKey(key, FirstTargetNumber(place)), *text);
  }
  write("Buttoncount", CountValue(imported, place));
  ShowButtons(imported, progress);
  return imported;
}

auto Finder(const IniDocument& document) {
  return [&document](std::string_view key) { return FindIniValue(document, ButtonBarSection, key, ValueBufferSize); };
}

auto Writer(IniDocument& document) {
  return [&document](std::string_view key, std::string_view value) { document.Write(ButtonBarSection, key, value); };
}

}  // namespace

// The count as the profile API reads a number (halves to even), with the cases that would overflow
// a 16-bit counter cut to what still fits behind the bar's own buttons.
ImportPlace ImportPlace::Behind(int buttons) {
  ImportPlace place{0};
  place.After = buttons;
  return place;
}

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

std::string SourceCountText(std::string_view sourceBytes) {
  return ReadIniValueFromBytes(sourceBytes, ButtonBarSection, "ButtonCount", "0", ValueBufferSize);
}

ImportedButtons ImportBarButtons(const IniDocument& source, IniDocument& target, ImportPlace place, Progress& progress) {
  return CopyKeyByKey(Finder(source), Writer(target), place, progress);
}

ImportedButtons ImportOwnButtons(IniDocument& bar, ImportPlace place, Progress& progress) {
  // Each key is read from the bar as the writes before it have left it.
  return CopyKeyByKey(Finder(bar), Writer(bar), place, progress);
}

ButtonImport ReadButtonImport(std::string_view sourceBytes, ImportPlace place) {
  ButtonImport import;
  import.Buttons = ButtonsToImport(SourceCountText(sourceBytes), place);
  const int keys = import.Buttons.Count * KeysPerButton;
  std::vector<std::string> sourceKeys;
  sourceKeys.reserve(static_cast<std::size_t>(keys));
  for (int key = 0; key < keys; ++key) sourceKeys.push_back(ButtonKey(key, 1));
  // The values and their target keys take about as many bytes as the source.
  import.Writes.Reserve(sourceKeys.size() + 1, sourceBytes.size());
  FindIniValuesInBytes(sourceBytes, ButtonBarSection, sourceKeys, ValueBufferSize,
                       [&](std::size_t key, std::optional<std::string_view> value) {
                         if (const auto text = CopiedValue(value))
                           import.Writes.Add(ButtonKey(static_cast<int>(key), FirstTargetNumber(place)), *text);
                       });
  import.Writes.Add("Buttoncount", CountValue(import.Buttons, place));
  return import;
}

void ApplyButtonImport(const ButtonImport& import, IniDocument& target, Progress& progress) {
  target.Write(ButtonBarSection, import.Writes);
  ShowButtons(import.Buttons, progress);
}

ImportOutcome ImportIntoBar(std::string_view sourceFile, std::string_view targetFile, ImportPlace place, Progress& progress,
                            const std::string* sourceBytes) {
  const std::filesystem::path sourcePath = PathFromUtf8(sourceFile);
  const std::filesystem::path targetPath = PathFromUtf8(targetFile);
  ImportOutcome outcome;
  auto targetBytes = ReadFileBytes(targetPath);
  if (!targetBytes) {
    outcome.Error = FileError{FileProblem::BarFileNotRead, std::string{targetFile}};
    return outcome;
  }
  IniDocument target{std::move(*targetBytes)};

  ImportedButtons imported;
  if (!sourceBytes && IsSameFile(sourcePath, targetPath)) {
    imported = ImportOwnButtons(target, place, progress);
  } else {
    const auto readBytes = sourceBytes ? std::optional<std::string>{} : ReadFileBytes(sourcePath);
    const std::string* bytes = sourceBytes ? sourceBytes : readBytes ? &*readBytes : nullptr;
    if (!bytes) outcome.Warning = BuildWarning{ImportProblem::SourceNotRead, std::string{sourceFile}};
    const ButtonImport import = ReadButtonImport(bytes ? *bytes : std::string{}, place);
    ApplyButtonImport(import, target, progress);
    imported = import.Buttons;
  }
  if (imported.Clamped)
    outcome.Warning = BuildWarning{ImportProblem::ButtonCountClamped, std::string{sourceFile}, imported.Count};
  outcome.TargetBytes = target.Bytes();
  return outcome;
}

}  // namespace barloom
