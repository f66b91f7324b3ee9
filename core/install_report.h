#pragma once
#include <string>

#include "core/bar_install.h"
#include "core/commander_ini.h"
#include "core/current_bar.h"

// What the user is told about making a bar Total Commander's button bar, in their language: the
// window shows it, barloom-cli prints it (in English). Texts are only put side by side with
// names, paths and values.
namespace barloom {

class LoadedLanguage;


// How `rule` found the wincmd.ini: one sentence (804 to 810).
std::string IniRuleText(IniRule rule, const LoadedLanguage& language);
// Why a section is in the file it is in (812 to 814).
std::string PlaceRuleText(PlaceRule rule, const LoadedLanguage& language);
// "[Buttonbar] Buttonbar": the section and the key, as the file names them.
std::string KeyName(const KeyPlace& place);

// The bar a configuration names now, as the window shows it: the file (or 818, "(none)"), with
// 845, "(hidden)", when [Layout] hides the bar.
std::string CurrentBarText(const CurrentBar& bar, const LoadedLanguage& language);

enum class InstallAction { Install, Undo };

// What `result` did: the heading (824, or 831 after an undo), then for each file its path and for
// each of its keys the key, "Before:" (826) and "Now:" (827) with the values ("(none)" for a key
// that is not there); then the note on values written as UTF-8 (829), the backups kept (828 and a
// path a line) and "Start Total Commander to see the change." (825), each after an empty line.
// An install that had nothing to change says so (830); a failure is InstallFailureReport.
std::string InstallReport(const InstallResult& result, InstallAction action, const LoadedLanguage& language);

// Why nothing was changed: the problem's text (832 to 839, 844), the file on a line of its own,
// the reason and the system's words; then, when a file could not be put back, 839 and the file.
std::string InstallFailureReport(const InstallError& error, const LoadedLanguage& language);

}  // namespace barloom
