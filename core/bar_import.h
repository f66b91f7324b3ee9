#pragma once
#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/bar_set_result.h"
#include "core/progress.h"
#include "settings/ini_document.h"
#include "settings/numbered_keys.h"

// Carrying the buttons of an existing bar into a freshly generated bar of a set.
namespace barloom {

// The largest button number a bar can have: counts are 16-bit numbers.
inline constexpr int MaxButtonNumber = 32767;

struct ImportedButtons {
  int Count = 0;         // buttons taken from the source
  bool Clamped = false;  // the source's count was cut to keep every number within MaxButtonNumber
};

// Where the buttons of an import go: behind the first `After` buttons of the bar. In a generated bar
// of a set of barCount bars they go behind the switch buttons and the separator, and the first of
// them replaces the placeholder; in a bar that keeps buttons of its own, behind those, and the
// placeholder stays.
struct ImportPlace {
  ImportPlace(int barCount) : After(barCount + 1), ReplacesPlaceholder(true) {}  // a generated bar: implicit, as a bar count
  static ImportPlace Behind(int buttons);
  int After;
  bool ReplacesPlaceholder;  // button After + 1 is the placeholder, which the first imported button replaces whole
};

// How many buttons an import brings to `place` from a source whose count reads `countText`: the
// number it begins with, halves to even, none when below 1, clamped so that no button number
// exceeds MaxButtonNumber.
ImportedButtons ButtonsToImport(std::string_view countText, ImportPlace place);

// The text of a bar file as the import and keep-buttons read it. A file that begins with the UTF-8
// byte-order mark is UTF-8 text (read without the mark); any other file is read as the profile
// reader reads it (code-page bytes, or UTF-16 with its mark).
struct BarText {
  std::string_view Text;
  bool Utf8 = false;
};
BarText BarTextOf(std::string_view fileBytes);

// The count text of a bar file, as the import reads it.
std::string SourceCountText(std::string_view fileBytes);

// What a file offered as a bar holds: a button bar with buttons, no button-bar section at all (an
// empty file, a picture, another INI file), or a bar whose count reads below 1.
enum class BarFileShape { Buttons, NotABar, NoButtons };
BarFileShape ShapeOfBarFile(std::string_view fileBytes);

// A value as a key line stores it so that the profile reader reads it back unchanged: blanks at
// either end, or a pair of quotation marks around it, would be taken off, so such a value goes
// inside one more pair of quotation marks, as Total Commander itself writes it.
std::string StoredValue(std::string_view value);

// The value a carried key stores, from `value` as the reader gave it out of a bar text: UTF-8 text
// becomes code-page bytes, or the UTF-8 mark and UTF-8 where `codePage` cannot hold it; then
// StoredValue.
std::string CarriedValue(std::string_view value, bool utf8, unsigned codePage);

// The keys a carried button may have, in the order they are written.
inline constexpr std::array<std::string_view, 6> ButtonKeys{"button", "cmd", "path", "menu", "param", "iconic"};

// The values of `keys` in the bar text `text`, each whole (no buffer cuts it) and as CarriedValue
// stores it, in one pass: visit(i, value) for each key i in order, nullopt where the key is missing.
void ReadCarriedValues(const BarText& text, const std::vector<std::string>& keys, unsigned codePage,
                       const std::function<void(std::size_t, std::optional<std::string_view>)>& visit);
// The same for a family of numbered keys (buttons First.. with the stems' keys).
void ReadCarriedValues(const BarText& text, const NumberedKeys& keys, unsigned codePage,
                       const std::function<void(std::size_t, std::optional<std::string_view>)>& visit);

// The writes an import makes into a bar, read from the source's bytes in one pass: they go into
// every bar of the set that imports it. Source button k becomes button place.After + k, arriving
// as it was: the keys button, cmd, path, menu, param and iconic that it has, in that order, each
// reading back as it read from the source (whole, quoted again where needed), and none it lacks;
// then Buttoncount = place.After + the count. The source's ButtonCount is read leniently (the
// number its text begins with, halves to even) and clamped so that no button number exceeds
// MaxButtonNumber. Values of a UTF-8 source are stored in `codePage`, marked where it cannot hold them.
struct ButtonImport {
  ImportedButtons Buttons;
  bool ReplacesPlaceholder = false;  // the target's button place.After + 1 goes first, whole
  int FirstNumber = 0;               // place.After + 1
  IniKeyWrites Writes;               // the buttons' keys in the order they are written, then Buttoncount
};
ButtonImport ReadButtonImport(std::string_view sourceBytes, ImportPlace place, unsigned codePage);

// What the import `import` was read for does into `target`: the placeholder taken out whole when
// a button takes its place, the writes made. Progress: one step per button.
void ApplyButtonImport(const ButtonImport& import, IniDocument& target, Progress& progress);

// Why a source or a bar to keep could not be read, from the reader's answer.
FileError ReadError(FileProblem problem, std::string_view file, const std::filesystem::path& path);

// ImportBarButtons from the file `sourceFile` into the bar file `targetFile`, without writing: the
// target's new bytes come back. `sourceBytes`, when given, are the source's bytes as read before
// (the source file is then not read). A source that is the target itself (the same file, however
// spelled) is read as the target is before the import. A source that cannot be read is an error
// (SourceNotRead, with its reason), and so is a target that cannot be read (BarFileNotRead).
struct ImportOutcome {
  std::optional<FileError> Error;
  std::optional<BuildWarning> Warning;
  std::string TargetBytes;  // ImportIntoBar: the target's bytes with the import
};
ImportOutcome ImportIntoBar(std::string_view sourceFile, std::string_view targetFile, ImportPlace place, Progress& progress,
                            unsigned codePage, const std::string* sourceBytes = nullptr);

// The warning a source of this shape gives (NotABar, NoButtons), or nullopt for a bar with buttons.
std::optional<BuildWarning> ShapeWarning(BarFileShape shape, std::string_view file);

}  // namespace barloom
