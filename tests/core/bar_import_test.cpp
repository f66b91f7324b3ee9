#include "core/bar_import.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "core/bar_layout.h"
#include "core/bar_set.h"
#include "platform/code_page.h"
#include "platform/not_found_marker.h"
#include "platform/path_text.h"
#include "settings/ini_document.h"
#include "settings/number_text.h"
#include "settings/private_profile.h"
#include "tests/core/test_support.h"

namespace barloom {
namespace {

using core_testing::NativePath;
using core_testing::RecordingProgress;
using core_testing::Windows1252;
using test_support::ReadBytes;
using test_support::TempFolder;

WizardState SetOf(int count, std::string saveFolder) {
  WizardState state;
  state.BarCount = static_cast<std::int16_t>(count);
  state.SaveFolder = std::move(saveFolder);
  return state;
}

const BarSetOptions AppOptions{NativePath("C:\\App\\"), "Bar_", std::nullopt, Windows1252};

SetPaths PathsOf(const WizardState& state) { return SetPathsFor(state, AppOptions.AppFolder, AppOptions.BarFilePrefix); }

// A freshly generated bar `bar` of a set of `count` bars.
IniDocument GeneratedBar(int count, int bar = 1) {
  return IniDocument{GeneratedBarBytes(PathsOf(SetOf(count, NativePath("D:\\Set\\"))), bar, std::nullopt, Windows1252)};
}

std::string Value(const IniDocument& document, const std::string& key) {
  return document.Read(ButtonBarSection, key, NotFoundMarker, 4096);
}

// An import of the source `sourceBytes` into `target` as a set makes it: read in one pass, applied as a batch.
ImportedButtons Import(std::string_view sourceBytes, IniDocument& target, ImportPlace place, Progress& progress) {
  const ButtonImport import = ReadButtonImport(sourceBytes, place, Windows1252);
  ApplyButtonImport(import, target, progress);
  return import.Buttons;
}

constexpr std::string_view FiveButtons =
    "[ButtonBar]\r\n"
    "button1=a.ico\r\ncmd1=a.exe\r\nmenu1=A\r\n"
    "button2=b.ico\r\ncmd2=b.exe\r\nmenu2=B\r\n"
    "button3=c.ico\r\ncmd3=c.exe\r\nmenu3=C\r\n"
    "button4=d.ico\r\ncmd4=d.exe\r\nmenu4=D\r\n"
    "button5=e.ico\r\ncmd5=e.exe\r\nmenu5=E\r\n";

struct CountCase {
  const char* CountLine;  // "" for none
  int Expected;
};

class SourceCountTest : public ::testing::TestWithParam<CountCase> {};

TEST_P(SourceCountTest, TheCountIsReadLeniently) {
  const CountCase& c = GetParam();
  const std::string source{std::string{FiveButtons} + c.CountLine};
  IniDocument target = GeneratedBar(3);
  RecordingProgress display;
  Progress progress{display};
  progress.Start(4, 5);
  const ImportedButtons imported = Import(source, target, 3, progress);
  EXPECT_EQ(imported.Count, c.Expected);
  EXPECT_FALSE(imported.Clamped);
  EXPECT_EQ(Value(target, "Buttoncount"), std::to_string(4 + c.Expected));
  EXPECT_EQ(progress.Maximum(), 5 + c.Expected);
  EXPECT_EQ(progress.Value(), 4 + c.Expected);
  const char* menus[] = {"A", "B", "C", "D", "E"};
  for (int k = 1; k <= 5; ++k) {
    const std::string menu = Value(target, "menu" + std::to_string(4 + k));
    if (k <= c.Expected) EXPECT_EQ(menu, menus[k - 1]);
    else if (k == 1) EXPECT_EQ(menu, "This is the first button in button bar No. 1");  // the placeholder stays
    else EXPECT_EQ(menu, NotFoundMarker);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, SourceCountTest,
                         ::testing::Values(CountCase{"ButtonCount=2\r\n", 2}, CountCase{"ButtonCount=2.5\r\n", 2},
                                           CountCase{"ButtonCount=3.5\r\n", 4}, CountCase{"ButtonCount=3abc\r\n", 3},
                                           CountCase{"buttoncount= 5 \r\n", 5}, CountCase{"BUTTONCOUNT=\"1\"\r\n", 1},
                                           CountCase{"ButtonCount=0\r\n", 0}, CountCase{"ButtonCount=-3\r\n", 0},
                                           CountCase{"ButtonCount=\r\n", 0}, CountCase{"", 0},
                                           CountCase{"ButtonCount=nan\r\n", 0}, CountCase{"ButtonCount=abc5\r\n", 0},
                                           CountCase{"ButtonCount=-99999999\r\n", 0},
                                           CountCase{"ButtonCount=0.5\r\n", 0}, CountCase{"ButtonCount=1.5\r\n", 2}));

TEST(ImportBarButtons, TwoButtonsFollowTheSeparatorAndTheFirstReplacesThePlaceholder) {
  const std::string source{"[ButtonBar]\r\nButtonCount=2\r\nbutton1=x.ico\r\ncmd1=x.exe\r\npath1=C:\\x\r\n"
                           "menu1=X\r\nparam1=-a\r\niconic1=1\r\nbutton2=y.ico\r\ncmd2=y.exe\r\n"};
  IniDocument target = GeneratedBar(3, 2);
  const std::string generated = target.Bytes();
  NoProgressDisplay none;
  Progress progress{none};
  Import(source, target, 3, progress);
  // The switch buttons and the separator as generated, up to the placeholder, which is gone whole;
  // the imported keys follow in the order they are written.
  const std::string placeholder = "button5=";
  ASSERT_NE(generated.find(placeholder), std::string::npos);
  const std::string kept = generated.substr(0, generated.find(placeholder));
  EXPECT_EQ(target.Bytes(), std::string{kept}.replace(kept.find("Buttoncount=5"), 13, "Buttoncount=6") +
                                "button5=x.ico\r\ncmd5=x.exe\r\npath5=C:\\x\r\nmenu5=X\r\nparam5=-a\r\niconic5=1\r\n"
                                "button6=y.ico\r\ncmd6=y.exe\r\n");
}

TEST(ImportBarButtons, CountZeroDropsThePlaceholderFromTheCountOnly) {
  IniDocument target = GeneratedBar(2, 1);
  const std::string placeholder = Value(target, "cmd4");
  RecordingProgress display;
  Progress progress{display};
  progress.Start(3, 4);
  Import("[ButtonBar]\r\nButtonCount=0\r\nbutton1=n.ico\r\n", target, 2, progress);
  EXPECT_EQ(Value(target, "Buttoncount"), "3");
  EXPECT_EQ(Value(target, "cmd4"), placeholder);
  EXPECT_EQ(Value(target, "menu4"), "This is the first button in button bar No. 1");
  EXPECT_EQ(progress.Maximum(), 4);
  EXPECT_EQ(progress.Value(), 3);
}

TEST(ImportBarButtons, ValuesTravelAsBytes) {
  const std::string odd = "C:\\\xC4rger\\\x81\x9D\xFF.exe";
  const std::string marked = "\xEF\xBB\xBF" "C:\\Папка\\x.exe";
  IniDocument target = GeneratedBar(2);
  NoProgressDisplay none;
  Progress progress{none};
  Import("[ButtonBar]\r\nButtonCount=2\r\ncmd1=" + odd + "\r\ncmd2=" + marked + "\r\n", target, 2, progress);
  EXPECT_EQ(Value(target, "cmd4"), odd);
  EXPECT_EQ(Value(target, "cmd5"), marked);
}

struct AbsurdCase {
  const char* Count;
  int BarCount;
};

class AbsurdCountTest : public ::testing::TestWithParam<AbsurdCase> {};

TEST_P(AbsurdCountTest, IsClampedSoThatNoNumberPassesTheLimit) {
  const AbsurdCase& c = GetParam();
  const std::string source{"[ButtonBar]\r\nButtonCount=" + std::string{c.Count} + "\r\nbutton1=a.ico\r\n"};
  IniDocument target = GeneratedBar(c.BarCount);
  RecordingProgress display;
  Progress progress{display};
  progress.Start(c.BarCount + 1, c.BarCount + 2);
  const ImportedButtons imported = Import(source, target, c.BarCount, progress);
  const int limit = MaxButtonNumber - c.BarCount - 1;
  EXPECT_EQ(imported.Count, limit);
  EXPECT_TRUE(imported.Clamped);
  EXPECT_EQ(Value(target, "Buttoncount"), std::to_string(MaxButtonNumber));
  EXPECT_EQ(Value(target, "button" + std::to_string(c.BarCount + 2)), "a.ico");
  EXPECT_EQ(progress.Maximum(), c.BarCount + 2 + limit);
  EXPECT_EQ(progress.Value(), c.BarCount + 1 + limit);
}

INSTANTIATE_TEST_SUITE_P(Cases, AbsurdCountTest,
                         ::testing::Values(AbsurdCase{"32767", 2}, AbsurdCase{"32766", 20}, AbsurdCase{"99999999", 2},
                                           AbsurdCase{"1e400", 20}, AbsurdCase{"&H7FFF", 3},
                                           AbsurdCase{"32764.5", 3}));

TEST(ImportBarButtons, TheLargestCountThatFitsIsNotClamped) {
  IniDocument target = GeneratedBar(2);
  NoProgressDisplay none;
  Progress progress{none};
  const ImportedButtons imported = Import("[ButtonBar]\r\nButtonCount=32764\r\n", target, 2, progress);
  EXPECT_EQ(imported.Count, 32764);
  EXPECT_FALSE(imported.Clamped);
  EXPECT_EQ(Value(target, "Buttoncount"), "32767");
}

// The rule every carried button follows: source button k (1..count) reads back, key by key, as
// button firstNumber + k - 1 of the target, exactly as it read from the source (whole, no buffer
// cutting it; a key it lacks, the target lacks too). A UTF-8 source's values read as the same text.
void ExpectCarried(std::string_view source, std::string_view target, int firstNumber, int count, const std::string& name) {
  const BarText text = BarTextOf(source);
  const std::size_t whole = 2 * (source.size() + target.size()) + 8;
  for (int k = 1; k <= count; ++k) {
    for (const std::string_view key : ButtonKeys) {
      const std::string from = std::string{key} + std::to_string(k);
      const std::string to = std::string{key} + std::to_string(firstNumber + k - 1);
      const std::string read = ReadIniValueFromBytes(text.Text, ButtonBarSection, from, NotFoundMarker, whole);
      std::string arrived = ReadIniValueFromBytes(target, ButtonBarSection, to, NotFoundMarker, whole);
      if (text.Utf8 && arrived != NotFoundMarker) arrived = TextOfMarkedValue(arrived, Windows1252);
      EXPECT_EQ(arrived, read) << name << ": " << from << " as " << to;
    }
  }
}

// A bar's bytes as lines, for reading: bytes outside printable ASCII as \xNN, long lines cut.
std::string Printable(std::string_view bytes) {
  if (IsUtf16Le(bytes)) return "(UTF-16 LE, shown as UTF-8)\n" + Printable(Wtf8FromUtf16Le(bytes.substr(2)));
  std::string text;
  std::size_t lineStart = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    if (c == '\n') {
      text += "\n";
      lineStart = text.size();
      continue;
    }
    if (text.size() - lineStart > 100) {
      if (text.back() != '.') text += "...";
      continue;
    }
    if (c >= 0x20 && c < 0x7F) {
      text += static_cast<char>(c);
    } else {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      text += escaped;
    }
  }
  return text;
}

std::string Utf16File(std::string_view utf8) { return std::string{Utf16LeMark} + Utf16LeFromWtf8(utf8); }

// Bars as users publish them, each carried into bar 1 of a 3-bar set by an import and, as the
// bar's own earlier file, by keep-buttons. Set BARLOOM_PRINT_SHAPES=1 to see each source and bar.
TEST(CarriedButtons, RealWorldShapesArriveAsTheyWere) {
  std::mt19937 random{2026};
  std::string binary(3000, '\0');
  for (char& c : binary) c = static_cast<char>(random() & 0xFF);
  const std::string longValue(5000, 'L');
  struct Shape {
    std::string Name;
    std::string Bytes;
    int Buttons;  // the buttons it brings
    std::optional<ImportProblem> Warning;
  };
  const Shape shapes[] = {
      {"separator first", "[Buttonbar]\r\nButtoncount=3\r\nbutton1=\r\nbutton2=wcmicons.dll,5\r\ncmd2=cm_SrcQuickview\r\n"
                          "button3=notepad.exe\r\ncmd3=notepad.exe\r\nmenu3=Notepad\r\n", 3},
      {"button without menu", "[Buttonbar]\r\nButtoncount=1\r\nbutton1=wcmicons.dll,12\r\ncmd1=cm_CopyNamesToClip\r\n", 1},
      {"gaps", "[Buttonbar]\r\nButtoncount=4\r\nbutton1=a.ico\r\ncmd1=a.exe\r\nbutton4=d.ico\r\ncmd4=d.exe\r\niconic4=1\r\n", 4},
      {"doubled quotes", "[Buttonbar]\r\nButtoncount=1\r\nbutton1=cmp.exe\r\ncmd1=cmp.exe\r\nparam1=\"\"%X%P\" \"%T\"\"\r\n"
                         "path1='C:\\Work'\r\n", 1},
      {"quoted blanks", "[Buttonbar]\r\nButtoncount=1\r\nbutton1=x.exe\r\ncmd1=x.exe\r\nparam1=\" /j %T%N %P%N\"\r\n"
                        "menu1=\"  two  \"\r\n", 1},
      {"5,000-byte values", "[Buttonbar]\r\nButtoncount=1\r\ncmd1=run.exe\r\nparam1=" + longValue + "\r\nmenu1=\"" + longValue + " \"\r\n", 1},
      {"UTF-8 with its mark", "\xEF\xBB\xBF[Buttonbar]\r\nButtoncount=2\r\nbutton1=C:\\Программы\\far.exe\r\ncmd1=C:\\Программы\\far.exe\r\n"
                              "menu1=Фар\r\nbutton2=x.exe\r\ncmd2=x.exe\r\nmenu2=Café\r\nparam2=\" spaced \"\r\n", 2},
      {"UTF-16", Utf16File("[Buttonbar]\r\nButtoncount=2\r\nbutton1=Müller.exe\r\ncmd1=Müller.exe\r\nmenu1=文件\r\n"
                           "button2=\r\n"), 2},
      {"0 bytes", "", 0, ImportProblem::SourceNotABar},
      {"binary", binary, 0, ImportProblem::SourceNotABar},
      {"another INI file", "[Configuration]\r\nButtoncount=3\r\n", 0, ImportProblem::SourceNotABar},
      {"0 buttons", "[Buttonbar]\r\nButtoncount=0\r\nbutton1=x.ico\r\ncmd1=x.exe\r\n", 0, ImportProblem::SourceHasNoButtons},
  };
  const bool print = std::getenv("BARLOOM_PRINT_SHAPES") != nullptr;
  for (const Shape& shape : shapes) {
    TempFolder temp;
    WizardState state = SetOf(3, temp.Folder() + "set" + PathSeparator);
    state.ImportFiles[1] = temp.Write("source.bar", shape.Bytes);
    NoProgressDisplay none;
    const BuildResult imported = BuildBarSet(state, AppOptions, none);
    ASSERT_FALSE(imported.Error) << shape.Name << ": " << MessageOf(*imported.Error);
    const std::string bar = ReadBytes(imported.Paths.BarFiles[1]).value();
    const std::string generated = GeneratedBarBytes(imported.Paths, 1, std::nullopt, Windows1252);
    // The first imported button replaces the placeholder; with none, the bar ends as generated but
    // for its count, which leaves the placeholder out.
    EXPECT_EQ(Value(IniDocument{bar}, "Buttoncount"), std::to_string(4 + shape.Buttons)) << shape.Name;
    EXPECT_TRUE(bar.starts_with(generated.substr(0, generated.find("button5=")).replace(13, 13, "Buttoncount=" + std::to_string(4 + shape.Buttons))))
        << shape.Name;
    if (shape.Buttons > 0) ExpectCarried(shape.Bytes, bar, 5, shape.Buttons, shape.Name + ", imported");
    ASSERT_EQ(imported.Warnings.size(), shape.Warning ? 1u : 0u) << shape.Name;
    if (shape.Warning) {
      EXPECT_EQ(imported.Warnings[0].Problem, *shape.Warning) << shape.Name;
    }

    // The same bytes as the bar's own earlier file, kept: behind the switch buttons, the separator
    // and the placeholder, which stays.
    state.ImportFiles[1].clear();
    state.KeepButtons = true;
    test_support::WriteFile(imported.Paths.BarFiles[1], shape.Bytes);
    const BuildResult kept = BuildBarSet(state, AppOptions, none);
    ASSERT_FALSE(kept.Error) << shape.Name << ": " << MessageOf(*kept.Error);
    const std::string keptBar = ReadBytes(kept.Paths.BarFiles[1]).value();
    if (shape.Buttons == 0) {
      EXPECT_EQ(keptBar, generated) << shape.Name;
    } else {
      EXPECT_EQ(Value(IniDocument{keptBar}, "Buttoncount"), std::to_string(5 + shape.Buttons)) << shape.Name;
      EXPECT_EQ(Value(IniDocument{keptBar}, "menu5"), "This is the first button in button bar No. 1") << shape.Name;
      ExpectCarried(shape.Bytes, keptBar, 6, shape.Buttons, shape.Name + ", kept");
    }
    if (print)
      std::printf("=== %s\n--- source\n%s\n--- bar 1 importing it\n%s\n--- bar 1 keeping it as its own\n%s\n\n",
                  shape.Name.c_str(), Printable(shape.Bytes).c_str(), Printable(bar).c_str(), Printable(keptBar).c_str());
  }
}

// Bar 1 of a fresh two-bar set in `temp`.
class SameFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RecordingProgress display;
    const BuildResult result = WriteBarFiles(SetOf(2, temp_.Folder()), AppOptions, display);
    ASSERT_FALSE(result.Error);
    bar1_ = result.Paths.BarFiles[1];
  }

