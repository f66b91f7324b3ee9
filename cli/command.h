#pragma once

namespace CLI {
class App;
}

namespace barloom {

// Exit codes of barloom-cli.
inline constexpr int ExitSuccess = 0;
inline constexpr int ExitFailure = 1;     // the work failed: a message says which file and why
inline constexpr int ExitUsage = 2;        // the arguments were wrong

// Each subcommand registers itself on the application; its callback sets `exitCode`
// (ExitSuccess or ExitFailure) and prints its own output. Bad arguments throw CLI::ParseError.
void AddCreateCommand(CLI::App& app, int& exitCode);
void AddTextsCommand(CLI::App& app, int& exitCode);

}  // namespace barloom
