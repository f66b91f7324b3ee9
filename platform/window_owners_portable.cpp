#include "platform/window_owners.h"

namespace barloom {

std::vector<std::string> ProgramsWithWindowClass(std::string_view) { return {}; }

}  // namespace barloom
