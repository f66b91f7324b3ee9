// barloom-cli create, run as a script would run it: a child process with its own arguments and
// environment, checked by its exit code, its output and the files it leaves.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/bar_layout.h"
#include "core/wizard_state.h"
#include "platform/code_page.h"
#include "platform/path_text.h"
#include "settings/ini_document.h"
#include "tests/cli/run_process.h"
#include "tests/support/temp_folder.h"

namespace barloom {
namespace {

using test_support::FileNames;
using test_support::ReadBytes;
using test_support::TempFolder;
using test_support::OutputLines;
using test_support::ProcessResult;

constexpr char Sep = PathSeparator;

class CreateCommandTest : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directory(PathFromUtf8(AppFolder())); }

  std::string AppFolder() const { return temp_.PathOf("app"); }
  std::string Folder(std::string_view name) const { return temp_.PathOf(name); }

  // barloom-cli with COMMANDER_PATH removed unless the test sets it.
  ProcessResult Run(std::vector<std::string> arguments, test_support::EnvironmentChanges environment = {}) const {
    bool commanderSet = false;
    for (const auto& change : environment) commanderSet = commanderSet || change.first == "COMMANDER_PATH";
    if (!commanderSet) environment.emplace_back("COMMANDER_PATH", std::nullopt);
    return test_support::RunProcess(test_support::BarloomCliPath(), arguments, environment);
  }

  // The bytes the wizard writes for bar `bar` of the same choices.
  static std::string Expected(int count, int bar, const std::string& saveFolder, const std::string& appFolder,
                              const std::string& prefix, const std::optional<std::string>& commander = std::nullopt) {
    WizardState state;
    state.BarCount = static_cast<std::int16_t>(count);
    state.SaveFolder = saveFolder;
    return GeneratedBarBytes(SetPathsFor(state, AddBackslash(appFolder), prefix), bar, commander, AnsiCodePage());
  }

  TempFolder temp_;
};

