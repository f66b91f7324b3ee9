#include "core/bar_import.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <random>

#include "core/bar_layout.h"
#include "core/bar_set.h"
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
  const IniDocument source{std::string{FiveButtons} + c.CountLine};
  IniDocument target = GeneratedBar(3);
  RecordingProgress display;
  Progress progress{display};
  progress.Start(4, 5);
  const ImportedButtons imported = ImportBarButtons(source, target, 3, progress);
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

TEST(ImportBarButtons, TwoButtonsFollowTheSeparator) {
  const IniDocument source{"[ButtonBar]\r\nButtonCount=2\r\nbutton1=x.ico\r\ncmd1=x.exe\r\npath1=C:\\x\r\n"
                           "menu1=X\r\nparam1=-a\r\niconic1=1\r\nbutton2=y.ico\r\ncmd2=y.exe\r\n"};
  IniDocument target = GeneratedBar(3, 2);
  const std::string before = Value(target, "cmd2");
  NoProgressDisplay none;
  Progress progress{none};
  ImportBarButtons(source, target, 3, progress);
  EXPECT_EQ(Value(target, "Buttoncount"), "6");
  EXPECT_EQ(Value(target, "cmd2"), before);
  EXPECT_EQ(Value(target, "menu3"), "Switch to Buttons Bar 3");
  EXPECT_EQ(Value(target, "button4"), "");
  EXPECT_EQ(Value(target, "cmd4"), NotFoundMarker);
  EXPECT_EQ(Value(target, "button5"), "x.ico");
  EXPECT_EQ(Value(target, "cmd5"), "x.exe");
  EXPECT_EQ(Value(target, "path5"), "C:\\x");
  EXPECT_EQ(Value(target, "menu5"), "X");
  EXPECT_EQ(Value(target, "param5"), "-a");
  EXPECT_EQ(Value(target, "iconic5"), "1");
  EXPECT_EQ(Value(target, "button6"), "y.ico");
  EXPECT_EQ(Value(target, "menu6"), NotFoundMarker);
  // Keys are appended in the order they are copied, behind the generated lines.
  const std::string bytes = target.Bytes();
  EXPECT_TRUE(bytes.ends_with("iconic5=1\r\nbutton6=y.ico\r\ncmd6=y.exe\r\n")) << bytes;
}

TEST(ImportBarButtons, AButtonWithoutMenuKeepsThePlaceholdersTooltip) {
  const IniDocument source{"[ButtonBar]\r\nButtonCount=1\r\nbutton1=n.ico\r\ncmd1=n.exe\r\n"};
  IniDocument target = GeneratedBar(3, 3);
  NoProgressDisplay none;
  Progress progress{none};
  ImportBarButtons(source, target, 3, progress);
  EXPECT_EQ(Value(target, "Buttoncount"), "5");
  EXPECT_EQ(Value(target, "button5"), "n.ico");
  EXPECT_EQ(Value(target, "cmd5"), "n.exe");
  EXPECT_EQ(Value(target, "menu5"), "This is the first button in button bar No. 3");
}

TEST(ImportBarButtons, CountZeroDropsThePlaceholderFromTheCountOnly) {
  const IniDocument source{"[ButtonBar]\r\nButtonCount=0\r\nbutton1=n.ico\r\n"};
  IniDocument target = GeneratedBar(2, 1);
  const std::string placeholder = Value(target, "cmd4");
  RecordingProgress display;
  Progress progress{display};
  progress.Start(3, 4);
  ImportBarButtons(source, target, 2, progress);
  EXPECT_EQ(Value(target, "Buttoncount"), "3");
  EXPECT_EQ(Value(target, "cmd4"), placeholder);
  EXPECT_EQ(Value(target, "menu4"), "This is the first button in button bar No. 1");
  EXPECT_EQ(progress.Maximum(), 4);
  EXPECT_EQ(progress.Value(), 3);
}

TEST(ImportBarButtons, MissingAndEmptyKeysTrimmingAndLetterCase) {
  const IniDocument source{
      "[ButtonBar]\r\nButtonCount=4\r\n"
      "BUTTON1=upper.ico\r\nCmd1=\"  notepad.exe  \"\r\n"
      "button2=b.ico\r\ncmd2=\r\n"
      "[Other]\r\nbutton3=not.this\r\n"};
  IniDocument target = GeneratedBar(2);
  NoProgressDisplay none;
  Progress progress{none};
  ImportBarButtons(source, target, 2, progress);
  EXPECT_EQ(Value(target, "button4"), "upper.ico");
  EXPECT_EQ(Value(target, "cmd4"), "notepad.exe");
  EXPECT_EQ(Value(target, "button5"), "b.ico");
  EXPECT_EQ(Value(target, "cmd5"), "");             // empty, but there
  EXPECT_EQ(Value(target, "path5"), NotFoundMarker);  // missing in the source, missing here
  for (const char* key : {"button", "cmd", "path", "menu", "param", "iconic"}) {
    EXPECT_EQ(Value(target, key + std::string{"6"}), NotFoundMarker) << key;
    EXPECT_EQ(Value(target, key + std::string{"7"}), NotFoundMarker) << key;
  }
  EXPECT_EQ(Value(target, "Buttoncount"), "7");
}

