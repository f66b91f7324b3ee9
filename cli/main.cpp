// barloom-cli: the wizard's bar-set building for scripts, and a check for translators.
#include <CLI/CLI.hpp>

#include <iostream>
#include <string>
#include <vector>

#include "cli/command.h"
#include "core/version_text.h"
#include "platform/program_context.h"
#include "platform/file_writing.h"

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {  // wide: the arguments as typed, in any script
#else
int main(int argc, char** argv) {
#endif
  barloom::InstallTemporaryFileCleanup();
  barloom::UseUtf8Console();
  const std::vector<std::string> arguments = barloom::CommandLineArguments(argc, argv);
  std::vector<const char*> pointers;
  for (const auto& argument : arguments) pointers.push_back(argument.c_str());

  CLI::App app{"Writes sets of interlinked Total Commander button bars.", "barloom-cli"};
  app.set_version_flag("--version", "barloom-cli " + barloom::VersionText());
  app.require_subcommand(1);
  int exitCode = barloom::ExitSuccess;
  barloom::AddCreateCommand(app, exitCode);
  barloom::AddTextsCommand(app, exitCode);
  barloom::AddInstallCommand(app, exitCode);
  try {
    app.parse(static_cast<int>(pointers.size()), pointers.data());
  } catch (const CLI::Success& success) {
    app.exit(success);  // --help, --version
    const bool version = dynamic_cast<const CLI::CallForVersion*>(&success) != nullptr;
    return barloom::ResultWritten(std::cout, std::cerr, version ? "the version" : "the help text")
               ? barloom::ExitSuccess
               : barloom::ExitFailure;
  } catch (const CLI::ParseError& error) {
    app.exit(error);
    return barloom::ExitUsage;
  }
  return exitCode;
}
