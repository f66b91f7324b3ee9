#pragma once
// The dialog that makes a set's first bar Total Commander's button bar, described once: its
// controls, each a row of one table, and its size.
#include "localisation/window_table.h"

namespace barloom {

namespace install_ids {
enum : int {
  Close = 2,       // the dialog manager's IDCANCEL: Esc and the close box press it
  IniLabel = 100,  // "&Configuration file (wincmd.ini):"
  IniBox,
  ChooseIni,  // "...": its text is its name, its face an icon
  HowFound,
  MainBar,
  VerticalBar,
  CurrentLabel,  // "Current bar:"
  CurrentBox,
  WhereKept,
  BarLabel,  // "Bar to install:"
  BarBox,
  RunningMessage,  // shown while Total Commander runs
  Retry,
  Install,
  Undo,
};
}  // namespace install_ids

namespace install_design {
inline constexpr int ClientWidth = 6600;  // twips
inline constexpr int ClientHeight = 5130;
}  // namespace install_design

// The rows of the table, in the order of the Tab key; the two bars one above the other, so that
// their order reads the same from the right. Each label comes right before its box, so that the
// label's access key moves the keyboard into the box and screen readers name the box by it.
namespace install_rows {
using Kind = ControlKind;
using Flags = ControlFlags;
namespace ids = install_ids;

inline constexpr unsigned PlainLabel = Flags::NoPrefix;  // texts with paths are shown as they are
inline constexpr unsigned ValueBox = Flags::ReadOnly | Flags::TabStop;

inline constexpr ControlRow Rows[] = {
    {ids::IniLabel, Kind::Label, TextId::ConfigFileLabel, {120, 150, 6360, 255}},
    {ids::IniBox, Kind::TextBox, TextId::None, {120, 420, 5925, 315}, ValueBox},
    {ids::ChooseIni, Kind::CommandButton, TextId::ChooseConfigFile, {6090, 420, 390, 315},
     Flags::IconFace | Flags::TabStop},
    {ids::HowFound, Kind::Label, TextId::None, {120, 795, 6360, 450}, PlainLabel},
    {ids::MainBar, Kind::OptionButton, TextId::MainBar, {120, 1320, 6360, 285}, Flags::TabStop},
    {ids::VerticalBar, Kind::OptionButton, TextId::VerticalBar, {120, 1620, 6360, 285}},
    {ids::CurrentLabel, Kind::Label, TextId::CurrentBarLabel, {120, 2010, 6360, 255}},
    {ids::CurrentBox, Kind::TextBox, TextId::None, {120, 2280, 6360, 315}, ValueBox},
    {ids::WhereKept, Kind::Label, TextId::None, {120, 2655, 6360, 450}, PlainLabel},
    {ids::BarLabel, Kind::Label, TextId::BarToInstallLabel, {120, 3180, 6360, 255}},
    {ids::BarBox, Kind::TextBox, TextId::None, {120, 3450, 6360, 315}, ValueBox},
    {ids::RunningMessage, Kind::Label, TextId::CommanderRunningRetry, {120, 3870, 6360, 720}, PlainLabel},
    {ids::Retry, Kind::CommandButton, TextId::Retry, {120, 4680, 1500, 345}, Flags::TabStop},
    {ids::Install, Kind::CommandButton, TextId::Install, {1800, 4680, 1500, 345},
     Flags::DefaultButton | Flags::TabStop},
    {ids::Undo, Kind::CommandButton, TextId::Undo, {3390, 4680, 1500, 345}, Flags::TabStop},
    {ids::Close, Kind::CommandButton, TextId::Close, {4980, 4680, 1500, 345}, Flags::TabStop},
};
}  // namespace install_rows

// The dialog's table.
inline constexpr WindowTable InstallTable{TextId::InstallTitle, nullptr, install_rows::Rows};

}  // namespace barloom
