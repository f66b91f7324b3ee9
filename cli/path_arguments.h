#pragma once
#include <CLI/CLI.hpp>

namespace barloom {

// A folder that exists, in its resolved form (ResolvedPath): the check and the text used are one.
extern const CLI::Validator ExistingFolderArgument;

}  // namespace barloom
