#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// What the captioning of a window needs to see of it: the window (form) and its controls in
// the form's control order, menu items included. The Win32 windows provide it over their real
// controls; tests use MemoryForm. A property that a window or control does not have is simply
// absent: its getter gives nullopt and its setter does nothing, so that step is skipped.
namespace barloom {

// Alignment values of labels, check boxes, option buttons, command buttons and frames.
inline constexpr int AlignLeft = 0;    // left-justified; for check and option boxes the box on the left
inline constexpr int AlignRight = 1;   // right-justified; the box on the right
inline constexpr int AlignCenter = 2;  // centred (labels)

// The caption of a menu item that is a separator line: captioning passes over it.
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

  // The text ID it carries (decimal text), "" when none.
  virtual std::string Tag() const = 0;
  virtual void SetTag(std::string_view tag) = 0;

  virtual std::optional<std::string> Caption() const { return std::nullopt; }
  virtual void SetCaption(std::string_view /*caption*/) {}
  virtual void SetRightToLeft(bool /*rightToLeft*/) {}
  virtual void SetAlignment(int /*alignment*/) {}
  virtual void SetFontCharset(int /*charset*/) {}

  // The buttons of a toolbar or the tabs of a tab strip; none for other kinds. An item's text
  // is a toolbar button's tooltip or a tab's caption.
  virtual std::size_t ItemCount() const { return 0; }
  virtual std::string ItemTag(std::size_t /*index*/) const { return {}; }
  virtual void SetItemText(std::size_t /*index*/, std::string_view /*text*/) {}
};

class Form {
 public:
  virtual ~Form() = default;

  // The text ID of the window's title, "" when none (the title then stays as it is).
  virtual std::string Tag() const = 0;
  // The window's title; nullopt when it has none.
  virtual std::optional<std::string> Caption() const { return std::nullopt; }
  virtual void SetCaption(std::string_view /*caption*/) {}
  virtual void SetRightToLeft(bool /*rightToLeft*/) {}
  virtual void SetFontCharset(int /*charset*/) {}

  virtual std::size_t ControlCount() const = 0;
  virtual FormControl& Control(std::size_t index) = 0;
};

}  // namespace barloom
