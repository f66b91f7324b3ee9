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
      // A missing source beside a missing bar: the bars are written first, then imported into. The
      // first change of bar 1 comes with its import, and keeps what was there.
      {"a bar changed by its import only",
       {{"Bar_01.bar", "<bar 1>"}, {"five.bar", FiveButtons}},
       {"", "five.bar", "gone.bar"},
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
                "Ersetzt, neu eingelesen:\n" + temp.PathOf("Bar_01.bar") + "\nImportiert in Leiste: 2\n" +
                "Bisherige Fassung in: " + temp.PathOf("Bar_01.bar.bak"));
  // The window's message: the steps, then what was kept, an empty line between.
  CreateReport report = ReportOf(result, LoadedLanguage{Settings{}}, "Bar_");
  EXPECT_EQ(report.MessageText(), report.Steps + "\n" + report.Kept);
  EXPECT_TRUE(report.Kept.starts_with("The earlier versions of the replaced button bar files were kept in:\n"));
  EXPECT_EQ(KeptReport(BuildResult{}, LoadedLanguage{german}), "");
}

}  // namespace
}  // namespace barloom
