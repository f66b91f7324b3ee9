#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace barloom {

// `utf8` with every letter lower-cased by the system's rules for letters (all scripts, not only
// A-Z), one character for one character; nullopt when `utf8` is not valid UTF-8 or the system
// cannot map it. Windows: the invariant locale's mapping (LCMapStringEx), the one the file system
// uses for names; elsewhere the C.UTF-8 locale's towlower.
std::optional<std::string> LowerCaseText(std::string_view utf8);

}  // namespace barloom
