#pragma once
#include <iosfwd>
#include <string_view>

namespace CLI {
class App;
}

namespace barloom {

// Exit codes of barloom-cli.
inline constexpr int ExitSuccess = 0;
inline constexpr int ExitFailure = 1;     // the work failed: a message says which file and why
inline constexpr int ExitUsage = 2;        // the arguments were wrong
inline constexpr int ExitCommanderRunning = 3;  // Total Commander runs: nothing was written
inline constexpr int ExitOwnButtons = 4;    // create would drop buttons the bars hold of their own: nothing was written

// Each subcommand registers itself on the application; its callback sets `exitCode`
// (ExitSuccess, ExitFailure, ExitCommanderRunning or ExitOwnButtons) and prints its own output. Bad arguments throw CLI::ParseError.
void AddCreateCommand(CLI::App& app, int& exitCode);
void AddTextsCommand(CLI::App& app, int& exitCode);
void AddInstallCommand(CLI::App& app, int& exitCode);

// Flushes `out`, where a command prints its result. When that fails (a full disk behind a
// redirection), the result is lost and the run failed: writes "barloom-cli: cannot write `what`."
// to `err` and returns false.
bool ResultWritten(std::ostream& out, std::ostream& err, std::string_view what);

}  // namespace barloom
