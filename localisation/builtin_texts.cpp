#include "localisation/builtin_texts.h"

#include <algorithm>
#include <array>

namespace barloom {
namespace {

constexpr std::array Texts{
    BuiltInText{TextId::MenuFile, "&File"},
    BuiltInText{TextId::MenuExit, "E&xit"},
    BuiltInText{TextId::MenuOptions, "&Options..."},
    BuiltInText{TextId::MenuHelp, "&Help"},
    BuiltInText{TextId::MenuHelpTopics, "Help &Topics"},
    BuiltInText{TextId::MenuAbout, "&About..."},
    BuiltInText{TextId::Step1, "Step 1"},
    BuiltInText{TextId::Step2, "Step 2"},
    BuiltInText{TextId::Step3, "Step 3"},
    BuiltInText{TextId::Next, "&Next"},
    BuiltInText{TextId::Back, "&Back"},
    BuiltInText{TextId::Create, "&Create"},
    BuiltInText{TextId::ToolsFrame, "Try my other tools"},
    BuiltInText{TextId::PrefixLabel, "&File name prefix"},
    BuiltInText{TextId::LanguageFileLabel, "&Language File"},
    BuiltInText{TextId::BarCountLabel, "Specify how many button bar you need?"},
    BuiltInText{TextId::SaveFolderLabel, "Specify where the button bar files will be saved."},
    BuiltInText{TextId::SeparateFolderNote, "It is recommended to save in separate folder."},
    BuiltInText{TextId::ImportNote, "Press above numbers and browse for any button bar file (*.bar) to import its contents."},
    BuiltInText{TextId::SkipImportNote, "You can skip this step and press Create button."},
    BuiltInText{TextId::CreatedSteps, "Button bar files has been created, follow these steps to apply:"},
    BuiltInText{TextId::RunCommanderStep, "1- Run Total Commander."},
    BuiltInText{TextId::ChangeBarStep, "2- Show 'Change button bar' dialog box."},
    BuiltInText{TextId::ChooseFileStep, "3- Press >> button and choose 'Bar_01.bar' file, then press OK."},
    BuiltInText{TextId::MakeMainBarStep, "4- Press Yes when you asked: Do you want to make this button bar the new main button bar?"},
    BuiltInText{TextId::RemoveImport, "&Remove import"},
    // Why a set could not be built (shown with the file's path and the system's reason).
    BuiltInText{TextId::BarFileNotSaved, "The button bar file could not be saved."},
    BuiltInText{TextId::NoSaveFolder, "No folder has been chosen for the button bar files."},
    BuiltInText{TextId::BarCountOutOfRange, "A set must consist of 2 to 20 button bars."},
    BuiltInText{TextId::UnusablePrefix,
                "The file name prefix must not contain any of these characters: \\ / : * ? \" < > | or a control "
                "character."},
    BuiltInText{TextId::LineBreakInFolderName, "A button bar file cannot refer to a folder whose name contains a line break."},
    BuiltInText{TextId::SaveFolderNotCreated, "The folder for the button bar files could not be created."},
    BuiltInText{TextId::BarFileNotRead, "The button bar file could not be read."},
    BuiltInText{TextId::FolderNameEndsInSpaceOrDot, "Windows does not allow a folder name that ends in a space or a dot."},
    BuiltInText{TextId::FolderNameIsDeviceName,
                "Windows keeps this name for a device (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, also with an "
                "extension); it cannot name a folder."},
    BuiltInText{TextId::FolderIsBrokenLink, "The folder is a symbolic link to something that does not exist."},
    // What an import did differently (shown with the path of the file imported from).
    BuiltInText{TextId::ImportClamped,
                "The file to import holds more buttons than a button bar can take; only the first of them were "
                "imported."},
    BuiltInText{TextId::ButtonsImportedLabel, "Buttons imported:"},
    // Why a file could not be written, where the program found the cause itself.
    BuiltInText{TextId::FolderMissing, "The folder does not exist."},
    BuiltInText{TextId::NameIsFolder, "The name belongs to a folder."},
    BuiltInText{TextId::NotOrdinaryFile, "The name does not belong to an ordinary file."},
    BuiltInText{TextId::FileReadOnly, "The file is read-only."},
    BuiltInText{TextId::FolderReadOnly, "The folder is read-only."},
    // Backups and the buttons a set keeps when it is created again.
    BuiltInText{TextId::BackupNotKept, "The earlier version of the button bar file could not be kept, so the file was not replaced."},
    BuiltInText{TextId::BackupsKept, "The earlier versions of the replaced button bar files were kept in:"},
    BuiltInText{TextId::BarsLeft,
                "These button bar files of the earlier set were left as they were; the new set does not switch to "
                "them:"},
    BuiltInText{TextId::ReplacedImport,
                "The file imported is one of the button bars this set replaced; the bar received the buttons of its "
                "new version, not its earlier ones:"},
    BuiltInText{TextId::ImportedIntoLabel, "Imported into bar:"},
    BuiltInText{TextId::KeptInLabel, "Its earlier version is kept in:"},
    BuiltInText{TextId::ReplacedImportNote,
                "This file is one of the button bars this set replaces: this bar receives the buttons of its new "
                "version, not its present ones."},
    BuiltInText{TextId::WillBeKeptInLabel, "If the file changes, its present version is kept in:"},
    BuiltInText{TextId::KeepButtons, "&Keep the buttons already on these bars"},
    BuiltInText{TextId::FoundLabel, "found:"},
    BuiltInText{TextId::OwnButtonsClamped,
                "The button bar holds more buttons of its own than fit beside the new switch buttons; only the first "
                "of them were kept."},
    BuiltInText{TextId::ButtonsKeptLabel, "Buttons kept:"},
    // Why a file could not be written or a folder made, as read from the system's answer.
    BuiltInText{TextId::FileNameTooLong, "A file or folder name is longer than the file system allows."},
    BuiltInText{TextId::PathTooLong, "The path is longer than the system can handle."},
    BuiltInText{TextId::DriveMissing, "The drive or network share is not available."},
    BuiltInText{TextId::AccessDenied, "Access is denied: you do not have the necessary rights."},
    BuiltInText{TextId::DiskFull, "The disk is full."},
    BuiltInText{TextId::FileInUse, "The file is in use by another program."},
    BuiltInText{TextId::DriveReadOnly, "The drive is read-only (write-protected)."},
    BuiltInText{TextId::InvalidCharacters,
                "A name contains a character that names may not hold (\\ / : * ? \" < > | or a control "
                "character)."},
    BuiltInText{TextId::NameIsFile, "A file stands where a folder is needed."},
    // Options refuses a prefix (shown with the first bar file's name and reason 740).
    BuiltInText{TextId::PrefixTooLong, "The file name prefix makes the names of the button bar files too long."},
    // Help and links: what could not be opened (shown with the file or address and the reason).
    BuiltInText{TextId::NotOpened, "The file or web address could not be opened."},
    BuiltInText{TextId::NoAssociation, "No program is set up to open this kind of file or address."},
    BuiltInText{TextId::OpenTargetNotFound, "The file or address was not found."},
    BuiltInText{TextId::ProgramNotStarted, "The program that opens it could not be started."},
    BuiltInText{TextId::ProgramDidNotAnswer, "The program that opens it did not respond."},
    BuiltInText{TextId::OutOfMemory, "There is not enough memory."},
    // The bar buttons' names, the folder button's name, and files dropped on the bar buttons.
    BuiltInText{TextId::BarName, "Bar"},
    BuiltInText{TextId::BrowseFolder, "Browse for folder"},
    BuiltInText{TextId::NotBarFiles, "Only button bar files (*.bar) can be dropped on the bar numbers; these were not imported:"},
    BuiltInText{TextId::BeyondLastBar, "From the bar they were dropped on there are not enough bars; these files were not imported:"},
    // Making the set Total Commander's button bar: the button, the dialog, its reports.
    BuiltInText{TextId::MakeItCommandersBar, "&Make it Total Commander's button bar..."},
    BuiltInText{TextId::InstallTitle, "Total Commander's button bar"},
    BuiltInText{TextId::ConfigFileLabel, "&Configuration file (wincmd.ini):"},
    BuiltInText{TextId::ChooseConfigFile, "Choose another configuration file"},
    BuiltInText{TextId::ConfigChosen, "You chose this file."},
    BuiltInText{TextId::ConfigFromEnvironment,
                "Named by the environment variable COMMANDER_INI, which Total Commander sets for the programs it "
                "starts."},
    BuiltInText{TextId::ConfigInProgramFolder, "In Total Commander's folder, whose setting UseIniInProgramDir says to use it."},
    BuiltInText{TextId::ConfigFromUserRegistry, "Named by the registry value IniFileName of the current user."},
    BuiltInText{TextId::ConfigFromMachineRegistry, "Named by the registry value IniFileName of the machine (all users)."},
    BuiltInText{TextId::ConfigInAppData, "In the user's application data (folder GHISLER), where Total Commander keeps it by default."},
    BuiltInText{TextId::ConfigInWindowsFolder, "In the Windows folder."},
    BuiltInText{TextId::ConfigNotFound, "No wincmd.ini was found. Choose the one Total Commander uses with the button beside it."},
    BuiltInText{TextId::SectionInConfig, "The section is in wincmd.ini itself."},
    BuiltInText{TextId::SectionRedirected, "Its RedirectSection in wincmd.ini sends the section to this file."},
    BuiltInText{TextId::SectionInAlternateIni, "AlternateUserIni in wincmd.ini sends the section to this file."},
    BuiltInText{TextId::MainBar, "&Main button bar"},
    BuiltInText{TextId::VerticalBar, "&Vertical button bar"},
    BuiltInText{TextId::CurrentBarLabel, "Current bar:"},
    BuiltInText{TextId::NoCurrentBar, "(none)"},
    BuiltInText{TextId::Install, "&Install"},
    BuiltInText{TextId::Undo, "&Undo"},
    BuiltInText{TextId::Close, "Close"},
    BuiltInText{TextId::CommanderRunningRetry,
                "Total Commander is running. Close it, then press Retry: while it runs it may write over wincmd.ini, "
                "and it reads its button bar only when it starts."},
    BuiltInText{TextId::Retry, "&Retry"},
    BuiltInText{TextId::BarChanged, "Total Commander's button bar has been changed:"},
    BuiltInText{TextId::StartCommanderToSee, "Start Total Commander to see the change."},
    BuiltInText{TextId::BeforeLabel, "Before:"},
    BuiltInText{TextId::NowLabel, "Now:"},
    BuiltInText{TextId::ConfigBackupsKept, "The earlier versions of the changed files are kept in:"},
    BuiltInText{TextId::WrittenAsUtf8,
                "The path was written as UTF-8, the way Total Commander writes text that the file's code page cannot "
                "hold."},
    BuiltInText{TextId::BarInUseAlready, "Total Commander uses this button bar already; nothing was changed."},
    BuiltInText{TextId::InstallUndone, "The last install has been undone:"},
    BuiltInText{TextId::NothingToUndo, "There is nothing to undo: no install by Barloom is recorded beside this wincmd.ini."},
    BuiltInText{TextId::ConfigMissing, "The configuration file does not exist."},
    BuiltInText{TextId::ConfigNotRead, "The configuration file could not be read."},
    BuiltInText{TextId::ConfigNotChanged, "The configuration file could not be changed; every file is as it was."},
    BuiltInText{TextId::ConfigBackupNotKept, "The earlier version of the configuration file could not be kept, so nothing was changed."},
    BuiltInText{TextId::BarFileMissing, "The button bar file does not exist."},
    BuiltInText{TextId::UndoBackupMissing, "The earlier version that Undo needs is missing:"},
    BuiltInText{TextId::NotPutBack, "This file could not be put back as it was:"},
    BuiltInText{TextId::SetFolderLabel, "The set is in the folder:"},
    BuiltInText{TextId::SetInUse,
                "Total Commander uses this set already. Restart Total Commander, or click one of the set's switch "
                "buttons, to see the new buttons."},
    BuiltInText{TextId::InstallHint, "Or let Barloom do it: \"Make it Total Commander's button bar...\"."},
    BuiltInText{TextId::ConfigFileFilter, "Configuration files (*.ini)"},
    BuiltInText{TextId::CommanderRunning, "Total Commander is running. Close it, then try again; nothing was changed."},
    BuiltInText{TextId::HiddenBar, "(hidden)"},
    BuiltInText{TextId::BarToInstallLabel, "&Bar to install:"},
    // Where the settings are, told once at the start.
    BuiltInText{TextId::SettingsInProfile, "Barloom cannot save its settings in its own folder, so it keeps them in your profile:"},
    BuiltInText{TextId::SettingsNotKept, "The settings file cannot be written: changes to the settings will not be kept."},
    // Before Create, when the bars would point to icons that are not there.
    BuiltInText{TextId::IconsFolderMissing, "The icons folder is missing, so the switch buttons will show no pictures:"},
    BuiltInText{TextId::IconsMissing, "Pictures of the switch buttons are missing from the icons folder:"},
    BuiltInText{TextId::CreateAnyway, "Create the bars all the same?"},
      // What a file offered as a bar is, and why it could not be read.
    BuiltInText{TextId::SourceNotABar, "This file holds no button bar, so it brings no buttons:"},
    BuiltInText{TextId::SourceHasNoButtons, "This button bar holds no buttons, so it brings none:"},
    BuiltInText{TextId::SourceNotRead, "The file to import could not be read; no bar file was written."},
    BuiltInText{TextId::KeptBarNotRead,
                "The button bar whose own buttons are to be kept could not be read; no bar file was written."},
    BuiltInText{TextId::FileMissing, "The file does not exist (any more)."},
    BuiltInText{TextId::FileNotReadable, "The file could not be read."},
  // Buttons of the user's own that a Create would drop: the question, and the report after it.
    BuiltInText{TextId::OwnButtonsFound,
                "The button bar files that Create replaces hold buttons of their own (added in Total Commander or "
                "imported earlier)."},
    BuiltInText{TextId::OwnButtonsLabel, "Buttons of their own:"},
    BuiltInText{TextId::OnBarsLabel, "On bars:"},
    BuiltInText{TextId::KeepOrDropOwnButtons,
                "Keep them behind the new switch buttons, or drop them? A bar that drops them keeps its present "
                "version in its backup (.bak)."},
    BuiltInText{TextId::KeepThem, "&Keep them"},
    BuiltInText{TextId::DropThem, "&Drop them"},
    BuiltInText{TextId::OwnButtonsDropped, "These buttons of its own were dropped from the button bar file:"},
    BuiltInText{TextId::BackupsHeld,
                "These backups hold buttons of their own from an earlier version and were left as they were:"},
    BuiltInText{TextId::SeparatorName, "(separator)"},
    BuiltInText{TextId::OptionsTitle, "Options"},
    BuiltInText{TextId::Ok, "OK"},
    BuiltInText{TextId::Cancel, "Cancel"},
    BuiltInText{TextId::AboutTitle, "About"},
    BuiltInText{TextId::ProgrammedBy, "Programmed by :"},
    BuiltInText{TextId::Version, "Version"},
    BuiltInText{TextId::RegisteredTo, "This program is registered to :"},
    BuiltInText{TextId::HomePageNote, "For the latest information on this program please visit the program home page."},
    BuiltInText{TextId::WebSite, "Web site"},
    BuiltInText{TextId::Email, "e-mail"},
    BuiltInText{TextId::VisitNow, "Visit Now"},
    BuiltInText{TextId::FileNotFound, "File not found."},
};

static_assert(std::ranges::is_sorted(Texts, {}, &BuiltInText::Id), "lookup relies on ascending IDs");

}  // namespace

std::span<const BuiltInText> BuiltInTexts() { return Texts; }

std::optional<std::string_view> FindBuiltInText(TextId id) {
  const auto* found = std::ranges::lower_bound(Texts, id, {}, &BuiltInText::Id);
  if (found == Texts.end() || found->Id != id) return std::nullopt;
  return found->Text;
}

}  // namespace barloom