  TempFolder temp_;
  std::string bar1_;
};

TEST_F(SameFileTest, ABarImportingItselfUnderAnotherSpellingReadsItselfAsItWas) {
  const std::string generated = ReadBytes(bar1_).value();
  std::vector<std::string> spellings{temp_.Folder() + "." + PathSeparator + "Bar_01.bar",
                                     temp_.Folder() + "sub" + PathSeparator + ".." + PathSeparator + "Bar_01.bar"};
  std::filesystem::create_directory(temp_.Path() / "sub");
#ifdef _WIN32
  spellings.push_back(temp_.Folder() + "BAR_01.BAR");
#endif
  for (const std::string& spelling : spellings) {
    test_support::WriteFile(bar1_, generated);
    RecordingProgress display;
    Progress progress{display};
    const ImportOutcome outcome = ImportBarFile(spelling, bar1_, 2, progress);
    ASSERT_FALSE(outcome.Error) << MessageOf(*outcome.Error);
    // Its 4 buttons as they were, the placeholder among them, behind its separator.
    const std::string bar = ReadBytes(bar1_).value();
    EXPECT_EQ(Value(IniDocument{bar}, "Buttoncount"), "7") << spelling;
    ExpectCarried(generated, bar, 4, 4, spelling);
  }
}

TEST(BuildBarSet, ABarOfTheSameSetIsReadAsJustWritten) {
  TempFolder temp;
  WizardState state = SetOf(2, temp.Folder());
  state.ImportFiles[1] = temp.PathOf("Bar_02.bar");
  RecordingProgress display;
  const BuildResult result =
      BuildBarSet(state, AppOptions, display);
  ASSERT_FALSE(result.Error) << MessageOf(*result.Error);
  const SetPaths& paths = result.Paths;
  const IniDocument bar1{ReadBytes(paths.BarFiles[1]).value()};
  EXPECT_EQ(Value(bar1, "Buttoncount"), "7");
  EXPECT_EQ(Value(bar1, "button4"), paths.UpIcons[1]);  // bar 2's switch button to bar 1
  EXPECT_EQ(Value(bar1, "cmd4"), paths.BarFiles[1]);
  EXPECT_EQ(Value(bar1, "menu4"), "Switch to Buttons Bar 1");
  EXPECT_EQ(Value(bar1, "button5"), paths.DnIcons[2]);
  EXPECT_EQ(Value(bar1, "button6"), "");
  EXPECT_EQ(Value(bar1, "cmd6"), NotFoundMarker);
  EXPECT_EQ(Value(bar1, "menu7"), "This is the first button in button bar No. 2");
  // Bar 2 itself is untouched.
  EXPECT_EQ(ReadBytes(paths.BarFiles[2]), GeneratedBarBytes(paths, 2, std::nullopt, Windows1252));
}

