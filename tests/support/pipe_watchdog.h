#pragma once
// POSIX only: named pipes as files are a POSIX matter.
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>

namespace barloom::test_support {

// For a test that reads a named pipe, which must not wait for a writer that may never come: should
// a read wait, the watchdog opens the pipe's other end after a few seconds (then every second), so
// that the test ends either way, and Finish tells that it had to.
class PipeWatchdog {
 public:
  explicit PipeWatchdog(std::filesystem::path pipe)
      : watcher_([this, pipe = std::move(pipe)] {
          std::unique_lock lock(mutex_);
          auto wait = std::chrono::seconds(5);
          while (!done_.wait_for(lock, wait, [this] { return finished_; })) {
            hadToUnblock_ = true;
            const int fd = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) ::close(fd);
            wait = std::chrono::seconds(1);
          }
        }) {}
  ~PipeWatchdog() { Finish(); }
  PipeWatchdog(const PipeWatchdog&) = delete;
  PipeWatchdog& operator=(const PipeWatchdog&) = delete;

  // Ends the watch; true when a read had to be unblocked.
  bool Finish() {
    {
      std::lock_guard lock(mutex_);
      finished_ = true;
    }
    done_.notify_one();
    if (watcher_.joinable()) watcher_.join();
    return hadToUnblock_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable done_;
  bool finished_ = false;
  bool hadToUnblock_ = false;
  std::thread watcher_;  // last: it starts once the members it uses exist
};

}  // namespace barloom::test_support
