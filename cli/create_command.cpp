// placeholder: being written
#include <CLI/CLI.hpp>
#include "cli/command.h"
namespace barloom { void AddCreateCommand(CLI::App&, int&) {} }
