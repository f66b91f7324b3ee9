#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace barloom {

// The programs that own top-level windows of the window class `windowClass` (compared without
// regard to case, as the system compares class names): the full path of each one's executable
// (UTF-8), each program once. Programs the system does not let us ask are left out. The
// portable build has no windows and answers none.
std::vector<std::string> ProgramsWithWindowClass(std::string_view windowClass);

#ifndef _WIN32
inline std::vector<std::string> ProgramsWithWindowClass(std::string_view) { return {}; }
#endif

}  // namespace barloom