TEST(BuildBarSet, LaterImportsSeeTheResultsOfEarlierOnes) {
  TempFolder temp;
  const std::string five = temp.Write("five.bar", std::string{FiveButtons} + "ButtonCount=5\r\n");
  WizardState state = SetOf(2, temp.Folder() + NativePath("set\\"));
  state.ImportFiles[1] = five;
  state.ImportFiles[2] = state.SaveFolder + "Bar_01.bar";
  state.ImportFiles[3] = five;  // beyond the count: ignored
  RecordingProgress display;
  const BuildResult result =
      BuildBarSet(state, AppOptions, display);
  ASSERT_FALSE(result.Error) << MessageOf(*result.Error);
  EXPECT_TRUE(result.Warnings.empty());
  const IniDocument bar2{ReadBytes(result.Paths.BarFiles[2]).value()};
  EXPECT_EQ(Value(bar2, "Buttoncount"), std::to_string(3 + 8));  // bar 1 holds 3 + 5 buttons by then
  EXPECT_EQ(Value(bar2, "menu11"), "E");
  EXPECT_EQ(display.Maximum, 4 + 5 + 8);
  EXPECT_EQ(display.Value, 3 + 5 + 8);
  EXPECT_FALSE(display.Visible);
}

// The display's bar only moves forward: one maximum, set before the value moves (for a run whose
// sources are known before it starts), values that only grow, ending one below the maximum.
void ExpectMovesForward(const RecordingProgress& display, bool maximumKnown, const std::string& name) {
  int maximums = 0;
  int value = 0;
  for (const std::string& call : display.Calls) {
    if (call.starts_with("max ")) ++maximums;
    if (!call.starts_with("value ")) continue;
    const int next = std::stoi(call.substr(6));
    EXPECT_GT(next, value) << name;
    value = next;
  }
  if (maximumKnown) {
    EXPECT_EQ(maximums, 1) << name;
  }
  EXPECT_EQ(display.Value, display.Maximum - 1) << name;
}

