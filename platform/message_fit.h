#pragma once
#include <functional>
#include <string>
#include <string_view>

// How a message is made to fit on the screen. The rule is here; the measuring (the font, the
// screen) is the message box's.
namespace barloom {

// The room a message box has for its text, in pixels.
struct MessageRoom {
  int MaxLineWidth = 1;  // the widest a line may be
  int MaxHeight = 1;     // the height all lines together may take
  int LineHeight = 1;    // the height of one line
  int WrapWidth = 1;     // the narrowest width at which the box may break a line at its spaces
};

// The width in pixels of one line of text (UTF-8) in the font the box shows it in.
using TextWidth = std::function<int(std::string_view line)>;

// What marks the place where text was left out.
inline constexpr std::string_view Ellipsis = "\u2026";

// `text` made to fit `room`. Text is plain text throughout: nothing in it is interpreted.
// 1. A line (the text between line feeds) wider than MaxLineWidth keeps its beginning and its
//    end, as many characters of each as fit, with the ellipsis between them: the middle of a
//    path, a prefix or a caption gives way, and where it came from and what it ends in stay.
// 2. When the lines, each counted as the number of lines the box may break it into at
//    WrapWidth, would need more than MaxHeight, the lines in the middle give way to one line
//    holding the ellipsis; as many of the first and the last lines stay as fit, alternately.
// Lines are cut between characters, never inside one. A text that fits comes back as it is.
std::string FitMessage(std::string_view text, const MessageRoom& room, const TextWidth& width);

}  // namespace barloom