// The icons the bars point to need not be there: a warning on standard error names what is
// missing, and the set is written all the same, its list first on standard output.
TEST_F(CreateCommandTest, WritesTheSetAndPrintsEachFile) {
  const std::string icons = AppFolder() + Sep + "icons";
  struct Case {
    const char* Name;
    int IconBars;  // bars whose two icons the icons folder holds; -1: no folder
    std::string Errors;
  };
  const Case cases[] = {
      {"all icons there", 3, ""},
      {"no icons folder", -1,
       "barloom-cli: warning: The icons folder is missing, so the switch buttons will show no pictures:\n" + icons +
           "\n"},
      {"bar 3's icons missing", 2,
       "barloom-cli: warning: Pictures of the switch buttons are missing from the icons folder:\n" + icons +
           "\nUp_03.ico, Dn_03.ico\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    std::filesystem::remove_all(PathFromUtf8(icons));
    if (c.IconBars >= 0) std::filesystem::create_directory(PathFromUtf8(icons));
    for (int bar = 1; bar <= c.IconBars; ++bar)
      for (const BarIcon icon : {BarIcon::Up, BarIcon::Dn})
        test_support::WriteFile(BarIconFile(AddBackslash(AppFolder()), bar, icon), "icon");
    const std::string out = Folder(std::string{"out"} + std::to_string(c.IconBars + 1));
    const ProcessResult result =
        Run({"create", "--bars", "3", "--folder", out, "--app-folder", AppFolder(), "--prefix", "Set_"});
    ASSERT_EQ(result.ExitCode, 0) << result.Errors;
    EXPECT_EQ(OutputLines(result.Output),
              (std::vector<std::string>{out + Sep + "Set_01.bar", out + Sep + "Set_02.bar", out + Sep + "Set_03.bar"}));
    EXPECT_EQ(OutputLines(result.Errors), OutputLines(c.Errors));
    for (int bar = 1; bar <= 3; ++bar)
      EXPECT_EQ(ReadBytes(out + Sep + "Set_0" + std::to_string(bar) + ".bar"), Expected(3, bar, out, AppFolder(), "Set_"));
    // No barloom.ini appears.
    EXPECT_EQ(FileNames(PathFromUtf8(AppFolder())),
              c.IconBars >= 0 ? std::vector<std::string>{"icons"} : std::vector<std::string>{});
  }
}

// A set in use grows and shrinks with --keep-buttons: each bar keeps the buttons the user added,
// the bars beyond the new count stay as they are, and both are named after the list.
TEST_F(CreateCommandTest, KeepButtonsGrowsAndShrinksASetInUse) {
  const std::string out = Folder("out");
  const auto create = [&](const char* bars, bool keep) {
    std::vector<std::string> arguments{"create", "--bars", bars, "--folder", out, "--app-folder", AppFolder()};
    if (keep) arguments.push_back("--keep-buttons");
    const ProcessResult result = Run(arguments);
    EXPECT_EQ(result.ExitCode, 0) << result.Errors;
    return OutputLines(result.Output);
  };
  const auto bar = [&](int number) { return out + Sep + "Bar_0" + std::to_string(number) + ".bar"; };
  const auto value = [&](int number, const std::string& key) {
    return IniDocument{ReadBytes(bar(number)).value_or("")}.Read("ButtonBar", key, "<none>", 4096);
  };
  create("3", false);
  for (int number = 1; number <= 3; ++number) {  // a button added at the end, as Total Commander adds it
    IniDocument edited{ReadBytes(bar(number)).value()};
    edited.Write("ButtonBar", "Buttoncount", "6");
    edited.Write("ButtonBar", "button6", "mine.ico");
    edited.Write("ButtonBar", "cmd6", "mine" + std::to_string(number) + ".exe");
    test_support::WriteFile(bar(number), edited.Bytes());
  }

  const std::vector<std::string> grown = create("5", true);
  ASSERT_EQ(grown.size(), 5u + 1 + 4);
  EXPECT_EQ(grown[5], "");
  EXPECT_EQ(grown[7], bar(1) + ".bak");
  for (int number = 1; number <= 3; ++number) {
    EXPECT_EQ(value(number, "Buttoncount"), "8");
    EXPECT_EQ(value(number, "cmd8"), "mine" + std::to_string(number) + ".exe");
    EXPECT_EQ(value(number, "cmd5"), bar(5));  // the new switch button
  }
  EXPECT_EQ(value(4, "Buttoncount"), "7");

  const std::vector<std::string> shrunk = create("2", true);
  EXPECT_EQ(shrunk, (std::vector<std::string>{bar(1), bar(2), "",
                                              "The earlier versions of the replaced button bar files were kept in:",
                                              bar(1) + ".bak", bar(2) + ".bak", "",
                                              "These button bar files of the earlier set were left as they were; the new "
                                              "set does not switch to them:",
                                              bar(3), bar(4), bar(5)}));
  EXPECT_EQ(value(1, "Buttoncount"), "5");
  EXPECT_EQ(value(1, "cmd5"), "mine1.exe");
  EXPECT_EQ(value(3, "Buttoncount"), "8");  // left as the five-bar set made it
  // Again: nothing changes, and only what was left is said.
  EXPECT_EQ(create("2", true), (std::vector<std::string>{bar(1), bar(2), "", shrunk[7], bar(3), bar(4), bar(5)}));
  EXPECT_EQ(value(1, "cmd5"), "mine1.exe");
}

// A button the user added to bar 1 of a set goes only when the script says so: without an option
// nothing is written and the exit code is 4; either option writes the set; both are refused.
TEST_F(CreateCommandTest, OwnButtonsGoOnlyWhenTheScriptSaysSo) {
  const std::string out = Folder("out");
  const std::string bar1 = out + Sep + "Bar_01.bar";
  struct Case {
    const char* Option;  // "" for none
    int ExitCode;
    bool Written;     // the set is written (else every file is as it was, and no backup made)
    bool ButtonKept;  // the user's button is in Bar_01.bar afterwards
  };
  const Case cases[] = {
      {"", 4, false, true},
      {"--keep-buttons", 0, true, true},
      {"--drop-buttons", 0, true, false},
      {"--keep-buttons --drop-buttons", 2, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Option);
    std::filesystem::remove_all(PathFromUtf8(out));
    ASSERT_EQ(Run({"create", "--bars", "3", "--folder", out, "--app-folder", AppFolder()}).ExitCode, 0);
    IniDocument edited{ReadBytes(bar1).value()};
    edited.Write("ButtonBar", "Buttoncount", "6");
    edited.Write("ButtonBar", "button6", "mine.ico");
    edited.Write("ButtonBar", "cmd6", "mine.exe");
    test_support::WriteFile(bar1, edited.Bytes());

    std::vector<std::string> arguments{"create", "--bars", "4", "--folder", out, "--app-folder", AppFolder()};
    for (std::string_view option{c.Option}; !option.empty();) {
      const std::size_t blank = std::min(option.find(' '), option.size());
      arguments.emplace_back(option.substr(0, blank));
      option.remove_prefix(std::min(blank + 1, option.size()));
    }
    const ProcessResult result = Run(arguments);
    EXPECT_EQ(result.ExitCode, c.ExitCode) << result.Errors;
    const std::string after = ReadBytes(bar1).value_or("");
    EXPECT_EQ(after.find("mine.exe") != std::string::npos, c.ButtonKept);
    EXPECT_EQ(std::filesystem::exists(PathFromUtf8(out + Sep + "Bar_04.bar")), c.Written);
    EXPECT_EQ(std::filesystem::exists(PathFromUtf8(bar1 + ".bak")), c.Written);
    if (c.ExitCode == 4) {
      EXPECT_EQ(result.Output, "");
      EXPECT_NE(result.Errors.find(bar1 + " (1)"), std::string::npos) << result.Errors;
      for (const char* option : {"--keep-buttons", "--drop-buttons"})
        EXPECT_NE(result.Errors.find(option), std::string::npos) << result.Errors;
    }
    if (std::string_view{c.Option} == "--drop-buttons") {
      // The backup holds the button, and the report after the list says so.
      EXPECT_NE(ReadBytes(bar1 + ".bak").value_or("").find("mine.exe"), std::string::npos);
      const std::vector<std::string> lines = OutputLines(result.Output);
      const auto named = std::find(lines.begin(), lines.end(), "- mine.exe");
      ASSERT_NE(named, lines.end()) << result.Output;
      ASSERT_NE(named + 1, lines.end());
      EXPECT_EQ(*(named - 1), bar1);
      EXPECT_EQ(*(named + 1), "Its earlier version is kept in: " + bar1 + ".bak");
    }
  }
}

TEST_F(CreateCommandTest, HelpAndVersion) {
  const ProcessResult help = Run({"--help"});
  EXPECT_EQ(help.ExitCode, 0);
  EXPECT_NE(help.Output.find("create"), std::string::npos) << help.Output;
  const ProcessResult createHelp = Run({"create", "--help"});
  EXPECT_EQ(createHelp.ExitCode, 0);
  for (const char* option : {"--bars", "--folder", "--prefix", "--import", "--app-folder", "--keep-buttons", "--drop-buttons"})
    EXPECT_NE(createHelp.Output.find(option), std::string::npos) << option;
  const ProcessResult version = Run({"--version"});
  EXPECT_EQ(version.ExitCode, 0);
  EXPECT_NE(version.Output.find("barloom-cli 1."), std::string::npos) << version.Output;
}

TEST_F(CreateCommandTest, UsageErrorsWriteNothing) {
  const std::string source = temp_.Write("source.bar", "[ButtonBar]\r\nButtonCount=1\r\nbutton1=x\r\n");
  const std::string out = Folder("out");
  const std::vector<std::vector<std::string>> cases = {
      {"create", "--bars", "1"},
      {"create", "--bars", "21"},
      {"create", "--bars", "three"},
      {"create"},
      {"create", "--bars", "3", "--import", "4=" + source},
      {"create", "--bars", "3", "--import", "0=" + source},
      {"create", "--bars", "3", "--import", "1=" + temp_.PathOf("missing.bar")},
      {"create", "--bars", "3", "--import", "1=" + Utf8FromPath(temp_.Path())},
      {"create", "--bars", "3", "--import", source},
      {"create", "--bars", "3", "--app-folder", temp_.PathOf("no such folder")},
      {"create", "--bars", "3", "--unknown"},
      // A prefix that cannot begin a file name is the argument's fault, before any file is made.
      {"create", "--bars", "3", "--prefix", "a:b"},
      {"create", "--bars", "3", "--prefix", std::string{".."} + Sep + "up_"},
      {"create", "--bars", "3", "--prefix", "a\nb"},
      {"create", "--bars", "3", "--keep-buttons", "--drop-buttons"},
  };
  for (std::vector<std::string> arguments : cases) {
    arguments.insert(arguments.end(), {"--folder", out});
    if (std::find(arguments.begin(), arguments.end(), "--app-folder") == arguments.end())
      arguments.insert(arguments.end(), {"--app-folder", AppFolder()});
    const ProcessResult result = Run(arguments);
    EXPECT_EQ(result.ExitCode, 2) << arguments[2] << " " << result.Errors;
    EXPECT_FALSE(result.Errors.empty());
    EXPECT_EQ(result.Output, "");
    EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(out)));
  }
}

