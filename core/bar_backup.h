#pragma once
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "core/bar_set_result.h"

// A bar file that Create replaces keeps its earlier bytes beside it, one generation, under a name
// that Total Commander's lists of bars ("*.bar") do not show: the bar's name with ".bak" added,
// "Bar_01.bar.bak". A bar that already holds the bytes Create writes is left untouched.
namespace barloom {

inline constexpr std::string_view BackupExtension = ".bak";

std::string BackupFileOf(std::string_view barFile);

// The bars of one run, each replaced once or more.
class BarReplacer {
 public:
  struct Outcome {
    std::optional<FileError> Error;
    std::optional<std::string> Backup;  // the backup written, when one was
  };

  // Replaces `file` with `bytes`, atomically. The first time in the run that `file` changes while
  // it holds bytes of its own (the bytes it had before the run), those are first kept in
  // BackupFileOf(file), atomically. A file that holds `bytes` already is not written. On an error
  // `file` is as it was: it could not be replaced, its bytes could not be read, or they could not
  // be kept (the error names the backup file).
  Outcome Replace(const std::string& file, std::string_view bytes);

 private:
  std::set<std::string> settled_;  // files whose earlier bytes are kept, or that had none
};

}  // namespace barloom
