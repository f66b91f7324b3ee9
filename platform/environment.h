#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace barloom {

// The value of the environment variable `name` (UTF-8), looked up without regard to the letter
// case of its name, as Windows does; nullopt when it is not set. An empty value is returned as "".
std::optional<std::string> EnvironmentValue(std::string_view name);

}  // namespace barloom
