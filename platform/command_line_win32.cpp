#include <windows.h>

#include "platform/command_line.h"
#include "platform/wide_text.h"

namespace barloom {

// argv is the C runtime's split of the wide command line. Splitting it here with the shell's
// CommandLineToArgvW would load the shell library, and with it a dozen more, at every start; the
// two agree on every command line quoted by the documented rules (backslash before a quote).
std::vector<std::string> CommandLineArguments(int argc, wchar_t** argv) {
  std::vector<std::string> arguments;
  arguments.reserve(static_cast<std::size_t>(argc));
  for (int i = 0; i < argc; ++i) arguments.push_back(Utf8FromWide(argv[i]));
  return arguments;
}

void UseUtf8Console() { SetConsoleOutputCP(CP_UTF8); }

}  // namespace barloom
