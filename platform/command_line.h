#pragma once
#include <string>
#include <vector>

namespace barloom {

// The program's arguments as UTF-8, argv[0] included. On Windows they come from the wide
// command line, so a folder named in any script survives; elsewhere argv is UTF-8 already.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// Makes the console show the UTF-8 text the program prints (Windows: console output code page).
void UseUtf8Console();

}  // namespace barloom
