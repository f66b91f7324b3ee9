#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// What the captioning of a window needs to see of it: the window (form) and its controls in
// the form's control order, menu items included, each with the text ID it carries. The Win32
// windows provide it over their real controls; tests use MemoryForm. A property that a window or
// control does not have is simply absent: its getter gives nullopt and its setter does nothing, so
// that step is skipped.
namespace barloom {

// Alignment values of labels, check boxes, option buttons, command buttons and frames.
inline constexpr int AlignLeft = 0;    // left-justified; for check and option boxes the box on the left
inline constexpr int AlignRight = 1;   // right-justified; the box on the right
inline constexpr int AlignCenter = 2;  // centred (labels)

// The text ID of a window or control that carries none: captioning leaves its text as it is.
// Text IDs are positive; anything else counts as none.
inline constexpr int NoText = 0;

// The caption of a menu item that is a separator line.
inline constexpr std::string_view MenuSeparatorCaption = "-";

// The kinds of control that captioning tells apart; anything else is Other.
enum class ControlKind {
  Label,
  CheckBox,
  OptionButton,
  CommandButton,
  Frame,
  Menu,
  Toolbar,
  TabStrip,
  TextBox,
  ComboBox,
  ListBox,
  ProgressBar,
  Other
};

class FormControl {
 public:
  virtual ~FormControl() = default;

  virtual ControlKind Kind() const = 0;
  // The text ID of its caption; NoText for none (and for a toolbar or tab strip, whose items
  // carry their own).
  virtual int TextId() const = 0;

  virtual std::optional<std::string> Caption() const { return std::nullopt; }
  virtual void SetCaption(std::string_view /*caption*/) {}
  virtual void SetRightToLeft(bool /*rightToLeft*/) {}
  virtual void SetAlignment(int /*alignment*/) {}
  virtual void SetFontCharset(int /*charset*/) {}

  // The buttons of a toolbar or the tabs of a tab strip; none for other kinds. An item's text
  // is a toolbar button's tooltip or a tab's caption.
  virtual std::size_t ItemCount() const { return 0; }
  virtual int ItemTextId(std::size_t /*index*/) const { return NoText; }
  virtual void SetItemText(std::size_t /*index*/, std::string_view /*text*/) {}
};

class Form {
 public:
  virtual ~Form() = default;

  // The text ID of the window's title; NoText when the title stays as it is.
  virtual int TextId() const = 0;
  // The window's title; nullopt when it has none.
  virtual std::optional<std::string> Caption() const { return std::nullopt; }
  virtual void SetCaption(std::string_view /*caption*/) {}
  virtual void SetRightToLeft(bool /*rightToLeft*/) {}
  virtual void SetFontCharset(int /*charset*/) {}

  virtual std::size_t ControlCount() const = 0;
  virtual FormControl& Control(std::size_t index) = 0;
};

}  // namespace barloom