#ifndef _WIN32
// What a command prints is its result: when standard output cannot be written (a full disk behind
// the redirection), the run failed and says so on standard error. The bar files stay written.
TEST_F(CreateCommandTest, OutputThatCannotBeWrittenIsAFailure) {
  const std::string out = Folder("out");
  const std::vector<std::vector<std::string>> cases = {
      {"create", "--bars", "2", "--folder", out, "--app-folder", AppFolder()},
      {"texts"},
      {"--help"},
      {"create", "--help"},
      {"--version"},
  };
  for (const std::vector<std::string>& arguments : cases) {
    std::vector<std::string> shell{"-c", "exec \"$0\" \"$@\" >/dev/full", test_support::BarloomCliPath()};
    shell.insert(shell.end(), arguments.begin(), arguments.end());
    const ProcessResult result = test_support::RunProcess("/bin/sh", shell, {{"COMMANDER_PATH", std::nullopt}});
    EXPECT_EQ(result.ExitCode, 1) << arguments.front();
    EXPECT_NE(result.Errors.find("cannot write"), std::string::npos) << arguments.front() << ": " << result.Errors;
  }
  EXPECT_TRUE(std::filesystem::exists(PathFromUtf8(out + Sep + "Bar_02.bar")));
}

// "link/.." is the parent of the link's target, as the system resolves it: the file checked is the
// file imported, and the folders checked are the folders written to and pointed at.
TEST_F(CreateCommandTest, DotDotAfterASymbolicLinkGoesWhereTheSystemGoes) {
  const std::filesystem::path other = temp_.Path() / "other";
  std::filesystem::create_directories(other / "target");
  std::filesystem::create_directory(other / "app");
  std::filesystem::create_directory_symlink(other / "target", temp_.Path() / "lnk");
  test_support::WriteFile(Utf8FromPath(other / "src.bar"), "[ButtonBar]\r\nButtonCount=1\r\ncmd1=beyond.exe\r\n");
  temp_.Write("src.bar", "[ButtonBar]\r\nButtonCount=1\r\ncmd1=beside.exe\r\n");
  const std::string viaLink = Folder("lnk") + Sep + ".." + Sep;
  const ProcessResult result = Run({"create", "--bars", "2", "--folder", viaLink + "out", "--app-folder", viaLink + "app",
                                    "--import", "1=" + viaLink + "src.bar"});
  ASSERT_EQ(result.ExitCode, 0) << result.Errors;
  const std::string real = Utf8FromPath(std::filesystem::canonical(other));
  const std::string out = real + Sep + "out";
  EXPECT_EQ(OutputLines(result.Output), (std::vector<std::string>{out + Sep + "Bar_01.bar", out + Sep + "Bar_02.bar"}));
  EXPECT_EQ(ReadBytes(out + Sep + "Bar_02.bar"), Expected(2, 2, out, real + Sep + "app", "Bar_"));
  const IniDocument bar1{ReadBytes(out + Sep + "Bar_01.bar").value_or("")};
  EXPECT_EQ(bar1.Read("ButtonBar", "cmd4", "", 100), "beyond.exe");
}
#endif

