// The dialog's rules with the user played by doubles: what it shows, Install and Undo with their
// reports, a wincmd.ini picked by hand, and Retry while Total Commander runs.
#include "ui/install_model.h"

#include <gtest/gtest.h>

#include "localisation/language.h"
#include "build_info.h"
#include "platform/path_text.h"
#include "settings/settings_file.h"
#include "tests/support/dialog_doubles.h"
#include "tests/support/temp_folder.h"

namespace barloom {
namespace {

using test_support::TempFolder;

class InstallModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    temp_.Write("wincmd.ini", "[Configuration]\r\nUseIniInProgramDir=7\r\n[Buttonbar]\r\nButtonbar=old.bar\r\n"
                              "[Layout]\r\nButtonBar=0\r\n");
    temp_.Write("Bar_01.bar", "[Buttonbar]\r\nButtoncount=0\r\n");
  }

  InstallModel Model(std::optional<std::string> commanderPath = std::nullopt) {
    if (!commanderPath) commanderPath = temp_.Utf8();
    CommanderFolderSources sources{[path = *commanderPath](std::string_view name) -> std::optional<std::string> {
                                     if (name == "COMMANDER_PATH") return path;
                                     return std::nullopt;
                                   },
                                   nullptr};
    return InstallModel(language_, temp_.PathOf("Bar_01.bar"),
                        {files_, messages_, std::move(sources), [this] { return running_; }});
  }

  TempFolder temp_;
  Settings settings_;
  Language language_{settings_};
  test_support::ScriptedFileOpenDialog files_;
  test_support::RecordingMessageBox messages_;
  bool running_ = false;
  const std::string installed_ = std::string{"%Commander_Path%"} + PathSeparator + "Bar_01.bar";
};

TEST_F(InstallModelTest, ShowsWhatItFoundAndInstallsAndUndoes) {
  InstallModel model = Model();
  InstallView view = model.View();
  EXPECT_EQ(view.IniFile, temp_.PathOf("wincmd.ini"));
  EXPECT_EQ(view.HowFound, "In Total Commander's folder, whose setting UseIniInProgramDir says to use it.");
  EXPECT_EQ(view.CurrentBar, "old.bar (hidden)");
  EXPECT_EQ(view.WhereKept, "The section is in wincmd.ini itself.");
  EXPECT_TRUE(view.InstallEnabled);
  EXPECT_FALSE(view.UndoEnabled);
  EXPECT_FALSE(view.CommanderRunning);

  model.Install();
  ASSERT_EQ(messages_.Shown.size(), 1u);
  EXPECT_EQ(messages_.Shown[0].Icon, MessageIcon::Information);
  EXPECT_EQ(messages_.Shown[0].Title, build_info::ProductName);
  EXPECT_TRUE(messages_.Shown[0].Text.starts_with("Total Commander's button bar has been changed:\n" +
                                                  temp_.PathOf("wincmd.ini") +
                                                  "\n[Buttonbar] Buttonbar\nBefore: old.bar\nNow: " + installed_))
      << messages_.Shown[0].Text;
  view = model.View();
  EXPECT_EQ(view.CurrentBar, installed_);
  EXPECT_TRUE(view.UndoEnabled);

  model.SetKind(BarKind::Vertical);
  EXPECT_EQ(model.View().CurrentBar, "(none)");
  model.SetKind(BarKind::Main);
  model.Undo();
  ASSERT_EQ(messages_.Shown.size(), 2u);
  EXPECT_TRUE(messages_.Shown[1].Text.starts_with("The last install has been undone:")) << messages_.Shown[1].Text;
  EXPECT_EQ(model.View().CurrentBar, "old.bar (hidden)");
  EXPECT_FALSE(model.View().UndoEnabled);
}

TEST_F(InstallModelTest, WhileTotalCommanderRunsOnlyRetryHelps) {
  running_ = true;
  InstallModel model = Model();
  InstallView view = model.View();
  EXPECT_TRUE(view.CommanderRunning);
  EXPECT_FALSE(view.InstallEnabled);
  model.Install();
  EXPECT_TRUE(messages_.Shown.empty());
  EXPECT_EQ(temp_.Read("wincmd.ini").find(installed_), std::string::npos);
  model.Retry();
  EXPECT_TRUE(messages_.Shown.empty()) << "still running: Retry only looks again";
  running_ = false;
  EXPECT_TRUE(model.View().CommanderRunning);  // until Retry looks again
  model.Retry();
  EXPECT_FALSE(model.View().CommanderRunning);
  ASSERT_EQ(messages_.Shown.size(), 1u) << "closed, then Retry: the install asked for goes ahead";
  EXPECT_NE(temp_.Read("wincmd.ini").find(installed_), std::string::npos);
  model.Retry();
  EXPECT_EQ(messages_.Shown.size(), 1u) << "a second Retry installs nothing again";

  // Only the Install or Undo refused is carried out: a bar kind changed meanwhile drops it.
  running_ = true;
  model.Undo();
  model.SetKind(BarKind::Vertical);
  running_ = false;
  model.Retry();
  EXPECT_EQ(messages_.Shown.size(), 1u);
  EXPECT_TRUE(model.View().UndoEnabled);
}

TEST_F(InstallModelTest, AnotherWincmdIniCanBePicked) {
  InstallModel model = Model(temp_.PathOf("nowhere"));
  EXPECT_EQ(model.View().IniFile, "");
  EXPECT_EQ(model.View().HowFound,
            "No wincmd.ini was found. Choose the one Total Commander uses with the button beside it.");
  EXPECT_FALSE(model.View().InstallEnabled);
  const std::string picked = temp_.Write("mine.ini", "[Configuration]\r\nAlternateUserIni=user.ini\r\n");
  files_.Answers.push_back(std::nullopt);  // cancelled: nothing changes
  files_.Answers.push_back(picked);
  model.ChooseIni();
  EXPECT_EQ(model.View().IniFile, "");
  model.ChooseIni();
  ASSERT_EQ(files_.Calls.size(), 2u);
  EXPECT_EQ(files_.Calls[1].Title, "Choose another configuration file");
  EXPECT_EQ(files_.Calls[1].Filter, "Configuration files (*.ini)|*.ini|All Files (*.*)|*.*");
  const InstallView view = model.View();
  EXPECT_EQ(view.IniFile, picked);
  EXPECT_EQ(view.HowFound, "You chose this file.");
  EXPECT_EQ(view.WhereKept, "AlternateUserIni in wincmd.ini sends the section to this file.\n" + temp_.PathOf("user.ini"));
  EXPECT_TRUE(view.InstallEnabled);
}

}  // namespace
}  // namespace barloom
