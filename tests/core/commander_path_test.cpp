#include "core/commander_path.h"

#include <gtest/gtest.h>

#include <map>

#include "tests/core/test_support.h"

namespace barloom {
namespace {

using core_testing::NativePath;

struct FoldCase {
  const char* Folder;
  const char* Path;
  const char* Expected;
};

class FoldCommanderPathTest : public ::testing::TestWithParam<FoldCase> {};

TEST_P(FoldCommanderPathTest, FoldsTheFrontOnlyWhenItIsTheFolder) {
  const FoldCase& c = GetParam();
  EXPECT_EQ(FoldCommanderPath(NativePath(c.Path), NativePath(c.Folder)), NativePath(c.Expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FoldCommanderPathTest,
    ::testing::Values(FoldCase{"C:\\TC\\", "C:\\TC\\bars\\Bar_01.bar", "%Commander_Path%\\bars\\Bar_01.bar"},
                      FoldCase{"C:\\TC\\", "c:\\tc\\BARS\\Bar_01.bar", "%Commander_Path%\\BARS\\Bar_01.bar"},
                      FoldCase{"c:\\tc\\", "C:\\TC\\Bars\\Bar_01.bar", "%Commander_Path%\\Bars\\Bar_01.bar"},
                      FoldCase{"C:\\TC\\", "C:\\TCX\\bars\\Bar_01.bar", "C:\\TCX\\bars\\Bar_01.bar"},
                      FoldCase{"C:\\TC\\", "C:\\TC\\", "%Commander_Path%\\"},
                      FoldCase{"C:\\TC\\", "C:\\TC", "C:\\TC"},
                      FoldCase{"C:\\TC\\", "C:", "C:"},
                      FoldCase{"C:\\TC\\", "", ""},
                      FoldCase{"C:\\TC\\", "D:\\TC\\bars\\x.bar", "D:\\TC\\bars\\x.bar"},
                      FoldCase{"C:\\TC\\", "X:\\C:\\TC\\x.bar", "X:\\C:\\TC\\x.bar"},
                      // Letters beyond A-Z, compared as characters (Ä is two bytes, ä too).
                      FoldCase{"C:\\Ärger\\", "c:\\ärger\\Bars\\x.bar", "%Commander_Path%\\Bars\\x.bar"},
                      FoldCase{"c:\\ärger\\", "C:\\ÄRGER\\Ärger.bar", "%Commander_Path%\\Ärger.bar"},
                      FoldCase{"C:\\Ärger\\", "C:\\Arger\\x.bar", "C:\\Arger\\x.bar"},
                      FoldCase{"C:\\ΦΑΚΕΛΟΣ\\", "c:\\φάκελος\\x.bar", "c:\\φάκελος\\x.bar"},  // accent differs
                      FoldCase{"C:\\ΦΑΚΕΛΟΣ\\", "c:\\φακελοσ\\x.bar", "%Commander_Path%\\x.bar"},
                      FoldCase{"C:\\Папка\\", "c:\\ПАПКА\\Бар.bar", "%Commander_Path%\\Бар.bar"},
                      // A lone separator would match network paths; the folder itself always ends in one.
                      FoldCase{"\\\\server\\share\\TC\\", "\\\\SERVER\\share\\tc\\a.bar", "%Commander_Path%\\a.bar"}));

TEST(FoldCommanderPath, NoFolderFoldsNothing) {
  EXPECT_EQ(FoldCommanderPath(NativePath("\\\\server\\share\\a.bar"), std::nullopt), NativePath("\\\\server\\share\\a.bar"));
  EXPECT_EQ(FoldCommanderPath(NativePath("C:\\TC\\a.bar"), std::string{}), NativePath("C:\\TC\\a.bar"));
}

TEST(FoldCommanderPath, TextThatIsNoUtf8IsLeftAsItIs) {
  const std::string broken = NativePath("C:\\T\xC3\\a.bar");
  EXPECT_EQ(FoldCommanderPath(broken, NativePath("C:\\TC\\")), broken);
  EXPECT_EQ(FoldCommanderPath(NativePath("C:\\TC\\a.bar"), NativePath("C:\\T\xFF\\")), NativePath("C:\\TC\\a.bar"));
}

// Answers from tables instead of the process environment and the registry.
struct FakeSystem {
  std::map<std::string, std::string> Environment;
  std::map<std::pair<RegistryRoot, std::string>, std::string> Registry;
  std::vector<std::string> Asked;

  CommanderFolderSources Sources() {
    return {[this](std::string_view name) -> std::optional<std::string> {
              Asked.push_back("env " + std::string{name});
              const auto found = Environment.find(std::string{name});
              if (found == Environment.end()) return std::nullopt;
              return found->second;
            },
            [this](RegistryRoot root, std::string_view key, std::string_view value) -> std::optional<std::string> {
              Asked.push_back(std::string{root == RegistryRoot::CurrentUser ? "HKCU\\" : "HKLM\\"} + std::string{key} +
                              "\\" + std::string{value});
              const auto found = Registry.find({root, std::string{key} + "\\" + std::string{value}});
              if (found == Registry.end()) return std::nullopt;
              return found->second;
            }};
  }
};

const std::string RegistryValue = "Software\\Ghisler\\Total Commander\\InstallDir";

TEST(CommanderFolder, TheEnvironmentVariableGetsTheSeparator) {
  for (const char* value : {"C:\\TC", "C:\\TC\\"}) {
    FakeSystem system;
    system.Environment["COMMANDER_PATH"] = NativePath(value);
    system.Registry[{RegistryRoot::CurrentUser, RegistryValue}] = "E:\\Other";
    EXPECT_EQ(CommanderFolder(system.Sources()), NativePath("C:\\TC\\"));
    EXPECT_EQ(system.Asked, std::vector<std::string>{"env COMMANDER_PATH"});
  }
}

TEST(CommanderFolder, UnsetOrEmptyFallsBackToTheRegistryUserFirst) {
  FakeSystem system;
  system.Environment["COMMANDER_PATH"] = "";
  system.Registry[{RegistryRoot::CurrentUser, RegistryValue}] = NativePath("D:\\totalcmd");
  system.Registry[{RegistryRoot::LocalMachine, RegistryValue}] = NativePath("C:\\totalcmd");
  EXPECT_EQ(CommanderFolder(system.Sources()), NativePath("D:\\totalcmd\\"));

  FakeSystem machineOnly;
  machineOnly.Registry[{RegistryRoot::CurrentUser, RegistryValue}] = "";
  machineOnly.Registry[{RegistryRoot::LocalMachine, RegistryValue}] = NativePath("C:\\totalcmd\\");
  EXPECT_EQ(CommanderFolder(machineOnly.Sources()), NativePath("C:\\totalcmd\\"));
  EXPECT_EQ(machineOnly.Asked, (std::vector<std::string>{"env COMMANDER_PATH", "HKCU\\" + RegistryValue,
                                                          "HKLM\\" + RegistryValue}));
}

TEST(CommanderFolder, UnknownEverywhereMeansNoFolding) {
  FakeSystem system;
  EXPECT_EQ(CommanderFolder(system.Sources()), std::nullopt);
  EXPECT_EQ(CommanderFolder(CommanderFolderSources{}), std::nullopt);
}

}  // namespace
}  // namespace barloom
