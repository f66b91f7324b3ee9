#include "ui/menu_commands.h"

#include <gtest/gtest.h>

#include "localisation/language.h"
#include "settings/settings_file.h"
#include "tests/support/dialog_doubles.h"
#include "tests/support/temp_folder.h"

namespace barloom {
namespace {

using test_support::RecordingMessageBox;
using test_support::RecordingShellOpener;
using test_support::TempFolder;

TEST(ShowReadme, OpensTheHelpPageOrSaysItIsMissing) {
  TempFolder app{"help"};
  Settings settings;
  SetAppFolder(settings, app.Utf8());
  RecordingShellOpener shell;
  RecordingMessageBox messages;

  ShowReadme(7, settings.AppFolder, Language{settings}, shell, messages);
  EXPECT_TRUE(shell.Opened.empty());
  ASSERT_EQ(messages.Shown.size(), 1u);
  EXPECT_EQ(messages.Shown[0], (test_support::ShownMessage{"File not found.", "Barloom", MessageIcon::Error}));

  app.Write("Readme.htm", "<!doctype html>");
  ShowReadme(7, settings.AppFolder, Language{settings}, shell, messages);
  ASSERT_EQ(shell.Opened.size(), 1u);
  EXPECT_EQ(shell.Opened[0], (test_support::OpenedTarget{7, app.PathOf("Readme.htm")}));
  EXPECT_EQ(messages.Shown.size(), 1u);
}

TEST(ShowReadme, APageTheSystemCannotOpenIsNamedWithTheReason) {
  TempFolder app{"help"};
  Settings settings;
  SetAppFolder(settings, app.Utf8());
  const std::string page = app.Write("Readme.htm", "<!doctype html>");
  struct Case {
    ShellOpenFailure Failure;
    std::string Why;
  };
  const Case cases[] = {
      {{ShellOpenReason::NoAssociation, {}}, "No program is set up to open this kind of file or address."},
      {{ShellOpenReason::AccessDenied, {}}, "Access is denied: you do not have the necessary rights."},
      {{std::nullopt, "The system's own words."}, "The system's own words."},
  };
  for (const Case& c : cases) {
    RecordingShellOpener shell;
    shell.Answers.push_back(c.Failure);
    RecordingMessageBox messages;
    ShowReadme(7, settings.AppFolder, Language{settings}, shell, messages);
    EXPECT_EQ(messages.Shown, (std::vector<test_support::ShownMessage>{
                                  {"The file or web address could not be opened.\n" + page + "\n" + c.Why, "Barloom",
                                   MessageIcon::Error}}));
  }
}

}  // namespace
}  // namespace barloom