// The usage message says what is wrong with a file named for import.
TEST_F(CreateCommandTest, AnImportThatIsNoFileSaysWhatItIs) {
  struct Case {
    std::string File;
    std::string Message;
  };
  const std::vector<Case> cases = {{Utf8FromPath(temp_.Path()), "a folder, not a bar file: "},
                                   {temp_.PathOf("missing.bar"), "file not found: "}};
  for (const Case& c : cases) {
    const ProcessResult result =
        Run({"create", "--bars", "2", "--folder", Folder("out"), "--app-folder", AppFolder(), "--import", "1=" + c.File});
    EXPECT_EQ(result.ExitCode, 2) << result.Errors;
    EXPECT_NE(result.Errors.find(c.Message + c.File), std::string::npos) << result.Errors;
  }
}

// An empty folder argument names no folder: it must not become the root of the drive.
TEST_F(CreateCommandTest, AnEmptyFolderArgumentIsAUsageError) {
  const ProcessResult result = Run({"create", "--bars", "2", "--folder", "", "--app-folder", AppFolder()});
  EXPECT_EQ(result.ExitCode, 2) << result.Errors;
  EXPECT_NE(result.Errors.find("--folder"), std::string::npos) << result.Errors;
  EXPECT_EQ(result.Output, "");
}

