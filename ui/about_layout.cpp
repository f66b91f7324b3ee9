#include "ui/about_layout.h"

#include <algorithm>

#include "ui/about_model.h"

namespace barloom {
namespace {

namespace ids = about_ids;
using Kind = ControlKind;
using Flags = ControlFlags;

constexpr unsigned PlainLabel = Flags::NoPrefix;  // shown as they are, wrapped within their width

constexpr ControlRow Rows[] = {
    {ids::Ok, Kind::CommandButton, TextId::Ok, about_design::Ok, Flags::TabStop | Flags::DefaultButton},
    {ids::Frame, Kind::Frame, TextId::None, about_design::Frame},
    {ids::ProgrammedBy, Kind::Label, TextId::ProgrammedBy, {135, 315, 1710, 285}, PlainLabel, ids::Frame},
    {ids::AuthorName, Kind::Label, TextId::None, {1875, 315, 4140, 285}, PlainLabel, ids::Frame},
    {ids::Version, Kind::Label, TextId::Version, {135, 645, 960, 285}, PlainLabel, ids::Frame},
    {ids::VersionNo, Kind::Label, TextId::None, {1125, 645, 4890, 285}, PlainLabel, ids::Frame},
    {ids::RegisteredTo, Kind::Label, TextId::RegisteredTo, {135, 975, 3075, 315}, PlainLabel, ids::Frame},
    {ids::UserName, Kind::Label, TextId::None, {3240, 975, 2775, 315}, PlainLabel, ids::Frame},
    {ids::HomePageNote, Kind::Label, TextId::HomePageNote, {135, 1335, 5880, 615}, PlainLabel, ids::Frame},  // two lines
    {ids::WebAddress, Kind::Label, TextId::WebSite, {135, 1995, 1215, 315}, PlainLabel, ids::Frame},
    {ids::Url, Kind::Label, TextId::VisitNow, {1410, 1995, 2085, 315}, PlainLabel | Flags::Notify, ids::Frame},
    {ids::Email, Kind::Label, TextId::Email, {135, 2355, 915, 285}, PlainLabel, ids::Frame},
    {ids::EmailAddress, Kind::Label, TextId::None, {1080, 2355, 4935, 285}, PlainLabel, ids::Frame},
};

constexpr WindowTable Table{TextId::AboutTitle, AboutTitle, Rows};

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
