#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "core/bar_set.h"
#include "core/bar_set_result.h"

// What the user is told after a Create, in their language: the window shows it in a message box,
// barloom-cli prints it. Texts are only ever put side by side with names and numbers.
namespace barloom {

class LoadedLanguage;
struct MissingIcons;

struct CreateReport {
  std::string Steps;     // the installation steps; empty when the set could not be written
  std::string Kept;      // KeptReport; "" when there is nothing to say
  std::string Warnings;  // what the imports did differently (WarningsReport); "" for none
  std::string Failure;   // why the set could not be written (FailureReport); "" when it was

  // The message the window shows: the failure or the steps, then what was kept, then the
  // warnings, separated by empty lines.
  std::string MessageText() const;
};

// The installation steps: texts 625, 626 .. 629 in `language`, joined by line feeds (625, two line
// feeds, then each of the others followed by one), with every "Bar_01.bar" (exact case) replaced by
// the set's own first file name, barFilePrefix + "01.bar".
std::string CreationReport(const LoadedLanguage& language, std::string_view barFilePrefix);

// The installation steps in `language` after a Create of the set in `setFolder`: the steps
// (CreationReport) and the hint that Barloom can do them (842); or, when Total Commander's
// configuration names bar 1 of the set already (`setInUse`), that it uses the set and how to see
// the new buttons (841). Then the set's folder (840, the folder on a line of its own). Blocks are
// separated by an empty line; the text ends in a line feed, as the steps do.
std::string InstallationSteps(const LoadedLanguage& language, std::string_view barFilePrefix,
                              std::string_view setFolder, bool setInUse);

// What the run kept and left, each a block of lines, the blocks separated by an empty line: the
// earlier versions kept (text 721, then each backup's path on a line), the backups left as they
// were since they hold own buttons (927, then each path), the bars beyond the count left as they
// were (722, then each path), each bar whose own buttons were dropped (926, its path, a line "- "
// and the name of each of the first ten buttons, 928 for a separator, "- ... (N)" when there are
// more, then 725 with its backup), and each import that read a bar the set replaced (text
// 723, the file, 724 with the bar that imported it, and 725 with the backup that holds its
// earlier version, when one was kept). "" when there is nothing to say.
std::string KeptReport(const BuildResult& build, const LoadedLanguage& language);

// Before a Create that would drop buttons of the bars' own (OwnButtonsToDrop, not empty): text
// 920, the number of buttons behind 921 and of bars behind 922, each on a line, then each bar's
// path with its number of buttons in parentheses.
std::string OwnButtonsFound(const std::vector<OwnButtonsOnBar>& bars, const LoadedLanguage& language);
// The window's question: OwnButtonsFound, an empty line, then 923 (keep them, or drop them?).
std::string OwnButtonsQuestion(const std::vector<OwnButtonsOnBar>& bars, const LoadedLanguage& language);

// Step 3, before Create. The caption of the check box that keeps the bars' own buttons (shown
// while the folder holds bars of the set's names): text 728, then the number of bars found behind
// text 729 in parentheses, "&Keep the buttons already on these bars (found: 3)".
std::string KeepButtonsCaption(const LoadedLanguage& language, int barsFound);

// The note for the tooltip of a bar's number whose import, `importFile`, is a bar the set of
// `choices` replaces (ReplacedBarOf): text 726, then on a line of its own 727 with the name of the
// backup that will keep its present version, "Bar_01.bar.bak". "" for any other file.
std::string ReplacedImportNote(std::string_view importFile, const WizardState& choices, std::string_view barFilePrefix,
                               const LoadedLanguage& language);

// Before Create, the icons the bars would point to that are missing: text 870 and the folder on a
// line of its own, or text 871, the folder, and the missing names joined by ", " on a line of
// their own. "" when none is missing.
std::string MissingIconsReport(const MissingIcons& missing, const LoadedLanguage& language);
// Step 3, when `file` is picked or dropped as the bar whose buttons a bar receives: "" for a
// button bar with buttons, which becomes the import. Otherwise what the user is told, and the bar
// keeps its earlier choice: a file that holds no button bar or no buttons is named behind text 900
// or 901; one that cannot be read behind 905, with the reason (ReasonText) or the system's words.
std::string ImportFileRefusal(std::string_view file, const LoadedLanguage& language);

// The report of `build` in `language`, every part of it; `setInUse` as for InstallationSteps.
CreateReport ReportOf(const BuildResult& build, const LoadedLanguage& language, std::string_view barFilePrefix,
                      bool setInUse = false);

}  // namespace barloom
