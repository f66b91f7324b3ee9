// placeholder: being written
#include <CLI/CLI.hpp>
#include "cli/command.h"
namespace barloom { void AddTextsCommand(CLI::App&, int&) {} }