TEST_F(CreateCommandTest, ImportsTheLastFileNamedForABar) {
  const std::string first = temp_.Write("first.bar", "[ButtonBar]\r\nButtonCount=1\r\ncmd1=first.exe\r\n");
  const std::string second = temp_.Write("second.bar", "[ButtonBar]\r\nButtonCount=2\r\ncmd1=second.exe\r\n");
  const std::string out = Folder("out");
  // A bar of the set itself can be named once it exists, here from an earlier run.
  ASSERT_EQ(Run({"create", "--bars", "2", "--folder", out, "--app-folder", AppFolder(), "--import", "2=" + first}).ExitCode, 0);
  const ProcessResult result = Run({"create", "--bars", "2", "--folder", out, "--app-folder", AppFolder(), "--import",
                                    "2=" + first, "--import", "2=" + second, "--import", "1=" + out + Sep + "Bar_02.bar",
                                    "--drop-buttons"});
  ASSERT_EQ(result.ExitCode, 0) << result.Errors;
  const IniDocument bar2{ReadBytes(out + Sep + "Bar_02.bar").value()};
  EXPECT_EQ(bar2.Read("ButtonBar", "Buttoncount", "", 100), "5");
  EXPECT_EQ(bar2.Read("ButtonBar", "cmd4", "", 100), "second.exe");
  // Bar 1 imported bar 2 as freshly written in this run, before bar 2's own import (bar order).
  const IniDocument bar1{ReadBytes(out + Sep + "Bar_01.bar").value()};
  EXPECT_EQ(bar1.Read("ButtonBar", "Buttoncount", "", 100), "7");
}

TEST_F(CreateCommandTest, AClampedCountIsAWarningOnStandardError) {
  const std::string many = temp_.Write("many.bar", "[ButtonBar]\r\nButtonCount=99999999\r\ncmd1=x.exe\r\n");
  const std::string out = Folder("out");
  const ProcessResult result =
      Run({"create", "--bars", "2", "--folder", out, "--app-folder", AppFolder(), "--import", "1=" + many});
  ASSERT_EQ(result.ExitCode, 0) << result.Errors;
  EXPECT_EQ(OutputLines(result.Output).size(), 2u);
  EXPECT_NE(result.Errors.find("warning"), std::string::npos);
  EXPECT_NE(result.Errors.find(many), std::string::npos) << result.Errors;
  const IniDocument bar1{ReadBytes(out + Sep + "Bar_01.bar").value()};
  EXPECT_EQ(bar1.Read("ButtonBar", "Buttoncount", "", 100), "32767");
  EXPECT_EQ(bar1.Read("ButtonBar", "cmd4", "", 100), "x.exe");
}

