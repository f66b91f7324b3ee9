#include "tests/settings/conformance_cases.h"

#include <cstdint>
#include <string_view>

#include "platform/not_found_marker.h"

namespace barloom::conformance {
namespace {

using namespace std::string_literals;

// A case of one call, a read or a write, from the same starting file.
ConformanceCase Call(Action action, std::string name, std::optional<std::string> file, std::string section,
                     std::string key, std::string text, std::optional<std::string> expected) {
  ConformanceCase c;
  c.Name = std::move(name);
  c.File = std::move(file);
  c.ActionKind = action;
  c.Section = std::move(section);
  c.Key = std::move(key);
  c.Text = std::move(text);
  c.Expected = std::move(expected);
  return c;
}

ConformanceCase Read(std::string name, std::optional<std::string> file, std::string section, std::string key,
                     std::string defaultValue, std::string expected, std::size_t bufferSize = 4096) {
  ConformanceCase c = Call(Action::Read, std::move(name), std::move(file), std::move(section), std::move(key),
                           std::move(defaultValue), std::move(expected));
  c.BufferSize = bufferSize;
  return c;
}

ConformanceCase Write(std::string name, std::optional<std::string> file, std::string section, std::string key,
                      std::string value, std::optional<std::string> expected) {
  return Call(Action::Write, std::move(name), std::move(file), std::move(section), std::move(key), std::move(value),
              std::move(expected));
}

// A case where Wine does otherwise than Windows and the engine follows Windows.
ConformanceCase WineDiffers(ConformanceCase c, std::string reason, std::optional<std::string> windowsExpected) {
  c.WineDiffers = std::move(reason);
  c.WindowsExpected = std::move(windowsExpected);
  return c;
}

std::string Repeat(char c, std::size_t n) { return std::string(n, c); }

// Every byte from 0x80 to 0xFF, in order.
std::string AllHighBytes() {
  std::string bytes;
  for (int b = 0x80; b <= 0xFF; ++b) bytes.push_back(static_cast<char>(b));
  return bytes;
}

// ASCII text as UTF-16 code units, little or big endian, without a BOM.
std::string Utf16(std::string_view ascii, bool bigEndian = false) {
  std::string bytes;
  for (char c : ascii) {
    if (bigEndian) bytes.push_back('\0');
    bytes.push_back(c);
    if (!bigEndian) bytes.push_back('\0');
  }
  return bytes;
}

// Deterministic noise covering every byte value, NULs, CRs and LFs included.
std::string BinaryBlob(std::size_t size, std::uint32_t seed) {
  std::string bytes;
  for (std::size_t i = 0; i < size; ++i) {
    seed = seed * 1664525u + 1013904223u;
    bytes.push_back(static_cast<char>(seed >> 24));
  }
  return bytes;
}

const std::string Bom8 = "\xEF\xBB\xBF";
const std::string Bom16Le = "\xFF\xFE";
const std::string Bom16Be = "\xFE\xFF";

constexpr const char* Rewrites = "Wine rewrites the whole file from its parsed form: ";

std::vector<ConformanceCase> BuildCases() {
  const std::string basic = "[S]\r\nk=v\r\n";
  const std::string one = "[S]\r\nk=1\r\n";
  const std::string x5000 = "[S]\r\nk=" + Repeat('x', 5000) + "\r\n";
  const std::string high = AllHighBytes();
  const std::string blob = BinaryBlob(3000, 20240607u);
  std::vector<ConformanceCase> t;

  // --- Names and case ------------------------------------------------------------------------
  t.push_back(Read("Names_Exact", basic, "S", "k", "d", "v"));
  t.push_back(Read("Names_AsciiCaseIgnored", "[Section]\r\nMyKey=v\r\n", "sECTION", "mykey", "d", "v"));
  t.push_back(Read("Names_KeyPrefixDoesNotMatch", "[S]\r\nbutton10=x\r\n", "S", "button1", "d", "d"));
  t.push_back(Read("Names_SectionPrefixDoesNotMatch", "[Buttons]\r\nk=v\r\n", "Button", "k", "d", "d"));
  t.push_back(Read("Names_InnerBlanksMustMatch", "[S]\r\nmy  key=v\r\n", "S", "my key", "d", "d"));
  t.push_back(Read("Names_RequestedNamesTrimmed", basic, " S\t", "\tk ", "d", "v"));
  t.push_back(Read("Names_BlanksInsideBrackets", "[ S\t]\r\nk=v\r\n", "S", "k", "d", "v"));
  t.push_back(Read("Names_HeaderIndented", "  \t[S]\r\nk=v\r\n", "S", "k", "d", "v"));
  t.push_back(Read("Names_TextAfterHeaderIgnored", "[S] ; the section\r\nk=v\r\n", "S", "k", "d", "v"));
  t.push_back(Read("Names_HeaderEndsAtLastBracket", "[a]b]\r\nk=v\r\n", "a]b", "k", "d", "v"));
  t.push_back(Read("Names_BracketKeyLineIsAHeader", "[S]\r\n[k]=v\r\nx=1\r\n", "S", "x", "d", "d"));
  t.push_back(Read("Names_BracketKeyLineOpensSection", "[S]\r\n[k]=v\r\nx=1\r\n", "k", "x", "d", "1"));
  t.push_back(Read("Names_OpenBracketAloneIsAKey", "[S]\r\n[k=v\r\n", "S", "[k", "d", "v"));
  t.push_back(Read("Names_BracketsInsideKey", "[S]\r\na[1]=x\r\nb]=y\r\n", "S", "a[1]", "d", "x"));
  t.push_back(Read("Names_CloseBracketInKey", "[S]\r\na[1]=x\r\nb]=y\r\n", "S", "b]", "d", "y"));
  t.push_back(Read("Names_QuotesInKeyLiteral", "[S]\r\n\"k\"=v\r\n", "S", "\"k\"", "d", "v"));
  t.push_back(Read("Names_QuotedKeyIsNotUnquoted", "[S]\r\n\"k\"=v\r\n", "S", "k", "d", "d"));
  t.push_back(Read("Names_QuotesInSectionLiteral", "[\"S\"]\r\nk=v\r\n", "\"S\"", "k", "d", "v"));
  t.push_back(Read("Names_HighByteExact", "[S]\r\n\xC4=1\r\n", "S", "\xC4", "d", "1"));
  t.push_back(Read("Names_HighByteCaseNotFolded", "[S]\r\n\xC4=1\r\n", "S", "\xE4", "d", "d"));
  t.push_back(Read("Names_YDiaeresisCaseNotFolded", "[\x9F]\r\nk=v\r\n", "\xFF", "k", "d", "d"));
  t.push_back(Read("Names_UnassignedCp1252BytesInNames", "[\x81\x8D]\r\n\x8F\x90\x9D=v\r\n", "\x81\x8D",
                   "\x8F\x90\x9D", "d", "v"));
  t.push_back(Read("Names_EqualsInSectionName", "[a=b]\r\nk=v\r\n", "a=b", "k", "d", "v"));
  t.push_back(Read("Names_EmptyKeyName", "[S]\r\n=v\r\n", "S", " ", "d", "v"));
  t.push_back(Read("Names_TopLinesBelongToNoSection", "k=1\r\n[S]\r\nj=2\r\n", "S", "k", "d", "d"));
  t.push_back(WineDiffers(Read("Names_EmptySectionName", "k=top\r\n[]\r\nk=bracket\r\n", "", "k", "d", "top"),
                          "Wine reads the lines before the first header as section \"\"; Windows reads \"[]\"",
                          "bracket"));

  // --- Blanks --------------------------------------------------------------------------------
  t.push_back(Read("Blanks_AroundEquals", "[S]\r\nk = v\r\n", "S", "k", "d", "v"));
  t.push_back(Read("Blanks_TabsAroundNameAndValue", "[S]\r\n\t k\t=\t v \t\r\n", "S", "k", "d", "v"));
  t.push_back(Read("Blanks_InnerBlanksKept", "[S]\r\nk= a b  c \r\n", "S", "k", "d", "a b  c"));
  t.push_back(Read("Blanks_FurtherEqualsStay", "[S]\r\nk=a=b==\r\n", "S", "k", "d", "a=b=="));
  t.push_back(Read("Blanks_NbspIsNotBlank", "[S]\r\nk=\xA0v\xA0\r\n", "S", "k", "d", "\xA0v\xA0"));
  t.push_back(Read("Blanks_NbspInKeyName", "[S]\r\n\xA0k=v\r\n", "S", "k", "d", "d"));
  t.push_back(Read("Blanks_VtFfSubTrimmed", "[S]\r\nk=\x0Bv\x0C\x1A\r\n", "S", "k", "d", "v"));
  t.push_back(Read("Blanks_BlankLinesIgnored", "\r\n\r\n[S]\r\n\r\n  \t\r\nk=v\r\n\r\n", "S", "k", "d", "v"));

  // --- Quotes --------------------------------------------------------------------------------
  t.push_back(Read("Quotes_DoublePairRemoved", "[S]\r\nk=\"v\"\r\n", "S", "k", "d", "v"));
  t.push_back(Read("Quotes_SinglePairKeepsInnerBlanks", "[S]\r\nk=' v '\r\n", "S", "k", "d", " v "));
  t.push_back(Read("Quotes_InnerQuoteKept", "[S]\r\nk=\"a\"b\"\r\n", "S", "k", "d", "a\"b"));
  t.push_back(Read("Quotes_TwoQuotedWords", "[S]\r\nk=\"a\" \"b\"\r\n", "S", "k", "d", "a\" \"b"));
  t.push_back(Read("Quotes_EmptyPair", "[S]\r\nk=\"\"\r\n", "S", "k", "d", ""));
  t.push_back(Read("Quotes_MismatchedKept", "[S]\r\nk=\"v'\r\n", "S", "k", "d", "\"v'"));
  t.push_back(Read("Quotes_LoneQuoteKept", "[S]\r\nk=\"\r\n", "S", "k", "d", "\""));
  t.push_back(Read("Quotes_OpeningOnlyKept", "[S]\r\nk='a\r\n", "S", "k", "d", "'a"));
  t.push_back(Read("Quotes_BlanksOutsideQuotes", "[S]\r\nk=  \"v\"  \r\n", "S", "k", "d", "v"));
  t.push_back(Read("Quotes_OnlyOnePairRemoved", "[S]\r\nk=\"\"v\"\"\r\n", "S", "k", "d", "\"v\""));

  // --- Defaults ------------------------------------------------------------------------------
  t.push_back(Read("Defaults_MissingKey", basic, "S", "x", "dflt", "dflt"));
  t.push_back(Read("Defaults_MissingSection", basic, "T", "k", "dflt", "dflt"));
  t.push_back(Read("Defaults_SectionWithoutKeys", "[S]\r\n[T]\r\nk=v\r\n", "S", "k", "d", "d"));
  t.push_back(Read("Defaults_MissingFile", std::nullopt, "S", "k", "dflt", "dflt"));
  ConformanceCase missingFolder = Read("Defaults_MissingFolder", std::nullopt, "S", "k", "dflt", "dflt");
  missingFolder.MissingFolder = true;
  t.push_back(missingFolder);
  t.push_back(Read("Defaults_EmptyFile", "", "S", "k", "dflt", "dflt"));
  t.push_back(Read("Defaults_TrailingSpacesCut", basic, "S", "x", "d  ", "d"));
  t.push_back(Read("Defaults_TrailingTabKept", basic, "S", "x", "d\t", "d\t"));
  t.push_back(Read("Defaults_LeadingBlanksKept", basic, "S", "x", " \td", " \td"));
  t.push_back(Read("Defaults_OnlySpacesKeepOne", basic, "S", "x", "   ", " "));
  t.push_back(Read("Defaults_QuotesStripped", basic, "S", "x", "\"d\"", "d"));
  t.push_back(Read("Defaults_Empty", basic, "S", "x", "", ""));
  t.push_back(Read("Defaults_NotFoundMarkerIntact", basic, "S", "x", std::string(NotFoundMarker),
                   std::string(NotFoundMarker)));

  // --- Empty values --------------------------------------------------------------------------
  t.push_back(Read("Empty_ValueIsNotTheDefault", "[S]\r\nk=\r\n", "S", "k", "d", ""));
  t.push_back(Read("Empty_BlanksOnlyValue", "[S]\r\nk= \t \r\n", "S", "k", "d", ""));
  t.push_back(Read("Empty_LoneEqualsSign", "[S]\r\n=\r\n", "S", " ", "d", ""));
  t.push_back(Read("Empty_FirstOfDuplicatesWins", "[S]\r\nk=\r\nk=v\r\n", "S", "k", "d", ""));

  // --- Lines without "=" ---------------------------------------------------------------------
  t.push_back(Read("NoEquals_KeyGivesDefault", "[S]\r\nk\r\n", "S", "k", "d", "d"));
  t.push_back(Read("NoEquals_HidesLaterValue", "[S]\r\nk\r\nk=v\r\n", "S", "k", "d", "d"));
  t.push_back(Read("NoEquals_AfterValueHarmless", "[S]\r\nk=v\r\nk\r\n", "S", "k", "d", "v"));
  t.push_back(Read("NoEquals_FreeTextBetweenKeys", "[S]\r\nsome free text\r\nk=v\r\n", "S", "k", "d", "v"));

  // --- Comment-looking lines -----------------------------------------------------------------
  t.push_back(Read("Comments_SemicolonLineIsAKey", "[S]\r\n;k=v\r\n", "S", ";k", "d", "v"));
  t.push_back(Read("Comments_SemicolonKeyIsNotK", "[S]\r\n;k=v\r\n", "S", "k", "d", "d"));
  t.push_back(Read("Comments_HashLineIsAKey", "[S]\r\n#k=v\r\n", "S", "#k", "d", "v"));
  t.push_back(Read("Comments_TrailingNoteIsValue", "[S]\r\nk=v ; note\r\n", "S", "k", "d", "v ; note"));
  t.push_back(Read("Comments_CommentedHeaderIsNoHeader", "[S]\r\n;[T]\r\nk=v\r\n", "S", "k", "d", "v"));
  t.push_back(Read("Comments_CommentedHeaderOpensNothing", "[S]\r\n;[T]\r\nk=v\r\n", "T", "k", "d", "d"));

  // --- Truncation ----------------------------------------------------------------------------
  t.push_back(Read("Truncation_Value5000Size0", x5000, "S", "k", "d", "", 0));
  t.push_back(Read("Truncation_Value5000Size1", x5000, "S", "k", "d", "", 1));
  t.push_back(Read("Truncation_Value5000Size2", x5000, "S", "k", "d", "x", 2));
  t.push_back(Read("Truncation_Value5000Size4", x5000, "S", "k", "d", "xxx", 4));
  t.push_back(Read("Truncation_Value5000Size4096", x5000, "S", "k", "d", Repeat('x', 4095), 4096));
  t.push_back(Read("Truncation_Value4094Fits", "[S]\r\nk=" + Repeat('x', 4094) + "\r\n", "S", "k", "d",
                   Repeat('x', 4094)));
  t.push_back(Read("Truncation_Value4095", "[S]\r\nk=" + Repeat('x', 4095) + "\r\n", "S", "k", "d",
                   Repeat('x', 4095)));
  t.push_back(Read("Truncation_Value4096", "[S]\r\nk=" + Repeat('x', 4096) + "\r\n", "S", "k", "d",
                   Repeat('x', 4095)));
  t.push_back(Read("Truncation_Default5000Size0", basic, "S", "x", Repeat('d', 5000), "", 0));
  t.push_back(Read("Truncation_Default5000Size1", basic, "S", "x", Repeat('d', 5000), "", 1));
  t.push_back(Read("Truncation_Default5000Size2", basic, "S", "x", Repeat('d', 5000), "d", 2));
  t.push_back(Read("Truncation_Default5000Size4", basic, "S", "x", Repeat('d', 5000), "ddd", 4));
  t.push_back(Read("Truncation_Default5000Size4096", basic, "S", "x", Repeat('d', 5000), Repeat('d', 4095)));
  t.push_back(Read("Truncation_EmptyValueSize1", "[S]\r\nk=\r\n", "S", "k", "d", "", 1));
  t.push_back(Read("Truncation_HighBytes", "[S]\r\nk=\xE4\xF6\xFC\r\n", "S", "k", "d", "\xE4\xF6", 3));
  t.push_back(Read("Truncation_QuotedSize3", "[S]\r\nk=\"abc\"\r\n", "S", "k", "d", "ab", 3));
  t.push_back(Read("Truncation_QuotedSize4EatsOne", "[S]\r\nk=\"abc\"\r\n", "S", "k", "d", "ab", 4));
  t.push_back(Read("Truncation_QuotedSize5", "[S]\r\nk=\"abc\"\r\n", "S", "k", "d", "abc", 5));
  t.push_back(Read("Truncation_QuotedSize2", "[S]\r\nk=\"x\"\r\n", "S", "k", "d", "", 2));
  t.push_back(Read("Truncation_Quoted4094Inside", "[S]\r\nk=\"" + Repeat('x', 4094) + "\"\r\n", "S", "k", "d",
                   Repeat('x', 4094)));
  t.push_back(Read("Truncation_Quoted4095Inside", "[S]\r\nk=\"" + Repeat('x', 4095) + "\"\r\n", "S", "k", "d",
                   Repeat('x', 4094)));
  t.push_back(Read("Truncation_Quoted5000Inside", "[S]\r\nk=\"" + Repeat('x', 5000) + "\"\r\n", "S", "k", "d",
                   Repeat('x', 4095)));
  t.push_back(Read("Truncation_QuotedDefaultSize4", basic, "S", "x", "\"abc\"", "ab", 4));

  // --- Duplicates ----------------------------------------------------------------------------
  t.push_back(Read("Duplicates_FirstKeyWins", "[S]\r\nk=1\r\nk=2\r\n", "S", "k", "d", "1"));
  t.push_back(Read("Duplicates_FirstKeyWinsAnyCase", "[S]\r\nK=1\r\nk=2\r\n", "S", "k", "d", "1"));
  t.push_back(Read("Duplicates_FirstSectionWins", "[S]\r\nk=1\r\n[S]\r\nk=2\r\n", "S", "k", "d", "1"));
  t.push_back(Read("Duplicates_OnlyFirstSectionSearched", "[S]\r\na=1\r\n[T]\r\n[S]\r\nb=2\r\n", "S", "b", "d", "d"));
  t.push_back(Read("Duplicates_SectionCaseAndBlanks", "[s]\r\na=1\r\n[ S ]\r\nk=2\r\n", "S", "k", "d", "d"));
  t.push_back(Read("Duplicates_EmptyKeyNames", "[S]\r\n=a\r\n=b\r\n", "S", " ", "d", "a"));

  // --- Line ends -----------------------------------------------------------------------------
  t.push_back(Read("LineEnds_LfOnly", "[S]\nk=v\nj=w\n", "S", "j", "d", "w"));
  t.push_back(Read("LineEnds_CrOnly", "[S]\rk=v\rj=w\r", "S", "j", "d", "w"));
  t.push_back(Read("LineEnds_Mixed", "[S]\r\nk=v\nj=w\rl=x\r\n", "S", "l", "d", "x"));
  t.push_back(Read("LineEnds_CrCrLf", "[S]\r\r\nk=v\r\r\nj=w\r\r\n", "S", "j", "d", "w"));
  t.push_back(Read("LineEnds_LfCrIsTwoEnds", "[S]\n\rk=v\n\r", "S", "k", "d", "v"));
  t.push_back(Read("LineEnds_NoFinalLineEnd", "[S]\r\nk=v", "S", "k", "d", "v"));
  t.push_back(Read("LineEnds_LoneCrEndsValue", "[S]\r\nk=a\rb=c\r\n", "S", "k", "d", "a"));
  t.push_back(Read("LineEnds_LoneCrStartsKey", "[S]\r\nk=a\rb=c\r\n", "S", "b", "d", "c"));

  // --- High bytes and NUL bytes --------------------------------------------------------------
  t.push_back(Read("HighBytes_AllInValue", "[S]\r\nk=" + high + "\r\n", "S", "k", "d", high));
  t.push_back(Read("HighBytes_UnassignedCp1252", "[S]\r\nk=\x81\x8D\x8F\x90\x9D\r\n", "S", "k", "d",
                   "\x81\x8D\x8F\x90\x9D"));
  t.push_back(Read("HighBytes_Utf8WithoutBom", "[S]\r\nk=\xC3\xA4\xE2\x82\xAC\r\n", "S", "k", "d",
                   "\xC3\xA4\xE2\x82\xAC"));
  t.push_back(Read("HighBytes_SectionName", "[\xC4\xD6\xDC]\r\nk=v\r\n", "\xC4\xD6\xDC", "k", "d", "v"));
  t.push_back(Read("HighBytes_Default", basic, "S", "x", "\x80\xFF", "\x80\xFF"));
  t.push_back(Read("Nul_EndsValue", "[S]\r\nk=ab\0cd\r\n"s, "S", "k", "d", "ab"));
  t.push_back(Read("Nul_EndsKeyName", "[S]\r\nk\0x=1\r\n"s, "S", "k", "d", "1"));
  t.push_back(Read("Nul_LineStartsWithNul", "[S]\r\n\0k=1\r\n"s, "S", " ", "d", "1"));
  t.push_back(Read("Nul_EndsSectionName", "[S\0X]\r\nk=v\r\n"s, "S", "k", "d", "v"));
  t.push_back(Read("Nul_BeforeFirstSection", "a\0b\r\n\0\0\r\n[S]\r\nk=v\r\n"s, "S", "k", "d", "v"));
  // Arguments end at a NUL, as C strings do.
  t.push_back(Read("Nul_InRequestedNames", basic, "S\0T"s, "k\0x"s, "d", "v"));
  t.push_back(Read("Nul_InDefault", basic, "S", "x", "d\0e"s, "d"));
  t.push_back(Write("Nul_InWrittenValue", one, "S", "k", "a\0b"s, "[S]\r\nk=a\r\n"));
  t.push_back(Write("Nul_InWrittenNames", one, "T\0U"s, "t\0u"s, "2", "[S]\r\nk=1\r\n[T]\r\nt=2\r\n"));

  // --- Byte-order marks ----------------------------------------------------------------------
  t.push_back(Read("Bom_Utf8CommentOnFirstLine", Bom8 + ";c\r\n[S]\r\nk=v\r\n", "S", "k", "d", "v"));
  t.push_back(WineDiffers(Read("Bom_Utf8HeaderOnFirstLine", Bom8 + "[S]\r\nk=v\r\n", "S", "k", "d", "v"),
                          "Wine honours a UTF-8 BOM; Windows takes it as bytes of line 1, losing the header", "d"));
  t.push_back(WineDiffers(Read("Bom_Utf8HighBytes", Bom8 + ";c\r\n[S]\r\nk=\xC3\xA4\r\n", "S", "k", "d", "\xE4"),
                          "Wine decodes the text after a UTF-8 BOM and hands back ANSI; Windows hands back the bytes",
                          "\xC3\xA4"));
  t.push_back(Read("Bom_Utf16Le", Bom16Le + Utf16("[S]\r\nk=v\r\n"), "S", "k", "d", "v"));
  t.push_back(Read("Bom_Utf16LeHighBytes", Bom16Le + Utf16("[S]\r\nk=") + "\xE4\0\xAC\x20"s + Utf16("\r\n"), "S",
                   "k", "d", "\xE4\x80"));
  t.push_back(Read("Bom_Utf16LeWithoutBomGivesNothing", Utf16("[S]\r\nk=v\r\n"), "S", "k", "d", "d"));
  t.push_back(WineDiffers(Read("Bom_Utf16Be", Bom16Be + Utf16("[S]\r\nk=v\r\n", true), "S", "k", "d", "v"),
                          "Wine honours a UTF-16 BE BOM; Windows reads such a file as ANSI", "d"));

  // --- Binary files --------------------------------------------------------------------------
  t.push_back(Read("Binary_GivesDefault", blob, "S", "k", "d", "d"));
  t.push_back(Read("Binary_KeyBetweenNoise", blob + "\n[S]\nk=v\n" + blob, "S", "k", "d", "v"));
  std::string allBytes;
  for (int round = 0; round < 4; ++round)
    for (int b = 0; b < 256; ++b) allBytes.push_back(static_cast<char>(b));
  t.push_back(Read("Binary_EveryByteValue", allBytes, "S", "k", "d", "d"));

  // --- Long lines ----------------------------------------------------------------------------
  const std::string long70k = "[S]\r\nk=" + Repeat('v', 70000) + "\r\n";
  t.push_back(Read("Long_Value70000Size4096", long70k, "S", "k", "d", Repeat('v', 4095)));
  t.push_back(Read("Long_Value70000Whole", long70k, "S", "k", "d", Repeat('v', 70000), 70001));
  t.push_back(Read("Long_JunkLineBeforeKey", "[S]\r\n" + Repeat('j', 70000) + "\r\nk=v\r\n", "S", "k", "d", "v"));
  t.push_back(Read("Long_KeyNameInFile", "[S]\r\n" + Repeat('n', 70000) + "=1\r\nk=v\r\n", "S", "k", "d", "v"));
  t.push_back(Read("Long_SectionNameInFile", "[" + Repeat('s', 70000) + "]\r\nk=1\r\n[S]\r\nk=v\r\n", "S", "k",
                   "d", "v"));
  t.push_back(Read("Long_RequestedKey20000", "[S]\r\n" + Repeat('n', 20000) + "=v\r\n", "S", Repeat('N', 20000),
                   "d", "v"));

  // --- Writes that replace -------------------------------------------------------------------
  t.push_back(Write("Replace_Value", one, "S", "k", "2", "[S]\r\nk=2\r\n"));
  t.push_back(Write("Replace_KeepsFileSpelling", "[Buttons]\r\nButtonCount=3\r\n", "buttons", "Buttoncount", "4",
                    "[Buttons]\r\nButtonCount=4\r\n"));
  t.push_back(Write("Replace_BetweenOtherSections", "[A]\r\nk=1\r\n[S]\r\nj=0\r\nk=1\r\nl=2\r\n[B]\r\nk=1\r\n", "S",
                    "k", "9", "[A]\r\nk=1\r\n[S]\r\nj=0\r\nk=9\r\nl=2\r\n[B]\r\nk=1\r\n"));
  t.push_back(Write("Replace_FirstOfDuplicateKeys", "[S]\r\nk=1\r\nk=2\r\n", "S", "k", "3", "[S]\r\nk=3\r\nk=2\r\n"));
  t.push_back(Write("Replace_InFirstOfDuplicateSections", "[S]\r\nk=1\r\n[S]\r\nk=2\r\n", "S", "k", "3",
                    "[S]\r\nk=3\r\n[S]\r\nk=2\r\n"));
  t.push_back(Write("Replace_LineWithoutEquals", "[S]\r\nk\r\nk=1\r\n", "S", "k", "2", "[S]\r\nk=2\r\nk=1\r\n"));
  t.push_back(Write("Replace_WithEmptyValue", one, "S", "k", "", "[S]\r\nk=\r\n"));
  t.push_back(Write("Replace_EmptyValue", "[S]\r\nk=\r\n", "S", "k", "v", "[S]\r\nk=v\r\n"));
  t.push_back(Write("Replace_ValueLeadingBlanksDropped", one, "S", "k", " \t v  ", "[S]\r\nk=v  \r\n"));
  t.push_back(Write("Replace_ValueOnlyBlanks", one, "S", "k", "   ", "[S]\r\nk=\r\n"));
  t.push_back(Write("Replace_QuotesWrittenAsGiven", one, "S", "k", "\"q \"", "[S]\r\nk=\"q \"\r\n"));
  t.push_back(Write("Replace_AllHighBytes", one, "S", "k", high, "[S]\r\nk=" + high + "\r\n"));
  t.push_back(Write("Replace_LineBreakInValueWrittenRaw", one, "S", "k", "a\r\nj=b", "[S]\r\nk=a\r\nj=b\r\n"));
  t.push_back(Write("Replace_Value20000", one, "S", "k", Repeat('x', 20000),
                    "[S]\r\nk=" + Repeat('x', 20000) + "\r\n"));
  t.push_back(Write("Replace_SemicolonKey", "[S]\r\n;k=1\r\n", "S", ";k", "2", "[S]\r\n;k=2\r\n"));
  t.push_back(Write("Replace_ValueCaseMatters", "[S]\r\nk=abc\r\n", "S", "k", "ABC", "[S]\r\nk=ABC\r\n"));
  t.push_back(Write("Replace_RequestedNamesTrimmed", one, " S\t", "  k ", "2", "[S]\r\nk=2\r\n"));
  t.push_back(Write("Replace_HighByteNames", "[\xC4]\r\n\xD6=1\r\n", "\xC4", "\xD6", "\xFC",
                    "[\xC4]\r\n\xD6=\xFC\r\n"));
  t.push_back(Write("Replace_AfterLongJunkLine", "[S]\r\n" + Repeat('j', 70000) + "\r\nk=1\r\n", "S", "k", "2",
                    "[S]\r\n" + Repeat('j', 70000) + "\r\nk=2\r\n"));
  t.push_back(Write("Replace_LongValueByShort", long70k, "S", "k", "v", "[S]\r\nk=v\r\n"));
  t.push_back(Write("Replace_NextToLongValue", "[S]\r\nk=" + Repeat('v', 70000) + "\r\nj=1\r\n", "S", "j", "2",
                    "[S]\r\nk=" + Repeat('v', 70000) + "\r\nj=2\r\n"));
  t.push_back(Write("Replace_IndentedSpacedLine", "[S]\r\n  k = 1 \r\n", "S", "k", "2", "[S]\r\nk=2\r\n"));
  t.push_back(Write("Replace_TrailingBlanksMakeADifference", one, "S", "k", "1  ", "[S]\r\nk=1  \r\n"));
  t.push_back(Write("Replace_QuotedByUnquoted", "[S]\r\nk=\"1\"\r\n", "S", "k", "1", "[S]\r\nk=1\r\n"));
  t.push_back(Write("Replace_ValueEndingInCr", one, "S", "k", "a\r", "[S]\r\nk=a\r\r\n"));
  t.push_back(Write("Replace_KeyNamedLikeSection", "[S]\r\nS=1\r\n", "S", "s", "2", "[S]\r\nS=2\r\n"));

  // --- Writes that change nothing ------------------------------------------------------------
  t.push_back(Write("Unchanged_SameValue", one, "S", "k", "1", one));
  t.push_back(Write("Unchanged_SameValueKeepsBlankLines", "\r\n[S]\r\n\r\nk=1\r\n\r\n", "S", "k", "1",
                    "\r\n[S]\r\n\r\nk=1\r\n\r\n"));
  t.push_back(Write("Unchanged_SameValueKeepsSpacing", "[ S ] x\r\n  k = 1 \r\n", "S", "k", "1",
                    "[ S ] x\r\n  k = 1 \r\n"));
  t.push_back(Write("Unchanged_StoredValueTrimmed", "[S]\r\nk=1 \t\r\n", "S", "k", "1", "[S]\r\nk=1 \t\r\n"));
  t.push_back(Write("Unchanged_LeadingBlanksOfValueIgnored", one, "S", "k", "  1", one));
  t.push_back(Write("Unchanged_SameQuotedValue", "[S]\r\nk=\"1\"\r\n", "S", "k", "\"1\"", "[S]\r\nk=\"1\"\r\n"));

  // --- Writes that add keys ------------------------------------------------------------------
  t.push_back(Write("AddKey_EndOfSection", "[S]\r\nk=1\r\n[T]\r\nt=1\r\n", "S", "j", "2",
                    "[S]\r\nk=1\r\nj=2\r\n[T]\r\nt=1\r\n"));
  t.push_back(Write("AddKey_AfterTrailingComments", "[S]\r\nk=1\r\n;note\r\nfree text\r\n[T]\r\nt=1\r\n", "S", "j",
                    "2", "[S]\r\nk=1\r\n;note\r\nfree text\r\nj=2\r\n[T]\r\nt=1\r\n"));
  t.push_back(Write("AddKey_LastSection", one, "S", "j", "2", "[S]\r\nk=1\r\nj=2\r\n"));
  t.push_back(Write("AddKey_ToFirstOfDuplicateSections", "[S]\r\nk=1\r\n[T]\r\n[S]\r\nj=1\r\n", "S", "j", "2",
                    "[S]\r\nk=1\r\nj=2\r\n[T]\r\n[S]\r\nj=1\r\n"));
  t.push_back(Write("AddKey_SectionWithoutKeys", "[S]\r\n[T]\r\n", "S", "k", "v", "[S]\r\nk=v\r\n[T]\r\n"));
  t.push_back(Write("AddKey_SectionMatchedIgnoringCase", "[Sec]\r\nk=1\r\n", "sEC", "j", "2",
                    "[Sec]\r\nk=1\r\nj=2\r\n"));
  t.push_back(Write("AddKey_TrailingBlanksOfNameKept", one, "S", "j \t", "2", "[S]\r\nk=1\r\nj \t=2\r\n"));
  t.push_back(Write("AddKey_LeadingBlanksOfNameDropped", one, "S", " \tj", "2", "[S]\r\nk=1\r\nj=2\r\n"));
  t.push_back(Write("AddKey_NameWithEquals", one, "S", "a=b", "c", "[S]\r\nk=1\r\na=b=c\r\n"));
  t.push_back(Write("AddKey_BracketName", one, "S", "[j]", "2", "[S]\r\nk=1\r\n[j]=2\r\n"));
  t.push_back(Write("AddKey_HighByteBesideOtherCase", "[S]\r\n\xC4=1\r\n", "S", "\xE4", "2",
                    "[S]\r\n\xC4=1\r\n\xE4=2\r\n"));
  t.push_back(Write("AddKey_PrefixOfExistingName", "[S]\r\nbutton10=1\r\n", "S", "button1", "2",
                    "[S]\r\nbutton10=1\r\nbutton1=2\r\n"));
  t.push_back(Write("AddKey_BesideSemicolonKey", "[S]\r\n;k=1\r\n", "S", "k", "2", "[S]\r\n;k=1\r\nk=2\r\n"));
  t.push_back(Write("AddKey_ValueLeadingBlanksDropped", one, "S", "j", "  2 ", "[S]\r\nk=1\r\nj=2 \r\n"));
  t.push_back(Write("AddKey_NoFinalLineEnd", "[S]\r\nk=1", "S", "j", "2", "[S]\r\nk=1\r\nj=2\r\n"));
  t.push_back(Write("AddKey_KeyInLaterDuplicateOnly", "[S]\r\nk=1\r\n[S]\r\nj=1\r\n", "S", "j", "2",
                    "[S]\r\nk=1\r\nj=2\r\n[S]\r\nj=1\r\n"));

  t.push_back(Write("AddKey_HeaderAloneWithoutLineEnd", "[S]", "S", "k", "v", "[S]\r\nk=v\r\n"));
  std::string many;
  for (int i = 0; i < 1000; ++i) many += "[S" + std::to_string(i) + "]\r\nk=" + std::to_string(i) + "\r\n";
  std::string manyAdded;
  for (int i = 0; i < 1000; ++i) {
    manyAdded += "[S" + std::to_string(i) + "]\r\nk=" + std::to_string(i) + "\r\n";
    if (i == 500) manyAdded += "j=new\r\n";
  }
  t.push_back(Write("AddKey_MiddleOfManySections", many, "s500", "j", "new", manyAdded));

  // --- Writes that add sections --------------------------------------------------------------
  t.push_back(Write("AddSection_AtEnd", one, "T", "t", "2", "[S]\r\nk=1\r\n[T]\r\nt=2\r\n"));
  t.push_back(Write("AddSection_AfterTrailingComment", "[S]\r\nk=1\r\n;end\r\n", "T", "t", "2",
                    "[S]\r\nk=1\r\n;end\r\n[T]\r\nt=2\r\n"));
  t.push_back(Write("AddSection_TrailingBlanksOfNameKept", one, "T \t", "t", "2", "[S]\r\nk=1\r\n[T \t]\r\nt=2\r\n"));
  t.push_back(Write("AddSection_LeadingBlanksOfNameDropped", one, " \tT", "t", "2", "[S]\r\nk=1\r\n[T]\r\nt=2\r\n"));
  t.push_back(Write("AddSection_AfterTopLinesOnly", "x=1\r\n", "S", "k", "v", "x=1\r\n[S]\r\nk=v\r\n"));
  t.push_back(Write("AddSection_HighByteName", one, "\xC4", "k", "v", "[S]\r\nk=1\r\n[\xC4]\r\nk=v\r\n"));
  t.push_back(Write("AddSection_BesideOtherHighByteCase", "[\xC4]\r\nk=1\r\n", "\xE4", "k", "2",
                    "[\xC4]\r\nk=1\r\n[\xE4]\r\nk=2\r\n"));
  t.push_back(Write("AddSection_PrefixOfExistingName", "[Buttons]\r\nk=1\r\n", "Button", "k", "2",
                    "[Buttons]\r\nk=1\r\n[Button]\r\nk=2\r\n"));
  t.push_back(Write("AddSection_NoFinalLineEnd", "[S]\r\nk=1", "T", "t", "2", "[S]\r\nk=1\r\n[T]\r\nt=2\r\n"));
  t.push_back(Write("AddSection_AfterCommentedHeader", "[S]\r\n;[T]\r\n", "T", "t", "2",
                    "[S]\r\n;[T]\r\n[T]\r\nt=2\r\n"));

  t.push_back(Write("AddSection_NameWithBrackets", one, "a]b", "k", "v", "[S]\r\nk=1\r\n[a]b]\r\nk=v\r\n"));
  t.push_back(Write("AddSection_NameOpeningBracket", one, "[x", "k", "v", "[S]\r\nk=1\r\n[[x]\r\nk=v\r\n"));
  t.push_back(Write("AddSection_LongName20000", one, Repeat('s', 20000), "k", "v",
                    "[S]\r\nk=1\r\n[" + Repeat('s', 20000) + "]\r\nk=v\r\n"));

  // --- Writes that create files --------------------------------------------------------------
  t.push_back(Write("Create_MissingFile", std::nullopt, "S", "k", "v", "[S]\r\nk=v\r\n"));
  t.push_back(Write("Create_EmptyFile", "", "S", "k", "v", "[S]\r\nk=v\r\n"));
  t.push_back(Write("Create_EmptyValue", std::nullopt, "App", "key", "", "[App]\r\nkey=\r\n"));
  ConformanceCase noFolder = Write("Create_MissingFolderFails", std::nullopt, "S", "k", "v", std::nullopt);
  noFolder.MissingFolder = true;
  noFolder.WriteSucceeds = false;
  t.push_back(noFolder);

  // --- A file held open by another handle that shares nothing ---------------------------------
  ConformanceCase lockedWrite = Write("Locked_WriteFails", one, "S", "k", "2", one);
  lockedWrite.Locked = true;
  lockedWrite.WriteSucceeds = false;
  t.push_back(lockedWrite);
  ConformanceCase lockedRead = Read("Locked_ReadGivesDefault", one, "S", "k", "d", "d");
  lockedRead.Locked = true;
  t.push_back(lockedRead);

  // --- Writes on files with byte-order marks -------------------------------------------------
  t.push_back(Write("Bom_Utf8WriteReplace", Bom8 + ";c\r\n[S]\r\nk=1\r\n", "S", "k", "2",
                    Bom8 + ";c\r\n[S]\r\nk=2\r\n"));
  t.push_back(Write("Bom_Utf8WriteAddSection", Bom8 + ";c\r\n[S]\r\nk=1\r\n", "T", "t", "2",
                    Bom8 + ";c\r\n[S]\r\nk=1\r\n[T]\r\nt=2\r\n"));
  t.push_back(Write("Bom_Utf16LeWriteReplace", Bom16Le + Utf16("[S]\r\nk=1\r\n"), "S", "k", "2",
                    Bom16Le + Utf16("[S]\r\nk=2\r\n")));
  t.push_back(Write("Bom_Utf16LeWriteAddKey", Bom16Le + Utf16("[S]\r\nk=1\r\n"), "S", "j", "\xE4",
                    Bom16Le + Utf16("[S]\r\nk=1\r\nj=") + "\xE4\0"s + Utf16("\r\n")));
  t.push_back(WineDiffers(Write("Bom_Utf8HeaderOnFirstLineWrite", Bom8 + "[S]\r\nk=1\r\n", "S", "k", "2",
                                Bom8 + "[S]\r\nk=2\r\n"),
                          "Wine honours a UTF-8 BOM; on Windows the header on line 1 is lost, so [S] is added",
                          Bom8 + "[S]\r\nk=1\r\n[S]\r\nk=2\r\n"));
  t.push_back(WineDiffers(Write("Bom_Utf8HighByteWrite", Bom8 + ";c\r\n[S]\r\nk=1\r\n", "S", "k", "\xE4",
                                Bom8 + ";c\r\n[S]\r\nk=\xC3\xA4\r\n"),
                          "Wine writes UTF-8 after a UTF-8 BOM; Windows writes the ANSI byte",
                          Bom8 + ";c\r\n[S]\r\nk=\xE4\r\n"));
  t.push_back(WineDiffers(Write("Bom_Utf8OnlyFile", Bom8, "S", "k", "v", Bom8 + "[S]\r\nk=v\r\n"),
                          "Wine takes a lone UTF-8 BOM for an empty UTF-8 file; on Windows it is the text of line 1",
                          Bom8 + "\r\n[S]\r\nk=v\r\n"));

  // --- Writes where Wine rewrites the whole file ---------------------------------------------
  t.push_back(WineDiffers(Write("Rewrite_BlankLinesKept", "[S]\r\n\r\nk=1\r\n\r\n[T]\r\nt=1\r\n", "S", "k", "2",
                                "[S]\r\nk=2\r\n[T]\r\nt=1\r\n"),
                          Rewrites + "blank lines dropped"s, "[S]\r\n\r\nk=2\r\n\r\n[T]\r\nt=1\r\n"));
  t.push_back(WineDiffers(Write("Rewrite_SpacingOfOtherLinesKept", "[S]\r\nj = 1\r\nk=1\r\n  l\t=\t2\r\n", "S", "k",
                                "2", "[S]\r\nj=1\r\nk=2\r\nl=2\r\n"),
                          Rewrites + "blanks around names and values dropped"s,
                          "[S]\r\nj = 1\r\nk=2\r\n  l\t=\t2\r\n"));
  t.push_back(WineDiffers(Write("Rewrite_HeaderTrailerKept", "[S] ; the section\r\nk=1\r\n", "S", "k", "2",
                                "[S]\r\nk=2\r\n"),
                          Rewrites + "text after a header's ']' dropped"s, "[S] ; the section\r\nk=2\r\n"));
  t.push_back(WineDiffers(Write("Rewrite_HeaderBlanksKept", "[ S ]\r\nk=1\r\n", "S", "k", "2", "[S]\r\nk=2\r\n"),
                          Rewrites + "blanks inside brackets dropped"s, "[ S ]\r\nk=2\r\n"));
  t.push_back(WineDiffers(Write("Rewrite_LfLineEndsKept", "[S]\nk=1\nj=1\n", "S", "k", "2",
                                "[S]\r\nk=2\r\nj=1\r\n"),
                          Rewrites + "LF line ends become CR LF"s, "[S]\nk=2\nj=1\n"));
  t.push_back(WineDiffers(Write("Rewrite_CrLineEndsKept", "[S]\rk=1\rj=1\r", "S", "k", "2", "[S]\r\nk=2\r\nj=1\r\n"),
                          Rewrites + "CR line ends become CR LF"s, "[S]\rk=2\rj=1\r"));
  t.push_back(WineDiffers(Write("Rewrite_MixedLineEndsKept", "[S]\nk=1\r\nj=1\r", "S", "j", "2",
                                "[S]\r\nk=1\r\nj=2\r\n"),
                          Rewrites + "mixed line ends become CR LF"s, "[S]\nk=1\r\nj=2\r"));
  t.push_back(WineDiffers(Write("Rewrite_CrCrLfKept", "[S]\r\r\nk=1\r\r\n", "S", "k", "2", "[S]\r\nk=2\r\n"),
                          Rewrites + "CR CR LF becomes CR LF"s, "[S]\r\r\nk=2\r\r\n"));
  t.push_back(WineDiffers(Write("Rewrite_NoFinalLineEndKept", "[S]\r\nk=1", "S", "k", "2", "[S]\r\nk=2\r\n"),
                          Rewrites + "a line end is added to the last line"s, "[S]\r\nk=2"));
  t.push_back(WineDiffers(Write("Rewrite_NulsBeforeFirstSectionKept", "a=x\0y\r\n\0\0\r\n[S]\r\nk=1\r\n"s, "S", "k",
                                "2", "a=x\r\n\r\n[S]\r\nk=2\r\n"),
                          Rewrites + "text after a NUL in a line dropped"s, "a=x\0y\r\n\0\0\r\n[S]\r\nk=2\r\n"s));
  t.push_back(WineDiffers(Write("Rewrite_NulInOtherKeyLineKept", "[S]\r\nj=a\0b\r\nk=1\r\n"s, "S", "k", "2",
                                "[S]\r\nj=a\r\nk=2\r\n"),
                          Rewrites + "text after a NUL in a line dropped"s, "[S]\r\nj=a\0b\r\nk=2\r\n"s));
  t.push_back(WineDiffers(Write("Rewrite_SecondEmptyKeyLineKept", "[S]\r\nk=1\r\n=a\r\n=b\r\n", "S", "k", "2",
                                "[S]\r\nk=2\r\n=a\r\n"),
                          Rewrites + "the second of two '=...' lines is lost on loading"s,
                          "[S]\r\nk=2\r\n=a\r\n=b\r\n"));
  t.push_back(WineDiffers(Write("Rewrite_BlankOnlyFileKept", "  \r\n\t\r\n", "S", "k", "v", "[S]\r\nk=v\r\n"),
                          Rewrites + "blank lines dropped"s, "  \r\n\t\r\n[S]\r\nk=v\r\n"));
  t.push_back(WineDiffers(Write("Rewrite_AddKeyBeforeBlankLine", "[S]\r\nk=1\r\n\r\n[T]\r\nt=1\r\n", "S", "j", "2",
                                "[S]\r\nk=1\r\nj=2\r\n[T]\r\nt=1\r\n"),
                          Rewrites + "blank lines dropped"s, "[S]\r\nk=1\r\nj=2\r\n\r\n[T]\r\nt=1\r\n"));
  t.push_back(WineDiffers(Write("Rewrite_AddSectionAfterBlankLine", "[S]\r\nk=1\r\n\r\n", "T", "t", "2",
                                "[S]\r\nk=1\r\n[T]\r\nt=2\r\n"),
                          Rewrites + "blank lines dropped"s, "[S]\r\nk=1\r\n\r\n[T]\r\nt=2\r\n"));
  t.push_back(WineDiffers(Write("Rewrite_LfFileAddKey", "[S]\nk=1\n", "S", "j", "2", "[S]\r\nk=1\r\nj=2\r\n"),
                          Rewrites + "LF line ends become CR LF"s, "[S]\nk=1\nj=2\r\n"));
  t.push_back(WineDiffers(Write("Rewrite_DosEndOfFileMarkKept", "[S]\r\nk=1\r\n\x1A", "S", "k", "2",
                                "[S]\r\nk=2\r\n"),
                          Rewrites + "a line holding only ^Z counts as blank and is dropped"s,
                          "[S]\r\nk=2\r\n\x1A"));
  const bool blobEndsLine = blob.back() == '\r' || blob.back() == '\n';
  ConformanceCase binary = WineDiffers(Write("Rewrite_BinaryFileKept", blob, "S", "k", "v", std::nullopt),
                                       Rewrites + "NUL-cut, trimmed and re-ended lines mangle binary content"s,
                                       blob + (blobEndsLine ? "" : "\r\n") + "[S]\r\nk=v\r\n");
  binary.WineRecorded = false;
  t.push_back(binary);

  return t;
}

}  // namespace

const std::vector<ConformanceCase>& ConformanceCases() {
  static const std::vector<ConformanceCase> cases = BuildCases();
  return cases;
}

}  // namespace barloom::conformance
