#include "ui/menu_commands.h"

#include <gtest/gtest.h>

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

  ShowReadme(7, settings, shell, messages);
  EXPECT_TRUE(shell.Opened.empty());
  ASSERT_EQ(messages.Shown.size(), 1u);
  EXPECT_EQ(messages.Shown[0], (test_support::ShownMessage{"File not found.", "Barloom", MessageIcon::Error}));

  app.Write("Readme.htm", "<!doctype html>");
  ShowReadme(7, settings, shell, messages);
  ASSERT_EQ(shell.Opened.size(), 1u);
  EXPECT_EQ(shell.Opened[0], (test_support::OpenedTarget{7, app.PathOf("Readme.htm")}));
  EXPECT_EQ(messages.Shown.size(), 1u);
}

}  // namespace
}  // namespace barloom
