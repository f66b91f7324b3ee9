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

TEST(StartUpFolderText, AStoredLastPathAsStoredElseTheBarsFolderBesideTheProgram) {
  for (const char* stored : {"D:\\Bars", "D:\\Bars\\", ""})
    EXPECT_EQ(StartUpFolderText(NativePath(stored), NativePath("C:\\Tools\\")), NativePath(stored));
  EXPECT_EQ(StartUpFolderText(std::nullopt, NativePath("C:\\Tools\\")), NativePath("C:\\Tools\\bars"));
}

TEST(SetPathsFor, FillsExactlyTheSlotsOfTheSet) {
  const SetPaths paths = core_testing::PathsOf(20, NativePath("D:\\Set"), NativePath("C:\\App\\"), "");
  EXPECT_EQ(paths.SaveFolder, NativePath("D:\\Set\\"));
  EXPECT_EQ(paths.BarFiles[1], NativePath("D:\\Set\\01.bar"));
  EXPECT_EQ(paths.BarFiles[19], NativePath("D:\\Set\\19.bar"));
  EXPECT_EQ(paths.BarFiles[20], NativePath("D:\\Set\\20.bar"));
  EXPECT_EQ(paths.UpIcons[20], NativePath("C:\\App\\icons\\Up_20.ico"));
  EXPECT_EQ(paths.DnIcons[20], NativePath("C:\\App\\icons\\Dn_20.ico"));
  EXPECT_TRUE(paths.BarFiles[0].empty());
  EXPECT_TRUE(paths.UpIcons[0].empty());

  const SetPaths small = core_testing::PathsOf(3, NativePath("D:\\Set\\"), NativePath("C:\\App\\"), "Set_");
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
