#pragma once
#include <functional>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>

#include "core/bar_set_result.h"

// A bar file that Create replaces keeps its earlier bytes beside it, one generation, under a name
// that Total Commander's lists of bars ("*.bar") do not show: the bar's name with ".bak" added,
// "Bar_01.bar.bak". A bar that already holds the bytes Create writes is left untouched. The backup
// keeps the last version that held buttons of the user's own: a bar replaced while it holds none
// leaves a backup that holds some as it is, so that creating a set again and again never loses
// them.
namespace barloom {

inline constexpr std::string_view BackupExtension = ".bak";

std::string BackupFileOf(std::string_view barFile);

// The bars of one run, each replaced once or more.
class BarReplacer {
 public:
  struct Outcome {
    std::optional<FileError> Error;
    std::optional<std::string> Backup;  // the backup written, when one was
    std::optional<std::string> Held;    // the backup left as it was, since it holds own buttons
  };

  // Whether a bar's bytes hold buttons of the user's own; none given: no backup is held.
  using OwnButtonsTest = std::function<bool(std::string_view bytes)>;

  // Replaces `file` with `bytes`, atomically. The first time in the run that `file` changes while
  // it holds bytes of its own (the bytes it had before the run), those are first kept in
  // BackupFileOf(file), atomically. A file that holds `bytes` already is not written. On an error
  // `file` is as it was: it could not be replaced, its bytes could not be read, or they could not
  // be kept (the error names the backup file). When the earlier bytes hold no own buttons
  // (`holdsOwnButtons`) and the backup there holds some, the backup stays as it was instead.
  // `bytes` comes in pieces, one after the other.
  Outcome Replace(const std::string& file, std::span<const std::string_view> bytes,
                  const OwnButtonsTest& holdsOwnButtons = {});

 private:
  std::set<std::string> settled_;  // files whose earlier bytes are kept, or that had none
};

}  // namespace barloom
