#pragma once
// What the running program is given: its arguments, its environment, the folder it lives in.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace barloom {

// The character type of the entry point's arguments. On Windows the entry point is wmain: its wide
// arguments hold what the user typed, so a folder named in any script survives (the narrow ones
// hold ANSI text). Elsewhere argv is UTF-8 already.
#ifdef _WIN32
using ArgumentChar = wchar_t;
#else
using ArgumentChar = char;
#endif

// The program's arguments as UTF-8, argv[0] included.
std::vector<std::string> CommandLineArguments(int argc, ArgumentChar** argv);

// Makes the console show the UTF-8 text the program prints (Windows: console output code page).
void UseUtf8Console();

// The value of the environment variable `name` (UTF-8), looked up without regard to the letter
// case of its name, as Windows does; nullopt when it is not set. An empty value is returned as "".
std::optional<std::string> EnvironmentValue(std::string_view name);

// The folder that holds the running executable (UTF-8, without a trailing separator), or "" when
// the system cannot tell.
std::string ExecutableFolder();

}  // namespace barloom
