// barloom-cli receives each argument exactly as the calling program passed it: quotes, backslashes,
// blanks and letters of any script. On Windows they travel through one command line that the
// program splits again, which is where they could change.
#include <gtest/gtest.h>

#include "tests/cli/run_process.h"

namespace barloom {
namespace {

using test_support::BarloomCliPath;
using test_support::OutputLines;
using test_support::ProcessResult;
using test_support::RunProcess;

// barloom-cli names an argument it did not expect in its usage message, verbatim: the message shows
// what the program received.
TEST(CommandLineTest, ArgumentsArriveAsPassed) {
  const std::vector<std::string> arguments = {
      "two words",
      "a \"quoted\" word",
      "\"",
      "ends with a backslash\\",
      "C:\\Program Files\\Total Commander\\",
      "\\\\server\\share\\",
      "back\\\\slashes\\\" and \\\\\\\"quotes\\\"",
      "tab\tand  two blanks",
      "\xC3\x9Cmlaut \xD0\xB4\xD0\xBE\xD0\xBC \xE5\xAE\xB6 \xF0\x9F\x98\x80",  // Latin, Cyrillic, Han, beyond 16 bits
  };
  for (const std::string& argument : arguments) {
    const ProcessResult result = RunProcess(BarloomCliPath(), {"create", "--bars", "2", argument});
    EXPECT_EQ(result.ExitCode, 2) << argument;
    const std::vector<std::string> lines = OutputLines(result.Errors);
    ASSERT_FALSE(lines.empty()) << argument;
    EXPECT_EQ(lines.front(), "The following argument was not expected: " + argument);
  }
}

}  // namespace
}  // namespace barloom
