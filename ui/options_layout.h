#pragma once
// The Options dialog described once: its controls, each a row of one table, and its size.
#include "localisation/window_table.h"

namespace barloom {

namespace options_ids {
enum : int {
  Ok = 1,      // the dialog manager's IDOK: Enter presses it
  Cancel = 2,  // IDCANCEL: Esc and the close box press it
  Label1 = 100,  // "&File name prefix"
  Prefix,
  Label2,  // "&Language File"
  LanguageList,
};
}  // namespace options_ids

namespace options_design {
inline constexpr int ClientWidth = 4815;  // twips
inline constexpr int ClientHeight = 1635;
}  // namespace options_design

// The rows of the table, in the order of the Tab key: OK, Cancel, the prefix, the language list,
// each label right before its box, so that the label's access key moves the focus into the box.
namespace options_rows {
using Kind = ControlKind;
using Flags = ControlFlags;
namespace ids = options_ids;

inline constexpr ControlRow Rows[] = {
    {ids::Ok, Kind::CommandButton, TextId::Ok, {1233, 1170, 1125, 345}, Flags::TabStop | Flags::DefaultButton},
    {ids::Cancel, Kind::CommandButton, TextId::Cancel, {2456, 1170, 1125, 345}, Flags::TabStop},
    {ids::Label1, Kind::Label, TextId::PrefixLabel, {120, 180, 2295, 315}},
    {ids::Prefix, Kind::TextBox, TextId::None, {2550, 180, 2145, 315}, Flags::TabStop},
    {ids::Label2, Kind::Label, TextId::LanguageFileLabel, {120, 600, 2295, 315}},
    {ids::LanguageList, Kind::ComboBox, TextId::None, {2550, 600, 2145, 315}, Flags::TabStop},
};
}  // namespace options_rows

// The Options dialog's table.
const WindowTable& OptionsTable();

}  // namespace barloom
