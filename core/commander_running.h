#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window_owners.h"

namespace barloom {

// What owns the top-level windows of a class: ProgramsWithWindowClass, or a test's answer.
using WindowPrograms = std::function<std::vector<std::string>(std::string_view windowClass)>;

// Whether Total Commander runs: a top-level window of its class TTOTAL_CMD owned by TOTALCMD.EXE
// or TOTALCMD64.EXE (any letter case). Another file manager makes a window of that class for the
// plugins it borrows, so the class alone proves nothing. Total Commander writes wincmd.ini while it
// runs and when it closes, and reads its button bar only when it starts: nothing is changed while
// it runs.
bool CommanderRunning(const WindowPrograms& programs = ProgramsWithWindowClass);

}  // namespace barloom
