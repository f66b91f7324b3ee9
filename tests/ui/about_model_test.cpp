#include "ui/about_model.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "ui/about_layout.h"

namespace barloom {
namespace {

const std::optional<std::string> Missing;

TEST(AboutModel, TheOwnerIsTheFirstValueFoundElseYou) {
  struct Case {
    std::optional<std::string> First;   // under the Windows key
    std::optional<std::string> Second;  // under the Windows NT key
    std::string Shown;
  };
  const Case cases[] = {
      {Missing, Missing, "You"},
      {"Ada", "Grace", "Ada"},
      {Missing, "Grace", "Grace"},
      {"Ada", Missing, "Ada"},
      {"", "Grace", ""},  // an empty value is a value
      {Missing, "", ""},
      {"You", Missing, "You"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.First.value_or("<none>") + " / " + c.Second.value_or("<none>"));
    std::vector<std::string> asked;
    const AboutFacts facts = CollectAboutFacts([&](std::string_view path, std::string_view name) {
      asked.push_back(std::string{path} + "|" + std::string{name});
      return asked.size() == 1 ? c.First : c.Second;
    });
    EXPECT_EQ(facts.UserName, c.Shown);
    // Both places are always read, the Windows key first.
    EXPECT_EQ(asked, (std::vector<std::string>{
                         "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion|RegisteredOwner",
                         "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion|RegisteredOwner"}));
  }
}

TEST(AboutModel, ALineWithoutAValueIsLeftOut) {
  struct Case {
    AboutFacts Facts;
    std::string HomePage;
    AboutLines Shown;
  };
  const Case cases[] = {
      {{"Ada", "1.00", "Grace", "ada@example.org"}, "https://x.example/", {true, true, true, true}},
      {{"Ada", "1.00", "", ""}, "https://x.example/", {true, false, false, true}},
      {{"", "1.00", "You", "x"}, "", {false, true, true, false}},  // no home page: no link, no note
      {{"", "", "", ""}, "", {false, false, false, false}},
      {{" ", "1.00", " ", " "}, " ", {true, true, true, true}},  // a blank is a value as given
  };
  for (const Case& c : cases)
    EXPECT_EQ(ShownAboutLines(c.Facts, c.HomePage), c.Shown) << c.Facts.AuthorName << "|" << c.Facts.UserName;
}

// At 96 DPI (15 twips a pixel): every value in one column after the widest label; lines left out
// take no room; a value wider than the design widens the frame.
TEST(AboutLayout, ValuesInOneColumnAndLinesLeftOutTakeNoRoom) {
  using Places = std::vector<std::pair<int, PixelRect>>;
  namespace ids = about_ids;
  struct Case {
    const char* What;
    std::vector<AboutLineText> Lines;  // in the frame's order: author, version, owner, note, web site, e-mail
    Places Controls;
    int Width, Height;
  };
  const Case cases[] = {
      {"all shown",
       {{true, 80, 60}, {true, 40, 25}, {true, 150, 20}, {true, 0, 0}, {true, 45, 50}, {true, 35, 90}},
       {{ids::ProgrammedBy, {9, 21, 159, 40}}, {ids::AuthorName, {165, 21, 227, 40}},
        {ids::Version, {9, 43, 159, 62}}, {ids::VersionNo, {165, 43, 192, 62}},
        {ids::RegisteredTo, {9, 65, 159, 86}}, {ids::UserName, {165, 65, 187, 86}},
        {ids::HomePageNote, {9, 89, 401, 130}},
        {ids::WebAddress, {9, 133, 159, 154}}, {ids::Url, {165, 133, 217, 154}},
        {ids::Email, {9, 157, 159, 176}}, {ids::EmailAddress, {165, 157, 257, 176}}},
       409, 189},
      {"no owner, no home page, a long e-mail address",
       {{true, 80, 60}, {true, 40, 25}, {false, 150, 20}, {false, 0, 0}, {false, 45, 50}, {true, 35, 400}},
       {{ids::ProgrammedBy, {9, 21, 89, 40}}, {ids::AuthorName, {95, 21, 157, 40}},
        {ids::Version, {9, 43, 89, 62}}, {ids::VersionNo, {95, 43, 122, 62}},
        {ids::Email, {9, 65, 89, 84}}, {ids::EmailAddress, {95, 65, 497, 84}}},
       505, 97},
      {"no author, no e-mail",
       {{false, 80, 60}, {true, 40, 25}, {true, 150, 20}, {true, 0, 0}, {true, 45, 50}, {false, 35, 90}},
       {{ids::Version, {9, 21, 159, 40}}, {ids::VersionNo, {165, 21, 192, 40}},
        {ids::RegisteredTo, {9, 43, 159, 64}}, {ids::UserName, {165, 43, 187, 64}},
        {ids::HomePageNote, {9, 67, 401, 108}},
        {ids::WebAddress, {9, 111, 159, 132}}, {ids::Url, {165, 111, 217, 132}}},
       409, 143},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    const AboutFramePlaces places = LayOutAboutLines(c.Lines, 96);
    Places found;
    for (const AboutFramePlaces::Place& place : places.Controls) found.emplace_back(place.Id, place.At);
    EXPECT_EQ(found, c.Controls);
    EXPECT_EQ(places.Width, c.Width);
    EXPECT_EQ(places.Height, c.Height);
  }
  // At 200 % the same column twice as far in.
  const std::vector<AboutLineText> doubled(AboutLineCount, AboutLineText{true, 160, 40});
  EXPECT_EQ(LayOutAboutLines(doubled, 192).Controls[1].At.Left, 18 + 160 + 12);
}

TEST(AboutLayout, FramesButtonAndBoxAtEachScale) {
  struct Case {
    int Dpi;
    int NonClientWidth, NonClientHeight;
    PixelRect Frame, Ok;
    int Width, Height;
  };
  const Case cases[] = {
      // A 3-pixel border and a 19-pixel title: the designed 6435 x 3780 twips at 15 twips a pixel.
      {96, 6, 25, {7, 2, 416, 191}, {335, 197, 415, 220}, 429, 252},
      {192, 12, 50, {14, 4, 832, 382}, {670, 394, 830, 440}, 858, 504},
      // A thinner title leaves the designed size; a thicker frame grows the box around the button.
      {96, 4, 20, {7, 2, 416, 191}, {335, 197, 415, 220}, 429, 252},
      {96, 16, 39, {7, 2, 416, 191}, {335, 197, 415, 220}, 7 + 409 + 7 + 16, 220 + 7 + 39},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Dpi);
    const PixelRect frame = ToPixels(about_design::Frame, c.Dpi);
    const AboutPlaces places = AboutLayout(c.Dpi, c.NonClientWidth, c.NonClientHeight, frame.Width(), frame.Height());
    EXPECT_EQ(places.Frame, c.Frame);
    EXPECT_EQ(places.Ok, c.Ok);
    EXPECT_EQ(places.Width, c.Width);
    EXPECT_EQ(places.Height, c.Height);
  }
  // A frame 50 pixels wider and 40 shorter: OK keeps its place against the frame's right edge.
  const AboutPlaces wider = AboutLayout(96, 6, 25, 459, 149);
  EXPECT_EQ(wider.Ok, (PixelRect{385, 157, 465, 180}));
  EXPECT_EQ(wider.Width, 479);
  EXPECT_EQ(PixelsToTwips(429, 96), 6435);
  EXPECT_EQ(PixelsToTwips(252, 96), 3780);
}

}  // namespace
}  // namespace barloom