// Bars are written once each with their imports, or, where a source may name a bar not written
// yet, first as generated and then imported into: either way the set is what one import after the
// other gives once the bars are written, slot after slot. A source is an outside file ("five",
// "three") or a bar of the set ("bar N", spelled through a sub folder). Where the bars keep their
// own buttons (the one button of each earlier bar), the imports go behind those.
TEST(BuildBarSet, TheSetEqualsOneImportAfterTheOtherInSlotOrder) {
  struct Case {
    const char* Name;
    bool EarlierSetThere;
    std::array<const char*, 5> Imports;  // slots 1..4; "" for none
    bool MaximumKnown = true;            // false: a source is missing while bars are, so it may be one
    bool Keep = false;
  };
  const Case cases[] = {
      {"one file into every bar", false, {"", "five", "five", "five", "five"}},
      {"two files taking turns", true, {"", "five", "three", "five", "three"}},
      {"bars of the set: later, itself, earlier", true, {"", "bar 3", "bar 2", "bar 1", "five"}},
      {"bars of the set, none written yet", false, {"", "bar 3", "bar 2", "bar 1", "bar 3"}, false},
      {"kept buttons: files and bars of the set", true, {"", "five", "bar 3", "bar 1", "three"}, true, true},
      {"kept buttons: a bar importing itself", true, {"", "bar 1", "five", "", "bar 4"}, true, true},
      {"kept buttons, no set yet", false, {"", "five", "bar 1", "", ""}, false, true},
  };
  TempFolder outside;
  const std::string five = outside.Write("five.bar", std::string{FiveButtons} + "ButtonCount=5\r\n");
  const std::string three = outside.Write("three.bar", "[ButtonBar]\r\nButtonCount=3\r\ncmd2=\" two \"\r\niconic3=1\r\n");
  for (const Case& c : cases) {
    TempFolder temp;
    std::filesystem::create_directory(temp.Path() / "sub");
    WizardState state = SetOf(4, temp.Folder());
    state.KeepButtons = c.Keep;
    const SetPaths paths = PathsOf(state);
    for (int slot = 1; slot <= 4; ++slot) {
      const std::string choice = c.Imports[slot];
      if (choice == "five") state.ImportFiles[slot] = five;
      if (choice == "three") state.ImportFiles[slot] = three;
      if (choice.starts_with("bar ")) state.ImportFiles[slot] = temp.Folder() + "sub" + PathSeparator + ".." + PathSeparator + "Bar_0" + choice.substr(4) + ".bar";
    }
    const auto layEarlierSet = [&] {
      for (int bar = 1; bar <= 4; ++bar) std::filesystem::remove(PathFromUtf8(paths.BarFiles[bar]));
      if (c.EarlierSetThere)
        for (int bar = 1; bar <= 4; ++bar) temp.Write("Bar_0" + std::to_string(bar) + ".bar", "[ButtonBar]\r\nButtonCount=1\r\ncmd1=old\r\n");
    };
    layEarlierSet();
    RecordingProgress display;
    const BuildResult result = BuildBarSet(state, AppOptions, display);
    ASSERT_FALSE(result.Error) << c.Name << ": " << MessageOf(*result.Error);
    std::vector<std::string> built;
    for (int bar = 1; bar <= 4; ++bar) built.push_back(ReadBytes(paths.BarFiles[bar]).value());
    EXPECT_TRUE(result.Warnings.empty()) << c.Name;
    ExpectMovesForward(display, c.MaximumKnown, c.Name);

    layEarlierSet();
    RecordingProgress none;
    ASSERT_FALSE(WriteBarFiles(state, AppOptions, none).Error);
    for (int slot = 1; slot <= 4; ++slot) {
      if (state.ImportFiles[slot].empty()) continue;
      const ImportPlace place = c.Keep && c.EarlierSetThere ? ImportPlace::Behind(4 + 2 + 1) : ImportPlace{4};
      NoProgressDisplay quiet;
      Progress progress{quiet};
      ASSERT_FALSE(ImportBarFile(state.ImportFiles[slot], paths.BarFiles[slot], place, progress).Error) << c.Name;
    }
    for (int bar = 1; bar <= 4; ++bar) EXPECT_EQ(built[bar - 1], ReadBytes(paths.BarFiles[bar])) << c.Name << ", bar " << bar;
  }
}

