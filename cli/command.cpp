#include "cli/command.h"

#include <ostream>

namespace barloom {

bool ResultWritten(std::ostream& out, std::ostream& err, std::string_view what) {
  out.flush();
  if (out) return true;
  err << "barloom-cli: cannot write " << what << ".\n";
  return false;
}

}  // namespace barloom
