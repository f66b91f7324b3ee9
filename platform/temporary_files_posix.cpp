// Temporary files on POSIX: removed at the signals that end a process, and found stale by their
// writer's process id and lock.
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <system_error>

#include "platform/temporary_files.h"
#include "platform/unique_file_descriptor.h"

namespace barloom {
namespace {

void RemoveFile(const char* file) { ::unlink(file); }

// Only async-signal-safe calls: unlink, raise (and the atomics of the table).
extern "C" void OnEndingSignal(int signal) {
  const int savedErrno = errno;
  ForEachRememberedTemporaryFile(RemoveFile);
  // SA_RESETHAND restored the default action, and the signal is blocked while this handler runs:
  // raised again, it ends the process as soon as the handler returns, as if never caught.
  ::raise(signal);
  errno = savedErrno;
}

bool ProcessRuns(std::uint32_t processId) {
  // Beyond what pid_t holds the number would name a process group: nothing to prove there.
  if (processId > static_cast<std::uint32_t>(INT32_MAX)) return true;
  return ::kill(static_cast<pid_t>(processId), 0) == 0 || errno != ESRCH;
}

// A file that a writer holds is locked (the writer takes the lock when it creates the file); one
// whose lock cannot be taken is not proved stale. The lock also protects files of writers whose
// process ids mean nothing here (another machine, another container).
bool NobodyHolds(const std::filesystem::path& file) {
  const UniqueFileDescriptor held(::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  if (!held) return false;
  struct stat info {};
  return ::fstat(held.get(), &info) == 0 && S_ISREG(info.st_mode) && ::flock(held.get(), LOCK_EX | LOCK_NB) == 0;
}

}  // namespace

void InstallTemporaryFileCleanup() {
  ::signal(SIGXFSZ, SIG_IGN);
  for (const int signal : {SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGPIPE, SIGALRM, SIGUSR1, SIGUSR2}) {
    struct sigaction current {};
    // A signal ignored from the start (nohup) stays ignored.
    if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = OnEndingSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    ::sigaction(signal, &action, nullptr);
  }
}

int RemoveStaleTemporaryFiles(const std::filesystem::path& folder) {
  int removed = 0;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::filesystem::path& file = it->path();
    const std::optional<std::uint32_t> owner = TemporaryFileOwner(file.filename());
    if (!owner || *owner == static_cast<std::uint32_t>(::getpid()) || ProcessRuns(*owner)) continue;
    if (NobodyHolds(file) && ::unlink(file.c_str()) == 0) ++removed;
  }
  return removed;
}

}  // namespace barloom
