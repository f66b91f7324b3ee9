#pragma once
#include <cstdint>
#include <string>

// What the main window's menus do beyond opening a dialog: the help page, and whether the
// language of the texts changed while the Options dialog was open.
namespace barloom {

class MessageBoxService;
class ShellOpener;
struct Settings;

// Opens Readme.htm beside the program with the system's browser, or says "File not found." (in
// the user's language, critical icon, the program's name as title) when it is not there.
void ShowReadme(std::uintptr_t ownerWindow, const Settings& settings, ShellOpener& shell, MessageBoxService& messages);

// The language as the Options dialog may change it: the language file's name (letter case does
// not count, as in file names) and the switch to the built-in texts.
struct LanguageChoice {
  std::string LanguageFile;
  int UseDefaultLanguage = 1;
  bool operator==(const LanguageChoice&) const = default;
};
LanguageChoice CurrentLanguageChoice(const Settings& settings);

}  // namespace barloom
