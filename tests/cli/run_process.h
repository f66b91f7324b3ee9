#pragma once
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Runs a built program as a child process, the way a script would, and collects what it printed.
namespace barloom::test_support {

struct ProcessResult {
  int ExitCode = -1;   // -1 when the program could not be started or did not end normally
  std::string Output;  // standard output, as bytes
  std::string Errors;  // standard error, as bytes
};

// Environment changes for the child: a value sets the variable, nullopt removes it (names are
// matched without regard to case on Windows, exactly elsewhere).
using EnvironmentChanges = std::vector<std::pair<std::string, std::optional<std::string>>>;

// Runs `program` (UTF-8 path) with `arguments` (UTF-8, without the program itself), standard input
// empty, in this process's environment with `changes` applied, and waits for it to end.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const EnvironmentChanges& changes = {});

// The built barloom-cli in the dist folder.
std::string BarloomCliPath();

// `text` split at line feeds, a CR before each dropped; no empty last line.
std::vector<std::string> OutputLines(const std::string& text);

}  // namespace barloom::test_support
