#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "localisation/window_table.h"

// Captioning a whole window in the user's language, as a value: what each control of the
// window's table shows, its reading order and alignment, and the character set of every font.
// The window shows it (a small step of its own); the pass only reads the language.
namespace barloom {

class Language;
class MessageBoxService;
struct Settings;

inline constexpr std::string_view MissingLanguageFileMessage = "Cannot find language file!";  // never translated

enum class TextAlignment { Left, Right, Centre };  // for check boxes, the box's side: Right puts it on the right

// What one row of the table shows after the pass.
struct ControlCaption {
  int Id = 0;
  std::optional<std::string> Text;  // nullopt: the control keeps its text
  // The reading order and alignment of labels, check and option boxes, command buttons and frames; nullopt
  // for the kinds that keep theirs (text boxes, lists, menus: the menu bar follows the window).
  std::optional<bool> RightToLeft;
  std::optional<TextAlignment> Alignment;  // labels, check and option boxes, frames' captions
  friend bool operator==(const ControlCaption&, const ControlCaption&) = default;
};

struct WindowCaptions {
  std::optional<std::string> Title;  // nullopt: the window keeps its title
  std::vector<ControlCaption> Controls;  // one per row, in the table's order
  bool RightToLeft = false;  // the window's (its title and its menu bar) and its controls'
  int Charset = 1;           // every font's character set
  // UseDefaultLanguage is 0 but the language file does not exist: the built-in texts, left to
  // right, and the caller reports it (ReportMissingLanguageFile).
  bool MissingFile = false;
};

// The captions of `table` in `language`: each row with a text gets its text (built-in or the
// language file's); labels, check and option boxes, command buttons and frames read in the
// language's direction, labels and frames' captions right-justified and the boxes of check and
// option boxes on the right when it is right to left (a centred label stays centred).
WindowCaptions ApplyLanguage(const WindowTable& table, const Language& language);

// A missing language file, once: "Cannot find language file!" through `messages`, and
// UseDefaultLanguage becomes 1 in memory, so that the built-in texts follow and later windows
// show no second message (the settings file keeps its value).
void ReportMissingLanguageFile(Settings& settings, MessageBoxService& messages);

}  // namespace barloom
