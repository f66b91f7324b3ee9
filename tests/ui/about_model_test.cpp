#include "ui/about_model.h"

#include <gtest/gtest.h>

#include <string>
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
    AboutLines Shown;
  };
  const Case cases[] = {
      {{"Ada", "1.00", "Grace", "ada@example.org"}, {true, true, true}},
      {{"Ada", "1.00", "", ""}, {true, false, false}},
      {{"", "1.00", "You", "x"}, {false, true, true}},
      {{"", "", "", ""}, {false, false, false}},
      {{" ", "1.00", " ", " "}, {true, true, true}},  // a blank is a value as given
  };
  for (const Case& c : cases) EXPECT_EQ(ShownAboutLines(c.Facts), c.Shown) << c.Facts.AuthorName << "|" << c.Facts.UserName;
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
    const AboutPlaces places = AboutLayout(c.Dpi, c.NonClientWidth, c.NonClientHeight);
    EXPECT_EQ(places.Frame, c.Frame);
    EXPECT_EQ(places.Ok, c.Ok);
    EXPECT_EQ(places.Width, c.Width);
    EXPECT_EQ(places.Height, c.Height);
  }
  EXPECT_EQ(PixelsToTwips(429, 96), 6435);
  EXPECT_EQ(PixelsToTwips(252, 96), 3780);
}

}  // namespace
}  // namespace barloom
