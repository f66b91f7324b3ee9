#pragma once

// Control and command IDs of the main window (kept clear of IDOK and IDCANCEL, which the dialog
// keyboard sends for Enter and Esc).
namespace barloom::main_ids {

enum : int {
  Toolbar = 100,
  Frame0 = 110,     // the frames' windows: Frame0 + index, index 0..3
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

}  // namespace barloom::main_ids
