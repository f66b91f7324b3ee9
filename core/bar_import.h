#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "core/bar_set_result.h"
#include "core/progress.h"
#include "settings/ini_document.h"

// Carrying the buttons of an existing bar into a freshly generated bar of a set.
namespace barloom {

// The largest button number a bar can have: counts are 16-bit numbers.
inline constexpr int MaxButtonNumber = 32767;

struct ImportedButtons {
  int Count = 0;         // buttons taken from the source
  bool Clamped = false;  // the source's count was cut to keep every number within MaxButtonNumber
};

// Where the buttons of an import go: behind the first `After` buttons of the bar. In a generated bar
// of a set of barCount bars they go behind the switch buttons and the separator, so that the first
// of them takes the placeholder's number; in a bar that keeps buttons of its own, behind those.
struct ImportPlace {
  ImportPlace(int barCount) : After(barCount + 1) {}  // a generated bar: implicit, as a bar count
  static ImportPlace Behind(int buttons);
  int After;
};

// How many buttons an import brings to `place` from a source whose count reads `countText`: the
// number it begins with, halves to even, none when below 1, clamped so that no button number
// exceeds MaxButtonNumber.
ImportedButtons ButtonsToImport(std::string_view countText, ImportPlace place);

// The count text of a source's bytes, as the import reads it.
std::string SourceCountText(std::string_view sourceBytes);

// Appends the buttons of `source` to `target`, a bar of a set (a generated bar of a set of barCount
// bars when `place` is a bar count). The source's ButtonCount is read leniently (the number its
// text begins with, halves to even); source button k becomes button place.After + k: the keys
// button, cmd, path, menu, param and iconic, in that order, each trimmed of spaces and left out
// when the source lacks it; then Buttoncount = place.After + the count. The count is clamped so that no button number exceeds MaxButtonNumber.
// Each key is read before the next one is written, exactly as one profile call after the other
// would do. Progress: one step per button (the maximum covers them from the start of the run).
ImportedButtons ImportBarButtons(const IniDocument& source, IniDocument& target, ImportPlace place, Progress& progress);

// ImportBarButtons from a bar into itself: the source is the bar as the keys copied before have
// left it, so a key the copy has written may be read again.
ImportedButtons ImportOwnButtons(IniDocument& bar, ImportPlace place, Progress& progress);

// The writes ImportBarButtons makes into a bar from a source other than the bar itself, read from
// the source's bytes in one pass: they go into every bar of the set that imports it.
struct ButtonImport {
  ImportedButtons Buttons;
  IniKeyWrites Writes;  // the buttons' keys in the order they are copied, then Buttoncount
};
ButtonImport ReadButtonImport(std::string_view sourceBytes, ImportPlace place);

// What ImportBarButtons does into `target` from the source `import` was read from.
void ApplyButtonImport(const ButtonImport& import, IniDocument& target, Progress& progress);

// ImportBarButtons from the file `sourceFile` into the bar file `targetFile`, without writing: the
// target's new bytes come back. `sourceBytes`, when given, are the source's bytes as read before
// (the source file is then not read). A source that is the target itself (the same file, however
// spelled) is read from the target's own document. A missing or unreadable source adds no
// buttons. An error names the target when it cannot be read.
struct ImportOutcome {
  std::optional<FileError> Error;
  std::optional<BuildWarning> Warning;
  std::string TargetBytes;  // ImportIntoBar: the target's bytes with the import
};
ImportOutcome ImportIntoBar(std::string_view sourceFile, std::string_view targetFile, ImportPlace place, Progress& progress,
                            const std::string* sourceBytes = nullptr);

}  // namespace barloom
