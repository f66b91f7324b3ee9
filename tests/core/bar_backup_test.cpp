// A bar that Create replaces keeps its earlier bytes beside it, one generation; a bar that holds the
// set's bytes already is not written; a backup that cannot be kept stops Create before its bar.
#include "core/bar_backup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>

#include "core/bar_layout.h"
#include "core/bar_set.h"
#include "core/create_report.h"
#include "platform/code_page.h"
#include "localisation/language_file.h"
#include "settings/ini_document.h"
#include "settings/settings_file.h"
#include "tests/core/test_support.h"

namespace barloom {
namespace {

using core_testing::NativePath;
using core_testing::Windows1252;
using test_support::ReadBytes;
using test_support::TempFolder;

const BarSetOptions Options{NativePath("C:\\App\\"), "Bar_", std::nullopt, Windows1252};

// Names in the folder: "<bar 1>" stands for bar 1 as the set generates it, "<folder>" for a folder.
using Files = std::map<std::string, std::string>;

struct Case {
  const char* Name;
  Files Before;
  std::array<const char*, 3> Imports;  // slots 1 and 2: a name in the folder, "" for none
  std::vector<std::string> Backups;    // the backups kept, in order
  std::vector<std::string> Written;    // the bars listed as written
  std::optional<FileProblem> Error;
  std::string ErrorFile;
  std::optional<WriteFailureReason> Reason;
};

const std::string OwnBar = "[ButtonBar]\r\nButtoncount=1\r\ncmd1=mine.exe\r\n";
const std::string OlderBar = "[ButtonBar]\r\nButtoncount=1\r\ncmd1=older.exe\r\n";
const std::string FiveButtons = "[ButtonBar]\r\nButtoncount=5\r\ncmd1=a\r\ncmd5=e\r\n";

TEST(Backups, KeptBeforeABarChangesNeverForTheSameBytes) {
  const std::vector<std::string> both{"Bar_01.bar", "Bar_02.bar"};
  const Case cases[] = {
      {"nothing there", {}, {}, {}, both},
      {"an earlier set of other bytes",
       {{"Bar_01.bar", "old 1"}, {"Bar_02.bar", "old 2"}, {"Bar_01.bar.bak", "older 1"}},
       {},
       {"Bar_01.bar.bak", "Bar_02.bar.bak"},
       both},
      {"the same set again", {{"Bar_01.bar", "<bar 1>"}, {"Bar_02.bar", "<bar 2>"}, {"Bar_01.bar.bak", "older 1"}}, {}, {}, both},
      {"one of two changed", {{"Bar_01.bar", "<bar 1>"}, {"Bar_02.bar", "old 2"}}, {}, {"Bar_02.bar.bak"}, both},
      {"a backup's name taken by a folder",
       {{"Bar_01.bar", "old 1"}, {"Bar_02.bar", "old 2"}, {"Bar_02.bar.bak", "<folder>"}},
       {},
       {"Bar_01.bar.bak"},
       {"Bar_01.bar"},
       FileProblem::BackupNotKept,
       "Bar_02.bar.bak",
       WriteFailureReason::NameIsFolder},
      // An import reads the set's own bar as the set makes it; what the user had is in the backup.
      {"an import of a bar the set replaces", {{"Bar_01.bar", OwnBar}}, {"", "Bar_01.bar"}, {"Bar_01.bar.bak"}, both},
      // A backup the run writes over is read as it was before the run.
      {"an import of a bar's backup",
       {{"Bar_01.bar", OwnBar}, {"Bar_01.bar.bak", OlderBar}},
       {"", "", "Bar_01.bar.bak"},
       {"Bar_01.bar.bak"},
       both},
      // A source that is a missing bar of the set (bar 2 importing itself): the bars are written
      // first, then imported into. The first change of bar 1 comes with its import, and keeps what
      // was there.
      {"a bar changed by its import only",
       {{"Bar_01.bar", "<bar 1>"}, {"five.bar", FiveButtons}},
       {"", "five.bar", "Bar_02.bar"},
       {"Bar_01.bar.bak"},
       both},
  };
  for (const Case& c : cases) {
    TempFolder temp;
    WizardState choices;
    choices.SaveFolder = temp.Folder();
    const SetPaths paths = SetPathsFor(choices, Options.AppFolder, Options.BarFilePrefix);
    const auto bytesOf = [&](const std::string& text) {
      if (text == "<bar 1>") return GeneratedBarBytes(paths, 1, std::nullopt, Windows1252);
      if (text == "<bar 2>") return GeneratedBarBytes(paths, 2, std::nullopt, Windows1252);
      return text;
    };
    for (const auto& [name, text] : c.Before) {
      if (text == "<folder>")
        std::filesystem::create_directory(temp.Path() / name);
      else
        temp.Write(name, bytesOf(text));
    }
    // Untouched files keep their time: set it well in the past.
    const auto past = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
    for (const auto& [name, text] : c.Before)
      if (text != "<folder>") std::filesystem::last_write_time(temp.Path() / name, past);
    for (int slot = 1; slot <= 2; ++slot)
      if (c.Imports[slot] && *c.Imports[slot]) choices.ImportFiles[slot] = temp.PathOf(c.Imports[slot]);

    core_testing::RecordingProgress display;
    const BuildResult result = BuildBarSet(choices, Options, display);

    std::vector<std::string> backups;
    for (const KeptBackup& kept : result.Backups) {
      backups.push_back(Utf8FromPath(PathFromUtf8(kept.Backup).filename()));
      EXPECT_EQ(kept.Backup, BackupFileOf(kept.BarFile)) << c.Name;
      const std::string bar = Utf8FromPath(PathFromUtf8(kept.BarFile).filename());
      EXPECT_EQ(ReadBytes(kept.Backup), bytesOf(c.Before.at(bar))) << c.Name << ": " << bar;
    }
    EXPECT_EQ(backups, c.Backups) << c.Name;
    std::vector<std::string> written;
    for (const std::string& file : result.WrittenFiles) written.push_back(Utf8FromPath(PathFromUtf8(file).filename()));
    EXPECT_EQ(written, c.Written) << c.Name;
    EXPECT_EQ(result.Error ? std::optional{result.Error->Problem} : std::nullopt, c.Error) << c.Name;
    if (c.Error) {
      EXPECT_EQ(result.Error->File, temp.PathOf(c.ErrorFile)) << c.Name;
      EXPECT_EQ(result.Error->Reason, c.Reason) << c.Name;
    }
    // What was there and neither backed up nor written is as it was, time included.
    const auto backedUp = [&](const std::string& name) {
      return std::find(backups.begin(), backups.end(), name) != backups.end();
    };
    for (const auto& [name, text] : c.Before) {
      if (backedUp(name + ".bak") || backedUp(name) || text == "<folder>") continue;
      EXPECT_EQ(temp.Read(name), bytesOf(text)) << c.Name << ": " << name;
      // Within an hour of the time set: file systems keep times to their own precision.
      EXPECT_LT(std::filesystem::last_write_time(temp.Path() / name), past + std::chrono::hours(1))
          << c.Name << ": " << name << " was written";
    }
    if (std::string_view{c.Name} == "an import of a bar's backup") {
      EXPECT_EQ(IniDocument{temp.Read("Bar_02.bar")}.Read("ButtonBar", "cmd4", "", 100), "older.exe");
    }
  }
}

// A bar with an import is written from its pieces; the same pieces again are the same bytes.
TEST(Backups, NoneForTheSameImportAgain) {
  TempFolder temp;
  WizardState choices;
  choices.SaveFolder = temp.Folder();
  // A value that makes the batch's run too large to copy.
  temp.Write("five.bar", "[ButtonBar]\r\nButtoncount=5\r\ncmd1=a\r\ncmd5=" + std::string(70 * 1024, 'e') + "\r\n");
  choices.ImportFiles[1] = temp.PathOf("five.bar");
  core_testing::RecordingProgress display;
  const BuildResult first = BuildBarSet(choices, Options, display);
  const BuildResult again = BuildBarSet(choices, Options, display);
  ASSERT_FALSE(first.Error || again.Error);
  EXPECT_TRUE(again.Backups.empty());
  EXPECT_FALSE(std::filesystem::exists(temp.Path() / "Bar_01.bar.bak"));
}

TEST(Backups, TheReportNamesThemAndTheImportsOfReplacedBars) {
  TempFolder temp;
  temp.Write("Bar_01.bar", OwnBar);
  temp.Write("Bar_02.bar", "old 2");
  WizardState choices;
  choices.SaveFolder = temp.Folder();
  choices.ImportFiles[2] = temp.PathOf("Bar_01.bar");
  NoProgressDisplay none;
  const BuildResult result = BuildBarSet(choices, Options, none);
  ASSERT_FALSE(result.Error) << MessageOf(*result.Error);
  ASSERT_EQ(result.ReplacedImports.size(), 1u);

  Settings german;
  german.UseDefaultLanguage = 0;
  german.LanguageFile = temp.Write("Deutsch.lng",
                                   "[UserLanguage]\r\n721=Aufbewahrt:\r\n723=Ersetzt, neu eingelesen:\r\n"
                                   "724=Importiert in Leiste:\r\n725=Bisherige Fassung in:\r\n");
  EXPECT_EQ(KeptReport(result, LoadedLanguage{german}),
            "Aufbewahrt:\n" + temp.PathOf("Bar_01.bar.bak") + "\n" + temp.PathOf("Bar_02.bar.bak") + "\n\n" +
                "These buttons of its own were dropped from the button bar file:\n" + temp.PathOf("Bar_01.bar") +
                "\n- mine.exe\nBisherige Fassung in: " + temp.PathOf("Bar_01.bar.bak") + "\n\n" +
                "Ersetzt, neu eingelesen:\n" + temp.PathOf("Bar_01.bar") + "\nImportiert in Leiste: 2\n" +
                "Bisherige Fassung in: " + temp.PathOf("Bar_01.bar.bak"));
  // The window's message: the steps, then what was kept, an empty line between.
  CreateReport report = ReportOf(result, LoadedLanguage{Settings{}}, "Bar_");
  EXPECT_EQ(report.MessageText(), report.Steps + "\n" + report.Kept);
  EXPECT_TRUE(report.Kept.starts_with("The earlier versions of the replaced button bar files were kept in:\n"));
  EXPECT_EQ(KeptReport(BuildResult{}, LoadedLanguage{german}), "");
}

// Bar `number` of a set of `count` bars in `folder`, as generated, with `added` buttons of the user's own
// behind it, added as Total Commander adds a button: at the end, the count raised.
std::string SetBar(const std::string& folder, int count, int added = 0, int number = 1) {
  std::string bytes =
      GeneratedBarBytes(core_testing::PathsOf(count, folder, Options.AppFolder), number, std::nullopt, Windows1252);
  IniDocument bar{std::move(bytes)};
  for (int button = 1; button <= added; ++button) {
    const std::string number = std::to_string(GeneratedButtonCount(count) + button);
    bar.Write("ButtonBar", "button" + number, "mine.ico");
    bar.Write("ButtonBar", "cmd" + number, "mine" + std::to_string(button) + ".exe");
    if (button == 1) bar.Write("ButtonBar", "menu" + number, "Mine");
  }
  bar.Write("ButtonBar", "Buttoncount", std::to_string(GeneratedButtonCount(count) + added));
  return bar.Bytes();
}

// Which earlier version survives a Create of two bars over bar 1 (the file and its backup), what
// the Create asks first and what its result names: the backup keeps the last version that held
// buttons of the user's own.
TEST(Backups, KeepTheLastVersionThatHeldOwnButtons) {
  enum Bytes { Missing, Plain, Own, OlderOwn };  // Plain: a set's bar of 3, no own buttons
  struct Case {
    const char* Name;
    Bytes File, Backup;
    bool Keep;
    Bytes BackupAfter;
    int Asked;                         // own buttons OwnButtonsToDrop names for bar 1 (0: none, no bar named)
    std::vector<std::string> Dropped;  // the names the result gives bar 1's dropped buttons
    bool Held;                         // the result names the backup as left as it was
  };
  const Case cases[] = {
      {"own buttons, no backup", Own, Missing, false, Own, 2, {"Mine", "mine2.exe"}, false},
      {"own buttons over a backup without", Own, Plain, false, Own, 2, {"Mine", "mine2.exe"}, false},
      {"own buttons over older ones", Own, OlderOwn, false, Own, 2, {"Mine", "mine2.exe"}, false},
      {"none, the backup holds some", Plain, Own, false, Own, 0, {}, true},
      {"none over a backup without", Plain, Plain, false, Plain, 0, {}, false},
      {"none, no backup", Plain, Missing, false, Plain, 0, {}, false},
      {"kept buttons: the file is the backup", Own, OlderOwn, true, Own, 0, {}, false},
      {"kept buttons, none: the backup stays", Plain, Own, true, Own, 0, {}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TempFolder temp;
    const auto bytesOf = [&](Bytes bytes) -> std::optional<std::string> {
      switch (bytes) {
        case Missing: return std::nullopt;
        case Plain: return SetBar(temp.Folder(), 3);
        case Own: return SetBar(temp.Folder(), 3, 2);
        case OlderOwn: return SetBar(temp.Folder(), 3, 1);
      }
      return std::nullopt;
    };
    const std::string bar = temp.PathOf("Bar_01.bar");
    if (auto bytes = bytesOf(c.File)) temp.Write("Bar_01.bar", *bytes);
    if (auto bytes = bytesOf(c.Backup)) temp.Write("Bar_01.bar.bak", *bytes);
    WizardState choices;
    choices.SaveFolder = temp.Folder();
    choices.KeepButtons = c.Keep;

    const std::vector<OwnButtonsOnBar> asked = OwnButtonsToDrop(choices, Options);
    const std::vector<OwnButtonsOnBar> expectAsked = c.Asked ? std::vector<OwnButtonsOnBar>{{bar, c.Asked}} : std::vector<OwnButtonsOnBar>{};
    EXPECT_EQ(asked, expectAsked);
    NoProgressDisplay none;
    const BuildResult result = BuildBarSet(choices, Options, none);
    ASSERT_FALSE(result.Error) << MessageOf(*result.Error);

    EXPECT_EQ(ReadBytes(bar + ".bak"), bytesOf(c.BackupAfter));
    std::vector<std::string> dropped;
    for (const DroppedButtons& bars : result.Dropped) {
      EXPECT_EQ(bars.BarFile, bar);
      dropped = bars.Names;
    }
    EXPECT_EQ(dropped, c.Dropped);
    const std::vector<std::string> expectHeld = c.Held ? std::vector<std::string>{bar + ".bak"} : std::vector<std::string>{};
    EXPECT_EQ(result.HeldBackups, expectHeld);
    const bool backupWritten = !result.Backups.empty();
    EXPECT_EQ(backupWritten, !c.Held);
  }
}

// Creating a set again with the same import never doubles it: the buttons an earlier Create imported
// come anew, so they are neither asked about nor kept as the bar's own; a button added since is.
TEST(Backups, AnImportMadeAgainIsNotTheBarsOwn) {
  enum Shape { Ansi, Utf16, Utf8WithMark };
  struct Case {
    const char* Name;
    bool Keep;
    bool Added;                     // a button added to bar 1 between the two Creates
    int Asked;                      // own buttons the second Create asks about
    std::vector<std::string> Cmds;  // bar 1's commands behind its switch buttons and separator
    Shape Source = Ansi;
  };
  // A tooltip code page 1252 cannot hold: the import stores it behind the UTF-8 mark.
  const std::string text = "[Buttonbar]\r\nButtoncount=2\r\nbutton1=a.ico\r\ncmd1=a.exe\r\nmenu1=\xE6\x96\x87\r\n"
                           "button2=b.ico\r\ncmd2=b.exe\r\nparam2=\"\"%X%P\" \"%T\"\"\r\n";
  const Case cases[] = {
      {"dropped", false, false, 0, {"a.exe", "b.exe"}},
      {"kept", true, false, 0, {"a.exe", "b.exe"}},
      {"a button added, dropped", false, true, 1, {"a.exe", "b.exe"}},
      {"a button added, kept", true, true, 0, {"<placeholder>", "mine.exe", "a.exe", "b.exe"}},
      {"a UTF-16 source", true, false, 0, {"a.exe", "b.exe"}, Utf16},
      {"a UTF-8 source with its mark", false, false, 0, {"a.exe", "b.exe"}, Utf8WithMark},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TempFolder temp;
    WizardState choices;
    choices.SaveFolder = temp.Folder();
    const std::string source = c.Source == Utf16          ? std::string{Utf16LeMark} + Utf16LeFromWtf8(text)
                               : c.Source == Utf8WithMark ? "\xEF\xBB\xBF" + text
                                                          : text;
    choices.ImportFiles[1] = temp.Write("source.bar", source);
    NoProgressDisplay none;
    ASSERT_FALSE(BuildBarSet(choices, Options, none).Error);
    const std::string bar = temp.PathOf("Bar_01.bar");
    const std::string first = *ReadBytes(bar);
    if (c.Added) {
      IniDocument added{first};
      added.Write("ButtonBar", "Buttoncount", "6");
      added.Write("ButtonBar", "cmd6", "mine.exe");
      temp.Write("Bar_01.bar", added.Bytes());
    }
    choices.KeepButtons = c.Keep;
    const std::vector<OwnButtonsOnBar> asked = OwnButtonsToDrop(choices, Options);
    const std::vector<OwnButtonsOnBar> expectAsked =
        c.Asked ? std::vector<OwnButtonsOnBar>{{bar, c.Asked}} : std::vector<OwnButtonsOnBar>{};
    EXPECT_EQ(asked, expectAsked);
    const BuildResult again = BuildBarSet(choices, Options, none);
    ASSERT_FALSE(again.Error);
    EXPECT_TRUE(again.Dropped.empty() == (c.Asked == 0));

    const IniDocument after{*ReadBytes(bar)};
    std::vector<std::string> cmds;
    const int count = std::stoi(after.Read("ButtonBar", "Buttoncount", "0", 16));
    for (int k = 4; k <= count; ++k) {
      const std::string cmd = after.Read("ButtonBar", "cmd" + std::to_string(k), "", 4096);
      cmds.push_back(cmd == bar ? "<placeholder>" : cmd);
    }
    EXPECT_EQ(cmds, c.Cmds);
    EXPECT_EQ(after.Read("ButtonBar", "param" + std::to_string(count), "", 4096), "\"%X%P\" \"%T\"");
    if (!c.Added) {
      EXPECT_EQ(*ReadBytes(bar), first);  // the same bytes: not written again
    }
  }
}

// The question names the buttons and the bars; after a drop, the report names each bar's dropped
// buttons (a separator by its text) and the backup that keeps them.
TEST(Backups, TheQuestionAndTheReportNameTheOwnButtons) {
  TempFolder temp;
  IniDocument first{SetBar(temp.Folder(), 3, 1)};
  first.Write("ButtonBar", "Buttoncount", "7");  // a separator behind the user's button
  temp.Write("Bar_01.bar", first.Bytes());
  temp.Write("Bar_02.bar", SetBar(temp.Folder(), 3, 0, 2));
  WizardState choices;
  choices.SaveFolder = temp.Folder();
  const LoadedLanguage english;
  EXPECT_EQ(OwnButtonsQuestion(OwnButtonsToDrop(choices, Options), english),
            "The button bar files that Create replaces hold buttons of their own (added in Total Commander or imported "
            "earlier).\n"
            "Buttons of their own: 2\nOn bars: 1\n" + temp.PathOf("Bar_01.bar") + " (2)\n\n"
            "Keep them behind the new switch buttons, or drop them? A bar that drops them keeps its present version in "
            "its backup (.bak).");
  NoProgressDisplay none;
  const BuildResult result = BuildBarSet(choices, Options, none);
  EXPECT_EQ(KeptReport(result, english),
            "The earlier versions of the replaced button bar files were kept in:\n" + temp.PathOf("Bar_01.bar.bak") +
                "\n" + temp.PathOf("Bar_02.bar.bak") +
                "\n\nThese buttons of its own were dropped from the button bar file:\n" + temp.PathOf("Bar_01.bar") +
                "\n- Mine\n- (separator)\nIts earlier version is kept in: " + temp.PathOf("Bar_01.bar.bak"));
}

}  // namespace
}  // namespace barloom
