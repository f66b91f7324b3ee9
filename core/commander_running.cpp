#include "core/commander_running.h"

#include "platform/ascii_text.h"

namespace barloom {

bool CommanderRunning(const WindowPrograms& programs) {
  if (!programs) return false;
  for (const std::string& program : programs("TTOTAL_CMD")) {
    // Executables' paths are Windows paths, whatever the build.
    const std::string_view name = std::string_view(program).substr(program.find_last_of("\\/") + 1);
    if (EqualIgnoringAsciiCase(name, "TOTALCMD.EXE") || EqualIgnoringAsciiCase(name, "TOTALCMD64.EXE")) return true;
  }
  return false;
}

}  // namespace barloom
