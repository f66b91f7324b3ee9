#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>

// The temporary files of the atomic writer (atomic_file.h): their names, the ones being written
// at this moment (so that a run ended by a signal or a console event removes them), and the stale
// ones that runs killed outright left behind.
namespace barloom {

// Lets a run that is ended, or that reaches a limit, leave no temporary file behind. Call once,
// early in main.
// POSIX: SIGXFSZ is ignored, so that a write beyond the file-size limit fails (EFBIG) and is
// reported instead of ending the process. On SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGPIPE, SIGALRM,
// SIGUSR1 and SIGUSR2 (each unless the program was started with it ignored) the temporary files
// being written are removed, then the process ends as the signal asks.
// Windows: the console's control events (Ctrl+C, Ctrl+Break, closing the console, log-off,
// shut-down) remove them before the process ends.
void InstallTemporaryFileCleanup();

// Removes from `folder` the temporary files that runs of this program left behind when they were
// killed outright: only names of the writer's exact pattern whose process no longer runs and that
// nobody holds (no lock on POSIX; on Windows, no open handle). Gives how many it removed.
int RemoveStaleTemporaryFiles(const std::filesystem::path& folder);

// The name of the temporary file that replaces `file`: the start of the file's name (at most 200
// characters, so the name stays within the 255 a file system allows), the writer's process id and
// a counter: ".Bar_01.bar.barloom-4711-0.tmp" (hidden) on POSIX, "~Bar_01.bar.barloom-4711-0.tmp"
// on Windows.
std::filesystem::path TemporaryFileName(const std::filesystem::path& file, std::uint32_t processId, unsigned counter);

// The process id that `name` carries when it is a temporary file name of exactly that pattern.
std::optional<std::uint32_t> TemporaryFileOwner(const std::filesystem::path& name);

// For the writers -------------------------------------------------------------------------------

// RemoveStaleTemporaryFiles, the first time a folder is written to in this run.
void RemoveStaleTemporaryFilesOnce(const std::filesystem::path& folder);

// Remembers a temporary file while it is written, for the clean-up at a signal or console event.
// Without a free place (more than a few writes at once, or a path beyond 4,095 characters) the
// file is not remembered, and a later run removes it as stale.
class RememberedTemporaryFile {
 public:
  explicit RememberedTemporaryFile(const std::filesystem::path& file) noexcept;
  ~RememberedTemporaryFile();
  RememberedTemporaryFile(const RememberedTemporaryFile&) = delete;
  RememberedTemporaryFile& operator=(const RememberedTemporaryFile&) = delete;

 private:
  int slot_;
};

// Calls `remove` with the path of each remembered file. Uses nothing but lock-free atomics, so it
// is safe in a signal handler when `remove` is.
void ForEachRememberedTemporaryFile(void (*remove)(const std::filesystem::path::value_type* file)) noexcept;

}  // namespace barloom
