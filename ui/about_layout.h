#pragma once
// The About box described once (its table), and its geometry: the design in twips and the rules
// that place its frame, its OK button and the box itself at a DPI. Lengths given in pixels are pixels of a 96-DPI screen and grow with
// the DPI, as in the main window.
#include <cstddef>
#include <iterator>
#include <span>
#include <vector>

#include "ui/main_layout.h"

namespace barloom {

// Control IDs of the About box.
namespace about_ids {
enum : int {
  Ok = 1,       // the dialog manager's IDOK: Enter and Esc press it
  Frame = 100,  // the frame's window, holding the labels (its captionless group box: Frame + 10)
  ProgrammedBy = 120,
  AuthorName,
  Version,
  VersionNo,
  RegisteredTo,
  UserName,
  HomePageNote,
  WebAddress,
  Url,  // the link to the home page
  Email,
  EmailAddress,
};
}  // namespace about_ids

namespace about_design {
inline constexpr TwipRect Ok{5025, 4170, 1200, 345};
inline constexpr TwipRect Frame{120, 1290, 6135, 2835};
inline constexpr int FrameLeftPixels = 7;
inline constexpr int FrameTopPixels = 2;
inline constexpr int OkGapPixels = 6;         // between the frame and the OK button
inline constexpr int ExtraWidthPixels = 20;   // the box's outer width beyond the frame's
inline constexpr int ExtraHeightPixels = 40;  // its outer height beyond the frame's and the button's
}  // namespace about_design

// The rows of the About box's table: OK, then the frame and its labels row by row (labels with a
// text ID, and the values beside them that the box fills in).
namespace about_rows {
using Kind = ControlKind;
using Flags = ControlFlags;
namespace ids = about_ids;

inline constexpr unsigned PlainLabel = Flags::NoPrefix;  // shown as they are, wrapped within their width

inline constexpr ControlRow Rows[] = {
    {ids::Ok, Kind::CommandButton, TextId::Ok, about_design::Ok, Flags::TabStop | Flags::DefaultButton},
    {ids::Frame, Kind::Frame, TextId::None, about_design::Frame},
    {ids::ProgrammedBy, Kind::Label, TextId::ProgrammedBy, {135, 315, 1710, 285}, PlainLabel, ids::Frame},
    {ids::AuthorName, Kind::Label, TextId::None, {1875, 315, 4140, 285}, PlainLabel, ids::Frame},
    {ids::Version, Kind::Label, TextId::Version, {135, 645, 960, 285}, PlainLabel, ids::Frame},
    {ids::VersionNo, Kind::Label, TextId::None, {1125, 645, 4890, 285}, PlainLabel, ids::Frame},
    {ids::RegisteredTo, Kind::Label, TextId::RegisteredTo, {135, 975, 3075, 315}, PlainLabel, ids::Frame},
    {ids::UserName, Kind::Label, TextId::None, {3240, 975, 2775, 315}, PlainLabel, ids::Frame},
    // Two lines.
    {ids::HomePageNote, Kind::Label, TextId::HomePageNote, {135, 1335, 5880, 615}, PlainLabel, ids::Frame},
    {ids::WebAddress, Kind::Label, TextId::WebSite, {135, 1995, 1215, 315}, PlainLabel, ids::Frame},
    {ids::Url, Kind::Label, TextId::VisitNow, {1410, 1995, 2085, 315}, PlainLabel | Flags::Notify, ids::Frame},
    {ids::Email, Kind::Label, TextId::Email, {135, 2355, 915, 285}, PlainLabel, ids::Frame},
    {ids::EmailAddress, Kind::Label, TextId::None, {1080, 2355, 4935, 285}, PlainLabel, ids::Frame},
};
}  // namespace about_rows

// The About box's table.
const WindowTable& AboutTable();

// The frame's lines, top to bottom: a label and the value beside it, or a note across the frame
// (Value 0).
struct AboutLine {
  int Label;
  int Value;
};
inline constexpr AboutLine AboutFrameLines[] = {
    {about_ids::ProgrammedBy, about_ids::AuthorName}, {about_ids::Version, about_ids::VersionNo},
    {about_ids::RegisteredTo, about_ids::UserName},   {about_ids::HomePageNote, 0},
    {about_ids::WebAddress, about_ids::Url},          {about_ids::Email, about_ids::EmailAddress},
};
inline constexpr std::size_t AboutLineCount = std::size(AboutFrameLines);

// What the box knows of one line: whether it is shown, and how wide its label's and its value's
// texts are on one line in their font at the box's DPI (pixels).
struct AboutLineText {
  bool Shown = true;
  int LabelWidth = 0;
  int ValueWidth = 0;
};

struct AboutFramePlaces {
  struct Place {
    int Id;
    PixelRect At;  // in the frame
  };
  std::vector<Place> Controls;  // those of the shown lines
  int Width = 0;                // the frame's size
  int Height = 0;
};

// The lines in the frame at `dpi` (`lines` in the order of AboutFrameLines). Shown lines keep their
// order and the design's spacing; a line left out takes no room, the lines below move up and the
// frame is shorter by as much. Every value starts in one column, a small gap right of the widest
// label, and is as wide as its text; the labels reach that column. The frame keeps its designed
// width unless a value needs more, and the note wraps within the frame.
AboutFramePlaces LayOutAboutLines(std::span<const AboutLineText> lines, int dpi);

struct AboutPlaces {
  PixelRect Frame;  // client coordinates
  PixelRect Ok;
  int Width = 0;  // the box's outer size
  int Height = 0;
};

// The places at `dpi` of a box whose window frame (borders and title) adds `nonClientWidth` and
// `nonClientHeight` to its client area, around a frame of `frameWidth` x `frameHeight` pixels:
// the frame 7 pixels from the left and 2 from the top, the OK button 6 pixels below the frame, its
// right edge where the design has it against the frame's, the box 20 pixels wider than the frame
// and 40 pixels higher than the frame and the button together. Those outer amounts suit a 3-pixel
// border and a 19-pixel title; a thicker window frame would cut off the button, so the box then
// grows until the frame's left margin is also left right of the frame and below the button.
AboutPlaces AboutLayout(int dpi, int nonClientWidth, int nonClientHeight, int frameWidth, int frameHeight);

}  // namespace barloom
