// Making a bar Total Commander's button bar: which wincmd.ini, which file and section hold each
// key, the edit in each encoding, the backups and the undo. Shapes of wincmd.ini written from what
// its users' files show.
#include "core/bar_install.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "core/commander_config_file.h"
#include "core/commander_ini.h"
#include "core/commander_running.h"
#include "core/current_bar.h"
#include "platform/code_page.h"
#include "platform/file_bytes.h"
#include "tests/core/test_support.h"
#include "tests/support/utf16_bytes.h"

namespace barloom {
namespace {

using core_testing::NativePath;
using test_support::TempFolder;
using test_support::Utf16Bytes;

// Windows-style text ("{T}\tc\wincmd.ini") with the test's folder for {T} and native separators.
std::string In(const TempFolder& temp, std::string_view text) {
  std::string out = NativePath(text);
  for (std::size_t at = out.find("{T}"); at != std::string::npos; at = out.find("{T}", at))
    out.replace(at, 3, temp.Utf8());
  return out;
}

// A file of the test: a name relative to its folder, or a full path.
std::string FileOf(const TempFolder& temp, std::string_view name) {
  const std::string path = In(temp, name);
  return PathFromUtf8(path).is_absolute() ? path : temp.Folder() + path;
}

void Place(const TempFolder& temp, std::string_view name, std::string_view bytes) {
  const std::filesystem::path file = PathFromUtf8(FileOf(temp, name));
  std::filesystem::create_directories(file.parent_path());
  test_support::WriteFileAt(file, In(temp, bytes));
}

std::optional<std::string> Bytes(const TempFolder& temp, std::string_view name) {
  return test_support::ReadFileAt(PathFromUtf8(FileOf(temp, name)));
}

struct Entry {
  std::string Name;
  std::string Value;
};

// The environment and the registry as a test sets them (registry entries "HKCU\IniFileName").
CommanderFolderSources Sources(const TempFolder& temp, std::vector<Entry> environment, std::vector<Entry> registry) {
  std::map<std::string, std::string> env;
  for (const Entry& entry : environment) env[entry.Name] = In(temp, entry.Value);
  std::map<std::string, std::string> values;
  for (const Entry& entry : registry) values[entry.Name] = In(temp, entry.Value);
  return {[env](std::string_view name) -> std::optional<std::string> {
            const auto found = env.find(std::string{name});
            return found == env.end() ? std::nullopt : std::optional<std::string>(found->second);
          },
          [values](RegistryRoot root, std::string_view key, std::string_view name) -> std::optional<std::string> {
            EXPECT_EQ(key, "Software\\Ghisler\\Total Commander");
            const std::string full = std::string(root == RegistryRoot::CurrentUser ? "HKCU\\" : "HKLM\\") + std::string{name};
            const auto found = values.find(full);
            return found == values.end() ? std::nullopt : std::optional<std::string>(found->second);
          }};
}

// ---- Which wincmd.ini ----------------------------------------------------------------------

struct SearchCase {
  const char* Label;
  std::vector<Entry> Environment;
  std::vector<Entry> Registry;
  std::vector<Entry> Files;  // name, bytes
  const char* Found;         // "" for none
  IniRule Rule;
};

const std::string Portable = "[Configuration]\r\nUseIniInProgramDir=7\r\n";
const std::vector<Entry> TcFolder = {{"COMMANDER_PATH", "{T}\\tc"}};
const std::vector<Entry> AllPlaces = {{"COMMANDER_PATH", "{T}\\tc"}, {"APPDATA", "{T}\\roaming"}, {"WINDIR", "{T}\\win"}};

const SearchCase SearchCases[] = {
    {"COMMANDER_INI alone decides, even when missing", {{"COMMANDER_INI", "{T}\\given\\my.ini"}, AllPlaces[0]}, {},
     {{"tc\\wincmd.ini", Portable}}, "{T}\\given\\my.ini", IniRule::CommanderIniVariable},
    {"portable: UseIniInProgramDir=7 beats the registry", TcFolder, {{"HKCU\\IniFileName", "{T}\\reg.ini"}},
     {{"tc\\wincmd.ini", Portable}}, "{T}\\tc\\wincmd.ini", IniRule::ProgramFolder},
    {"bit 1 alone: the program folder's file still comes first", TcFolder, {{"HKCU\\IniFileName", "{T}\\reg.ini"}},
     {{"tc\\wincmd.ini", "[Configuration]\r\nUseIniInProgramDir = 1 ; here\r\n"}}, "{T}\\tc\\wincmd.ini",
     IniRule::ProgramFolder},
    {"a UTF-8 file with its mark is read", TcFolder, {},
     {{"tc\\wincmd.ini", "\xEF\xBB\xBF[Configuration]\r\nUseIniInProgramDir=3\r\n"}}, "{T}\\tc\\wincmd.ini",
     IniRule::ProgramFolder},
    {"a UTF-16 file is read", TcFolder, {},
     {{"tc\\wincmd.ini", "\xFF\xFE" + Utf16Bytes("[Configuration]\r\nUseIniInProgramDir=5\r\n")}},
     "{T}\\tc\\wincmd.ini", IniRule::ProgramFolder},
    {"Total Commander's folder from InstallDir", {}, {{"HKCU\\InstallDir", "{T}\\tc"}},
     {{"tc\\wincmd.ini", Portable}}, "{T}\\tc\\wincmd.ini", IniRule::ProgramFolder},
    {"0: the registry, variables expanded", AllPlaces, {{"HKCU\\IniFileName", "%APPDATA%\\Mine\\tc.ini"}},
     {{"tc\\wincmd.ini", "[Configuration]\r\nUseIniInProgramDir=0\r\n"}}, "{T}\\roaming\\Mine\\tc.ini",
     IniRule::RegistryCurrentUser},
    {"bit 4: the registry is ignored", AllPlaces, {{"HKCU\\IniFileName", "{T}\\reg.ini"}},
     {{"tc\\wincmd.ini", "[Configuration]\r\nUseIniInProgramDir=4\r\n"}, {"roaming\\GHISLER\\wincmd.ini", ""}},
     "{T}\\roaming\\GHISLER\\wincmd.ini", IniRule::AppData},
    {"a registry name without a folder lies in the Windows folder", AllPlaces, {{"HKCU\\IniFileName", "tc.ini"}},
     {}, "{T}\\win\\tc.ini", IniRule::RegistryCurrentUser},
    {"a registry name .\\ lies in Total Commander's folder", AllPlaces, {{"HKLM\\IniFileName", ".\\cfg\\wincmd.ini"}},
     {}, "{T}\\tc\\cfg\\wincmd.ini", IniRule::RegistryLocalMachine},
    {"the current user before the machine", AllPlaces,
     {{"HKLM\\IniFileName", "{T}\\machine.ini"}, {"HKCU\\IniFileName", "{T}\\user.ini"}}, {}, "{T}\\user.ini",
     IniRule::RegistryCurrentUser},
    {"%APPDATA%\\GHISLER when it exists", AllPlaces, {}, {{"roaming\\GHISLER\\wincmd.ini", ""}, {"win\\wincmd.ini", ""}},
     "{T}\\roaming\\GHISLER\\wincmd.ini", IniRule::AppData},
    {"the Windows folder last", AllPlaces, {}, {{"win\\wincmd.ini", ""}}, "{T}\\win\\wincmd.ini",
     IniRule::WindowsFolder},
    {"none at all", AllPlaces, {}, {{"tc\\wincmd.ini", "[Configuration]\r\n"}}, "", IniRule::Chosen},
};

class SearchTable : public ::testing::TestWithParam<SearchCase> {};

TEST_P(SearchTable, FindsTheFileTotalCommanderUses) {
  const SearchCase& c = GetParam();
  const TempFolder temp;
  for (const Entry& file : c.Files) Place(temp, file.Name, file.Value);
  const std::optional<IniLocation> found = FindCommanderIni(Sources(temp, c.Environment, c.Registry));
  if (std::string_view(c.Found).empty()) {
    EXPECT_FALSE(found) << c.Label << ": " << found->File;
    return;
  }
  ASSERT_TRUE(found) << c.Label;
  EXPECT_EQ(found->File, In(temp, c.Found)) << c.Label;
  EXPECT_EQ(found->Rule, c.Rule) << c.Label;
}

INSTANTIATE_TEST_SUITE_P(Rules, SearchTable, ::testing::ValuesIn(SearchCases));

TEST(ExpandVariables, KnownNamesInAnyCaseUnknownOnesKept) {
  const VariableLookup lookup = [](std::string_view name) -> std::optional<std::string> {
    if (name == "COMMANDER_PATH" || name == "commander_path" || name == "Commander_Path") return "C:\\TC";
    return std::nullopt;
  };
  EXPECT_EQ(ExpandVariables("%Commander_Path%\\bars\\%x%y%%commander_path%", lookup), "C:\\TC\\bars\\%x%y%C:\\TC");
  EXPECT_EQ(ExpandVariables("100% sure%", lookup), "100% sure%");
}

// ---- The edit, the backups and the undo, shape by shape --------------------------------------

struct FileBytes {
  std::string Name;
  std::optional<std::string> Bytes;  // nullopt: not there
};

struct ShapeCase {
  const char* Label;
  BarKind Kind;
  const char* Bar;              // the bar file to install
  std::vector<FileBytes> Before;  // wincmd.ini first ("tc\wincmd.ini")
  std::vector<FileBytes> After;   // the files that change; {V} stands for the bar key's value
  const char* Value;            // what the bar key holds afterwards
  bool Marked = false;
};

constexpr const char* InTc = "tc\\bars\\Bar_01.bar";
constexpr const char* Folded = "%Commander_Path%\\bars\\Bar_01.bar";
const std::string Set = "[Configuration]\r\nSetEncoding=\xE4\xF6.do.not.remove\r\nUseIniInProgramDir=7\r\n";

const ShapeCase ShapeCases[] = {
    {"plain ANSI: the two keys replaced, the sibling keys kept", BarKind::Main, InTc,
     {{"tc\\wincmd.ini", Set + "[Buttonbar]\r\nButtonheight=37\r\nButtonbar=%COMMANDER_PATH%\\DEFAULT.BAR\r\nSmallIcons=1"
                               "\r\n[ButtonbarCache]\r\nIconDll_default.bar=x\r\n[Layout]\r\nButtonBar=0\r\nDriveBar1=1\r\n"}},
     {{"tc\\wincmd.ini", Set + "[Buttonbar]\r\nButtonheight=37\r\nButtonbar={V}\r\nSmallIcons=1\r\n[ButtonbarCache]\r\n"
                               "IconDll_default.bar=x\r\n[Layout]\r\nButtonBar=1\r\nDriveBar1=1\r\n"}},
     Folded},
    {"no [Buttonbar], no [Layout]: both added", BarKind::Main, InTc, {{"tc\\wincmd.ini", Set}},
     {{"tc\\wincmd.ini", Set + "[Buttonbar]\r\nButtonbar={V}\r\n[Layout]\r\nButtonBar=1\r\n"}}, Folded},
    {"LF lines: new lines end in LF", BarKind::Main, InTc,
     {{"tc\\wincmd.ini", "[Buttonbar]\nButtonbar=old.bar\n[Left]\npath=c:\\\n"}},
     {{"tc\\wincmd.ini", "[Buttonbar]\nButtonbar={V}\n[Left]\npath=c:\\\n[Layout]\nButtonBar=1\n"}}, Folded},
    {"UTF-16 LE stays UTF-16", BarKind::Main, InTc,
     {{"tc\\wincmd.ini", "\xFF\xFE" + Utf16Bytes("[Buttonbar]\r\nButtonbar=old.bar\r\n[Layout]\r\nButtonBar=0\r\n")}},
     {{"tc\\wincmd.ini", "\xFF\xFE" + Utf16Bytes("[Buttonbar]\r\nButtonbar={V}\r\n[Layout]\r\nButtonBar=1\r\n")}}, Folded},
    {"UTF-8 with its mark: mark and SetEncoding kept", BarKind::Main, InTc,
     {{"tc\\wincmd.ini", "\xEF\xBB\xBF[Configuration]\r\nSetEncoding=\xC3\xA4\xC3\xB6.do.not.remove\r\n"}},
     {{"tc\\wincmd.ini", "\xEF\xBB\xBF[Configuration]\r\nSetEncoding=\xC3\xA4\xC3\xB6.do.not.remove\r\n[Buttonbar]\r\n"
                         "Buttonbar={V}\r\n[Layout]\r\nButtonBar=1\r\n"}},
     Folded},
    {"UTF-8 without mark: a path beyond ASCII is marked, the file stays UTF-8", BarKind::Main,
     "tc\\b\xC3\xA4rs\\Bar_01.bar", {{"tc\\wincmd.ini", "[Configuration]\r\nSetEncoding=\xC3\xA4\xC3\xB6\r\n"}},
     {{"tc\\wincmd.ini", "[Configuration]\r\nSetEncoding=\xC3\xA4\xC3\xB6\r\n[Buttonbar]\r\nButtonbar=\xEF\xBB\xBF{V}\r\n"
                         "[Layout]\r\nButtonBar=1\r\n"}},
     "%Commander_Path%\\b\xC3\xA4rs\\Bar_01.bar", true},
    {"ANSI: a path beyond the code page is marked", BarKind::Main, "tc\\\xD0\x96\\Bar_01.bar",
     {{"tc\\wincmd.ini", "[Buttonbar]\r\nButtonbar=old.bar\r\n"}},
     {{"tc\\wincmd.ini", "[Buttonbar]\r\nButtonbar=\xEF\xBB\xBF{V}\r\n[Layout]\r\nButtonBar=1\r\n"}},
     "%Commander_Path%\\\xD0\x96\\Bar_01.bar", true},
    {"a bar outside Total Commander's folder: its full path", BarKind::Main, "other\\Bar_01.bar",
     {{"tc\\wincmd.ini", "[Layout]\r\nButtonBar=1\r\n"}},
     {{"tc\\wincmd.ini", "[Layout]\r\nButtonBar=1\r\n[Buttonbar]\r\nButtonbar={V}\r\n"}}, "{T}\\other\\Bar_01.bar"},
    {"vertical bar", BarKind::Vertical, InTc,
     {{"tc\\wincmd.ini", "[Buttonbar]\r\nButtonbar=main.bar\r\n[Layout]\r\nButtonBar=1\r\nButtonBarVertical=0\r\n"}},
     {{"tc\\wincmd.ini", "[Buttonbar]\r\nButtonbar=main.bar\r\n[Layout]\r\nButtonBar=1\r\nButtonBarVertical=1\r\n"
                         "[ButtonbarVertical]\r\nButtonbar={V}\r\n"}},
     Folded},
    {"RedirectSection=<file>: the bar key there, [Layout] here", BarKind::Main, InTc,
     {{"tc\\wincmd.ini", "[Buttonbar]\r\nRedirectSection=bars.ini\r\n[Layout]\r\nButtonBar=0\r\n"},
      {"tc\\bars.ini", "[Buttonbar]\r\nButtonbar=old.bar\r\n"}},
     {{"tc\\wincmd.ini", "[Buttonbar]\r\nRedirectSection=bars.ini\r\n[Layout]\r\nButtonBar=1\r\n"},
      {"tc\\bars.ini", "[Buttonbar]\r\nButtonbar={V}\r\n"}},
     Folded},
    {"RedirectSection=1: the AlternateUserIni file, made when missing", BarKind::Main, InTc,
     {{"tc\\wincmd.ini",
       "[Configuration]\r\nAlternateUserIni=%COMMANDER_INI_PATH%\\user.ini\r\n[Buttonbar]\r\nRedirectSection=1\r\n"},
      {"tc\\user.ini", std::nullopt}},
     {{"tc\\wincmd.ini", "[Configuration]\r\nAlternateUserIni=%COMMANDER_INI_PATH%\\user.ini\r\n[Buttonbar]\r\n"
                         "RedirectSection=1\r\n[Layout]\r\nButtonBar=1\r\n"},
      {"tc\\user.ini", "[Buttonbar]\r\nButtonbar={V}\r\n"}},
     Folded},
    {"AlternateUserIni alone: the bar sections go there, [Layout] stays", BarKind::Vertical, InTc,
     {{"tc\\wincmd.ini", "[Configuration]\r\nAlternateUserIni=user.ini\r\n[Layout]\r\nButtonBarVertical=1\r\n"},
      {"tc\\user.ini", "[ButtonbarVertical]\r\nButtonbar=v.bar\r\nButtonheight=30\r\n"}},
     {{"tc\\user.ini", "[ButtonbarVertical]\r\nButtonbar={V}\r\nButtonheight=30\r\n"}}, Folded},
    {"RedirectSection=0 keeps the section here", BarKind::Main, InTc,
     {{"tc\\wincmd.ini", "[Configuration]\r\nAlternateUserIni=user.ini\r\n[Buttonbar]\r\nRedirectSection=0\r\n"
                         "Buttonbar=old.bar\r\n[Layout]\r\nButtonBar=1\r\n"},
      {"tc\\user.ini", "[Buttonbar]\r\nButtonbar=never.bar\r\n"}},
     {{"tc\\wincmd.ini", "[Configuration]\r\nAlternateUserIni=user.ini\r\n[Buttonbar]\r\nRedirectSection=0\r\n"
                         "Buttonbar={V}\r\n[Layout]\r\nButtonBar=1\r\n"}},
     Folded},
    {"installed already: nothing written", BarKind::Main, InTc,
     {{"tc\\wincmd.ini", "[Buttonbar]\r\nButtonbar=%Commander_Path%\\bars\\Bar_01.bar\r\n[Layout]\r\nButtonBar=1\r\n"}}, {},
     Folded},
    {"the bar in another spelling stays: only [Layout] changes", BarKind::Main, InTc,
     {{"tc\\wincmd.ini", "[Buttonbar]\r\nButtonbar={T}\\tc\\.\\bars\\Bar_01.bar\r\n[Layout]\r\nButtonBar=0\r\n"}},
     {{"tc\\wincmd.ini", "[Buttonbar]\r\nButtonbar={T}\\tc\\.\\bars\\Bar_01.bar\r\n[Layout]\r\nButtonBar=1\r\n"}},
     "{T}\\tc\\.\\bars\\Bar_01.bar"},
};

class ShapeTable : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(ShapeTable, InstallChangesTheTwoKeysAndUndoPutsBackEveryByte) {
  const ShapeCase& c = GetParam();
  const TempFolder temp;
  for (const FileBytes& file : c.Before)
    if (file.Bytes) Place(temp, file.Name, *file.Bytes);
  Place(temp, c.Bar, "[Buttonbar]\r\nButtoncount=0\r\n");
  const std::string ini = FileOf(temp, c.Before.front().Name);
  const InstallRequest request{ini, FileOf(temp, c.Bar), c.Kind, AddBackslash(In(temp, "{T}\\tc")),
                               Sources(temp, {}, {}), [] { return false; }};
  const std::string value = In(temp, c.Value);
  // What a file holds before, and after the install: {V} is the value, in UTF-16 in a UTF-16 file.
  const auto before = [&](const FileBytes& file) {
    return file.Bytes ? std::optional<std::string>(In(temp, *file.Bytes)) : std::nullopt;
  };
  const auto after = [&](const FileBytes& file) {
    std::optional<std::string> expected = before(file);
    for (const FileBytes& changed : c.After) {
      if (changed.Name != file.Name) continue;
      expected = In(temp, *changed.Bytes);
      const bool utf16 = expected->starts_with("\xFF\xFE");
      const std::string mark = utf16 ? Utf16Bytes("{V}") : "{V}";
      const std::size_t at = expected->find(mark);
      if (at != std::string::npos) expected->replace(at, mark.size(), utf16 ? Utf16Bytes(value) : value);
    }
    return expected;
  };

