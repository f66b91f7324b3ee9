// barloom-cli install, run as a script runs it, on wincmd.ini shapes of each kind: where it
// writes, what it prints, the bytes it leaves, and the undo that puts every byte back.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/path_text.h"
#include "tests/cli/run_process.h"
#include "tests/support/temp_folder.h"
#include "tests/support/utf16_bytes.h"

namespace barloom {
namespace {

using test_support::OutputLines;
using test_support::ProcessResult;
using test_support::ReadBytes;
using test_support::TempFolder;
using test_support::Utf16Bytes;

constexpr char Sep = PathSeparator;

class InstallCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(PathFromUtf8(tc_ + Sep + "bars"));
    temp_.Write(std::string{"tc"} + Sep + "bars" + Sep + "Bar_01.bar", "[Buttonbar]\r\nButtoncount=0\r\n");
  }

  // Total Commander's folder is the test's own: its wincmd.ini asks to be used.
  ProcessResult Run(std::vector<std::string> arguments) const {
    return test_support::RunProcess(test_support::BarloomCliPath(), arguments,
                                    {{"COMMANDER_PATH", tc_}, {"COMMANDER_INI", std::nullopt}});
  }

  TempFolder temp_;
  const std::string tc_ = temp_.PathOf("tc");
  const std::string ini_ = tc_ + Sep + "wincmd.ini";
  const std::string bar_ = tc_ + Sep + "bars" + Sep + "Bar_01.bar";
  const std::string value_ = std::string{"%Commander_Path%"} + Sep + "bars" + Sep + "Bar_01.bar";
};

struct Shape {
  const char* Label;
  std::string Ini;                  // wincmd.ini's bytes
  std::string Redirected;           // bars.ini beside it, "" for none
  std::string Section;              // where --where finds the bar key: "wincmd.ini" or "bars.ini"
  std::string IniAfter, RedirectedAfter;  // {V}: the bar key's value
};

std::string WithValue(std::string bytes, const std::string& value) {
  const bool utf16 = bytes.starts_with("\xFF\xFE");
  const std::string mark = utf16 ? Utf16Bytes("{V}") : "{V}";
  if (const std::size_t at = bytes.find(mark); at != std::string::npos)
    bytes.replace(at, mark.size(), utf16 ? Utf16Bytes(value) : value);
  return bytes;
}

const std::string Portable = "[Configuration]\r\nSetEncoding=\xE4\xF6.do.not.remove\r\nUseIniInProgramDir=7\r\n";

const Shape Shapes[] = {
    {"plain ANSI", Portable + "[Buttonbar]\r\nButtonbar=old.bar\r\n[Layout]\r\nButtonBar=0\r\n", "", "wincmd.ini",
     Portable + "[Buttonbar]\r\nButtonbar={V}\r\n[Layout]\r\nButtonBar=1\r\n", ""},
    {"UTF-16", "\xFF\xFE" + Utf16Bytes("[Configuration]\r\nUseIniInProgramDir=7\r\n[Layout]\r\nButtonBar=1\r\n"), "",
     "wincmd.ini",
     "\xFF\xFE" + Utf16Bytes("[Configuration]\r\nUseIniInProgramDir=7\r\n[Layout]\r\nButtonBar=1\r\n[Buttonbar]\r\n"
                             "Buttonbar={V}\r\n"),
     ""},
    {"redirected", Portable + "[Buttonbar]\r\nRedirectSection=bars.ini\r\n", "[Buttonbar]\r\nButtonbar=old.bar\r\n",
     "bars.ini", Portable + "[Buttonbar]\r\nRedirectSection=bars.ini\r\n[Layout]\r\nButtonBar=1\r\n",
     "[Buttonbar]\r\nButtonbar={V}\r\n"},
};