TEST(ImportBarFile, SourcesThatAreNoBarsAddNothingAndBreakNothing) {
  TempFolder temp;
  std::mt19937 random{12345};
  std::string binary(200000, '\0');
  for (char& c : binary) c = static_cast<char>(random() & 0xFF);
  binary.insert(1000, "\r\n[ButtonBar]\r\nButtonCount=2\r\ncmd1=found\r\n");
  std::string huge;
  huge.reserve(40u << 20);
  while (huge.size() < (40u << 20)) huge += "junk" + std::to_string(huge.size()) + "=" + std::string(60, 'j') + "\r\n";
  huge += "[ButtonBar]\r\nButtonCount=1\r\nbutton1=after.ico\r\n";

  struct Case {
    std::string Name;
    std::optional<std::string> Bytes;  // nullopt: no such file
    std::string Count;
    std::optional<ImportProblem> Warning;
  };
  const Case cases[] = {{"missing.bar", std::nullopt, "", std::nullopt},
                        {"empty.bar", std::string{}, "3", ImportProblem::SourceNotABar},
                        {"binary.bar", binary, "5", std::nullopt},
                        {"huge.bar", huge, "4", std::nullopt}};
  for (const Case& c : cases) {
    const std::string source = c.Bytes ? temp.Write(c.Name, *c.Bytes) : temp.PathOf(c.Name);
    const std::string generated = GeneratedBarBytes(PathsOf(SetOf(2, temp.Folder())), 1, std::nullopt, Windows1252);
    const std::string target = temp.Write("target.bar", generated);
    NoProgressDisplay none;
    Progress progress{none};
    const ImportOutcome outcome = ImportBarFile(source, target, 2, progress);
    if (!c.Bytes) {  // a source that is gone stops the import, which changes nothing
      ASSERT_TRUE(outcome.Error) << c.Name;
      EXPECT_EQ(outcome.Error->Problem, FileProblem::SourceNotRead);
      EXPECT_EQ(outcome.Error->Reason, WriteFailureReason::FileMissing);
      EXPECT_EQ(ReadBytes(target), generated);
      continue;
    }
    EXPECT_FALSE(outcome.Error) << c.Name;
    EXPECT_EQ(outcome.Warning ? std::optional{outcome.Warning->Problem} : std::nullopt, c.Warning) << c.Name;
    const IniDocument result{ReadBytes(target).value()};
    EXPECT_EQ(Value(result, "Buttoncount"), c.Count) << c.Name;
    EXPECT_EQ(Value(result, "menu1"), "Switch to Buttons Bar 1") << c.Name;
  }
}

