// barloom-cli: the wizard's bar-set building for scripts, and a check for translators.
#include <CLI/CLI.hpp>

#include <string>
#include <vector>

#include "build_info.h"
#include "cli/command.h"
#include "platform/command_line.h"

namespace {

std::string VersionLine() {
  using namespace barloom::build_info;
  return std::string("barloom-cli ") + std::to_string(VersionMajor) + "." + std::to_string(VersionMinor) +
         std::to_string(VersionRevision);
}

}  // namespace

int main(int argc, char** argv) {
  barloom::UseUtf8Console();
  const std::vector<std::string> arguments = barloom::CommandLineArguments(argc, argv);
  std::vector<const char*> pointers;
  for (const auto& argument : arguments) pointers.push_back(argument.c_str());

  CLI::App app{"Writes sets of interlinked Total Commander button bars.", "barloom-cli"};
  app.set_version_flag("--version", VersionLine());
  app.require_subcommand(1);
  int exitCode = barloom::ExitSuccess;
  barloom::AddCreateCommand(app, exitCode);
  barloom::AddTextsCommand(app, exitCode);
  try {
    app.parse(static_cast<int>(pointers.size()), pointers.data());
  } catch (const CLI::Success& success) {
    return app.exit(success);  // --help, --version
  } catch (const CLI::ParseError& error) {
    app.exit(error);
    return barloom::ExitUsage;
  }
  return exitCode;
}
