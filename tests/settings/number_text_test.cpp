#include "settings/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

namespace barloom {
namespace {

constexpr double Infinity = std::numeric_limits<double>::infinity();

TEST(ReadLeadingNumber, ReadsTheNumberTheTextBeginsWith) {
  struct Case {
    const char* Text;
    double Value;
  };
  const Case cases[] = {
      {"", 0},
      {"abc", 0},
      {"12abc", 12},
      {"3abc", 3},
      {"-3", -3},
      {"+4", 4},
      {" 7 ", 7},
      {"1 2 3", 123},          // blanks are ignored anywhere, also inside the number
      {"\t-\n 1 . 5", -1.5},   // tabs and line feeds too
      {"1\r2", 1},             // a carriage return is no blank
      {"2.5", 2.5},
      {".5", 0.5},
      {"5.", 5},
      {".", 0},
      {"-", 0},
      {"--3", 0},
      {"1.2.3", 1.2},
      {"1,5", 1},              // the decimal separator is "." whatever the locale
      {"1e3", 1000},
      {"1E+3", 1000},
      {"25e-1", 2.5},
      {"1D2", 100},
      {"1d-2", 0.01},
      {"1e", 1},               // an exponent without digits is not part of the number
      {"1e+", 1},
      {"2x3", 2},
      {"&HFF", 255},
      {"&hff", 255},
      {"&H1g", 1},
      {"&H", 0},
      {"&O17", 15},
      {"&o78", 7},
      {"&X1", 0},
      {"&", 0},
      {"-&H10", 0},
      {"2610,3240", 2610},
      {"0.1", 0.1},
      {"000123", 123},
      {"123456789012345678901234567890", 123456789012345678901234567890.0},
      {"1e308", 1e308},
      {"1e-320", 1e-320},
      {"0.000000000000000000000000000000000000000000000001e48", 1},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadLeadingNumber(c.Text), c.Value) << '"' << c.Text << '"';
}

TEST(ReadLeadingNumber, HugeAndTinyExponentsSaturateWithoutFailing) {
  struct Case {
    std::string Text;
    double Value;
  };
  const Case cases[] = {
      {"1e309", Infinity},
      {"-1e400", -Infinity},
      {"1e99999999999999999999999999", Infinity},
      {"1e-99999999999999999999999999", 0},
      {"0e99999999999999999999", 0},
      {std::string(2000, '9'), Infinity},
      {"0." + std::string(2000, '0') + "1e2000", 0.1},
      {"1" + std::string(1000, '0') + "e-1000", 1},
      // More digits than any exponent a double needs: they still balance the exponent.
      {"1" + std::string(2000000, '0') + "e-2000000", 1},
      {"0." + std::string(2000000, '0') + "1e2000001", 1},
      {"&H" + std::string(300, 'F'), Infinity},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadLeadingNumber(c.Text), c.Value) << c.Text.substr(0, 40);
}

TEST(ReadLeadingNumber, IgnoresTheLocalesDecimalSeparator) {
  const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
  // A locale with a decimal comma, where one is installed; the test still checks the C locale.
  const bool comma = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "German_Germany");
  EXPECT_EQ(ReadLeadingNumber("2.75"), 2.75) << (comma ? "with a decimal comma" : "C locale");
  EXPECT_EQ(DecimalText(2.75), "2.75");
  std::setlocale(LC_NUMERIC, previous.c_str());
}

TEST(RoundToInt16, RoundsHalvesToEvenAndNeverWraps) {
  struct Case {
    double Value;
    std::optional<std::int16_t> Result;
  };
  const Case cases[] = {
      {0, 0},
      {2.5, 2},
      {3.5, 4},
      {-2.5, -2},
      {-3.5, -4},
      {0.5, 0},
      {-0.5, 0},
      {1.5, 2},
      {2.4999, 2},
      {2.5001, 3},
      {-7.6, -8},
      {32767, 32767},
      {32767.4, 32767},
      {32767.5, std::nullopt},  // rounds to 32768
      {-32768, -32768},
      {-32768.5, -32768},       // halves to even: -32768
      {-32768.6, std::nullopt},
      {99999999, std::nullopt},
      {65536, std::nullopt},
      {-1e300, std::nullopt},
      {Infinity, std::nullopt},
      {-Infinity, std::nullopt},
      {std::nan(""), std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(RoundToInt16(c.Value), c.Result) << c.Value;
}

TEST(RoundToInt16, ReadsCountsAsTheProgramDoes) {
  struct Case {
    const char* Text;
    std::optional<std::int16_t> Result;
  };
  const Case cases[] = {
      {"2.5", 2}, {"3.5", 4}, {"3abc", 3}, {"-3", -3}, {" 7 ", 7}, {"1 2 3", 123}, {"&HFF", 255},
      {"&O17", 15}, {"1e3", 1000}, {"1D2", 100}, {"abc", 0}, {"", 0}, {"99999999", std::nullopt},
      {"32767.5", std::nullopt}, {"-32768", -32768}, {"1e400", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(RoundToInt16(ReadLeadingNumber(c.Text)), c.Result) << c.Text;
}

TEST(ParseWholeInt16, TakesOnlyTextsThatAreNumbersAsAWhole) {
  struct Case {
    const char* Text;
    std::optional<std::int16_t> Result;
  };
  const Case cases[] = {
      {"610", 610},
      {"  1008\t", 1008},
      {"-12", -12},
      {"+12", 12},
      {"2.5", 2},
      {"3.5", 4},
      {"1e2", 100},
      {"&H10", 16},
      {"32767", 32767},
      {"-32768", -32768},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"12abc", std::nullopt},
      {"1 2", std::nullopt},  // inner blanks make it two numbers
      {"70000", std::nullopt},
      {"32767.5", std::nullopt},
      {"1e", std::nullopt},
      {"abc", std::nullopt},
      {"-", std::nullopt},
      {".", std::nullopt},
      {"&H", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseWholeInt16(c.Text), c.Result) << '"' << c.Text << '"';
}

TEST(DecimalText, WritesTheShortestPlainDecimal) {
  struct Case {
    double Value;
    std::optional<std::string> Text;
  };
  const Case cases[] = {
      {1, "1"},
      {0, "0"},
      {-0.0, "0"},
      {-5, "-5"},
      {2.5, "2.5"},
      {0.1, "0.1"},
      {-1200, "-1200"},
      {32767, "32767"},
      {1e20, "100000000000000000000"},
      {1.5e-7, "0.00000015"},
      {1.0 / 3, "0.3333333333333333"},
      {Infinity, std::nullopt},
      {std::nan(""), std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(DecimalText(c.Value), c.Text) << c.Value;
}

TEST(DecimalText, ReadsBackAsTheSameNumber) {
  for (const double value : {1.0 / 3, 123456.789, -9.87654321e-5, 1e300, 5e-324, 2610.0}) {
    const std::optional<std::string> text = DecimalText(value);
    ASSERT_TRUE(text);
    EXPECT_EQ(ReadLeadingNumber(*text), value) << *text;
  }
}

}  // namespace
}  // namespace barloom
