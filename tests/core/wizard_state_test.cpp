#include "core/wizard_state.h"

#include <gtest/gtest.h>

#include "core/version_text.h"
#include "tests/core/test_support.h"

namespace barloom {
namespace {

using core_testing::NativePath;

TEST(TwoDigitNumber, PadsToTwoDigits) {
  EXPECT_EQ(TwoDigitNumber(1), "01");
  EXPECT_EQ(TwoDigitNumber(9), "09");
  EXPECT_EQ(TwoDigitNumber(10), "10");
  EXPECT_EQ(TwoDigitNumber(20), "20");
}

TEST(StartUpFolder, StoredLastPathIsShownAsStoredAndGetsTheSeparator) {
  for (const char* stored : {"D:\\Bars", "D:\\Bars\\"}) {
    const StartFolder start = StartUpFolder(NativePath(stored), NativePath("C:\\Tools\\"));
    EXPECT_EQ(start.FolderBoxText, NativePath(stored));
    EXPECT_EQ(start.SaveFolder, NativePath("D:\\Bars\\"));
  }
}

TEST(StartUpFolder, WithoutLastPathTheBarsFolderBesideTheProgram) {
  const StartFolder start = StartUpFolder(std::nullopt, NativePath("C:\\Tools\\"));
  EXPECT_EQ(start.FolderBoxText, NativePath("C:\\Tools\\bars"));
  EXPECT_EQ(start.SaveFolder, NativePath("C:\\Tools\\bars\\"));
}

TEST(StartUpFolder, AnEmptyStoredLastPathIsStillAStoredValue) {
  const StartFolder start = StartUpFolder(std::string{}, NativePath("C:\\Tools\\"));
  EXPECT_EQ(start.FolderBoxText, "");
  EXPECT_EQ(start.SaveFolder, std::string(1, PathSeparator));
}

TEST(FillSlotPaths, FillsExactlyTheSlotsOfTheSet) {
  WizardState state;
  state.BarCount = 20;
  state.SaveFolder = NativePath("D:\\Set\\");
  FillSlotPaths(state, NativePath("C:\\App\\"), "");
  EXPECT_EQ(state.BarFiles[1], NativePath("D:\\Set\\01.bar"));
  EXPECT_EQ(state.BarFiles[19], NativePath("D:\\Set\\19.bar"));
  EXPECT_EQ(state.BarFiles[20], NativePath("D:\\Set\\20.bar"));
  EXPECT_EQ(state.UpIcons[20], NativePath("C:\\App\\icons\\Up_20.ico"));
  EXPECT_EQ(state.DnIcons[20], NativePath("C:\\App\\icons\\Dn_20.ico"));
  EXPECT_TRUE(state.BarFiles[0].empty());
  EXPECT_TRUE(state.UpIcons[0].empty());

  WizardState small;
  small.BarCount = 3;
  small.SaveFolder = NativePath("D:\\Set\\");
  FillSlotPaths(small, NativePath("C:\\App\\"), "Set_");
  EXPECT_EQ(small.BarFiles[3], NativePath("D:\\Set\\Set_03.bar"));
  EXPECT_TRUE(small.BarFiles[4].empty());
}

TEST(VersionText, MinorAndRevisionAreWrittenSideBySide) {
  EXPECT_EQ(VersionText(1, 0, 0), "1.00");
  EXPECT_EQ(VersionText(2, 0, 0), "2.00");
  EXPECT_EQ(VersionText(1, 2, 15), "1.215");
  EXPECT_EQ(VersionText(10, 11, 0), "10.110");
}

}  // namespace
}  // namespace barloom
