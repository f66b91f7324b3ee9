#pragma once
#include <optional>
#include <string>
#include <vector>

namespace barloom {

// A file that stopped the building of a set, and why ("Access is denied.").
struct FileError {
  std::string File;  // UTF-8 full path
  std::string Reason;

  // "Cannot write <file>: <reason>"-style text for a message box or the console.
  std::string Message() const;
};

struct BuildResult {
  std::vector<std::string> WrittenFiles;  // the bar files written, in order (full paths, UTF-8)
  std::optional<FileError> Error;         // set when the run stopped; files written before stay
  std::vector<std::string> Warnings;      // things done differently from what was asked
};

}  // namespace barloom
