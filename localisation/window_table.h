#pragma once
// A window described once: a table whose rows name each of its controls and menu items with its
// ID, kind, text, place, look, the frame or menu it sits in and the role the window's rules know
// it by. The windows are made, placed and captioned from it; nothing else lists their controls.
#include <span>
#include <string>
#include <string_view>

#include "localisation/text_ids.h"

namespace barloom {

// A place of the design in twips (1/1440 inch), in the client area of the window or frame the
// control sits in.
struct TwipRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

enum class ControlKind {
  Label,
  CheckBox,
  OptionButton,  // one of a group of choices
  CommandButton,
  Frame,  // a captioned group that holds controls of its own
  TextBox,
  ComboBox,  // a drop-down list
  Toolbar,
  ProgressBar,
  Menu,           // a menu of the menu bar
  MenuItem,       // a command in a menu
  MenuSeparator,  // a line in a menu
};

// How a control looks and takes the keyboard, beyond what its kind says.
struct ControlFlags {
  enum : unsigned {
    TabStop = 1u << 0,        // Tab stops at it; it begins a group of the arrow keys
    Notify = 1u << 1,         // tells the window when it is clicked or takes or loses the keyboard
    NoPrefix = 1u << 2,       // shows "&" as it stands: a text from outside, never an access key
    Centred = 1u << 3,        // its text centred in every reading order
    IconFace = 1u << 4,       // a button that shows an image; its text is its name for screen readers
    DefaultButton = 1u << 5,  // drawn as the button Enter presses
    MadeLater = 1u << 6,      // made when first needed, not with the window
    ReadOnly = 1u << 7,       // a text box that shows a value the user cannot change
  };
};

inline constexpr int InWindow = 0;  // the container of the window's own controls
inline constexpr int NoRole = 0;

struct ControlRow {
  int Id;  // the control's ID, unique in the window (a menu item's: its command)
  ControlKind Kind;
  TextId Text = TextId::None;  // None: the control shows the user's data, or what the window fills in
  TwipRect Place{};
  unsigned Flags = 0;
  int Container = InWindow;  // the Id of the frame or menu it sits in
  int Role = NoRole;         // the name the window's rules know it by
  std::string_view FixedText{};  // a text that is never translated, shown from the start
};

struct WindowTable {
  TextId Title = TextId::None;  // None: the window keeps the title it was given
  // The title shown for the title's text; null: the text as it is.
  std::string (*TitleFormat)(std::string_view text) = nullptr;
  std::span<const ControlRow> Rows;
};

// The row of the control `id`; nullptr when there is none.
const ControlRow* FindRow(const WindowTable& table, int id);
// The ID of the control with `role`; 0 when none has it.
int IdOfRole(const WindowTable& table, int role);
// The role of the control `id`; NoRole when it has none.
int RoleOfId(const WindowTable& table, int id);

}  // namespace barloom
