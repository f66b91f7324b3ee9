#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/bar_set_result.h"
#include "core/progress.h"
#include "core/wizard_state.h"

// Writing a whole set of bars: the generated files, then the imports.
namespace barloom {

// The program-wide values a set is built from.
struct BarSetOptions {
  std::string AppFolder;                         // ends in the separator; its "icons" folder holds the icons
  std::string BarFilePrefix;                     // may be empty
  std::optional<std::string> CommanderFolder;    // nullopt: no path is folded
  unsigned CodePage = 0;                         // 0: the system's ANSI code page
};

// Whether `prefix` can begin the name of a bar file: it cannot when it holds a path separator, a
// character that Windows refuses in file names (: * ? " < > |) or a control character
// (FileProblem::PrefixHasForbiddenCharacter). The same on every platform, since the bars are
// Windows files.
bool IsUsableBarFilePrefix(std::string_view prefix);

// The longest file name that Windows file systems take, in UTF-16 code units; and what a bar's
// name adds to its prefix: the two digits and ".bar".
inline constexpr std::size_t MaxFileNameLength = 255;
inline constexpr std::size_t BarFileNameSuffixLength = 6;

// Whether the names of the bar files that `prefix` begins stay within MaxFileNameLength, as
// Windows counts them (a character beyond U+FFFF takes two units). The same on every platform,
// since the bars are Windows files.
bool BarFileNamesFit(std::string_view prefix);

// Derives the paths of bars 1..BarCount, creates the save folder (with its parents) when missing and
// writes every bar file, each atomically, one after the other. Nothing is written, and no folder
// created, when the save folder is empty, the prefix cannot begin a file name or makes the names
// too long (BarFileNamesFit), a folder holds a line break (it would break the bar's lines), a
// part of the save folder's name is one Windows refuses (FindRefusedFolderPart,
// FindFolderPartWithForbiddenCharacter), the save folder or one above it is a link to nothing, or
// the folder it would be created in has no write permission. The first file that cannot be written
// stops the run: the error names it, the files before it stay as written, no file is ever
// half-written, and the folders the run made are taken away again where they stayed empty (deepest
// first; a folder that was there before is never touched).
//
// A bar that changes keeps its earlier bytes beside it first, and a bar that holds the bytes
// already is not written (BarReplacer). With KeepButtons, each bar keeps the buttons its file had
// of its own (ReadOwnButtons), read before anything is written, behind its placeholder. Buttons an
// earlier Create imported from the source this one imports into the bar are not its own
// (WithoutReimportedButtons): kept, they would be there twice; dropped, nothing is lost.
//
// The imports of slots 1..BarCount go in as if made one after the other once the bars were written
// as generated (an import whose source is a bar of the set reads it as written by then: with its
// own import when its slot came earlier), then the progress display is hidden. Each bar is written
// once, with its import, and a source imported into several bars is read once. Where a source is
// missing while a bar is missing too (the source may be that bar), or a bar file cannot be
// replaced, the bars are first written as generated and then imported into: nothing is imported
// when a bar file could not be written. A bar that cannot be written with its import is written
// as generated, and so are the bars after it. With KeepButtons, "generated" includes the bar's own
// buttons, and its import goes behind them (behind the placeholder, which it then leaves in
// place); the bars of the set's names beyond the count are named in the result and left as they
// are. An import of a file other than the set's bars reads it as it was before the run.
//
// The choices are only read; what the run derived and did comes back in the result. Progress:
// value 1, maximum the generated buttons (GeneratedButtonCount) and every imported button from the
// start, visible; one step per
// file and per button, the value only growing. Nothing but the files and the display is touched,
// so a run may go on a thread of its own.
BuildResult BuildBarSet(const WizardState& choices, const BarSetOptions& options, ProgressDisplay& display);

// A bar of the set already in the folder that holds buttons of its own (those KeepButtons keeps).
struct OwnButtonsOnBar {
  std::string BarFile;
  int Count = 0;
  friend bool operator==(const OwnButtonsOnBar&, const OwnButtonsOnBar&) = default;
};

// The bars a Create of `choices` would replace without keeping the buttons they hold of their own,
// in bar order: nothing with KeepButtons. Without KeepButtons, BuildBarSet drops them (the backups
// keep them, and the result names them): the user is asked first.
std::vector<OwnButtonsOnBar> OwnButtonsToDrop(const WizardState& choices, const BarSetOptions& options);

}  // namespace barloom