TEST(ImportBarButtons, ValuesTravelAsBytes) {
  const std::string odd = "C:\\\xC4rger\\\x81\x9D\xFF.exe";
  const std::string marked = "\xEF\xBB\xBF" "C:\\Папка\\x.exe";
  const IniDocument source{"[ButtonBar]\r\nButtonCount=2\r\ncmd1=" + odd + "\r\ncmd2=" + marked + "\r\n"};
  IniDocument target = GeneratedBar(2);
  NoProgressDisplay none;
  Progress progress{none};
  ImportBarButtons(source, target, 2, progress);
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
  const IniDocument source{"[ButtonBar]\r\nButtonCount=" + std::string{c.Count} + "\r\nbutton1=a.ico\r\n"};
  IniDocument target = GeneratedBar(c.BarCount);
  RecordingProgress display;
  Progress progress{display};
  progress.Start(c.BarCount + 1, c.BarCount + 2);
  const ImportedButtons imported = ImportBarButtons(source, target, c.BarCount, progress);
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
  const IniDocument source{"[ButtonBar]\r\nButtonCount=32764\r\n"};
  IniDocument target = GeneratedBar(2);
  NoProgressDisplay none;
  Progress progress{none};
  const ImportedButtons imported = ImportBarButtons(source, target, 2, progress);
  EXPECT_EQ(imported.Count, 32764);
  EXPECT_FALSE(imported.Clamped);
  EXPECT_EQ(Value(target, "Buttoncount"), "32767");
}

// Key-by-key profile calls: one call per key, every call reading (and each write rewriting) the
// files. Our import must give the same bytes. The buttons go behind the first `after` buttons of
// the target (by default the switch buttons and the separator of a generated bar).
void ImportKeyByKey(const std::string& source, const std::string& target, int barCount, int after = 0) {
  if (after == 0) after = barCount + 1;
  const auto file = [](const std::string& utf8) { return PathFromUtf8(utf8); };
  const auto rounded = RoundToInt16(ReadLeadingNumber(ReadIniValue("ButtonBar", "ButtonCount", "0", 4096, file(source))));
  const int count = rounded.value_or(0);
  for (int k = 1; k <= count; ++k) {
    for (const char* key : {"button", "cmd", "path", "menu", "param", "iconic"}) {
      std::string value = ReadIniValue("ButtonBar", key + std::to_string(k), NotFoundMarker, 4096, file(source));
      value.erase(0, value.find_first_not_of(' '));
      value.erase(value.find_last_not_of(' ') + 1);
      if (value != NotFoundMarker)
        WriteIniValue("ButtonBar", key + std::to_string(after + k), value, file(target));
    }
  }
  WriteIniValue("ButtonBar", "Buttoncount", std::to_string(after + (count < 1 ? 0 : count)), file(target));
}

// Bar 1 of a fresh two-bar set in `temp`, and the same bar after the key-by-key import of `source`
// (with `sourceForReference` standing for the source in the reference run).
class SameFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RecordingProgress display;
    const BuildResult result = WriteBarFiles(SetOf(2, temp_.Folder()), AppOptions, display);
    ASSERT_FALSE(result.Error);
    bar1_ = result.Paths.BarFiles[1];
  }

  std::string Reference(const std::string& generatedBar, const std::string& generatedSource, bool sameFile) {
    TempFolder reference;
    const std::string target = reference.Write("target.bar", generatedBar);
    const std::string source = sameFile ? target : reference.Write("source.bar", generatedSource);
    ImportKeyByKey(source, target, 2);
    return ReadBytes(target).value();
  }

  TempFolder temp_;
  std::string bar1_;
};

TEST_F(SameFileTest, ABarImportingItselfUnderAnotherSpellingEqualsKeyByKeyCalls) {
  const std::string generated = ReadBytes(bar1_).value();
  const std::string expected = Reference(generated, "", true);
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
    EXPECT_EQ(ReadBytes(bar1_), expected) << spelling;
    // The bar read itself: count 4, so the last imported button is its own (already moved) button 4.
    IniDocument result{ReadBytes(bar1_).value()};
    EXPECT_EQ(Value(result, "Buttoncount"), "7");
    EXPECT_EQ(Value(result, "menu7"), "Switch to Buttons Bar 1");
  }
}

