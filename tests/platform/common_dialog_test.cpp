#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/file_open_dialog.h"
#include "tests/support/dialog_doubles.h"

namespace barloom {
namespace {

using test_support::ScriptedFileOpenDialog;

const std::string AllFiles = "All Files (*.*)|*.*";
const std::string BarFilesFirst = "TC button bar file (*.bar)|*.bar|All Files (*.*)|*.*";

struct BrowseCase {
  const char* Name;
  bool SetUp;
  std::string DefaultInitDir;  // given to Setup
  std::string InitDir;
  std::string FileName;
  int Filter;
  std::string Title;
  std::optional<std::string> UserAnswer;       // nullopt: the user cancels
  std::optional<FileOpenRequest> ShownDialog;  // nullopt: no dialog may be shown
  std::optional<std::string> Result;
};

const std::optional<std::string> Cancelled;
const std::string Chosen = "C:\\bars\\Bar_01.bar";

const BrowseCase BrowseCases[] = {
    {"bar files first, Setup's folder, default title", true, "C:\\TC", "", "", 1, "", Chosen,
     FileOpenRequest{"C:\\TC", "Open", 0x81804, BarFilesFirst, ""}, Chosen},
    {"all files, the call's folder, title and name", true, "C:\\TC", "D:\\Start", "x.bar", 0, "Pick a bar", Chosen,
     FileOpenRequest{"D:\\Start", "Pick a bar", 0x81804, AllFiles, "x.bar"}, Chosen},
    {"nothing given anywhere", true, "", "", "", 1, "", Chosen, FileOpenRequest{"", "Open", 0x81804, BarFilesFirst, ""},
     Chosen},
    {"cancelled", true, "", "", "", 1, "", std::nullopt, FileOpenRequest{"", "Open", 0x81804, BarFilesFirst, ""},
     Cancelled},
    {"filter 2 is unknown", true, "", "", "", 2, "", Chosen, std::nullopt, Cancelled},
    {"filter -1 is unknown", true, "", "", "", -1, "", Chosen, std::nullopt, Cancelled},
    {"before Setup", false, "", "", "", 1, "", Chosen, std::nullopt, Cancelled},
};

TEST(CommonDialogTest, BrowseForOpenAsksTheDialogAndFoldsEveryFailureIntoNothing) {
  for (const BrowseCase& c : BrowseCases) {
    SCOPED_TRACE(c.Name);
    ScriptedFileOpenDialog dialog;
    dialog.Answers.push_back(c.UserAnswer);
    cCommonDialog common;
    if (c.SetUp) common.Setup(dialog, c.DefaultInitDir);

    EXPECT_EQ(common.BrowseForOpen(c.InitDir, c.FileName, c.Filter, c.Title, false), c.Result);
    if (c.ShownDialog) {
      ASSERT_EQ(dialog.Calls.size(), 1u);
      EXPECT_EQ(dialog.Calls[0], *c.ShownDialog);
    } else {
      EXPECT_TRUE(dialog.Calls.empty());
    }
  }
}

// Under Wine the child process of a death test never lets the run finish, so the ending is
// checked in the native build only.
#ifndef _WIN32
TEST(CommonDialogDeathTest, CancelEndsTheProgramWhenAsked) {
  ScriptedFileOpenDialog dialog;  // no answers: the user cancels
  cCommonDialog common;
  common.Setup(dialog, "");
  EXPECT_EXIT(common.BrowseForOpen("", "", 1, "", true), ::testing::ExitedWithCode(0), "");
}
#endif

}  // namespace
}  // namespace barloom