TEST(ImportBarFile, AClampedCountIsReportedAsAWarning) {
  TempFolder temp;
  const std::string source = temp.Write("many.bar", "[ButtonBar]\r\nButtonCount=99999999\r\n");
  const std::string target = temp.Write("target.bar", GeneratedBarBytes(PathsOf(SetOf(2, temp.Folder())), 1, std::nullopt, Windows1252));
  NoProgressDisplay none;
  Progress progress{none};
  const ImportOutcome outcome = ImportBarFile(source, target, 2, progress);
  EXPECT_FALSE(outcome.Error);
  ASSERT_TRUE(outcome.Warning);
  EXPECT_EQ(outcome.Warning->Problem, ImportProblem::ButtonCountClamped);
  EXPECT_EQ(outcome.Warning->ButtonsImported, 32764);
}

TEST(ImportBarFile, ATargetThatIsGoneIsAnError) {
  TempFolder temp;
  NoProgressDisplay none;
  Progress progress{none};
  const ImportOutcome outcome = ImportBarFile(temp.PathOf("x.bar"), temp.PathOf("gone.bar"), 2, progress);
  ASSERT_TRUE(outcome.Error);
  EXPECT_EQ(outcome.Error->Problem, FileProblem::BarFileNotRead);
  EXPECT_EQ(outcome.Error->File, temp.PathOf("gone.bar"));
  EXPECT_FALSE(std::filesystem::exists(temp.Path() / "gone.bar"));
}

}  // namespace
}  // namespace barloom
