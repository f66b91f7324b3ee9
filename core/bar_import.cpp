#include "core/bar_import.h"

#include <array>
#include <cmath>
#include <filesystem>
#include <system_error>

#include "core/bar_layout.h"
#include "platform/atomic_file.h"
#include "platform/code_page.h"
#include "platform/not_found_marker.h"
#include "settings/ini_document.h"
#include "settings/number_text.h"
#include "settings/profile.h"

namespace barloom {
namespace {

constexpr std::size_t ValueBufferSize = 4096;
constexpr std::array<std::string_view, 6> ButtonKeys{"button", "cmd", "path", "menu", "param", "iconic"};

// The count as the profile API reads a number (halves to even), with the cases that would overflow
// a 16-bit counter cut to what still fits behind the bar's own buttons.
ImportedButtons SourceButtonCount(std::string_view countText, int barCount) {
  const double value = ReadLeadingNumber(countText);
  const int limit = MaxButtonNumber - (barCount + 1);
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

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code error;
  const bool same = std::filesystem::equivalent(a, b, error);
  return !error && same;
}

}  // namespace

ImportedButtons ImportBarButtons(const IniDocument& source, IniDocument& target, int barCount, Progress& progress) {
  const ImportedButtons imported =
      SourceButtonCount(source.Read(ButtonBarSection, "ButtonCount", "0", ValueBufferSize), barCount);
  if (imported.Count > 0) progress.Raise(imported.Count);
  for (int k = 1; k <= imported.Count; ++k) {
    progress.Step();
    const std::string sourceNumber = std::to_string(k);
    const std::string targetNumber = std::to_string(barCount + 1 + k);
    for (const std::string_view key : ButtonKeys) {
      // Read, then write, before the next key is read: source and target may be one document.
      const std::string value =
          source.Read(ButtonBarSection, std::string{key} + sourceNumber, NotFoundMarker, ValueBufferSize);
      // The rule of the profile writer: trimmed, and a missing key leaves the target's as it is.
      if (const std::optional<std::string_view> text = StorableText(value))
        target.Write(ButtonBarSection, std::string{key} + targetNumber, *text);
    }
  }
  target.Write(ButtonBarSection, "Buttoncount", std::to_string(barCount + 1 + imported.Count));
  return imported;
}

ImportOutcome ImportBarFile(std::string_view sourceFile, std::string_view targetFile, int barCount,
                            Progress& progress) {
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
  if (SameFile(sourcePath, targetPath)) {
    imported = ImportBarButtons(target, target, barCount, progress);
  } else {
    auto sourceBytes = ReadFileBytes(sourcePath);
    if (!sourceBytes) outcome.Warning = BuildWarning{ImportProblem::SourceNotRead, std::string{sourceFile}};
    const IniDocument source = sourceBytes ? IniDocument{std::move(*sourceBytes)} : IniDocument{};
    imported = ImportBarButtons(source, target, barCount, progress);
  }
  if (imported.Clamped)
    outcome.Warning = BuildWarning{ImportProblem::ButtonCountClamped, std::string{sourceFile}, imported.Count};

  WriteFailure failure;
  if (!ReplaceFileAtomically(targetPath, target.Bytes(), &failure))
    outcome.Error = WriteError(FileProblem::BarFileNotWritten, std::string{targetFile}, std::move(failure));
  return outcome;
}

}  // namespace barloom
