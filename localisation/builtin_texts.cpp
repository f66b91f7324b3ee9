#include "localisation/builtin_texts.h"

#include <algorithm>
#include <array>

namespace barloom {
namespace {

constexpr std::array Texts{
    BuiltInText{101, "&File"},
    BuiltInText{110, "E&xit"},
    BuiltInText{150, "&Options..."},
    BuiltInText{161, "&Help"},
    BuiltInText{162, "Help &Topics"},
    BuiltInText{163, "&About..."},
    BuiltInText{601, "Step 1"},
    BuiltInText{602, "Step 2"},
    BuiltInText{603, "Step 3"},
    BuiltInText{604, "&Next"},
    BuiltInText{605, "&Back"},
    BuiltInText{606, "&Create"},
    BuiltInText{607, "Try my other tools"},
    BuiltInText{610, "&File name prefix"},
    BuiltInText{611, "&Language File"},
    BuiltInText{620, "Specify how many button bar you need?"},
    BuiltInText{621, "Specify where the button bar files will be saved."},
    BuiltInText{622, "It is recommended to save in separate folder."},
    BuiltInText{623, "Press above numbers and browse for any button bar file (*.bar) to import its contents."},
    BuiltInText{624, "You can skip this step and press Create button."},
    BuiltInText{625, "Button bar files has been created, follow these steps to apply:"},
    BuiltInText{626, "1- Run Total Commander."},
    BuiltInText{627, "2- Show 'Change button bar' dialog box."},
    BuiltInText{628, "3- Press >> button and choose 'Bar_01.bar' file, then press OK."},
    BuiltInText{629, "4- Press Yes when you asked: Do you want to make this button bar the new main button bar?"},
    BuiltInText{630, "&Remove import"},
    // Why a set could not be built (shown with the file's path and the system's reason).
    BuiltInText{700, "The button bar file could not be saved."},
    BuiltInText{701, "No folder has been chosen for the button bar files."},
    BuiltInText{702, "A set must consist of 2 to 20 button bars."},
    BuiltInText{703,
                "The file name prefix must not contain any of these characters: \\ / : * ? \" < > | or a control "
                "character."},
    BuiltInText{704, "A button bar file cannot refer to a folder whose name contains a line break."},
    BuiltInText{705, "The folder for the button bar files could not be created."},
    BuiltInText{706, "The button bar file could not be read."},
    BuiltInText{707, "Windows does not allow a folder name that ends in a space or a dot."},
    BuiltInText{708,
                "Windows keeps this name for a device (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, also with an "
                "extension); it cannot name a folder."},
    BuiltInText{709, "The folder is a symbolic link to something that does not exist."},
    // What an import did differently (shown with the path of the file imported from).
    BuiltInText{710,
                "The file to import holds more buttons than a button bar can take; only the first of them were "
                "imported."},
    BuiltInText{711, "The file to import could not be read; no buttons were imported from it."},
    BuiltInText{712, "Buttons imported:"},
    // Why a file could not be written, where the program found the cause itself.
    BuiltInText{713, "The folder does not exist."},
    BuiltInText{714, "The name belongs to a folder."},
    BuiltInText{715, "The name does not belong to an ordinary file."},
    BuiltInText{716, "The file is read-only."},
    BuiltInText{717, "The folder is read-only."},
    // Backups and the buttons a set keeps when it is created again.
    BuiltInText{720, "The earlier version of the button bar file could not be kept, so the file was not replaced."},
    BuiltInText{721, "The earlier versions of the replaced button bar files were kept in:"},
    BuiltInText{722,
                "These button bar files of the earlier set were left as they were; the new set does not switch to "
                "them:"},
    BuiltInText{723,
                "The file imported is one of the button bars this set replaced; the bar received the buttons of its "
                "new version, not its earlier ones:"},
    BuiltInText{724, "Imported into bar:"},
    BuiltInText{725, "Its earlier version is kept in:"},
    BuiltInText{726,
                "This file is one of the button bars this set replaces: this bar receives the buttons of its new "
                "version, not its present ones."},
    BuiltInText{727, "If the file changes, its present version is kept in:"},
    BuiltInText{728, "&Keep the buttons already on these bars"},
    BuiltInText{729, "found:"},
    BuiltInText{730,
                "The button bar holds more buttons of its own than fit beside the new switch buttons; only the first "
                "of them were kept."},
    BuiltInText{731, "Buttons kept:"},
    // Why a file could not be written or a folder made, as read from the system's answer.
    BuiltInText{740, "A file or folder name is longer than the file system allows."},
    BuiltInText{741, "The path is longer than the system can handle."},
    BuiltInText{742, "The drive or network share is not available."},
    BuiltInText{743, "Access is denied: you do not have the necessary rights."},
    BuiltInText{744, "The disk is full."},
    BuiltInText{745, "The file is in use by another program."},
    BuiltInText{746, "The drive is read-only (write-protected)."},
    BuiltInText{747,
                "A name contains a character that names may not hold (\\ / : * ? \" < > | or a control "
                "character)."},
    BuiltInText{748, "A file stands where a folder is needed."},
    // Options refuses a prefix (shown with the first bar file's name and reason 740).
    BuiltInText{749, "The file name prefix makes the names of the button bar files too long."},
    // Help and links: what could not be opened (shown with the file or address and the reason).
    BuiltInText{750, "The file or web address could not be opened."},
    BuiltInText{751, "No program is set up to open this kind of file or address."},
    BuiltInText{752, "The file or address was not found."},
    BuiltInText{753, "The program that opens it could not be started."},
    BuiltInText{754, "The program that opens it did not respond."},
    BuiltInText{755, "There is not enough memory."},
    // The bar buttons' names, the folder button's name, and files dropped on the bar buttons.
    BuiltInText{770, "Bar"},
    BuiltInText{771, "Browse for folder"},
    BuiltInText{772, "Only button bar files (*.bar) can be dropped on the bar numbers; these were not imported:"},
    BuiltInText{773, "From the bar they were dropped on there are not enough bars; these files were not imported:"},
    // Making the set Total Commander's button bar: the button, the dialog, its reports.
    BuiltInText{800, "&Make it Total Commander's button bar..."},
    BuiltInText{801, "Total Commander's button bar"},
    BuiltInText{802, "&Configuration file (wincmd.ini):"},
    BuiltInText{803, "Choose another configuration file"},
    BuiltInText{804, "You chose this file."},
    BuiltInText{805,
                "Named by the environment variable COMMANDER_INI, which Total Commander sets for the programs it "
                "starts."},
    BuiltInText{806, "In Total Commander's folder, whose setting UseIniInProgramDir says to use it."},
    BuiltInText{807, "Named by the registry value IniFileName of the current user."},
    BuiltInText{808, "Named by the registry value IniFileName of the machine (all users)."},
    BuiltInText{809, "In the user's application data (folder GHISLER), where Total Commander keeps it by default."},
    BuiltInText{810, "In the Windows folder."},
    BuiltInText{811, "No wincmd.ini was found. Choose the one Total Commander uses with the button beside it."},
    BuiltInText{812, "The section is in wincmd.ini itself."},
    BuiltInText{813, "Its RedirectSection in wincmd.ini sends the section to this file."},
    BuiltInText{814, "AlternateUserIni in wincmd.ini sends the section to this file."},
    BuiltInText{815, "&Main button bar"},
    BuiltInText{816, "&Vertical button bar"},
    BuiltInText{817, "Current bar:"},
    BuiltInText{818, "(none)"},
    BuiltInText{819, "&Install"},
    BuiltInText{820, "&Undo"},
    BuiltInText{821, "Close"},
    BuiltInText{822,
                "Total Commander is running. Close it, then press Retry: while it runs it may write over wincmd.ini, "
                "and it reads its button bar only when it starts."},
    BuiltInText{823, "&Retry"},
    BuiltInText{824, "Total Commander's button bar has been changed:"},
    BuiltInText{825, "Start Total Commander to see the change."},
    BuiltInText{826, "Before:"},
    BuiltInText{827, "Now:"},
    BuiltInText{828, "The earlier versions of the changed files are kept in:"},
    BuiltInText{829,
                "The path was written as UTF-8, the way Total Commander writes text that the file's code page cannot "
                "hold."},
    BuiltInText{830, "Total Commander uses this button bar already; nothing was changed."},
    BuiltInText{831, "The last install has been undone:"},
    BuiltInText{832, "There is nothing to undo: no install by Barloom is recorded beside this wincmd.ini."},
    BuiltInText{833, "The configuration file does not exist."},
    BuiltInText{834, "The configuration file could not be read."},
    BuiltInText{835, "The configuration file could not be changed; every file is as it was."},
    BuiltInText{836, "The earlier version of the configuration file could not be kept, so nothing was changed."},
    BuiltInText{837, "The button bar file does not exist."},
    BuiltInText{838, "The earlier version that Undo needs is missing:"},
    BuiltInText{839, "This file could not be put back as it was:"},
    BuiltInText{840, "The set is in the folder:"},
    BuiltInText{841,
                "Total Commander uses this set already. Restart Total Commander, or click one of the set's switch "
                "buttons, to see the new buttons."},
    BuiltInText{842, "Or let Barloom do it: \"Make it Total Commander's button bar...\"."},
    BuiltInText{843, "Configuration files (*.ini)"},
    BuiltInText{844, "Total Commander is running. Close it, then try again; nothing was changed."},
    BuiltInText{845, "(hidden)"},
    BuiltInText{846, "&Bar to install:"},
    // Where the settings are, told once at the start.
    BuiltInText{850, "Barloom cannot save its settings in its own folder, so it keeps them in your profile:"},
    BuiltInText{851, "The settings file cannot be written: changes to the settings will not be kept."},
    BuiltInText{1001, "Options"},
    BuiltInText{1008, "OK"},
    BuiltInText{1009, "Cancel"},
    BuiltInText{1501, "About"},
    BuiltInText{1502, "Programmed by :"},
    BuiltInText{1503, "Version"},
    BuiltInText{1504, "This program is registered to :"},
    BuiltInText{1505, "For the latest information on this program please visit the program home page."},
    BuiltInText{1506, "Web site"},
    BuiltInText{1507, "e-mail"},
    BuiltInText{1508, "Visit Now"},
    BuiltInText{3056, "File not found."},
};

static_assert(std::ranges::is_sorted(Texts, {}, &BuiltInText::Id), "lookup relies on ascending IDs");

}  // namespace

std::span<const BuiltInText> BuiltInTexts() { return Texts; }

std::optional<std::string_view> FindBuiltInText(int id) {
  const auto* found = std::ranges::lower_bound(Texts, id, {}, &BuiltInText::Id);
  if (found == Texts.end() || found->Id != id) return std::nullopt;
  return found->Text;
}

}  // namespace barloom
