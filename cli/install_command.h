#pragma once
#include <iosfwd>
#include <optional>
#include <string>

#include "core/bar_key_places.h"

// `barloom-cli install`, and the install that `create --install` runs after a Create.
namespace barloom {

struct InstallOptions {
  std::string BarFile;             // full path; the caller has found it
  BarKind Kind = BarKind::Main;
  std::optional<std::string> Ini;  // --ini; none: found as Total Commander finds it
  bool Undo = false;
};

// Installs (or undoes) as InstallBar does, printing to `out` the wincmd.ini on the first line
// ("wincmd.ini: PATH"), then what changed; why not to `err`. ExitSuccess, ExitCommanderRunning
// (nothing written), or ExitFailure (no wincmd.ini found, a file that cannot be read or written).
int RunInstall(const InstallOptions& options, std::ostream& out, std::ostream& err);

}  // namespace barloom
