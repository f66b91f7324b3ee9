#include "ui/about_layout.h"

#include <algorithm>

#include "ui/about_model.h"

namespace barloom {
namespace {

constexpr WindowTable Table{TextId::AboutTitle, AboutTitle, about_rows::Rows};

}  // namespace

const WindowTable& AboutTable() { return Table; }

AboutFramePlaces LayOutAboutLines(std::span<const AboutLineText> lines, int dpi) {
  const auto design = [](int id) { return FindRow(AboutTable(), id)->Place; };
  const auto shown = [&lines](std::size_t line) { return line < lines.size() && lines[line].Shown; };
  constexpr int GapTwips = 90;  // between the widest label and the values: a space's width, at least
  const int labelLeft = TwipsToPixels(design(AboutFrameLines[0].Label).Left, dpi);
  const int gap = TwipsToPixels(GapTwips, dpi);
  const int focusMargin = ScaledPixels(2, dpi);  // a link's focus rectangle around its text
  const TwipRect firstValue = design(AboutFrameLines[0].Value);
  const int designedRight = TwipsToPixels(firstValue.Left + firstValue.Width, dpi);
  const int rightMargin = TwipsToPixels(about_design::Frame.Width - (firstValue.Left + firstValue.Width), dpi);

  int column = labelLeft;
  int valuesRight = designedRight;
  for (std::size_t line = 0; line < AboutLineCount; ++line) {
    if (!shown(line) || AboutFrameLines[line].Value == 0) continue;
    column = std::max(column, labelLeft + lines[line].LabelWidth + gap);
  }
  for (std::size_t line = 0; line < AboutLineCount; ++line)
    if (shown(line) && AboutFrameLines[line].Value != 0)
      valuesRight = std::max(valuesRight, column + lines[line].ValueWidth + focusMargin);

  AboutFramePlaces places;
  places.Width = std::max(TwipsToPixels(about_design::Frame.Width, dpi), valuesRight + rightMargin);
  const int right = places.Width - rightMargin;
  int leftOut = 0;  // twips of the lines above that are not shown
  for (std::size_t line = 0; line < AboutLineCount; ++line) {
    const TwipRect label = design(AboutFrameLines[line].Label);
    if (!shown(line)) {
      // Its share: down to the next line, or the last line's distance from the one above it.
      leftOut += line + 1 < AboutLineCount ? design(AboutFrameLines[line + 1].Label).Top - label.Top
                                           : label.Top - design(AboutFrameLines[line - 1].Label).Top;
      continue;
    }
    const int top = TwipsToPixels(label.Top - leftOut, dpi);
    const int bottom = top + TwipsToPixels(label.Height, dpi);
    const int value = AboutFrameLines[line].Value;
    if (value == 0) {
      places.Controls.push_back({AboutFrameLines[line].Label, {labelLeft, top, right, bottom}});
      continue;
    }
    places.Controls.push_back({AboutFrameLines[line].Label, {labelLeft, top, column - gap, bottom}});
    const int valueBottom = top + TwipsToPixels(design(value).Height, dpi);
    places.Controls.push_back({value, {column, top, column + lines[line].ValueWidth + focusMargin, valueBottom}});
  }
  places.Height = TwipsToPixels(about_design::Frame.Height - leftOut, dpi);
  return places;
}

AboutPlaces AboutLayout(int dpi, int nonClientWidth, int nonClientHeight, int frameWidth, int frameHeight) {
  namespace design = about_design;
  const int margin = ScaledPixels(design::FrameLeftPixels, dpi);
  const PixelRect designedFrame = ToPixels(design::Frame, dpi);
  const PixelRect frameSize{0, 0, frameWidth, frameHeight};
  const PixelRect okSize = ToPixels(design::Ok, dpi);

  AboutPlaces places;
  places.Frame.Left = margin;
  places.Frame.Top = ScaledPixels(design::FrameTopPixels, dpi);
  places.Frame.Right = places.Frame.Left + frameSize.Width();
  places.Frame.Bottom = places.Frame.Top + frameSize.Height();
  places.Ok.Left = okSize.Left + (frameSize.Width() - designedFrame.Width());
  places.Ok.Top = places.Frame.Bottom + ScaledPixels(design::OkGapPixels, dpi);
  places.Ok.Right = places.Ok.Left + okSize.Width();
  places.Ok.Bottom = places.Ok.Top + okSize.Height();

  const int designedWidth = frameSize.Width() + ScaledPixels(design::ExtraWidthPixels, dpi);
  const int designedHeight = frameSize.Height() + okSize.Height() + ScaledPixels(design::ExtraHeightPixels, dpi);
  const int neededWidth = std::max(places.Frame.Right, places.Ok.Right) + margin + nonClientWidth;
  const int neededHeight = places.Ok.Bottom + margin + nonClientHeight;
  places.Width = std::max(designedWidth, neededWidth);
  places.Height = std::max(designedHeight, neededHeight);
  return places;
}

}  // namespace barloom
