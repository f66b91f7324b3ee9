// The atomic writer's temporary files: names that a later run can prove to be its own, stale ones
// removed only when nobody can be using them, and the clean-up when a signal ends a run.
#include "platform/file_writing.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "tests/support/temp_folder.h"

namespace barloom {
namespace {

namespace fs = std::filesystem;
using test_support::FileNames;

#ifdef _WIN32
constexpr char Lead = '~';
std::uint32_t OwnProcessId() { return GetCurrentProcessId(); }
// Windows gives process ids in multiples of four, far below this one.
std::uint32_t EndedProcessId() { return 4000000000u; }
#else
constexpr char Lead = '.';
std::uint32_t OwnProcessId() { return static_cast<std::uint32_t>(::getpid()); }
std::uint32_t EndedProcessId() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return static_cast<std::uint32_t>(child);
}
#endif

std::string L(const std::string& rest) { return std::string(1, Lead) + rest; }

void Put(const fs::path& file) { test_support::WriteFileAt(file, "half-written"); }

TEST(TemporaryFileNames, CarryTheWritersProcessAndNothingElseMatches) {
  const fs::path made = TemporaryFileName("Bar_01.bar", 4711, 3);
  EXPECT_EQ(made.string(), L("Bar_01.bar.barloom-4711-3.tmp"));
  EXPECT_EQ(TemporaryFileOwner(made), 4711u);
  const fs::path longest = TemporaryFileName(std::string(255, 'n'), 4294967295u, 4294967295u);
  EXPECT_LE(longest.native().size(), 255u);
  EXPECT_EQ(TemporaryFileOwner(longest), 4294967295u);

  const struct {
    std::string Name;
    std::optional<std::uint32_t> Owner;
  } cases[] = {
      {L("a.b.barloom-1-0.tmp"), 1},
      {L("x.barloom-5.barloom-12-34.tmp"), 12},  // the name part may hold anything
      {"Bar.barloom-12-3.tmp", std::nullopt},      // no lead character
      {L(".barloom-12-3.tmp"), std::nullopt},     // no name part
      {L("x.barloom-012-3.tmp"), std::nullopt},   // numbers are written without leading zeros
      {L("x.barloom-12-03.tmp"), std::nullopt},
      {L("x.barloom-0-3.tmp"), std::nullopt},     // no process has id 0
      {L("x.barloom-4294967296-3.tmp"), std::nullopt},
      {L("x.barloom-12-3.tmp.bak"), std::nullopt},
      {L("x.barloom-12.tmp"), std::nullopt},
      {L("x.barloom-12-.tmp"), std::nullopt},
      {L("x.barloom--3.tmp"), std::nullopt},
      {L("x.barloom-1a-3.tmp"), std::nullopt},
      {L("x.12-3.tmp"), std::nullopt},            // another program's pattern
      {L(std::string(201, 'n') + ".barloom-12-3.tmp"), std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(TemporaryFileOwner(c.Name), c.Owner) << c.Name;
}

// Only files that are provably ours and provably abandoned go: a running writer's file, one
// that is held, and one of another pattern stay.
TEST(StaleTemporaryFiles, OnlyThoseOfEndedWritersThatNobodyHoldsAreRemoved) {
  test_support::TempFolder temp{"stale"};
  const fs::path folder = temp.Path();
  const std::uint32_t ended = EndedProcessId();
  const fs::path stale = folder / TemporaryFileName("Bar_01.bar", ended, 0);
  const fs::path held = folder / TemporaryFileName("Bar_02.bar", ended, 1);
  const fs::path own = folder / TemporaryFileName("Bar_03.bar", OwnProcessId(), 7);
  const fs::path otherPattern = folder / (L("Bar_04.bar.") + std::to_string(ended) + "-0.tmp");
  const fs::path userFile = folder / "Bar_01.bar";
  for (const fs::path& file : {stale, held, own, otherPattern, userFile}) Put(file);
#ifdef _WIN32
  // A writer elsewhere (another machine, say) holds its file open while it writes.
  HANDLE holder = CreateFileW(held.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
#else
  // A writer elsewhere (another machine, another container) holds the lock while it writes.
  const int holder = ::open(held.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(holder, 0);
  ASSERT_EQ(::flock(holder, LOCK_EX), 0);
  const fs::path link = folder / TemporaryFileName("Bar_05.bar", ended, 2);
  fs::create_symlink(userFile, link);  // a link of the pattern is not a file of ours
#endif

  EXPECT_EQ(RemoveStaleTemporaryFiles(folder), 1);
  std::vector<std::string> expected = {held.filename().string(), own.filename().string(),
                                       otherPattern.filename().string(), "Bar_01.bar"};
#ifdef _WIN32
  CloseHandle(holder);
#else
  ::close(holder);
  expected.push_back(link.filename().string());
#endif
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(FileNames(folder), expected);
  EXPECT_EQ(RemoveStaleTemporaryFiles(folder), 1) << "released, the held file is stale too";
}

#ifndef _WIN32
// A run ended by a signal that can be caught removes the temporary file it was writing, and then
// ends as the signal asks; a file it is not writing stays.
TEST(TemporaryFileCleanup, SignalsThatEndTheRunRemoveTheFileBeingWritten) {
  for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGQUIT}) {
    test_support::TempFolder temp{"signal"};
    const fs::path writing = temp.Path() / TemporaryFileName("Bar_01.bar", 1, 0);
    const fs::path written = temp.Path() / TemporaryFileName("Bar_02.bar", 1, 1);
    const pid_t child = ::fork();
    if (child == 0) {
      InstallTemporaryFileCleanup();
      { const RememberedTemporaryFile done(written); Put(written); }
      const RememberedTemporaryFile remembered(writing);
      Put(writing);
      ::raise(signal);
      ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal << ": status " << status;
    EXPECT_EQ(FileNames(temp.Path()), std::vector<std::string>{written.filename().string()}) << signal;
  }
}

// A signal ignored when the program started (nohup) stays ignored.
TEST(TemporaryFileCleanup, ASignalIgnoredFromTheStartStaysIgnored) {
  const pid_t child = ::fork();
  if (child == 0) {
    ::signal(SIGHUP, SIG_IGN);
    InstallTemporaryFileCleanup();
    ::raise(SIGHUP);
    ::_exit(7);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 7) << status;
}
#endif

}  // namespace
}  // namespace barloom