  const InstallResult installed = InstallBar(request);
  ASSERT_FALSE(installed.Error) << c.Label << ": " << installed.Error->File;
  for (const FileBytes& file : c.Before) {
    EXPECT_EQ(Bytes(temp, file.Name), after(file)) << c.Label << ": " << file.Name;
    // Each changed file's earlier bytes beside it ("" for a file that was not there).
    const bool changed = after(file) != before(file);
    EXPECT_EQ(Bytes(temp, file.Name + ".barloom-backup"),
              changed ? std::optional<std::string>(before(file).value_or("")) : std::nullopt)
        << c.Label << ": " << file.Name;
  }
  if (c.After.empty()) {
    EXPECT_TRUE(installed.Changes.empty()) << c.Label;
    EXPECT_FALSE(CanUndo(ini)) << c.Label;
    return;
  }
  ASSERT_FALSE(installed.Changes.empty()) << c.Label;
  for (const KeyChange& change : installed.Changes) {
    const bool barKey = change.Place.Key == "Buttonbar";
    EXPECT_EQ(change.After, barKey ? value : "1") << c.Label;
    EXPECT_EQ(change.Marked, barKey && c.Marked) << c.Label;
  }
  const std::optional<CurrentBar> now =
      ReadCurrentBar(ini, c.Kind, CommanderVariables(ini, request.CommanderFolder, request.Sources));
  ASSERT_TRUE(now) << c.Label;
  EXPECT_EQ(now->File, value) << c.Label;
  EXPECT_EQ(now->Shown, "1") << c.Label;

