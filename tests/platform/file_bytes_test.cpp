#include "platform/file_bytes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#ifndef _WIN32
#include <sys/stat.h>

#include "tests/support/pipe_watchdog.h"
#endif

#include "tests/support/temp_folder.h"

namespace barloom {
namespace {

#ifndef _WIN32
// A named pipe is no file: reading it would wait for a writer that may never come. It is one that
// exists and cannot be read, so that a write leaves it alone.
TEST(FileBytes, ANamedPipeReadsAsUnreadableWithoutWaiting) {
  const test_support::TempFolder folder{"file-bytes"};
  const std::filesystem::path pipe = folder.Path() / "pipe.ini";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  test_support::PipeWatchdog watchdog(pipe);
  std::string bytes;
  const FileReadResult result = ReadFileBytes(pipe, bytes);
  EXPECT_FALSE(watchdog.Finish()) << "the read waited for a writer";
  EXPECT_EQ(result, FileReadResult::Unreadable);
}
#endif

}  // namespace
}  // namespace barloom
