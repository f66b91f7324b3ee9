#pragma once
// The main window described once: its controls and menus, each a row of one table (ID, kind,
// text, place in twips, look, the frame or menu it sits in, the role the wizard's rules know it by).
#include "build_info.h"
#include "localisation/window_table.h"
#include "ui/main_layout.h"
#include "ui/wizard_controller.h"

namespace barloom {

// Control and command IDs of the main window (kept clear of IDOK and IDCANCEL, which the dialog
// keyboard sends for Enter and Esc).
namespace main_ids {
enum : int {
  Toolbar = 100,
  Frame0 = 110,     // the frames' windows: Frame0 + index, index 0..3 (the three steps, the link frame)
  FrameBox0 = 120,  // their group boxes: FrameBox0 + index
  Label1 = 130,
  Label2,
  Label3,
  Label4,
  Label5,
  Combo1 = 140,
  SaveIn,
  BrowseFolder,
  Link,
  KeepButtons,
  InstallButton,  // after Create: the dialog that makes the set Total Commander's button bar
  Back = 150,
  Next,
  Create,
  Progress,
  BarButton0 = 200,  // bar b's button sends BarButton0 + b
  RemoveImport = 300,
  MenuFile = 400,  // the menus: their items, separators included
  MenuFileOptions,
  MenuFileSeparator,
  MenuFileExit,
  MenuFileInstall,
  MenuHelp = 410,
  MenuHelpTopics,
  MenuHelpSeparator,
  MenuHelpAbout,
};
}  // namespace main_ids

// The role of a control the wizard's rules name, as the table keeps it.
constexpr int RoleOf(WizardControl control) { return static_cast<int>(control); }

// The rows of the table. A control added to the window is one row here (and its ID above).
namespace main_rows {
using Kind = ControlKind;
using Flags = ControlFlags;
namespace ids = main_ids;

inline constexpr unsigned PushButton = Flags::TabStop | Flags::Notify;
inline constexpr unsigned PlainLabel = Flags::NoPrefix;  // language texts are shown as they are
// Each frame when first shown, the progress bar at the first Create.
inline constexpr unsigned ShownLater = Flags::MadeLater;

inline constexpr int Step1 = ids::Frame0 + 0;
inline constexpr int Step2 = ids::Frame0 + 1;
inline constexpr int Step3 = ids::Frame0 + 2;
inline constexpr int Links = ids::Frame0 + LinkFrame;

// In the order of the Tab key: Next, Create, Back, the bar buttons, the bar count, ">>", the
// folder. Each box comes right after its label in window order, which names it for screen
// readers; ">>" shows its face as an icon, so that its text can be its name.
inline constexpr ControlRow MainWindowRows[] = {
    {ids::Next, Kind::CommandButton, TextId::Next, main_design::Next, PushButton | Flags::DefaultButton, InWindow,
     RoleOf(WizardControl::Next)},
    {ids::Create, Kind::CommandButton, TextId::Create, main_design::Create, PushButton, InWindow,
     RoleOf(WizardControl::Create)},
    {ids::Back, Kind::CommandButton, TextId::Back, main_design::Back, PushButton, InWindow,
     RoleOf(WizardControl::Back)},
    {ids::Toolbar, Kind::Toolbar, TextId::None, {}, Flags::TabStop, InWindow, RoleOf(WizardControl::BarButtons)},

    {Step1, Kind::Frame, TextId::Step1, main_design::Frame, ShownLater},
    {ids::Label1, Kind::Label, TextId::BarCountLabel, {180, 330, 3675, 435}, PlainLabel, Step1},
    {ids::Combo1, Kind::ComboBox, TextId::None, {3990, 300, 945, 315}, Flags::TabStop, Step1,
     RoleOf(WizardControl::BarCountList)},

    {Step2, Kind::Frame, TextId::Step2, main_design::Frame, ShownLater},
    {ids::Label3, Kind::Label, TextId::SeparateFolderNote, {180, 750, 5025, 375}, PlainLabel, Step2},
    {ids::BrowseFolder, Kind::CommandButton, TextId::BrowseFolder, {4920, 1200, 345, 285},
     PushButton | Flags::IconFace, Step2, RoleOf(WizardControl::BrowseFolder)},
    {ids::Label2, Kind::Label, TextId::SaveFolderLabel, {180, 330, 5025, 375}, PlainLabel, Step2},
    {ids::SaveIn, Kind::TextBox, TextId::None, {150, 1200, 4755, 285}, Flags::TabStop, Step2,
     RoleOf(WizardControl::FolderBox)},

    {Step3, Kind::Frame, TextId::Step3, main_design::Frame, ShownLater},
    {ids::Label4, Kind::Label, TextId::ImportNote, {180, 330, 5025, 495}, PlainLabel, Step3},
    {ids::Label5, Kind::Label, TextId::SkipImportNote, {180, 900, 5025, 495}, PlainLabel, Step3},
    // Shown while the folder holds bars of the set's names, its caption with their number.
    {ids::KeepButtons, Kind::CheckBox, TextId::KeepButtons, {180, 1380, 5025, 255}, PushButton, Step3,
     RoleOf(WizardControl::KeepButtons)},

    // Without the page of the other tools its link is not shown, and nothing names them.
    {Links, Kind::Frame, build_info::ToolsPage[0] != '\0' ? TextId::ToolsFrame : TextId::None, main_design::Frame,
     ShownLater},
    {ids::Link, Kind::Label, TextId::None, {180, 300, 4995, 825}, Flags::Centred | Flags::Notify | PlainLabel, Links,
     NoRole, "Quillset"},
    {ids::InstallButton, Kind::CommandButton, TextId::MakeItCommandersBar, {180, 1200, 4995, 345}, PushButton, Links,
     RoleOf(WizardControl::Install)},

    {ids::Progress, Kind::ProgressBar, TextId::None, main_design::Progress, ShownLater},

    {ids::MenuFile, Kind::Menu, TextId::MenuFile},
    {ids::MenuFileOptions, Kind::MenuItem, TextId::MenuOptions, {}, 0, ids::MenuFile},
    {ids::MenuFileInstall, Kind::MenuItem, TextId::MakeItCommandersBar, {}, 0, ids::MenuFile},
    {ids::MenuFileSeparator, Kind::MenuSeparator, TextId::None, {}, 0, ids::MenuFile},
    {ids::MenuFileExit, Kind::MenuItem, TextId::MenuExit, {}, 0, ids::MenuFile},
    {ids::MenuHelp, Kind::Menu, TextId::MenuHelp},
    {ids::MenuHelpTopics, Kind::MenuItem, TextId::MenuHelpTopics, {}, 0, ids::MenuHelp},
    {ids::MenuHelpSeparator, Kind::MenuSeparator, TextId::None, {}, 0, ids::MenuHelp},
    {ids::MenuHelpAbout, Kind::MenuItem, TextId::MenuAbout, {}, 0, ids::MenuHelp},
};
}  // namespace main_rows

// The main window's table, its rows in the order of the Tab key.
const WindowTable& MainWindowTable();

// The control that has `control`'s role; Next for none.
int IdOf(WizardControl control);
// The role of the control `id`; nullopt for a control the rules do not name.
std::optional<WizardControl> WizardControlOf(int id);

}  // namespace barloom
