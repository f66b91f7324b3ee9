// Numbers on barloom-cli's command line are decimal, whatever their leading zeros; any other
// spelling is a usage error that says so.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/command.h"
#include "platform/path_text.h"
#include "tests/cli/run_process.h"
#include "tests/support/temp_folder.h"

namespace barloom {
namespace {

TEST(NumberOptions, AreReadAsDecimalOnly) {
  test_support::TempFolder folder;
  const std::string app = Utf8FromPath(folder.Path());
  const std::string out = folder.PathOf("out");
  // Font character set 204 decodes E4 as Cyrillic; 0204 read as octal (132) would not.
  const std::string language = folder.Write("Cyrillic.lng", "[UserLanguage]\r\n3056=\xE4\r\n");
  struct Case {
    std::vector<std::string> Arguments;
    int ExitCode;
    std::string Expected;  // the last line of the output, or part of the usage message
  };
  const Case cases[] = {
      {{"create", "--bars", "010", "--folder", out, "--app-folder", app}, ExitSuccess, out + PathSeparator + "Bar_10.bar"},
      {{"create", "--bars", "0x10", "--folder", out, "--app-folder", app}, ExitUsage, "--bars: not a number: 0x10"},
      {{"create", "--bars", "1e1", "--folder", out, "--app-folder", app}, ExitUsage, "--bars: not a number: 1e1"},
      {{"texts", "--language", language, "--font-script", "0204"}, ExitSuccess, "3056\t\xD0\xB4"},
      {{"texts", "--font-script", "0xCC"}, ExitUsage, "--font-script: not a number: 0xCC"},
  };
  for (const Case& c : cases) {
    std::string commandLine;
    for (const std::string& argument : c.Arguments) commandLine += argument + " ";
    SCOPED_TRACE(commandLine);
    const test_support::ProcessResult result = test_support::RunProcess(test_support::BarloomCliPath(), c.Arguments);
    EXPECT_EQ(result.ExitCode, c.ExitCode) << result.Errors;
    if (c.ExitCode == ExitSuccess) {
      const std::vector<std::string> lines = test_support::OutputLines(result.Output);
      EXPECT_EQ(lines.empty() ? "" : lines.back(), c.Expected);
    } else {
      EXPECT_EQ(result.Output, "");
      EXPECT_NE(result.Errors.find(c.Expected), std::string::npos) << result.Errors;
    }
  }
}

}  // namespace
}  // namespace barloom
