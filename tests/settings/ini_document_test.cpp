#include "settings/ini_document.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/utf16_bytes.h"

namespace barloom {
namespace {

using namespace std::literals;

// Both read paths (the one-shot scan and the indexed document) must give the same answer.
void ExpectRead(std::string_view file, std::string_view section, std::string_view key, std::string_view defaultValue,
                std::size_t bufferSize, std::string_view expected, const std::string& label) {
  EXPECT_EQ(ReadIniValueFromBytes(file, section, key, defaultValue, bufferSize), expected) << label << " (scan)";
  const IniDocument document{std::string(file)};
  EXPECT_EQ(document.Read(section, key, defaultValue, bufferSize), expected) << label << " (document)";
}

struct ReadCase {
  const char* Label;
  std::string_view File;
  std::string_view Section;
  std::string_view Key;
  std::string_view Expected;
  std::string_view DefaultValue = "DEF";
  std::size_t BufferSize = 4096;
};

const ReadCase NameCases[] = {
    {"case-insensitive names", "[Sec]\r\nKey=val\r\n", "sEC", "kEY", "val"},
    {"blanks inside brackets", "[ \tSec \t]\r\nk=v\r\n", "Sec", "k", "v"},
    {"requested names trimmed", "[Sec]\r\nk=v\r\n", " \tSec\x1A", "\x0B k \x0C", "v"},
    {"high bytes compared exactly", "[S]\r\n\xC4=1\r\n", "S", "\xE4", "DEF"},
    {"high bytes equal", "[S]\r\n\xC4=1\r\n", "S", "\xC4", "1"},
    {"0x9F is not 0xFF", "[\x9F]\r\nk=1\r\n", "\xFF", "k", "DEF"},
    {"whole name must match", "[S]\r\nbutton10=1\r\n", "S", "button1", "DEF"},
    {"inner blanks must match", "[S]\r\nmy key=1\r\n", "S", "my  key", "DEF"},
    {"missing section", "[S]\r\nk=v\r\n", "T", "k", "DEF"},
    {"section without keys", "[S]\r\n[T]\r\nk=v\r\n", "S", "k", "DEF"},
    {"empty file", "", "S", "k", "DEF"},
    {"only the first section of a name counts", "[S]\r\na=1\r\n[T]\r\n[ s ]\r\nb=2\r\n", "S", "b", "DEF"},
    {"first key of a name wins", "[S]\r\nk=1\r\nK=2\r\n", "S", "k", "1"},
    {"'='-less line hides a later key", "[S]\r\n k \r\nk=v\r\n", "S", "k", "DEF"},
    {"'=v' is the key \"\"", "[S]\r\n=v\r\n", "S", "", "v"},
    {"blank key name is \"\"", "[S]\r\n = v\r\n", "S", " ", "v"},
    {"';' is not a comment", "[S]\r\n;k=v\r\n", "S", ";k", "v"},
    {"'#' is not a comment", "[S]\r\n#k=v\r\n", "S", "#k", "v"},
    {"';' does not hide the key", "[S]\r\n;k=v\r\n", "S", "k", "DEF"},
    {"note after a value is value", "[S]\r\nk=v ; note\r\n", "S", "k", "v ; note"},
    {"';[T]' is not a header", "[S]\r\n;[T]\r\nk=v\r\n", "S", "k", "v"},
    {"'[k]=v' is a header", "[S]\r\n[k]=v\r\nz=1\r\n", "k", "z", "1"},
    {"'[k]=v' ends the section", "[S]\r\n[k]=v\r\nz=1\r\n", "S", "z", "DEF"},
    {"'[' without ']' is a key line", "[S]\r\n[abc\r\nk=v\r\n", "S", "k", "v"},
    {"brackets inside key names", "[S]\r\na[1]=x\r\nb]=y\r\n", "S", "a[1]", "x"},
    {"']' inside key names", "[S]\r\na[1]=x\r\nb]=y\r\n", "S", "b]", "y"},
    {"header name ends at the last ']'", "[a]b] tail\r\nk=v\r\n", "a]b", "k", "v"},
    {"text after ']' ignored", "[S] ; trailer\r\nk=v\r\n", "S", "k", "v"},
    {"lines before the first header belong nowhere", "k=v\r\n[S]\r\n", "", "k", "DEF"},
    {"section \"\" is '[]'", "k=top\r\n[]\r\nk=v\r\n", "", "k", "v"},
    {"section \"\" is '[  ]'", "[  ]\r\nk=v\r\n", " ", "k", "v"},
    {"UTF-8 BOM is an ordinary byte", "\xEF\xBB\xBF[S]\r\nk=v\r\n", "S", "k", "DEF"},
    {"UTF-8 BOM before a later header", "\xEF\xBB\xBF;x\r\n[S]\r\nk=v\r\n", "S", "k", "v"},
};

const ReadCase ValueCases[] = {
    {"blanks around value", "[S]\r\n \t k \t = \t v w \t\x0B\x0C\x1A\r\n", "S", "k", "v w"},
    {"NBSP is not a blank", "[S]\r\nk=\xA0v\xA0\r\n", "S", "k", "\xA0v\xA0"},
    {"further '=' kept", "[S]\r\nk==a=b\r\n", "S", "k", "=a=b"},
    {"empty value is not the default", "[S]\r\nk=\r\n", "S", "k", ""},
    {"blank value is empty", "[S]\r\nk=  \t \r\n", "S", "k", ""},
    {"double quotes", "[S]\r\nk=\"v\"\r\n", "S", "k", "v"},
    {"single quotes", "[S]\r\nk='v'\r\n", "S", "k", "v"},
    {"blanks inside quotes kept", "[S]\r\nk= \" v \" \r\n", "S", "k", " v "},
    {"only the outer pair", "[S]\r\nk=\"a\"b\"\r\n", "S", "k", "a\"b"},
    {"two quoted parts", "[S]\r\nk=\"a\" \"b\"\r\n", "S", "k", "a\" \"b"},
    {"empty quotes", "[S]\r\nk=\"\"\r\n", "S", "k", ""},
    {"mismatched quotes kept", "[S]\r\nk=\"v'\r\n", "S", "k", "\"v'"},
    {"lone quote kept", "[S]\r\nk=\"\r\n", "S", "k", "\""},
    {"trailing quote kept", "[S]\r\nk=v\"\r\n", "S", "k", "v\""},
    {"quotes in names are literal", "[\"S\"]\r\n\"k\"=v\r\n", "\"S\"", "\"k\"", "v"},
    {"NUL ends the value", "[S]\r\nk=ab\0cd\r\n"sv, "S", "k", "ab"},
    {"NUL after trimming", "[S]\r\nk=ab  \0 \r\n"sv, "S", "k", "ab  "},
    {"NUL ends the key name", "[S]\r\nk\0x=1\r\n"sv, "S", "k", "1"},
    {"NUL first is the key \"\"", "[S]\r\n\0z=1\r\n"sv, "S", "", "1"},
    {"NUL ends the section name", "[S\0X]\r\nk=1\r\n"sv, "S", "k", "1"},
    {"NUL does not end the line", "[S]\r\na=1\0\r\nk=2\r\n"sv, "S", "k", "2"},
    {"NUL in the request ends it", "[S]\r\nk=1\r\n", "S\0junk"sv, "k\0more"sv, "1"},
};

const ReadCase LineEndCases[] = {
    {"LF only", "[S]\nk=1\nz=2\n", "S", "z", "2"},
    {"CR only", "[S]\rk=1\rz=2\r", "S", "z", "2"},
    {"CR CR LF", "[S]\r\r\nk=1\r\r\nz=2\r\r\n", "S", "z", "2"},
    {"mixed", "[S]\nk=1\rz=2\r\ny=3", "S", "y", "3"},
    {"last line without line end", "[S]\r\nk=1", "S", "k", "1"},
    {"blank lines ignored", "\r\n\r\n[S]\r\n\r\n  \r\n\t\r\nk=1\r\n", "S", "k", "1"},
    {"CR inside a header line splits it", "[S\r]\r\nk=1\r\n", "S", "k", "DEF"},
    {"binary junk", "\x01\x02\xFF\xFE\r\x7F[\n]]\x1A=\x80\r\n", "S", "k", "DEF"},
};

const ReadCase DefaultCases[] = {
    {"default as given", "", "S", "k", "def", "def"},
    {"trailing spaces cut", "", "S", "k", "def", "def   "},
    {"first character kept", "", "S", "k", " ", "   "},
    {"leading blanks kept", "", "S", "k", "  def", "  def"},
    {"trailing tabs kept", "", "S", "k", "def\t", "def\t"},
    {"quotes removed from the default", "", "S", "k", "d e", "\"d e\""},
    {"NUL ends the default", "", "S", "k", "ab", "ab\0cd  "sv},
    {"empty default", "", "S", "k", "", ""},
    {"'='-less key gives the default", "[S]\r\nk\r\n", "S", "k", "def", "def"},
    {"marker default intact", "", "S", "k", "///cannot.find.this.data.here\\\\\\",
     "///cannot.find.this.data.here\\\\\\"},
};

const ReadCase BufferCases[] = {
    {"buffer 0 gives nothing", "[S]\r\nk=value\r\n", "S", "k", "", "DEF", 0},
    {"buffer 1 gives nothing", "[S]\r\nk=value\r\n", "S", "k", "", "DEF", 1},
    {"buffer 2 gives one byte", "[S]\r\nk=value\r\n", "S", "k", "v", "DEF", 2},
    {"exact fit", "[S]\r\nk=value\r\n", "S", "k", "value", "DEF", 6},
    {"default cut too", "", "S", "k", "abc", "abcdef", 4},
    {"quotes removed after the cut", "[S]\r\nk=\"abc\"\r\n", "S", "k", "ab", "DEF", 4},
    {"quoted one byte in buffer 2", "[S]\r\nk=\"x\"\r\n", "S", "k", "", "DEF", 2},
    {"quoted, buffer holds all", "[S]\r\nk=\"abc\"\r\n", "S", "k", "abc", "DEF", 5},
    {"quoted, too long: no removal", "[S]\r\nk=\"abcdef\"\r\n", "S", "k", "abc", "DEF", 4},
    {"empty quotes in buffer 1", "[S]\r\nk=\"\"\r\n", "S", "k", "", "DEF", 1},
};

class ReadTable : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadTable, BothReadPathsAgreeWithThePlatform) {
  const ReadCase& c = GetParam();
  ExpectRead(c.File, c.Section, c.Key, c.DefaultValue, c.BufferSize, c.Expected, c.Label);
}

INSTANTIATE_TEST_SUITE_P(Names, ReadTable, ::testing::ValuesIn(NameCases));
INSTANTIATE_TEST_SUITE_P(Values, ReadTable, ::testing::ValuesIn(ValueCases));
INSTANTIATE_TEST_SUITE_P(LineEnds, ReadTable, ::testing::ValuesIn(LineEndCases));
INSTANTIATE_TEST_SUITE_P(Defaults, ReadTable, ::testing::ValuesIn(DefaultCases));
INSTANTIATE_TEST_SUITE_P(Buffer, ReadTable, ::testing::ValuesIn(BufferCases));

TEST(IniRead, LongValuesAreCutToTheBuffer) {
  struct Case {
    std::size_t Inner;
    bool Quoted;
    std::size_t Expected;
  };
  const Case cases[] = {{4094, false, 4094}, {4095, false, 4095}, {4096, false, 4095}, {5000, false, 4095},
                        {4093, true, 4093},  {4094, true, 4094},  {4095, true, 4094},  {5000, true, 4095}};
  for (const Case& c : cases) {
    const std::string inner(c.Inner, 'x');
    const std::string stored = c.Quoted ? "\"" + inner + "\"" : inner;
    const std::string file = "[S]\r\nk=" + stored + "\r\n";
    const std::string expected(c.Expected, 'x');
    ExpectRead(file, "S", "k", "", 4096, expected, std::to_string(c.Inner) + (c.Quoted ? " quoted" : ""));
  }
}

TEST(IniRead, SeventyThousandByteLines) {
  const std::string junk(70000, 'j');
  const std::string value(70000, 'v');
  const std::string longKey(70000, 'K');
  const std::string file = junk + "\r\n[S]\r\n" + junk + "\r\nk=" + value + "\r\n" + longKey + "=2\r\n";
  ExpectRead(file, "S", "k", "", 100000, value, "long value");
  ExpectRead(file, "S", std::string(70000, 'k'), "", 100, "2", "long key");
}

struct WriteCase {
  const char* Label;
  std::string_view Before;
  std::string_view Section;
  std::string_view Key;
  std::string_view Value;
  std::string_view After;
};

const WriteCase ReplaceCases[] = {
    {"value replaced in its line", "[S]\r\nk=1\r\nz=2\r\n", "S", "k", "9", "[S]\r\nk=9\r\nz=2\r\n"},
    {"file's key spelling kept, blanks dropped", "[S]\r\n  ButtonCount = 3\r\n", "S", " Buttoncount", "4",
     "[S]\r\nButtonCount=4\r\n"},
    {"LF file stays LF", "; c\n[S]\nk=1\n\n[T]\nx=1\n", "S", "k", "2", "; c\n[S]\nk=2\n\n[T]\nx=1\n"},
    {"CR file stays CR", "[S]\rk=1\r\r[T]\r", "S", "k", "2", "[S]\rk=2\r\r[T]\r"},
    {"CR CR LF kept", "[S]\r\r\nk=1\r\r\n", "S", "k", "2", "[S]\r\r\nk=2\r\r\n"},
    {"last line without line end", "[S]\r\nk=1", "S", "k", "2", "[S]\r\nk=2"},
    {"'='-less line becomes k=v", "[S]\r\n  k  \r\nk=v\r\n", "S", "k", "1", "[S]\r\nk=1\r\nk=v\r\n"},
    {"first key of a name replaced", "[S]\r\nk=1\r\nK=2\r\n", "S", "K", "3", "[S]\r\nk=3\r\nK=2\r\n"},
    {"key \"\"", "[S]\r\n=v\r\n", "S", "", "w", "[S]\r\n=w\r\n"},
    {"NUL bytes elsewhere preserved", "a\0b\r\n[S]\r\nk=1\r\n\0junk\x01\r\n"sv, "S", "k", "2",
     "a\0b\r\n[S]\r\nk=2\r\n\0junk\x01\r\n"sv},
    {"key name ends at a NUL", "[S]\r\nk\0x=1\r\n"sv, "S", "k", "2", "[S]\r\nk=2\r\n"},
    {"text after NUL in the value replaced", "[S]\r\nk=1\0x\r\n"sv, "S", "k", "2", "[S]\r\nk=2\r\n"},
    {"header trailer and spacing kept", "\r\n\r\n[S] ; note \r\n\r\n k=1\r\n  \r\n", "S", "k", "2",
     "\r\n\r\n[S] ; note \r\n\r\nk=2\r\n  \r\n"},
    {"value's leading blanks dropped, trailing kept", "[S]\r\nk=1\r\n", "S", "k", "  v  ", "[S]\r\nk=v  \r\n"},
    {"NUL ends the written value", "[S]\r\nk=1\r\n", "S", "k", "ab\0cd"sv, "[S]\r\nk=ab\r\n"},
    {"a later duplicate section stays", "[S]\r\nk=1\r\n[S]\r\nk=1\r\n", "S", "k", "2",
     "[S]\r\nk=2\r\n[S]\r\nk=1\r\n"},
    {"case of the value counts", "[S]\r\nk=v\r\n", "S", "k", "V", "[S]\r\nk=V\r\n"},
};

const WriteCase AddCases[] = {
    {"after trailing comment lines, before blank lines",
     "[S]\r\na=1\r\n;comment\r\n\r\n\r\n[T]\r\nb=2\r\n", "S", "c", "3",
     "[S]\r\na=1\r\n;comment\r\nc=3\r\n\r\n\r\n[T]\r\nb=2\r\n"},
    {"section without lines", "[S]\r\n[T]\r\n", "S", "c", "3", "[S]\r\nc=3\r\n[T]\r\n"},
    {"section's last line has no line end", "[S]\r\na=1", "S", "c", "3", "[S]\r\na=1\r\nc=3\r\n"},
    {"header is the file's last line", "[S]", "S", "c", "3", "[S]\r\nc=3\r\n"},
    {"blank last line without line end stays last", "[S]\r\na=1\r\n  ", "S", "c", "3",
     "[S]\r\na=1\r\nc=3\r\n  "},
    {"LF file gets a CR LF line", "[S]\na=1\n\n", "S", "c", "3", "[S]\na=1\nc=3\r\n\n"},
    {"CR file gets a CR LF line", "[S]\ra=1\r", "S", "c", "3", "[S]\ra=1\rc=3\r\n"},
    {"into the first of duplicate sections", "[S]\r\na=1\r\n[s]\r\nc=1\r\n", "S", "c", "3",
     "[S]\r\na=1\r\nc=3\r\n[s]\r\nc=1\r\n"},
    {"new key keeps trailing blanks of its name", "[S]\r\n", "S", "  k \t", " v ", "[S]\r\nk \t=v \r\n"},
    {"different high-byte case is another key", "[S]\r\n\xC4=1\r\n", "S", "\xE4", "2",
     "[S]\r\n\xC4=1\r\n\xE4=2\r\n"},
    {"new section at the end", "[S]\r\na=1\r\n", "T", "k", "v", "[S]\r\na=1\r\n[T]\r\nk=v\r\n"},
    {"new section after blank lines, none added", "[S]\r\na=1\r\n\r\n", "T", "k", "v",
     "[S]\r\na=1\r\n\r\n[T]\r\nk=v\r\n"},
    {"new section after a line without line end", "[S]\r\na=1", "T", "k", "v",
     "[S]\r\na=1\r\n[T]\r\nk=v\r\n"},
    {"new section in an LF file", "[S]\n", "T", "k", "v", "[S]\n[T]\r\nk=v\r\n"},
    {"file after a lone CR ends with a line end", "x\r", "T", "k", "v", "x\r[T]\r\nk=v\r\n"},
    {"empty file", "", "S", "k", "v", "[S]\r\nk=v\r\n"},
    {"empty value", "", "App", "key", "", "[App]\r\nkey=\r\n"},
    {"new section keeps trailing blanks of its name", "", "  T  ", "k", "v", "[T  ]\r\nk=v\r\n"},
    {"top lines are no section", "k=1\r\n", "", "k", "2", "k=1\r\n[]\r\nk=2\r\n"},
    {"BOM file: header on line 1 not seen", "\xEF\xBB\xBF[S]\r\nk=1\r\n", "S", "k", "2",
     "\xEF\xBB\xBF[S]\r\nk=1\r\n[S]\r\nk=2\r\n"},
    {"NUL in a name ends it", "", "S\0x"sv, "k\0y"sv, "v", "[S]\r\nk=v\r\n"},
    {"key name with '='", "[S]\r\n", "S", "a=b", "c", "[S]\r\na=b=c\r\n"},
};

class WriteTable : public ::testing::TestWithParam<WriteCase> {};

TEST_P(WriteTable, ChangesOnlyTheLineConcerned) {
  const WriteCase& c = GetParam();
  IniDocument document{std::string(c.Before)};
  EXPECT_TRUE(document.Write(c.Section, c.Key, c.Value)) << c.Label;
  EXPECT_EQ(document.Bytes(), c.After) << c.Label;
  // What was written reads back (names and values here are clean, apart from a NUL cut).
  const std::string_view value = c.Value.substr(0, c.Value.find('\0'));
  const IniDocument reloaded{std::string(c.After)};
  const std::string_view key = c.Key.substr(0, c.Key.find('\0'));
  if (key.find('=') == std::string_view::npos) {
    std::string expected(value.substr(value.find_first_not_of(' ') == std::string_view::npos
                                          ? value.size()
                                          : value.find_first_not_of(' ')));
    while (!expected.empty() && expected.back() == ' ') expected.pop_back();
    EXPECT_EQ(reloaded.Read(c.Section, c.Key, "DEF", 4096), expected) << c.Label;
    EXPECT_EQ(document.Read(c.Section, c.Key, "DEF", 4096), expected) << c.Label;
  }
}

INSTANTIATE_TEST_SUITE_P(Replace, WriteTable, ::testing::ValuesIn(ReplaceCases));
INSTANTIATE_TEST_SUITE_P(Add, WriteTable, ::testing::ValuesIn(AddCases));

TEST(IniWrite, SameValueChangesNothing) {
  const struct {
    std::string_view Before;
    std::string_view Value;
  } cases[] = {
      {"[S]\r\nk = v \r\n", "v"},
      {"[S]\r\nk=v\r\n", "   v"},
      {"[S]\nk=\"q\"\n", "\"q\""},
      {"[S]\r\nk=\r\n", ""},
      {"[S]\r\nk=ab\0cd\r\n"sv, "ab"},
  };
  for (const auto& c : cases) {
    IniDocument document{std::string(c.Before)};
    EXPECT_FALSE(document.Write("S", "K", c.Value)) << c.Before;
    EXPECT_EQ(document.Bytes(), c.Before);
  }
  // An '='-less line has no value, so any write changes it.
  IniDocument document{"[S]\r\nk\r\n"};
  EXPECT_TRUE(document.Write("S", "k", ""));
  EXPECT_EQ(document.Bytes(), "[S]\r\nk=\r\n");
}

// Taking a key out, as the platform's write of no value does, and a section left empty after it.
TEST(IniRemove, TakesOutTheLineConcernedAndNothingElse) {
  const struct {
    std::string_view Label, Before, Section, Key;
    bool Removed;
    std::string_view After;
  } keys[] = {
      {"line and its line end", "[S]\r\na=1\r\nk=2\r\nb=3\r\n", "s", "K", true, "[S]\r\na=1\r\nb=3\r\n"},
      {"LF file, last line", "[S]\na=1\nk=2", "S", "k", true, "[S]\na=1\n"},
      {"'='-less line counts", "[S]\r\n k \r\nk=1\r\n", "S", "k", true, "[S]\r\nk=1\r\n"},
      {"first section of the name only", "[S]\r\n[T]\r\nk=1\r\n[S]\r\nk=2\r\n", "S", "k", false,
       "[S]\r\n[T]\r\nk=1\r\n[S]\r\nk=2\r\n"},
      {"missing key", "[S]\r\na=1\r\n", "S", "k", false, "[S]\r\na=1\r\n"},
      {"missing section", "[T]\r\nk=1\r\n", "S", "k", false, "[T]\r\nk=1\r\n"},
  };
  for (const auto& c : keys) {
    IniDocument document{std::string(c.Before)};
    EXPECT_EQ(document.Remove(c.Section, c.Key), c.Removed) << c.Label;
    EXPECT_EQ(document.Bytes(), c.After) << c.Label;
  }
  const struct {
    std::string_view Label, Before;
    bool Removed;
    std::string_view After;
  } sections[] = {
      {"created at the end", "[A]\r\nx=1\r\n[S]\r\n", true, "[A]\r\nx=1\r\n"},
      {"blank lines stay", "[S]\r\n\r\n[B]\r\n", true, "\r\n[B]\r\n"},
      {"a comment line is content", "[S]\r\n;c\r\n", false, "[S]\r\n;c\r\n"},
      {"a key is content", "[S]\r\nk=\r\n", false, "[S]\r\nk=\r\n"},
  };
  for (const auto& c : sections) {
    IniDocument document{std::string(c.Before)};
    EXPECT_EQ(document.RemoveEmptySection("s"), c.Removed) << c.Label;
    EXPECT_EQ(document.Bytes(), c.After) << c.Label;
  }
  // Several names at once leave what one removal after the other leaves, however the lines end.
  const std::vector<std::string> names{"k", "J"};
  for (const std::string_view before :
       {"[S]\r\nk=1\r\na=2\r\nj=3\r\nk=4\r\n[T]\r\nk=5\r\n", "[S]\rk=1\n\nj\r\r\na=2\nk", "[S]\nk=1\n[S]\nj=2\n",
        "[T]\nk=1\n", "[S]\r\na=1\r\n"}) {
    IniDocument oneByOne{std::string(before)}, atOnce{std::string(before)};
    bool removed = false;
    for (const std::string& name : names)
      while (oneByOne.Remove("s", name)) removed = true;
    EXPECT_EQ(atOnce.RemoveAll("s", names), removed) << before;
    EXPECT_EQ(atOnce.Bytes(), oneByOne.Bytes()) << before;
  }
  // After a write, and in a UTF-16 file: the document reads and writes on as a fresh parse would.
  IniDocument written{"[S]\r\na=1\r\n"};
  written.Write("T", "k", "v");
  EXPECT_TRUE(written.Remove("T", "k"));
  EXPECT_TRUE(written.RemoveEmptySection("T"));
  EXPECT_EQ(written.Bytes(), "[S]\r\na=1\r\n");
  const std::string mark = "\xFF\xFE";
  IniDocument wide{mark + test_support::Utf16Bytes("[S]\r\nk=1\r\nj=2\r\n")};
  EXPECT_TRUE(wide.Remove("S", "k"));
  EXPECT_EQ(wide.Read("S", "j", "", 10), "2");
  EXPECT_TRUE(wide.Write("S", "k", "3"));
  EXPECT_EQ(wide.Bytes(), mark + test_support::Utf16Bytes("[S]\r\nj=2\r\nk=3\r\n"));
}

TEST(IniWrite, SeveralWritesKeepCreationOrder) {
  IniDocument document{"[S]\r\n\r\n[U]\r\n"};
  EXPECT_TRUE(document.Write("S", "a", "1"));
  EXPECT_TRUE(document.Write("T", "x", "1"));
  EXPECT_TRUE(document.Write("S", "b", "2"));
  EXPECT_TRUE(document.Write("T", "y", "2"));
  EXPECT_TRUE(document.Write("V", "z", "3"));
  EXPECT_TRUE(document.Write("s", "A", "9"));  // replaces the added line
  EXPECT_TRUE(document.Write("t", "X", "8"));
  EXPECT_EQ(document.Bytes(), "[S]\r\na=9\r\nb=2\r\n\r\n[U]\r\n[T]\r\nx=8\r\ny=2\r\n[V]\r\nz=3\r\n");
  EXPECT_EQ(document.Read("S", "a", "", 10), "9");
  EXPECT_EQ(document.Read("T", "y", "", 10), "2");
  EXPECT_FALSE(document.Write("V", "z", "3"));
}

TEST(IniWrite, AddedLinesFollowAnUnterminatedLastLine) {
  IniDocument document{"[S]\r\na=1\r\n[T]\r\nb=1"};
  EXPECT_TRUE(document.Write("T", "c", "2"));
  EXPECT_TRUE(document.Write("U", "d", "3"));
  EXPECT_TRUE(document.Write("S", "e", "4"));
  EXPECT_EQ(document.Bytes(), "[S]\r\na=1\r\ne=4\r\n[T]\r\nb=1\r\nc=2\r\n[U]\r\nd=3\r\n");
}

// Line breaks in written text make new lines, as on the platform; later operations on the
// document must then see what a fresh load of its bytes sees.
TEST(IniWrite, LineBreaksInWrittenTextAreReparsed) {
  IniDocument document{"[S]\r\na=1\r\n\r\n[T]\r\n"};
  EXPECT_TRUE(document.Write("S", "a", "1\r\nz=2"));
  EXPECT_EQ(document.Read("S", "z", "", 10), "2");
  EXPECT_TRUE(document.Write("S", "n", "3"));
  EXPECT_EQ(document.Bytes(), "[S]\r\na=1\r\nz=2\r\nn=3\r\n\r\n[T]\r\n");

  IniDocument header{"[S]\r\na=1\r\n"};
  EXPECT_TRUE(header.Write("S", "[k]", "v"));  // this line is a header
  EXPECT_TRUE(header.Write("S", "b", "2"));
  EXPECT_TRUE(header.Write("k", "c", "3"));
  EXPECT_EQ(header.Bytes(), "[S]\r\na=1\r\nb=2\r\n[k]=v\r\nc=3\r\n");
  EXPECT_EQ(header.Read("S", "[k]", "DEF", 10), "DEF");

  IniDocument section{"[S]\r\n"};
  EXPECT_TRUE(section.Write("T\r\nx=1\r\n[U", "k", "v"));
  EXPECT_EQ(section.Bytes(), "[S]\r\n[T\r\nx=1\r\n[U]\r\nk=v\r\n");
  EXPECT_EQ(section.Read("S", "x", "", 10), "1");  // "[T" is no header: it has no ']'
  EXPECT_EQ(section.Read("U", "k", "", 10), "v");
}

TEST(IniWrite, EveryByteRoundTripsInAValue) {
  for (int b = 1; b < 256; ++b) {
    const char c = static_cast<char>(b);
    if (c == '\r' || c == '\n') continue;
    const bool blank = (b >= 0x09 && b <= 0x0D) || b == 0x1A || b == ' ';
    std::vector<std::string> values = {std::string("a") + c + "z"};
    if (!blank) {
      values.push_back(std::string(1, c) + "z");
      values.push_back(std::string("a") + c);
      values.push_back(std::string(1, c));
    }
    for (const std::string& value : values) {
      IniDocument document{"[S]\r\nold=1\r\n"};
      ASSERT_TRUE(document.Write("S", "k", value)) << b;
      const IniDocument reloaded{document.Bytes()};
      EXPECT_EQ(reloaded.Read("S", "k", "DEF", 4096), value) << "byte " << b;
    }
  }
}

std::string Utf16(std::string_view ascii) { return test_support::Utf16Bytes(ascii); }

const std::string Utf16Mark = "\xFF\xFE";

TEST(IniUtf16, ReadsConvertToTheAnsiCodePage) {
  const std::string file = Utf16Mark + Utf16("[Sec]\r\nk = \"v\" \r\nhigh=") + "\xE4\0\xAC\x20"s + Utf16("\r\nwide=") +
                           "\x00\x01"s + Utf16("\r\n");
  ExpectRead(file, "sec", "K", "", 4096, "v", "plain value");
  ExpectRead(file, "Sec", "high", "", 4096, "\xE4\x80", "a-umlaut and euro sign");
  ExpectRead(file, "Sec", "wide", "", 4096, "\xEF\xBB\xBF\xC4\x80", "not in the code page: marked UTF-8");
  ExpectRead(file, "Sec", "none", "def ", 4096, "def", "default");
  ExpectRead(Utf16("[S]\r\nk=v\r\n"), "S", "k", "d", 4096, "d", "no mark: bytes");
}

TEST(IniUtf16, WritesKeepTheFileUtf16AndEveryOtherUnit) {
  // A lone surrogate (00 D8) and an odd last byte must survive untouched.
  const std::string before = Utf16Mark + Utf16("x") + "\x00\xD8"s + Utf16("\r\n[S]\r\nk=1\r\n\r\n") + "\x7F"s;
  IniDocument document{before};
  EXPECT_FALSE(document.Write("S", "k", "1"));
  EXPECT_EQ(document.Bytes(), before);
  EXPECT_TRUE(document.Write("s", "K", "\xE4"));
  EXPECT_TRUE(document.Write("S", "j", "\xEF\xBB\xBF\xC4\x80"));
  EXPECT_TRUE(document.Write("T", "t", "2"));
  EXPECT_EQ(document.Bytes(), Utf16Mark + Utf16("x") + "\x00\xD8"s + Utf16("\r\n[S]\r\nk=") + "\xE4\0"s +
                                  Utf16("\r\nj=") + "\x00\x01"s + Utf16("\r\n\r\n[T]\r\nt=2\r\n") + "\x7F"s);
  EXPECT_EQ(document.Read("S", "k", "", 4096), "\xE4");
  EXPECT_EQ(document.Read("S", "j", "", 4096), "\xEF\xBB\xBF\xC4\x80");

  IniDocument onlyMark{Utf16Mark};
  EXPECT_TRUE(onlyMark.Write("S", "k", "v"));
  EXPECT_EQ(onlyMark.Bytes(), Utf16Mark + Utf16("[S]\r\nk=v\r\n"));
}

// Writes whose line ends depend on what earlier writes added: a document must give the bytes that
// the same writes on a freshly parsed copy of its bytes give.
TEST(IniDocumentModel, WritesAfterAddedLinesEqualWritesOnAFreshParse) {
  struct Write {
    std::string_view Section, Key, Value;
  };
  struct Case {
    std::string_view Start;
    std::vector<Write> Writes;
  };
  const Case cases[] = {
      {"[S]\r\nk", {{"T", "a", "b"}, {"S", "k", "v\r"}}},
      {"[S]\r\nk", {{"T", "a", "b"}, {"S", "k", "v\n"}}},
      {"[S]\r\nk", {{"S", "n", "1"}, {"T", "a", "b"}, {"S", "k", "v\r"}}},
      {"[S]\r\nk=1\r\n  ", {{"T", "a", "b"}, {"S", "k", "v\r"}, {"U", "c", "d"}}},
      {"[S]", {{"T", "a", "b"}, {"S", "k", "v\r"}}},
      {"\xFF\xFE[\0S\0]\0\r\0\n\0k\0"sv, {{"T", "a", "b"}, {"S", "k", "v\r"}}},
  };
  for (const Case& c : cases) {
    IniDocument document{std::string(c.Start)};
    std::string bytes(c.Start);
    for (const Write& w : c.Writes) {
      IniDocument fresh{bytes};
      ASSERT_EQ(document.Write(w.Section, w.Key, w.Value), fresh.Write(w.Section, w.Key, w.Value));
      bytes = fresh.Bytes();
      EXPECT_EQ(document.Bytes(), bytes) << ::testing::PrintToString(c.Start) << " " << w.Section << "/" << w.Key;
    }
  }
}

// A document that takes many writes and reads must end with the bytes that the same operations,
// each on a freshly parsed file, give; and every read must agree with the one-shot scan.
TEST(IniDocumentModel, ManyOperationsEqualOneOperationPerLoad) {
  const std::vector<std::string> sections = {"S", "s", " T ", "U", "", "[x]", "S\r\nq=1"};
  const std::vector<std::string> keys = {"a", "A", " b ", "c", "", "[k]", "d=e", ";c", "k\nz"};
  const std::vector<std::string> values = {"1", "", "  x y  ", "\"q\"", "a\r\nb=c", "[S]", "v\0w"};
  const std::vector<std::string> starts = {
      "", "[S]\r\na=1\r\n\r\n[T]\r\nb\r\n", "junk\n[s]\rA=2\r\r\n[S]\nc=3", "[U]\r\n;x\r\n\r\n",
      "\0\x1A[S]\r\n[S\0]x\r\n"s, "\xFF\xFE[\0S\0]\0\n\0a\0=\0\x01\xD8"s};
  std::uint32_t seed = 12345;
  const auto next = [&seed](std::size_t n) {
    seed = seed * 1103515245u + 12345u;
    return static_cast<std::size_t>((seed >> 8) % n);
  };
  for (const std::string& start : starts) {
    IniDocument document{start};
    std::string bytes = start;
    for (int step = 0; step < 300; ++step) {
      const std::string& section = sections[next(sections.size())];
      const std::string& key = keys[next(keys.size())];
      if (next(3) == 0) {
        const std::size_t size = next(2) ? 4096 : next(5);
        const std::string expected = ReadIniValueFromBytes(bytes, section, key, " d ", size);
        ASSERT_EQ(document.Read(section, key, " d ", size), expected) << step;
        ASSERT_EQ(IniDocument(bytes).Read(section, key, " d ", size), expected) << step;
      } else {
        const std::string& value = values[next(values.size())];
        IniDocument fresh{bytes};
        const bool changed = fresh.Write(section, key, value);
        ASSERT_EQ(document.Write(section, key, value), changed) << step;
        if (changed) bytes = fresh.Bytes();
        ASSERT_EQ(document.Bytes(), bytes) << step;
      }
    }
  }
}

}  // namespace
}  // namespace barloom
