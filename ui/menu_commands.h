#pragma once
#include <cstdint>

// What the main window's menus do beyond opening a dialog: the help page.
namespace barloom {

class MessageBoxService;
class ShellOpener;
struct Settings;

// Opens Readme.htm beside the program with the system's browser, or says "File not found." (in
// the user's language, critical icon, the program's name as title) when it is not there.
void ShowReadme(std::uintptr_t ownerWindow, const Settings& settings, ShellOpener& shell, MessageBoxService& messages);

}  // namespace barloom