  ASSERT_TRUE(CanUndo(ini)) << c.Label;
  const InstallResult undone = UndoInstall(ini, [] { return false; });
  ASSERT_FALSE(undone.Error) << c.Label;
  for (const FileBytes& file : c.Before)
    EXPECT_EQ(Bytes(temp, file.Name), before(file).value_or("")) << c.Label << ": undone " << file.Name;
  EXPECT_FALSE(CanUndo(ini)) << c.Label;
  EXPECT_EQ(UndoInstall(ini, [] { return false; }).Error->Problem, InstallProblem::NothingToUndo);
}

INSTANTIATE_TEST_SUITE_P(Shapes, ShapeTable, ::testing::ValuesIn(ShapeCases));

// ---- What the shapes do not show ----------------------------------------------------------

class InstallTest : public ::testing::Test {
 protected:
  void SetUp() override { Place(temp_, InTc, "[Buttonbar]\r\nButtoncount=0\r\n"); }
  InstallRequest Request(BarKind kind = BarKind::Main) const {
    return {ini_, FileOf(temp_, InTc), kind, AddBackslash(In(temp_, "{T}\\tc")), Sources(temp_, {}, {}), [] { return false; }};
  }

  const TempFolder temp_;
  const std::string ini_ = In(temp_, "{T}\\tc\\wincmd.ini");
};

// Total Commander may change any key after the install; undo puts back only what the install
// changed.
TEST_F(InstallTest, UndoAfterTotalCommanderChangedOtherKeysKeepsThem) {
  Place(temp_, ini_, "[Buttonbar]\r\nButtonbar=old.bar\r\n[Layout]\r\nButtonBar=0\r\n[Left]\r\npath=c:\r\n");
  ASSERT_FALSE(InstallBar(Request()).Error);
  std::string changed = *Bytes(temp_, ini_);
  CommanderConfigFile edited{changed};
  edited.Write("Left", "path", "d:work");
  edited.Write("ButtonbarVertical", "Buttonbar", "v.bar");
  edited.Write("Layout", "ButtonBarVertical", "1");
  Place(temp_, ini_, edited.Bytes());
  ASSERT_FALSE(UndoInstall(ini_, [] { return false; }).Error);
  EXPECT_EQ(Bytes(temp_, ini_), "[Buttonbar]\r\nButtonbar=old.bar\r\n[Layout]\r\nButtonBar=0\r\nButtonBarVertical=1\r\n"
                                "[Left]\r\npath=d:work\r\n[ButtonbarVertical]\r\nButtonbar=v.bar\r\n");
}

// A package manager keeps wincmd.ini as a hard link into a folder of its own.
TEST_F(InstallTest, AHardLinkStaysLinked) {
  Place(temp_, "{T}\\persist\\wincmd.ini", "[Layout]\r\nButtonBar=1\r\n");
  std::filesystem::create_hard_link(PathFromUtf8(In(temp_, "{T}\\persist\\wincmd.ini")), PathFromUtf8(ini_));
  ASSERT_FALSE(InstallBar(Request()).Error);
  EXPECT_TRUE(IsSameFile(PathFromUtf8(ini_), PathFromUtf8(In(temp_, "{T}\\persist\\wincmd.ini"))));
  EXPECT_EQ(Bytes(temp_, "{T}\\persist\\wincmd.ini"),
            In(temp_, "[Layout]\r\nButtonBar=1\r\n[Buttonbar]\r\nButtonbar=%Commander_Path%\\bars\\Bar_01.bar\r\n"));
}

TEST_F(InstallTest, WhatCannotBeChangedIsLeftAsItWas) {
  const std::string before = "[Buttonbar]\r\nButtonbar=old.bar\r\n[Layout]\r\nButtonBar=1\r\n";
  Place(temp_, ini_, before);
  test_support::SetWritable(PathFromUtf8(ini_), false);
  InstallResult result = InstallBar(Request());
  ASSERT_TRUE(result.Error);
  EXPECT_EQ(result.Error->Problem, InstallProblem::FileNotWritten);
  EXPECT_EQ(result.Error->Reason, WriteFailureReason::FileReadOnly);
  EXPECT_TRUE(result.Changes.empty());
  EXPECT_FALSE(Bytes(temp_, ini_ + ".barloom-backup"));  // refused before anything was written
  test_support::SetWritable(PathFromUtf8(ini_), true);
  EXPECT_EQ(Bytes(temp_, ini_), before);

  InstallRequest running = Request();
  running.Running = [] { return true; };
  EXPECT_EQ(InstallBar(running).Error->Problem, InstallProblem::CommanderRunning);
  EXPECT_EQ(UndoInstall(ini_, [] { return true; }).Error->Problem, InstallProblem::CommanderRunning);
  InstallRequest noBar = Request();
  noBar.BarFile += ".gone";
  EXPECT_EQ(InstallBar(noBar).Error->Problem, InstallProblem::BarMissing);
  InstallRequest noIni = Request();
  noIni.Ini += ".gone";
  EXPECT_EQ(InstallBar(noIni).Error->Problem, InstallProblem::IniMissing);
  EXPECT_EQ(Bytes(temp_, ini_), before);
  EXPECT_EQ(UndoInstall(ini_, [] { return false; }).Error->Problem, InstallProblem::NothingToUndo);
}

// One generation: the backup holds the bytes before the last install that changed the file.
TEST_F(InstallTest, TheBackupIsOfTheLastInstallThatChangedSomething) {
  const std::string first = "[Layout]\r\nButtonBar=0\r\n";
  Place(temp_, ini_, first);
  ASSERT_FALSE(InstallBar(Request(BarKind::Main)).Error);
  const std::string afterMain = *Bytes(temp_, ini_);
  ASSERT_FALSE(InstallBar(Request(BarKind::Main)).Error);  // nothing to change
  EXPECT_EQ(Bytes(temp_, ini_ + ".barloom-backup"), first);
  ASSERT_FALSE(InstallBar(Request(BarKind::Vertical)).Error);
  EXPECT_EQ(Bytes(temp_, ini_ + ".barloom-backup"), afterMain);
  ASSERT_FALSE(UndoInstall(ini_, [] { return false; }).Error);  // the vertical install only
  EXPECT_EQ(Bytes(temp_, ini_), afterMain);
}

TEST(CommanderRunning, TheProcessDecidesNotTheWindowClass) {
  const struct {
    std::vector<std::string> Programs;
    bool Running;
  } cases[] = {
      {{}, false},
      {{"C:\\totalcmd\\TOTALCMD64.EXE"}, true},
      {{"C:\\totalcmd\\totalcmd.exe"}, true},
      {{"C:\\Program Files\\Double Commander\\doublecmd.exe"}, false},
      {{"C:\\x\\doublecmd.exe", "D:\\tc\\TotalCmd64.exe"}, true},
      {{"C:\\x\\TOTALCMD64.EXE.bak"}, false},
  };
  for (const auto& c : cases) {
    std::string asked;
    const bool running = CommanderRunning([&](std::string_view windowClass) {
      asked = windowClass;
      return c.Programs;
    });
    EXPECT_EQ(running, c.Running) << (c.Programs.empty() ? "none" : c.Programs.back());
    EXPECT_EQ(asked, "TTOTAL_CMD");
  }
}

}  // namespace
}  // namespace barloom
