#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "platform/file_writing.h"
#include "tests/support/temp_folder.h"

namespace barloom {
namespace {

namespace fs = std::filesystem;
using test_support::ReadFileAt;
using test_support::SetWritable;
using test_support::WriteFileAt;

// The names the file has (the C runtime's stat says 1 on Windows whatever the truth).
std::uintmax_t LinkCount(const fs::path& file) {
#ifdef _WIN32
  const HANDLE handle = CreateFileW(file.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  BY_HANDLE_FILE_INFORMATION info{};
  const bool known = handle != INVALID_HANDLE_VALUE && GetFileInformationByHandle(handle, &info);
  if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  return known ? info.nNumberOfLinks : 0;
#else
  return fs::hard_link_count(file);
#endif
}

class RewriteInPlaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WriteFileAt(file_, Old));
    fs::create_hard_link(file_, link_);
  }
  // The file is still the one its hard link names, and no journal is left anywhere.
  void ExpectLinkedWith(const std::string& bytes) {
    EXPECT_EQ(ReadFileAt(file_).value_or("<missing>"), bytes);
    EXPECT_EQ(ReadFileAt(link_).value_or("<missing>"), bytes);
    EXPECT_EQ(LinkCount(file_), 2u);
    const RewriteJournals journals = RewriteJournalsOf(file_);
    EXPECT_FALSE(fs::exists(journals.Beside));
    EXPECT_FALSE(fs::exists(journals.InTemporaryFolder));
  }

  static constexpr const char* Old = "[Barloom]\r\nLastPath=C:\\a very long old folder name\r\nBarFilePrefix=Old_\r\n";
  static constexpr const char* New = "[Barloom]\r\nBarFilePrefix=New_\r\n";
  test_support::TempFolder temp_{"rewrite"};
  const fs::path file_ = temp_.Path() / "barloom.ini";
  const fs::path link_ = temp_.Path() / "persisted.ini";
};

TEST_F(RewriteInPlaceTest, KeepsHardLinksAndCreatesMissingFiles) {
  WriteFailure failure;
  ASSERT_TRUE(RewriteFileInPlace(file_, New, &failure)) << failure.SystemMessage;
  ExpectLinkedWith(New);
  const fs::path fresh = temp_.Path() / "fresh.ini";
  ASSERT_TRUE(RewriteFileInPlace(fresh, "made"));
  EXPECT_EQ(ReadFileAt(fresh), "made");
}

TEST_F(RewriteInPlaceTest, ReadOnlyFileStaysAsItWas) {
  SetWritable(file_, false);
  WriteFailure failure;
  EXPECT_FALSE(RewriteFileInPlace(file_, New, &failure));
  EXPECT_EQ(failure.Reason, WriteFailureReason::FileReadOnly);
  SetWritable(file_, true);
  ExpectLinkedWith(Old);
}

#ifndef _WIN32
// A folder that cannot be written keeps no journal beside the file: it goes to the temporary folder.
TEST_F(RewriteInPlaceTest, WritableFileInReadOnlyFolder) {
  SetWritable(temp_.Path(), false);
  WriteFailure failure;
  const bool rewritten = RewriteFileInPlace(file_, New, &failure);
  SetWritable(temp_.Path(), true);
  ASSERT_TRUE(rewritten) << failure.SystemMessage;
  ExpectLinkedWith(New);
}

// A run ended at each step of a rewrite leaves the old bytes or a journal from which the next
// rewrite, or a reader, completes the new ones; the file stays the one its link names.
TEST_F(RewriteInPlaceTest, RunKilledAtEachStepIsCompletedFromTheJournal) {
  for (const RewriteStep step : {RewriteStep::JournalWritten, RewriteStep::FileHalfWritten, RewriteStep::FileWritten}) {
    SCOPED_TRACE(static_cast<int>(step));
    ASSERT_TRUE(WriteFileAt(file_, Old));
    static RewriteStep killAt;
    killAt = step;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      AfterRewriteStepForTests = [](RewriteStep reached) {
        if (reached == killAt) ::_exit(9);
      };
      RewriteFileInPlace(file_, New);
      ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 9) << "the run ended at the step";
    EXPECT_TRUE(fs::exists(RewriteJournalsOf(file_).Beside));
    if (step == RewriteStep::FileHalfWritten) EXPECT_NE(ReadFileAt(file_), Old) << "torn until completed";
    EXPECT_TRUE(FinishInterruptedRewrite(file_));
    ExpectLinkedWith(New);
    EXPECT_FALSE(FinishInterruptedRewrite(file_)) << "nothing left to finish";
  }
}
#endif

}  // namespace
}  // namespace barloom
