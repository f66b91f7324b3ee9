// The real dialog that makes a set Total Commander's button bar, driven with the messages a user's
// clicks send, the file dialog and the message box answered by doubles.
#include "ui/win32/install_dialog.h"

#include <gtest/gtest.h>

#include <optional>

#include "localisation/language.h"
#include "platform/path_text.h"
#include "platform/code_page.h"
#include "settings/settings_file.h"
#include "tests/support/dialog_doubles.h"
#include "tests/support/temp_folder.h"
#include "ui/win32/controls.h"

namespace barloom {
namespace {

namespace ids = install_ids;
using test_support::TempFolder;

class InstallDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    temp_.Write("wincmd.ini", "[Configuration]\r\nUseIniInProgramDir=7\r\n[Buttonbar]\r\nButtonbar=old.bar\r\n");
    temp_.Write("Bar_01.bar", "[Buttonbar]\r\nButtoncount=0\r\n");
    InstallDialogServices services{&files_, &messages_,
                                   CommanderFolderSources{[this](std::string_view name) -> std::optional<std::string> {
                                                            if (name == "COMMANDER_PATH") return temp_.Utf8();
                                                            return std::nullopt;
                                                          },
                                                          nullptr},
                                   [this] { return running_; }};
    dialog_.emplace(settings_, language_, temp_.PathOf("Bar_01.bar"), std::move(services));
    ASSERT_TRUE(dialog_->Open(nullptr));
  }

  HWND Item(int id) const { return GetDlgItem(dialog_->Handle(), id); }
  bool Shown(int id) const { return (GetWindowLongW(Item(id), GWL_STYLE) & WS_VISIBLE) != 0; }
  void Click(int id) { SendMessageW(Item(id), BM_CLICK, 0, 0); }

  TempFolder temp_;
  Settings settings_;
  Language language_{settings_};
  test_support::ScriptedFileOpenDialog files_;
  test_support::RecordingMessageBox messages_;
  bool running_ = false;
  std::optional<InstallDialog> dialog_;
};

// The wiring: what the model says is shown, clicks reach it, and Retry comes and goes with Total
// Commander (the rules themselves are the model's tests).
TEST_F(InstallDialogTest, ShowsTheModelAndPassesOnTheClicks) {
  EXPECT_EQ(WindowText(dialog_->Handle()), "Total Commander's button bar");
  EXPECT_EQ(WindowText(Item(ids::IniBox)), temp_.PathOf("wincmd.ini"));
  EXPECT_EQ(WindowText(Item(ids::HowFound)),
            "In Total Commander's folder, whose setting UseIniInProgramDir says to use it.");
  EXPECT_EQ(WindowText(Item(ids::CurrentBox)), "old.bar");
  EXPECT_EQ(WindowText(Item(ids::BarBox)), temp_.PathOf("Bar_01.bar"));
  EXPECT_EQ(WindowText(Item(ids::ChooseIni)), "Choose another configuration file") << "its name for screen readers";
  EXPECT_EQ(SendMessageW(Item(ids::MainBar), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_FALSE(Shown(ids::Retry));
  EXPECT_FALSE(IsWindowEnabled(Item(ids::Undo)));

  running_ = true;
  Click(ids::Install);
  EXPECT_TRUE(messages_.Shown.empty());
  EXPECT_TRUE(Shown(ids::RunningMessage));
  EXPECT_TRUE(Shown(ids::Retry));
  EXPECT_FALSE(IsWindowEnabled(Item(ids::Install)));
  EXPECT_EQ(LOWORD(SendMessageW(dialog_->Handle(), DM_GETDEFID, 0, 0)), ids::Retry);
  // Closed, then Retry: the install asked for goes ahead.
  running_ = false;
  Click(ids::Retry);
  EXPECT_FALSE(Shown(ids::RunningMessage));
  EXPECT_FALSE(Shown(ids::Retry));
  EXPECT_EQ(LOWORD(SendMessageW(dialog_->Handle(), DM_GETDEFID, 0, 0)), ids::Install);
  ASSERT_EQ(messages_.Shown.size(), 1u);
  EXPECT_EQ(WindowText(Item(ids::CurrentBox)), std::string{"%Commander_Path%"} + PathSeparator + "Bar_01.bar");
  EXPECT_TRUE(IsWindowEnabled(Item(ids::Undo)));
  Click(ids::VerticalBar);
  EXPECT_EQ(WindowText(Item(ids::CurrentBox)), "(none)");
}

}  // namespace
}  // namespace barloom
