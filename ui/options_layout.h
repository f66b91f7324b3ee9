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

// The Options dialog's table, its rows in the order of the Tab key: OK, Cancel, the prefix, the
// language list, each label right before its box, so that the label's access key moves the
// focus into the box.
const WindowTable& OptionsTable();

}  // namespace barloom