// A file that brings no buttons is a warning naming it, the set written as without it; a file or a
// bar to keep that cannot be read stops the run before any bar is written, naming it and why.
TEST_F(CreateCommandTest, FilesThatBringNoButtonsWarnFilesThatCannotBeReadFail) {
  struct Case {
    const char* Name;
    std::string Bytes;  // "<folder>": a folder of that name
    bool Keep;          // the file is bar 1's own earlier file, kept; else bar 1's import
    int ExitCode;
    const char* Said;   // on standard error, beside the file's path
  };
  const Case cases[] = {
      {"empty.bar", "", false, 0, "holds no button bar"},
      {"picture.bar", "\xFF\xD8\xFF\xE0\x00\x10JFIF", false, 0, "holds no button bar"},
      {"none.bar", "[Buttonbar]\r\nButtoncount=0\r\n", false, 0, "holds no buttons"},
      {"Bar_01.bar", "<folder>", true, 1, "belongs to a folder"},
  };
  for (const Case& c : cases) {
    TempFolder temp;
    const std::string out = temp.PathOf("out");
    std::filesystem::create_directories(PathFromUtf8(out));
    const std::string file = c.Keep ? out + Sep + c.Name : temp.PathOf(c.Name);
    if (c.Bytes == "<folder>") std::filesystem::create_directories(PathFromUtf8(file));
    else test_support::WriteFile(file, c.Bytes);
    std::vector<std::string> arguments{"create", "--bars", "2", "--folder", out, "--app-folder", AppFolder()};
    arguments.push_back(c.Keep ? "--keep-buttons" : "--import");
    if (!c.Keep) arguments.push_back("1=" + file);
    const ProcessResult result = Run(arguments);
    EXPECT_EQ(result.ExitCode, c.ExitCode) << c.Name << ": " << result.Errors;
    EXPECT_NE(result.Errors.find(file), std::string::npos) << c.Name << ": " << result.Errors;
    EXPECT_NE(result.Errors.find(c.Said), std::string::npos) << c.Name << ": " << result.Errors;
    if (c.ExitCode == 0) {
      EXPECT_EQ(OutputLines(result.Output), (std::vector<std::string>{out + Sep + "Bar_01.bar", out + Sep + "Bar_02.bar"}));
      EXPECT_EQ(ReadBytes(out + Sep + "Bar_02.bar"), Expected(2, 2, out, AppFolder(), "Bar_")) << c.Name;
    } else {
      EXPECT_EQ(result.Output, "") << c.Name;
      EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(out + Sep + "Bar_02.bar"))) << c.Name << ": nothing written";
    }
  }
}

TEST_F(CreateCommandTest, AFileThatCannotBeWrittenFailsNamingIt) {
  const std::string out = Folder("out");
  std::filesystem::create_directories(PathFromUtf8(out + Sep + "Bar_02.bar"));
  const ProcessResult result = Run({"create", "--bars", "3", "--folder", out, "--app-folder", AppFolder()});
  EXPECT_EQ(result.ExitCode, 1);
  EXPECT_EQ(OutputLines(result.Output), std::vector<std::string>{out + Sep + "Bar_01.bar"});
  EXPECT_NE(result.Errors.find(out + Sep + "Bar_02.bar"), std::string::npos) << result.Errors;
  EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(out + Sep + "Bar_03.bar")));

  const std::string blocked = temp_.Write("plain file", "x") + Sep + "bars";
  const ProcessResult folder = Run({"create", "--bars", "2", "--folder", blocked, "--app-folder", AppFolder()});
  EXPECT_EQ(folder.ExitCode, 1);
  EXPECT_NE(folder.Errors.find(blocked), std::string::npos) << folder.Errors;
}

