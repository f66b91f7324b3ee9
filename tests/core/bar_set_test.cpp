#include "core/bar_set.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/bar_layout.h"
#include "platform/path_text.h"
#include "tests/core/test_support.h"

#ifdef _WIN32
#include <share.h>
#include <stdio.h>
#endif

namespace barloom {
namespace {

using core_testing::NativePath;
using core_testing::RecordingProgress;
using core_testing::Windows1252;
using test_support::FileNames;
using test_support::ReadBytes;
using test_support::SetWritable;
using test_support::TempFolder;

BarSetOptions Options(std::string_view appFolder, std::string_view prefix = "Bar_") {
  BarSetOptions options;
  options.AppFolder = std::string{appFolder};
  options.BarFilePrefix = std::string{prefix};
  options.CodePage = Windows1252;
  return options;
}

WizardState SetOf(int count, std::string saveFolder) {
  WizardState state;
  state.BarCount = static_cast<std::int16_t>(count);
  state.SaveFolder = std::move(saveFolder);
  return state;
}

TEST(GeneratedSet, WritesEveryBarAsLaidOutAndMovesTheProgress) {
  TempFolder temp;
  WizardState state = SetOf(3, temp.Folder());
  RecordingProgress display;
  const BuildResult result = WriteBarFiles(state, Options(NativePath("C:\\App\\"), "Set_"), display);

  ASSERT_FALSE(result.Error) << MessageOf(*result.Error);
  EXPECT_EQ(result.WrittenFiles, (std::vector<std::string>{temp.PathOf("Set_01.bar"), temp.PathOf("Set_02.bar"),
                                                           temp.PathOf("Set_03.bar")}));
  for (int bar = 1; bar <= 3; ++bar)
    EXPECT_EQ(ReadBytes(result.Paths.BarFiles[bar]), GeneratedBarBytes(result.Paths, bar, std::nullopt, Windows1252));
  EXPECT_EQ(FileNames(temp.Path()), (std::vector<std::string>{"Set_01.bar", "Set_02.bar", "Set_03.bar"}));
  EXPECT_EQ(display.Calls,
            (std::vector<std::string>{"value 1", "max 5", "show", "value 2", "value 3", "value 4", "hide"}));
  EXPECT_FALSE(display.Visible);
}

TEST(GeneratedSet, EmptyPrefixAndReplacingAnOlderLongerFile) {
  TempFolder temp;
  temp.Write("01.bar", std::string(100000, 'x'));
  WizardState state = SetOf(2, temp.Folder());
  RecordingProgress display;
  const BuildResult result = WriteBarFiles(state, Options(NativePath("C:\\App\\"), ""), display);
  ASSERT_FALSE(result.Error);
  EXPECT_EQ(ReadBytes(temp.PathOf("01.bar")), GeneratedBarBytes(result.Paths, 1, std::nullopt, Windows1252));
  EXPECT_TRUE(std::filesystem::exists(temp.Path() / "02.bar"));
}

TEST(GeneratedSet, CreatesAMissingSaveFolderWithItsParents) {
  TempFolder temp;
  const std::string folder = temp.Folder() + NativePath("new\\deeper\\Bars");  // no separator at the end
  WizardState state = SetOf(2, folder);
  RecordingProgress display;
  const BuildResult result = WriteBarFiles(state, Options(NativePath("C:\\App\\")), display);
  ASSERT_FALSE(result.Error) << MessageOf(*result.Error);
  EXPECT_EQ(result.Paths.SaveFolder, folder + PathSeparator);
  EXPECT_TRUE(std::filesystem::is_regular_file(PathFromUtf8(folder + PathSeparator + "Bar_02.bar")));
}

TEST(GeneratedSet, ASaveFolderThatCannotBeCreatedIsNamed) {
  TempFolder temp;
  const std::string blocker = temp.Write("plain-file", "x");
  WizardState state = SetOf(2, blocker + PathSeparator + "Bars" + PathSeparator);
  RecordingProgress display;
  const BuildResult result = WriteBarFiles(state, Options(NativePath("C:\\App\\")), display);
  ASSERT_TRUE(result.Error);
  EXPECT_EQ(result.Error->File, state.SaveFolder);
  EXPECT_FALSE(result.Error->Detail.empty());
  EXPECT_TRUE(result.WrittenFiles.empty());
}

// The second bar cannot be written: the run stops there with its name, bar 1 stays whole, bar 3 is
// not written, and no temporary file is left behind.
void ExpectStopsAtBarTwo(TempFolder& temp, const std::vector<std::string>& expectedEntries) {
  WizardState state = SetOf(3, temp.Folder());
  state.ImportFiles[1] = temp.PathOf("Bar_03.bar");
  RecordingProgress display;
  const BuildResult result = BuildBarSet(state, Options(NativePath("C:\\App\\")), display);
  ASSERT_TRUE(result.Error);
  EXPECT_EQ(result.Error->File, temp.PathOf("Bar_02.bar"));
  EXPECT_TRUE(result.Error->Reason || !result.Error->Detail.empty()) << "the error says why";
  EXPECT_NE(MessageOf(*result.Error).find(temp.PathOf("Bar_02.bar")), std::string::npos);
  EXPECT_EQ(result.WrittenFiles, std::vector<std::string>{temp.PathOf("Bar_01.bar")});
  // No import into a set that is not whole: bar 1 is exactly as generated.
  EXPECT_EQ(ReadBytes(temp.PathOf("Bar_01.bar")), GeneratedBarBytes(result.Paths, 1, std::nullopt, Windows1252));
  EXPECT_EQ(FileNames(temp.Path()), expectedEntries);
  EXPECT_FALSE(display.Visible);
}

TEST(BuildBarSet, ANameTakenByAFolderStopsTheRun) {
  TempFolder temp;
  std::filesystem::create_directory(temp.Path() / "Bar_02.bar");
  ExpectStopsAtBarTwo(temp, {"Bar_01.bar", "Bar_02.bar"});
}

TEST(BuildBarSet, AReadOnlyFileStopsTheRunAndKeepsItsContent) {
  TempFolder temp;
  const std::string old = temp.Write("Bar_02.bar", "old content\r\n");
  SetWritable(PathFromUtf8(old), false);
  ExpectStopsAtBarTwo(temp, {"Bar_01.bar", "Bar_02.bar"});
  EXPECT_EQ(ReadBytes(old), "old content\r\n");
  SetWritable(PathFromUtf8(old), true);
}

#ifdef _WIN32
TEST(BuildBarSet, AFileHeldOpenByAnotherProgramStopsTheRun) {
  TempFolder temp;
  const std::string old = temp.Write("Bar_02.bar", "old content\r\n");
  FILE* held = _wfsopen(PathFromUtf8(old).c_str(), L"rb", _SH_DENYRW);
  ASSERT_NE(held, nullptr);
  ExpectStopsAtBarTwo(temp, {"Bar_01.bar", "Bar_02.bar"});
  fclose(held);
  EXPECT_EQ(ReadBytes(old), "old content\r\n");
}
#else
// A folder's read-only attribute does not protect its files on Windows; on other systems its
// permission bits do, for every user.
TEST(BuildBarSet, AReadOnlySaveFolderStopsTheRunAtTheFirstBar) {
  TempFolder temp;
  const std::string folder = temp.PathOf("locked");
  std::filesystem::create_directory(PathFromUtf8(folder));
  const std::string file = folder + PathSeparator + "Bar_01.bar";
  test_support::WriteFile(file, "old\r\n");
  SetWritable(PathFromUtf8(folder), false);
  WizardState state = SetOf(2, AddBackslash(folder));
  RecordingProgress display;
  const BuildResult result = BuildBarSet(state, Options(NativePath("C:\\App\\")), display);
  ASSERT_TRUE(result.Error);
  EXPECT_EQ(result.Error->File, file);
  EXPECT_TRUE(result.WrittenFiles.empty());
  EXPECT_EQ(ReadBytes(file), "old\r\n");
  EXPECT_EQ(FileNames(PathFromUtf8(folder)), std::vector<std::string>{"Bar_01.bar"});
}
#endif

// A prefix is part of a file name: a separator in it would write elsewhere ("..\\" even outside
// the save folder), a character Windows refuses would fail or, for ':', hide the bar in a stream
// of another file, and a line break would break the lines of every bar. Nothing is written, and
// the error names the first bar's file.
TEST(GeneratedSet, APrefixThatCannotBeginAFileNameWritesNothing) {
  const std::vector<std::string> refused = {"a/b", "a\\b", "../up", "..\\up", "a:b", "a*b", "a?b", "a\"b",
                                            "a<b", "a>b", "a|b", "a\nb", "a\rb", "a\tb", std::string("a\0b", 3)};
  for (const std::string& prefix : refused) {
    TempFolder temp;
    const std::string folder = temp.Folder() + "bars" + PathSeparator;
    WizardState state = SetOf(2, folder);
    RecordingProgress display;
    const BuildResult result = WriteBarFiles(state, Options(NativePath("C:\\App\\"), prefix), display);
    ASSERT_TRUE(result.Error) << prefix;
    EXPECT_EQ(result.Error->File, folder + prefix + "01.bar") << prefix;
    EXPECT_EQ(result.Error->Problem, FileProblem::PrefixHasForbiddenCharacter) << prefix;
    EXPECT_TRUE(result.WrittenFiles.empty()) << prefix;
    EXPECT_TRUE(FileNames(temp.Path()).empty()) << prefix;
  }
  // Letters of any script, blanks, dots and the like are fine.
  for (const std::string prefix : {"\u0416_", " a.b-c (1) ", "%x%#"}) {
    TempFolder temp;
    WizardState state = SetOf(2, temp.Folder());
    RecordingProgress display;
    const BuildResult result = WriteBarFiles(state, Options(NativePath("C:\\App\\"), prefix), display);
    ASSERT_FALSE(result.Error) << MessageOf(*result.Error);
    EXPECT_EQ(FileNames(temp.Path()), (std::vector<std::string>{prefix + "01.bar", prefix + "02.bar"}));
  }
}

// A folder name may hold a line break where the file system allows it; written into a bar it
// would end the line and start a made-up one. No bar is written rather than a broken one.
TEST(GeneratedSet, AFolderWithALineBreakInItsNameWritesNoBrokenBar) {
  struct Case {
    std::string SaveFolderName;
    std::string AppFolder;
  };
  const std::vector<Case> cases = {{"bars", NativePath("C:\\App\nicons\\")}, {"line\nbreak", NativePath("C:\\App\\")},
                                   {"carriage\rreturn", NativePath("C:\\App\\")}};
  for (const Case& c : cases) {
    TempFolder temp;
    WizardState state = SetOf(2, temp.Folder() + c.SaveFolderName + PathSeparator);
    RecordingProgress display;
    const BuildResult result = WriteBarFiles(state, Options(c.AppFolder), display);
    ASSERT_TRUE(result.Error) << c.SaveFolderName;
    EXPECT_TRUE(result.WrittenFiles.empty());
    for (const auto& entry : std::filesystem::recursive_directory_iterator(temp.Path()))
      EXPECT_FALSE(entry.is_regular_file()) << Utf8FromPath(entry.path());
  }
}

// Names the file system refuses outright (a folder name longer than any file system allows)
// are an error like any other, never an exception.
TEST(GeneratedSet, AFolderNameTooLongForTheFileSystemIsNamed) {
  TempFolder temp;
  WizardState state = SetOf(2, temp.Folder() + std::string(300, 'y') + PathSeparator);
  const std::string folder = state.SaveFolder;
  RecordingProgress display;
  BuildResult result;
  ASSERT_NO_THROW(result = WriteBarFiles(state, Options(NativePath("C:\\App\\")), display));
  ASSERT_TRUE(result.Error);
  EXPECT_EQ(result.Error->File, folder);
  EXPECT_TRUE(result.WrittenFiles.empty());
}

// An empty save folder names no folder; it must not become the root of the drive.
TEST(GeneratedSet, NoSaveFolderWritesNothing) {
  WizardState state = SetOf(2, "");
  RecordingProgress display;
  const BuildResult result = WriteBarFiles(state, Options(NativePath("C:\\App\\")), display);
  ASSERT_TRUE(result.Error);
  EXPECT_TRUE(result.WrittenFiles.empty());
  EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(std::string(1, PathSeparator) + "Bar_01.bar")));
}

TEST(GeneratedSet, ABarCountOutsideTheRangeWritesNothing) {
  TempFolder temp;
  for (const int count : {1, 21}) {
    WizardState state = SetOf(count, temp.Folder());
    RecordingProgress display;
    const BuildResult result = WriteBarFiles(state, Options(NativePath("C:\\App\\")), display);
    EXPECT_TRUE(result.Error);
    EXPECT_TRUE(FileNames(temp.Path()).empty());
  }
}

}  // namespace
}  // namespace barloom
