// Every way the building of a set can fail or warn names its problem and the file concerned, so
// that the user is told in their own language what happened and where.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <variant>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "core/bar_set.h"
#include "platform/path_text.h"
#include "tests/core/test_support.h"

namespace barloom {
namespace {

using core_testing::NativePath;
using core_testing::RecordingProgress;
using test_support::TempFolder;

constexpr char Sep = PathSeparator;

struct Case {
  const char* Name;
  // Adjusts a set of 2 bars in temp's "bars" folder; gives the file the problem must name.
  std::function<std::string(const TempFolder& temp, WizardState& state, BarSetOptions& options)> Arrange;
  std::variant<FileProblem, ImportProblem> Expected;
  // Why, besides the problem: a reason the program words itself, or the system's own words (or,
  // for a name Windows refuses, the part of it in quotation marks).
  std::optional<WriteFailureReason> Reason;
  std::string Detail;  // "*": any non-empty text
  int ButtonsImported = 0;
};

TEST(BuildProblems, EachNamesItsProblemAndFile) {
  const std::vector<Case> cases = {
      {"bar count out of range",
       [](const TempFolder&, WizardState& state, BarSetOptions&) {
         state.BarCount = 21;
         return state.SaveFolder;
       },
       FileProblem::BarCountOutOfRange},
      {"no save folder",
       [](const TempFolder&, WizardState& state, BarSetOptions&) {
         state.SaveFolder.clear();
         return std::string{};
       },
       FileProblem::NoSaveFolder},
      {"prefix with a forbidden character",
       [](const TempFolder&, WizardState& state, BarSetOptions& options) {
         options.BarFilePrefix = "a|b";
         return state.SaveFolder + "a|b01.bar";
       },
       FileProblem::PrefixHasForbiddenCharacter},
      {"line break in the save folder's name",
       [](const TempFolder& temp, WizardState& state, BarSetOptions&) {
         state.SaveFolder = temp.Folder() + "line\nbreak" + Sep;
         return state.SaveFolder;
       },
       FileProblem::LineBreakInFolderName},
      {"line break in the program folder's name",
       [](const TempFolder&, WizardState&, BarSetOptions& options) {
         options.AppFolder = NativePath("C:\\App\r\\");
         return options.AppFolder;
       },
       FileProblem::LineBreakInFolderName},
      {"a file in the way of the save folder",
       [](const TempFolder& temp, WizardState& state, BarSetOptions&) {
         state.SaveFolder = temp.Write("plain file", "x") + Sep + "bars" + Sep;
         return state.SaveFolder;
       },
       FileProblem::SaveFolderNotCreated, WriteFailureReason::NameIsFile, "*"},
      {"a prefix that makes the names too long",
       [](const TempFolder&, WizardState& state, BarSetOptions& options) {
         options.BarFilePrefix = std::string(250, 'p');
         return state.SaveFolder + options.BarFilePrefix + "01.bar";
       },
       FileProblem::BarFileNotWritten, WriteFailureReason::FileNameTooLong},
      {"a folder name with a character Windows refuses",
       [](const TempFolder& temp, WizardState& state, BarSetOptions&) {
         state.SaveFolder = temp.Folder() + "what?" + Sep + "bars" + Sep;
         return state.SaveFolder;
       },
       FileProblem::SaveFolderNotCreated, WriteFailureReason::InvalidCharacters, "\"what?\""},
      {"a folder in the way of a bar file",
       [](const TempFolder&, WizardState& state, BarSetOptions&) {
         std::filesystem::create_directories(PathFromUtf8(state.SaveFolder + "Bar_02.bar"));
         return state.SaveFolder + "Bar_02.bar";
       },
       FileProblem::BarFileNotWritten, WriteFailureReason::NameIsFolder},
      {"a folder name ending in a dot",
       [](const TempFolder& temp, WizardState& state, BarSetOptions&) {
         state.SaveFolder = temp.Folder() + "bars." + Sep + "sub" + Sep;
         return state.SaveFolder;
       },
       FileProblem::FolderNameEndsInSpaceOrDot, std::nullopt, "\"bars.\""},
      {"a folder name that is a device's",
       [](const TempFolder& temp, WizardState& state, BarSetOptions&) {
         state.SaveFolder = temp.Folder() + "Com1.bars" + Sep;
         return state.SaveFolder;
       },
       FileProblem::FolderNameIsDeviceName, std::nullopt, "\"Com1.bars\""},
#ifndef _WIN32
      // A folder's read-only attribute does not protect its files on Windows.
      {"a read-only save folder",
       [](const TempFolder&, WizardState& state, BarSetOptions&) {
         std::filesystem::create_directories(PathFromUtf8(state.SaveFolder));
         test_support::SetWritable(PathFromUtf8(state.SaveFolder), false);
         return state.SaveFolder + "Bar_01.bar";
       },
       FileProblem::BarFileNotWritten, WriteFailureReason::FolderReadOnly},
      // Nothing is created in a folder without write permission, by root neither.
      {"a read-only folder above the save folder",
       [](const TempFolder& temp, WizardState& state, BarSetOptions&) {
         state.SaveFolder = temp.Folder() + "locked" + Sep + "bars" + Sep;
         std::filesystem::create_directory(PathFromUtf8(temp.Folder() + "locked"));
         test_support::SetWritable(PathFromUtf8(temp.Folder() + "locked"), false);
         return state.SaveFolder;
       },
       FileProblem::SaveFolderNotCreated, WriteFailureReason::FolderReadOnly},
      {"a save folder that is a link to nothing",
       [](const TempFolder& temp, WizardState& state, BarSetOptions&) {
         std::filesystem::create_symlink(temp.Path() / "gone", temp.Path() / "link");
         state.SaveFolder = temp.Folder() + "link" + Sep;
         return temp.Folder() + "link";
       },
       FileProblem::FolderIsBrokenLink},
      {"a folder above the save folder that is a link to nothing",
       [](const TempFolder& temp, WizardState& state, BarSetOptions&) {
         std::filesystem::create_symlink(temp.Path() / "gone" / "deeper", temp.Path() / "link");
         state.SaveFolder = temp.Folder() + "link" + Sep + "bars" + Sep;
         return temp.Folder() + "link";
       },
       FileProblem::FolderIsBrokenLink},
#endif
      {"an import naming more buttons than a bar holds",
       [](const TempFolder& temp, WizardState& state, BarSetOptions&) {
         state.ImportFiles[2] = temp.Write("many.bar", "[ButtonBar]\r\nButtonCount=99999999\r\n");
         return state.ImportFiles[2];
       },
       ImportProblem::ButtonCountClamped, std::nullopt, "", 32767 - 3},
      {"an import source that is gone",
       [](const TempFolder& temp, WizardState& state, BarSetOptions&) {
         state.ImportFiles[1] = temp.PathOf("vanished.bar");
         return state.ImportFiles[1];
       },
       FileProblem::SourceNotRead, WriteFailureReason::FileMissing},
      {"an import source that is a folder",
       [](const TempFolder& temp, WizardState& state, BarSetOptions&) {
         std::filesystem::create_directory(temp.Path() / "folder.bar");
         state.ImportFiles[2] = temp.PathOf("folder.bar");
         return state.ImportFiles[2];
       },
       FileProblem::SourceNotRead, WriteFailureReason::NameIsFolder},
#ifndef _WIN32
      {"an import source that is a named pipe",
       [](const TempFolder& temp, WizardState& state, BarSetOptions&) {
         state.ImportFiles[2] = temp.PathOf("pipe.bar");
         EXPECT_EQ(::mkfifo(state.ImportFiles[2].c_str(), 0600), 0);
         return state.ImportFiles[2];
       },
       FileProblem::SourceNotRead, WriteFailureReason::NotOrdinaryFile},
#endif
      {"a bar to keep buttons of that cannot be read",
       [](const TempFolder&, WizardState& state, BarSetOptions&) {
         std::filesystem::create_directories(PathFromUtf8(state.SaveFolder + "Bar_02.bar"));
         state.KeepButtons = true;
         return state.SaveFolder + "Bar_02.bar";
       },
       FileProblem::KeptBarNotRead, WriteFailureReason::NameIsFolder},
      {"an import source that holds no button bar",
       [](const TempFolder& temp, WizardState& state, BarSetOptions&) {
         state.ImportFiles[1] = temp.Write("picture.bar", "\xFF\xD8\xFF\xE0 JFIF");
         return state.ImportFiles[1];
       },
       ImportProblem::SourceNotABar},
      {"an import source of no buttons",
       [](const TempFolder& temp, WizardState& state, BarSetOptions&) {
         state.ImportFiles[2] = temp.Write("none.bar", "[Buttonbar]\r\nButtoncount=0\r\nbutton1=x.ico\r\n");
         return state.ImportFiles[2];
       },
       ImportProblem::SourceHasNoButtons},
  };
  for (const Case& c : cases) {
    TempFolder temp;
    WizardState state;
    state.BarCount = 2;
    state.SaveFolder = temp.Folder() + "bars" + Sep;
    BarSetOptions options{NativePath("C:\\App\\"), "Bar_", std::nullopt, 1252};
    const std::string file = c.Arrange(temp, state, options);
    RecordingProgress display;
    const BuildResult result = BuildBarSet(state, options, display);
    if (const auto* problem = std::get_if<FileProblem>(&c.Expected)) {
      if (!result.Error) {
        ADD_FAILURE() << c.Name << ": no error";
        continue;
      }
      EXPECT_EQ(result.Error->Problem, *problem) << c.Name;
      EXPECT_EQ(result.Error->File, file) << c.Name;
      EXPECT_EQ(result.Error->Reason, c.Reason) << c.Name;
      if (c.Detail == "*") {
        EXPECT_FALSE(result.Error->Detail.empty()) << c.Name;
      } else {
        EXPECT_EQ(result.Error->Detail, c.Detail) << c.Name;
      }
      EXPECT_TRUE(result.Warnings.empty()) << c.Name;
      // Refused before anything is made: not even the folder (which a bar to keep needs).
      if (*problem == FileProblem::KeptBarNotRead) {
        EXPECT_TRUE(result.WrittenFiles.empty()) << c.Name;
        EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(state.SaveFolder + "Bar_01.bar"))) << c.Name;
        continue;
      }
      if (*problem != FileProblem::BarFileNotWritten || c.Reason == WriteFailureReason::FileNameTooLong) {
        EXPECT_TRUE(result.WrittenFiles.empty()) << c.Name;
        std::error_code ignored;
        EXPECT_FALSE(std::filesystem::is_directory(PathFromUtf8(state.SaveFolder), ignored)) << c.Name;
      }
      if (*problem == FileProblem::FolderNameEndsInSpaceOrDot || *problem == FileProblem::FolderNameIsDeviceName) {
        EXPECT_TRUE(std::filesystem::is_empty(temp.Path())) << c.Name << ": no stray folder";
      }
    } else {
      ASSERT_FALSE(result.Error) << c.Name << ": " << MessageOf(*result.Error);
      ASSERT_EQ(result.Warnings.size(), 1u) << c.Name;
      EXPECT_EQ(result.Warnings[0].Problem, std::get<ImportProblem>(c.Expected)) << c.Name;
      EXPECT_EQ(result.Warnings[0].File, file) << c.Name;
      EXPECT_EQ(result.Warnings[0].ButtonsImported, c.ButtonsImported) << c.Name;
    }
  }
}

}  // namespace
}  // namespace barloom