TEST_F(CreateCommandTest, DefaultsComeFromBarloomIniWhichStaysUntouched) {
  const std::string stored = Folder("remembered");
  const std::string ini = "[Barloom]\r\nBarFilePrefix=Ini_\r\nLastPath=" + stored + "\r\nMainWindowPosition=1,2\r\n";
  const std::string iniFile = AppFolder() + Sep + "barloom.ini";
  test_support::WriteFile(iniFile, ini);
  const auto before = std::filesystem::last_write_time(PathFromUtf8(iniFile));
  const ProcessResult result = Run({"create", "--bars", "2", "--app-folder", AppFolder()});
  ASSERT_EQ(result.ExitCode, 0) << result.Errors;
  EXPECT_EQ(OutputLines(result.Output),
            (std::vector<std::string>{stored + Sep + "Ini_01.bar", stored + Sep + "Ini_02.bar"}));
  EXPECT_EQ(ReadBytes(iniFile), ini);
  EXPECT_EQ(std::filesystem::last_write_time(PathFromUtf8(iniFile)), before);

  // Arguments win over the file; an empty prefix is a prefix.
  const std::string out = Folder("out");
  const ProcessResult given = Run({"create", "--bars", "2", "--app-folder", AppFolder(), "--folder", out, "--prefix", ""});
  ASSERT_EQ(given.ExitCode, 0) << given.Errors;
  EXPECT_EQ(OutputLines(given.Output), (std::vector<std::string>{out + Sep + "01.bar", out + Sep + "02.bar"}));
  EXPECT_EQ(ReadBytes(iniFile), ini);
}

TEST_F(CreateCommandTest, WithoutBarloomIniTheBarsFolderBesideTheProgram) {
  const ProcessResult result = Run({"create", "--bars", "2", "--app-folder", AppFolder()});
  ASSERT_EQ(result.ExitCode, 0) << result.Errors;
  const std::string bars = AppFolder() + Sep + "bars";
  EXPECT_EQ(OutputLines(result.Output), (std::vector<std::string>{bars + Sep + "Bar_01.bar", bars + Sep + "Bar_02.bar"}));
  EXPECT_EQ(FileNames(PathFromUtf8(AppFolder())), std::vector<std::string>{"bars"});
}

// A program folder that cannot be written and holds no barloom.ini: the settings of the user's
// profile, and the default bars folder beside them.
TEST_F(CreateCommandTest, AReadOnlyProgramFolderReadsTheSettingsOfTheUsersProfile) {
#ifdef _WIN32
  const std::string variable = "APPDATA", subfolder = "Barloom";
#else
  const std::string variable = "XDG_CONFIG_HOME", subfolder = "barloom";
#endif
  const std::string profile = Folder("profile") + Sep + subfolder;
  std::filesystem::create_directories(PathFromUtf8(profile));
  test_support::WriteFile(profile + Sep + "barloom.ini", "[Barloom]\r\nBarFilePrefix=Prof_\r\n");
  if (!test_support::SetFolderWritable(PathFromUtf8(AppFolder()), false)) GTEST_SKIP() << "no folder permission bits here";
  const ProcessResult result = Run({"create", "--bars", "2", "--app-folder", AppFolder()}, {{variable, Folder("profile")}});
  test_support::SetFolderWritable(PathFromUtf8(AppFolder()), true);
  ASSERT_EQ(result.ExitCode, 0) << result.Errors;
  const std::string bars = profile + Sep + "bars";
  EXPECT_EQ(OutputLines(result.Output), (std::vector<std::string>{bars + Sep + "Prof_01.bar", bars + Sep + "Prof_02.bar"}));
  EXPECT_TRUE(FileNames(PathFromUtf8(AppFolder())).empty());
}

