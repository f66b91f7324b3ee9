#include "platform/command_line.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>

#include "platform/unique_handle.h"
#include "platform/wide_text.h"
#endif

namespace barloom {

#ifdef _WIN32

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  int count = 0;
  UniqueLocalMemory<LPWSTR*> wide{CommandLineToArgvW(GetCommandLineW(), &count)};
  if (!wide) return {argv, argv + argc};
  std::vector<std::string> arguments;
  arguments.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) arguments.push_back(Utf8FromWide(wide.get()[i]));
  return arguments;
}

void UseUtf8Console() { SetConsoleOutputCP(CP_UTF8); }

#else

std::vector<std::string> CommandLineArguments(int argc, char** argv) { return {argv, argv + argc}; }

void UseUtf8Console() {}

#endif

}  // namespace barloom