TEST_F(InstallCommandTest, WhereInstallAndUndoOnEachShape) {
  for (const Shape& shape : Shapes) {
    const std::string redirected = tc_ + Sep + "bars.ini";
    temp_.Write(std::string{"tc"} + Sep + "wincmd.ini", shape.Ini);
    std::filesystem::remove(PathFromUtf8(redirected));
    std::filesystem::remove(PathFromUtf8(ini_ + ".barloom-undo"));
    if (!shape.Redirected.empty()) temp_.Write(std::string{"tc"} + Sep + "bars.ini", shape.Redirected);

    const ProcessResult where = Run({"install", "--where"});
    ASSERT_EQ(where.ExitCode, 0) << shape.Label << where.Errors;
    const std::vector<std::string> lines = OutputLines(where.Output);
    ASSERT_EQ(lines.size(), 5u) << shape.Label << where.Output;
    EXPECT_EQ(lines[0], "wincmd.ini: " + ini_) << shape.Label;
    EXPECT_EQ(lines[1], "In Total Commander's folder, whose setting UseIniInProgramDir says to use it.");
    EXPECT_EQ(lines[2], "[Buttonbar]: " + tc_ + Sep + shape.Section) << shape.Label;
    EXPECT_EQ(lines[4], shape.Redirected.empty() && shape.Ini.find("old.bar") == std::string::npos
                            ? "Current bar: (none)"
                            : "Current bar: old.bar" + std::string(shape.Ini.find("ButtonBar=0") != std::string::npos
                                                                      ? " (hidden)"
                                                                      : ""))
        << shape.Label;

    // Bar 1 of the last set: with no LastPath stored, of the "bars" folder beside the program.
    const ProcessResult done = Run({"install", "--app-folder", tc_});
    ASSERT_EQ(done.ExitCode, 0) << shape.Label << done.Errors;
    EXPECT_EQ(OutputLines(done.Output).front(), "wincmd.ini: " + ini_);
    EXPECT_NE(done.Output.find("Now: " + value_), std::string::npos) << done.Output;
    EXPECT_EQ(ReadBytes(ini_), WithValue(shape.IniAfter, value_)) << shape.Label;
    if (!shape.Redirected.empty()) {
      EXPECT_EQ(ReadBytes(redirected), WithValue(shape.RedirectedAfter, value_));
    }

    const ProcessResult undone = Run({"install", "--undo", "--ini", ini_});
    ASSERT_EQ(undone.ExitCode, 0) << shape.Label << undone.Errors;
    EXPECT_EQ(ReadBytes(ini_), shape.Ini) << shape.Label;
    if (!shape.Redirected.empty()) {
      EXPECT_EQ(ReadBytes(redirected), shape.Redirected) << shape.Label;
    }
    const ProcessResult again = Run({"install", "--undo"});
    EXPECT_EQ(again.ExitCode, 1) << shape.Label;
    EXPECT_NE(again.Errors.find("There is nothing to undo"), std::string::npos) << again.Errors;
  }
}

TEST_F(InstallCommandTest, CreateInstallsBarOneOfTheSetItWrote) {
  temp_.Write(std::string{"tc"} + Sep + "wincmd.ini", Portable);
  const std::string folder = tc_ + Sep + "set";
  const ProcessResult result = Run({"create", "--bars", "2", "--folder", folder, "--app-folder", tc_, "--install",
                                    "--vertical"});
  ASSERT_EQ(result.ExitCode, 0) << result.Errors;
  const std::vector<std::string> lines = OutputLines(result.Output);
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[3], "wincmd.ini: " + ini_);
  EXPECT_EQ(ReadBytes(ini_), Portable + "[ButtonbarVertical]\r\nButtonbar=%Commander_Path%" + Sep + "set" + Sep +
                                 "Bar_01.bar\r\n[Layout]\r\nButtonBarVertical=1\r\n");
}

TEST_F(InstallCommandTest, WrongArgumentsAndMissingFiles) {
  temp_.Write(std::string{"tc"} + Sep + "wincmd.ini", Portable);
  for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
           {"install", "--undo", "--bar", bar_},
           {"install", "--where", "--undo"},
           {"install", "--bar", bar_ + ".gone"},
           {"install", "--ini", ""},
           {"create", "--bars", "2", "--vertical"},
       }) {
    const ProcessResult result = Run(arguments);
    EXPECT_EQ(result.ExitCode, 2) << arguments[1] << " " << arguments[2] << result.Errors;
  }
  const ProcessResult noSet = Run({"install", "--app-folder", temp_.Utf8()});
  EXPECT_EQ(noSet.ExitCode, 1);
  EXPECT_EQ(OutputLines(noSet.Errors), (std::vector<std::string>{"barloom-cli: The button bar file does not exist.",
                                                                 temp_.PathOf("bars") + Sep + "Bar_01.bar"}));
  const ProcessResult missing = Run({"install", "--bar", bar_, "--ini", ini_ + ".gone"});
  EXPECT_EQ(missing.ExitCode, 1);
  EXPECT_EQ(OutputLines(missing.Errors),
            (std::vector<std::string>{"barloom-cli: The configuration file does not exist.", ini_ + ".gone"}));
  EXPECT_EQ(ReadBytes(ini_), Portable);
}

}  // namespace
}  // namespace barloom
