#pragma once
#include <string>

namespace barloom {

// The folder that holds the running executable (UTF-8, without a trailing separator), or "" when
// the system cannot tell.
std::string ExecutableFolder();

}  // namespace barloom
