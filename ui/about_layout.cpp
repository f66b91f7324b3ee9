#include "ui/about_layout.h"

#include <algorithm>

#include "ui/about_model.h"

namespace barloom {
namespace {

constexpr WindowTable Table{TextId::AboutTitle, AboutTitle, about_rows::Rows};

}  // namespace

const WindowTable& AboutTable() { return Table; }

AboutPlaces AboutLayout(int dpi, int nonClientWidth, int nonClientHeight) {
  namespace design = about_design;
  const int margin = ScaledPixels(design::FrameLeftPixels, dpi);
  const PixelRect frameSize = ToPixels(design::Frame, dpi);
  const PixelRect okSize = ToPixels(design::Ok, dpi);

  AboutPlaces places;
  places.Frame.Left = margin;
  places.Frame.Top = ScaledPixels(design::FrameTopPixels, dpi);
  places.Frame.Right = places.Frame.Left + frameSize.Width();
  places.Frame.Bottom = places.Frame.Top + frameSize.Height();
  places.Ok.Left = okSize.Left;
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
