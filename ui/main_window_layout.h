#pragma once
// The main window described once: its controls and menus, each a row of one table (ID, kind,
// text, place in twips, look, the frame or menu it sits in, the role the wizard's rules know it by).
#include "localisation/window_table.h"
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
  MenuHelp = 410,
  MenuHelpTopics,
  MenuHelpSeparator,
  MenuHelpAbout,
};
}  // namespace main_ids

// The role of a control the wizard's rules name, as the table keeps it.
constexpr int RoleOf(WizardControl control) { return static_cast<int>(control); }

// The main window's table, its rows in the order of the Tab key.
const WindowTable& MainWindowTable();

// The control that has `control`'s role; Next for none.
int IdOf(WizardControl control);
// The role of the control `id`; nullopt for a control the rules do not name.
std::optional<WizardControl> WizardControlOf(int id);

}  // namespace barloom
