// The platform services the bar-set building relies on: environment, letter case, registry,
// the program's folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/program_context.h"
#include "platform/path_text.h"
#include "platform/registry.h"
#include "platform/text_case.h"

namespace barloom {
namespace {

void SetVariable(const char* name, const char* value) {
#ifdef _WIN32
  _putenv_s(name, value);
#else
  setenv(name, value, 1);
#endif
}

TEST(EnvironmentValue, NamesAreMatchedWithoutRegardToCase) {
  SetVariable("Barloom_Test_Variable", "C:\\Some Folder");
  EXPECT_EQ(EnvironmentValue("BARLOOM_TEST_VARIABLE"), "C:\\Some Folder");
  EXPECT_EQ(EnvironmentValue("barloom_test_variable"), "C:\\Some Folder");
  EXPECT_EQ(EnvironmentValue("Barloom_Test_Variable_Not_Set"), std::nullopt);
  EXPECT_EQ(EnvironmentValue("Barloom_Test"), std::nullopt);
}

TEST(EnvironmentValue, NonAsciiValuesArriveAsUtf8) {
#ifdef _WIN32
  _wputenv_s(L"BARLOOM_TEST_UTF8", L"C:\\\u00C4rger \u041F\u0430\u043F\u043A\u0430");
#else
  setenv("BARLOOM_TEST_UTF8", "C:\\Ärger Папка", 1);
#endif
  EXPECT_EQ(EnvironmentValue("barloom_test_utf8"), "C:\\Ärger Папка");
  SetVariable("BARLOOM_TEST_EMPTY", "");
#ifndef _WIN32  // the CRT removes a variable set to ""
  EXPECT_EQ(EnvironmentValue("BARLOOM_TEST_EMPTY"), "");
#endif
}

TEST(LowerCaseText, AllScriptsOneCharacterForOne) {
  EXPECT_EQ(LowerCaseText("C:\\TC\\Bars"), "c:\\tc\\bars");
  EXPECT_EQ(LowerCaseText("ÄÖÜ ÀÉÎ Ø"), "äöü àéî ø");
  EXPECT_EQ(LowerCaseText("ΦΑΚΕΛΟΣ"), "φακελοσ");
  EXPECT_EQ(LowerCaseText("ПАПКА Ёж"), "папка ёж");
  EXPECT_EQ(LowerCaseText("ŁÓDŹ"), "łódź");
  EXPECT_EQ(LowerCaseText("漢字 ß"), "漢字 ß");
  EXPECT_EQ(LowerCaseText(""), "");
}

TEST(LowerCaseText, TextThatIsNoUtf8CannotBeLowerCased) {
  EXPECT_EQ(LowerCaseText("abc\xFF"), std::nullopt);
  EXPECT_EQ(LowerCaseText("\xC3"), std::nullopt);
  EXPECT_EQ(LowerCaseText("\xC0\xAF"), std::nullopt);  // overlong "/"
}

TEST(ReadRegistryText, AMissingKeyOrValueIsNothing) {
  EXPECT_EQ(ReadRegistryText(RegistryRoot::CurrentUser, "Software\\Barloom Test\\Not There", "InstallDir"), std::nullopt);
  EXPECT_EQ(ReadRegistryText(RegistryRoot::LocalMachine, "Software\\Barloom Test\\Not There", "x"), std::nullopt);
}

#ifdef _WIN32
TEST(ReadRegistryText, ReadsAStringValue) {
  // Every Windows (and Wine) installation records its system root here.
  const auto root = ReadRegistryText(RegistryRoot::LocalMachine, "Software\\Microsoft\\Windows NT\\CurrentVersion",
                                     "SystemRoot");
  ASSERT_TRUE(root.has_value());
  EXPECT_TRUE(std::filesystem::is_directory(PathFromUtf8(*root))) << *root;
}
#endif

TEST(ExecutableFolder, IsTheFolderOfThisTestProgram) {
  const std::string folder = ExecutableFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_TRUE(std::filesystem::is_directory(PathFromUtf8(folder)));
  EXPECT_EQ(PathFromUtf8(folder).filename(), "tests");
}

}  // namespace
}  // namespace barloom