TEST_F(SameFileTest, TheSameResultAsKeyByKeyCallsForManySources) {
  const std::string generated = ReadBytes(bar1_).value();
  const std::string sources[] = {
      std::string{FiveButtons} + "ButtonCount=3.5\r\n",
      "[ButtonBar]\r\nButtonCount=3\r\nbutton2=\"  q.ico \"\r\ncmd3=  x  \r\nmenu1=\r\n",
      "[ButtonBar]\r\nbuttoncount=2\r\nbutton4=new\r\nbutton1=one\r\n[buttonbar]\r\nbutton2=second section\r\n",
      "no section at all\r\nButtonCount=4\r\n",
      "[ButtonBar]\nButtonCount=2\ncmd1=lf only\ncmd2=" + std::string(5000, 'v') + "\n",
      "",
  };
  for (const std::string& text : sources) {
    test_support::WriteFile(bar1_, generated);
    const std::string source = temp_.Write("source.bar", text);
    NoProgressDisplay none;
    Progress progress{none};
    const ImportOutcome outcome = ImportBarFile(source, bar1_, 2, progress);
    ASSERT_FALSE(outcome.Error);
    EXPECT_EQ(ReadBytes(bar1_), Reference(generated, text, false)) << text;
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
// yet, first as generated and then imported into: either way the set is what key-by-key calls
// give after the bars are written, slot after slot. A source is an outside file ("five", "three",
// "missing") or a bar of the set ("bar N", spelled through a sub folder). Where the bars keep
// their own buttons (the one button of each earlier bar), the imports go behind those.
TEST(BuildBarSet, TheSetEqualsKeyByKeyImportsInSlotOrder) {
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
      {"a missing file beside a set", true, {"", "missing", "five", "", "missing"}},
      {"a missing file, no set yet", false, {"", "", "missing", "bar 2", ""}, false},
      {"kept buttons: files and bars of the set", true, {"", "five", "bar 3", "bar 1", "three"}, true, true},
      {"kept buttons: a bar importing itself", true, {"", "bar 1", "five", "", "bar 4"}, true, true},
      {"kept buttons, no set yet", false, {"", "five", "bar 1", "", ""}, false, true},
  };
  TempFolder outside;
  const std::string five = outside.Write("five.bar", std::string{FiveButtons} + "ButtonCount=5\r\n");
  const std::string three = outside.Write("three.bar", "[ButtonBar]\r\nButtonCount=3\r\ncmd2= two \r\niconic3=1\r\n");
  for (const Case& c : cases) {
    TempFolder temp;
    std::filesystem::create_directory(temp.Path() / "sub");
    WizardState state = SetOf(4, temp.Folder());
    state.KeepButtons = c.Keep;
    const SetPaths paths = PathsOf(state);
    std::vector<std::string> missingSlots;
    for (int slot = 1; slot <= 4; ++slot) {
      const std::string choice = c.Imports[slot];
      if (choice == "five") state.ImportFiles[slot] = five;
      if (choice == "three") state.ImportFiles[slot] = three;
      if (choice == "missing") state.ImportFiles[slot] = outside.PathOf("missing.bar");
      if (choice.starts_with("bar ")) state.ImportFiles[slot] = temp.Folder() + "sub" + PathSeparator + ".." + PathSeparator + "Bar_0" + choice.substr(4) + ".bar";
      if (choice == "missing") missingSlots.push_back(state.ImportFiles[slot]);
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
    std::vector<std::string> warned;
    for (const BuildWarning& warning : result.Warnings) warned.push_back(warning.File);
    EXPECT_EQ(warned, missingSlots) << c.Name;
    ExpectMovesForward(display, c.MaximumKnown, c.Name);

    layEarlierSet();
    RecordingProgress none;
    ASSERT_FALSE(WriteBarFiles(state, AppOptions, none).Error);
    for (int slot = 1; slot <= 4; ++slot)
      if (!state.ImportFiles[slot].empty())
        ImportKeyByKey(state.ImportFiles[slot], paths.BarFiles[slot], 4, c.Keep && c.EarlierSetThere ? 4 + 2 + 1 : 0);
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
    bool Warned;
  };
  const Case cases[] = {{"missing.bar", std::nullopt, "3", true},
                        {"empty.bar", std::string{}, "3", false},
                        {"binary.bar", binary, "5", false},
                        {"huge.bar", huge, "4", false}};
  for (const Case& c : cases) {
    const std::string source = c.Bytes ? temp.Write(c.Name, *c.Bytes) : temp.PathOf(c.Name);
    const std::string target = temp.Write("target.bar", GeneratedBarBytes(PathsOf(SetOf(2, temp.Folder())), 1, std::nullopt, Windows1252));
    NoProgressDisplay none;
    Progress progress{none};
    const ImportOutcome outcome = ImportBarFile(source, target, 2, progress);
    EXPECT_FALSE(outcome.Error) << c.Name;
    EXPECT_EQ(outcome.Warning.has_value(), c.Warned) << c.Name;
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
