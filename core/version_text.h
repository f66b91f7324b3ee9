#pragma once
#include <string>

namespace barloom {

// A version as its major number, ".", its minor number and its revision, with nothing between
// the last two: 1.0.0 -> "1.00", 1.2.15 -> "1.215".
std::string VersionText(int major, int minor, int revision);

// The program's own version (build_info.h) in that form.
std::string VersionText();

}  // namespace barloom
