#include "ui/main_window_layout.h"

#include "ui/main_layout.h"

namespace barloom {
namespace {

namespace ids = main_ids;
using Kind = ControlKind;
using Flags = ControlFlags;

constexpr unsigned PushButton = Flags::TabStop | Flags::Notify;
constexpr unsigned PlainLabel = Flags::NoPrefix;  // language texts are shown as they are
constexpr unsigned ShownLater = Flags::MadeLater;  // each frame when first shown, the progress bar at a Create

constexpr int Step1 = ids::Frame0 + 0;
constexpr int Step2 = ids::Frame0 + 1;
constexpr int Step3 = ids::Frame0 + 2;
constexpr int Links = ids::Frame0 + LinkFrame;

// In the order of the Tab key: Next, Create, Back, the bar buttons, the bar count, ">>", the
// folder. Each box comes right after its label in window order, which names it for screen
// readers; ">>" shows its face as an icon, so that its text can be its name.
constexpr ControlRow Rows[] = {
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

    {Links, Kind::Frame, TextId::ToolsFrame, main_design::Frame, ShownLater},
    {ids::Link, Kind::Label, TextId::None, {180, 510, 4995, 825}, Flags::Centred | Flags::Notify | PlainLabel, Links,
     NoRole, "Quillset"},

    {ids::Progress, Kind::ProgressBar, TextId::None, main_design::Progress, ShownLater},

    {ids::MenuFile, Kind::Menu, TextId::MenuFile},
    {ids::MenuFileOptions, Kind::MenuItem, TextId::MenuOptions, {}, 0, ids::MenuFile},
    {ids::MenuFileSeparator, Kind::MenuSeparator, TextId::None, {}, 0, ids::MenuFile},
    {ids::MenuFileExit, Kind::MenuItem, TextId::MenuExit, {}, 0, ids::MenuFile},
    {ids::MenuHelp, Kind::Menu, TextId::MenuHelp},
    {ids::MenuHelpTopics, Kind::MenuItem, TextId::MenuHelpTopics, {}, 0, ids::MenuHelp},
    {ids::MenuHelpSeparator, Kind::MenuSeparator, TextId::None, {}, 0, ids::MenuHelp},
    {ids::MenuHelpAbout, Kind::MenuItem, TextId::MenuAbout, {}, 0, ids::MenuHelp},
};

constexpr WindowTable Table{TextId::None, nullptr, Rows};

}  // namespace

const WindowTable& MainWindowTable() { return Table; }

int IdOf(WizardControl control) {
  const int id = IdOfRole(Table, RoleOf(control));
  return id != 0 ? id : ids::Next;
}

std::optional<WizardControl> WizardControlOf(int id) {
  const int role = RoleOfId(Table, id);
  if (role == NoRole) return std::nullopt;
  return static_cast<WizardControl>(role);
}

}  // namespace barloom
