#pragma once
#include <string>

namespace barloom {

// The full path that the system opens for `utf8` (relative to the current folder), in plain form:
// "." steps dropped, ".." steps resolved the way the system resolves them, native separators. ""
// stays "". A path argument is checked and then used in this form, so that what was checked is
// what is read and written; and the bars name folders in plain form, as "." and ".." steps would
// keep a path under Total Commander's folder from being folded.
std::string ResolvedPath(const std::string& utf8);

}  // namespace barloom