TEST_F(CreateCommandTest, AStoredFolderThatIsEmptyOrRelativeLiesBesideTheProgram) {
  // The wizard never creates with an empty folder box; the CLI must not write into the root. A
  // relative folder is the program's, never the current one, and the bars name full paths.
  const struct {
    const char* Stored;
    std::string Expected;
  } cases[] = {{"", AppFolder() + Sep + "bars"}, {"sets", AppFolder() + Sep + "sets"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Stored);
    test_support::WriteFile(AppFolder() + Sep + "barloom.ini", std::string{"[Barloom]\r\nLastPath="} + c.Stored + "\r\n");
    const ProcessResult result = Run({"create", "--bars", "2", "--app-folder", AppFolder()});
    ASSERT_EQ(result.ExitCode, 0) << result.Errors;
    EXPECT_EQ(OutputLines(result.Output),
              (std::vector<std::string>{c.Expected + Sep + "Bar_01.bar", c.Expected + Sep + "Bar_02.bar"}));
    EXPECT_NE(ReadBytes(c.Expected + Sep + "Bar_01.bar").value_or("").find("cmd2=" + c.Expected + Sep + "Bar_02.bar"),
              std::string::npos);
  }
}

TEST_F(CreateCommandTest, FoldsPathsUnderCommanderPath) {
  const std::string out = AppFolder() + Sep + "bars";
  const ProcessResult result = Run({"create", "--bars", "2", "--app-folder", AppFolder(), "--folder", out},
                                   {{"COMMANDER_PATH", Utf8FromPath(temp_.Path())}});
  ASSERT_EQ(result.ExitCode, 0) << result.Errors;
  const std::string bar = ReadBytes(out + Sep + "Bar_01.bar").value();
  const std::string prefix = std::string{"%Commander_Path%"} + Sep;
  EXPECT_NE(bar.find("\r\nbutton1=" + prefix + "app" + Sep + "icons" + Sep + "Dn_01.ico\r\n"), std::string::npos) << bar;
  EXPECT_NE(bar.find("\r\ncmd2=" + prefix + "app" + Sep + "bars" + Sep + "Bar_02.bar\r\n"), std::string::npos) << bar;
  EXPECT_EQ(bar, Expected(2, 1, out, AppFolder(), "Bar_", AddBackslash(Utf8FromPath(temp_.Path()))));
}

// A folder given with "." and ".." steps lies under Total Commander's folder all the same: the
// bars name it in its plain form, folded.
TEST_F(CreateCommandTest, AFolderWithDotStepsIsWrittenPlainAndFolded) {
  const std::string commander = Folder("tc");
  const std::string out = AppFolder() + Sep + "." + Sep + ".." + Sep + "tc" + Sep + "bars";
  const std::string plain = commander + Sep + "bars";
  const ProcessResult result = Run({"create", "--bars", "2", "--app-folder", AppFolder() + Sep + "." + Sep, "--folder", out},
                                   {{"COMMANDER_PATH", commander}});
  ASSERT_EQ(result.ExitCode, 0) << result.Errors;
  EXPECT_EQ(OutputLines(result.Output), (std::vector<std::string>{plain + Sep + "Bar_01.bar", plain + Sep + "Bar_02.bar"}));
  const std::string bar = ReadBytes(plain + Sep + "Bar_01.bar").value_or("");
  EXPECT_NE(bar.find("\r\ncmd2=%Commander_Path%" + std::string(1, Sep) + "bars" + Sep + "Bar_02.bar\r\n"), std::string::npos)
      << bar;
  EXPECT_EQ(bar, Expected(2, 1, plain, AppFolder(), "Bar_", AddBackslash(commander)));
}

TEST_F(CreateCommandTest, AFolderNamedInAnyScript) {
  const std::string out = Folder("Ärger Папка 漢字");
  const ProcessResult result = Run({"create", "--bars", "2", "--folder", out, "--app-folder", AppFolder()});
  ASSERT_EQ(result.ExitCode, 0) << result.Errors;
  EXPECT_EQ(OutputLines(result.Output), (std::vector<std::string>{out + Sep + "Bar_01.bar", out + Sep + "Bar_02.bar"}));
  const auto bar = ReadBytes(out + Sep + "Bar_02.bar");
  ASSERT_TRUE(bar.has_value());
  EXPECT_EQ(*bar, Expected(2, 2, out, AppFolder(), "Bar_"));
  EXPECT_NE(bar->find("cmd1=\xEF\xBB\xBF"), std::string::npos);  // no code page holds all three scripts
}

}  // namespace
}  // namespace barloom
