#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// What the main window's menus do beyond opening a dialog: the help page, and what opening it or
// an address says when it fails.
namespace barloom {

class Language;
class MessageBoxService;
class ShellOpener;

// Opens `target` (a document or a web address) with the program the system sets up for it. When
// the system cannot, a message says so (critical icon, the program's name as title): text 750,
// the target on a line of its own, then why (751 to 755, 743, 745, or the system's own words).
void OpenOrReport(std::uintptr_t ownerWindow, std::string_view target, const Language& language, ShellOpener& shell,
                  MessageBoxService& messages);

// Opens Readme.htm beside the program with the system's browser as OpenOrReport does, or says
// "File not found." (in the user's language, critical icon, the program's name as title) when it
// is not there.
// `appFolder` is the program's folder, ending in the path separator.
void ShowReadme(std::uintptr_t ownerWindow, std::string_view appFolder, const Language& language, ShellOpener& shell,
                MessageBoxService& messages);

}  // namespace barloom
