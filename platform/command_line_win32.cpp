#include <windows.h>
#include <shellapi.h>

#include "platform/command_line.h"
#include "platform/unique_handle.h"
#include "platform/wide_text.h"

namespace barloom {

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  // argv holds ANSI text on Windows; the wide command line holds what the user typed.
  int count = 0;
  UniqueLocalMemory<LPWSTR*> wide{CommandLineToArgvW(GetCommandLineW(), &count)};
  if (!wide) return {argv, argv + argc};
  std::vector<std::string> arguments;
  arguments.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) arguments.push_back(Utf8FromWide(wide.get()[i]));
  return arguments;
}

void UseUtf8Console() { SetConsoleOutputCP(CP_UTF8); }

}  // namespace barloom
