#include "platform/command_line.h"

namespace barloom {

std::vector<std::string> CommandLineArguments(int argc, char** argv) { return {argv, argv + argc}; }

void UseUtf8Console() {}

}  // namespace barloom
