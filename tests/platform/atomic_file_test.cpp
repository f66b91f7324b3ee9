#include "platform/file_writing.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "tests/support/temp_folder.h"

namespace barloom {
namespace {

namespace fs = std::filesystem;
using test_support::FileNames;
using test_support::ReadFileAt;
using test_support::SetWritable;
using test_support::WriteFileAt;
using namespace std::literals;

class AtomicFileTest : public ::testing::Test {
 protected:
  // The bytes of `file`; "" when there is none.
  static std::string Get(const fs::path& file) { return ReadFileAt(file).value_or(""); }

  test_support::TempFolder temp_{"atomic"};
  const fs::path folder_ = temp_.Path();
};

TEST_F(AtomicFileTest, CreatesAndReplacesWithExactBytes) {
  const fs::path file = folder_ / "a.bar";
  const std::string first = "[S]\r\n\0\x01\xFF\n"s;
  WriteFailure failure;
  ASSERT_TRUE(ReplaceFileAtomically(file, first, &failure)) << failure.SystemMessage;
  EXPECT_EQ(Get(file), first);
  const std::string second(100000, '\x80');
  ASSERT_TRUE(ReplaceFileAtomically(file, second, &failure)) << failure.SystemMessage;
  EXPECT_EQ(Get(file), second);
  ASSERT_TRUE(ReplaceFileAtomically(file, "", &failure)) << failure.SystemMessage;
  EXPECT_EQ(fs::file_size(file), 0u);
  EXPECT_EQ(FileNames(folder_), std::vector<std::string>{"a.bar"}) << "no temporary file left";
}

// Any name the file system takes can be replaced: the temporary file's name must not outgrow
// the longest name allowed (255), whatever the target's length.
TEST_F(AtomicFileTest, NamesUpToTheFileSystemsLimitCanBeReplaced) {
  for (const std::size_t length : {100u, 200u, 240u, 255u}) {
    const fs::path file = folder_ / std::string(length, 'n');
    WriteFailure failure;
    ASSERT_TRUE(ReplaceFileAtomically(file, "first", &failure)) << length << ": " << failure.SystemMessage;
    ASSERT_TRUE(ReplaceFileAtomically(file, "second", &failure)) << length << ": " << failure.SystemMessage;
    EXPECT_EQ(Get(file), "second");
    fs::remove(file);
    EXPECT_TRUE(FileNames(folder_).empty()) << "no temporary file left";
  }
}

TEST_F(AtomicFileTest, FailuresLeaveTheTargetAndNoTemporaryFile) {
  const fs::path readOnly = folder_ / "ro.ini";
  WriteFileAt(readOnly, "keep");
  SetWritable(readOnly, false);
  const fs::path subfolder = folder_ / "sub.ini";
  fs::create_directory(subfolder);

  // The causes the writer finds itself come as a reason, in no language, for the caller to word.
  const struct {
    const char* Label;
    fs::path Target;
    WriteFailureReason Reason;
  } cases[] = {
      {"missing folder", folder_ / "missing" / "x.ini", WriteFailureReason::FolderMissing},
      {"target is a folder", subfolder, WriteFailureReason::NameIsFolder},
      {"read-only file", readOnly, WriteFailureReason::FileReadOnly},
  };
  for (const auto& c : cases) {
    WriteFailure failure;
    EXPECT_FALSE(ReplaceFileAtomically(c.Target, "new", &failure)) << c.Label;
    EXPECT_EQ(failure.Reason, c.Reason) << c.Label;
    EXPECT_EQ(failure.SystemMessage, "") << c.Label;
    EXPECT_FALSE(ReplaceFileAtomically(c.Target, "new")) << c.Label << " without a failure to fill";
  }
  EXPECT_EQ(Get(readOnly), "keep");
  EXPECT_TRUE(fs::is_directory(subfolder));
  EXPECT_FALSE(fs::exists(folder_ / "missing"));
  EXPECT_EQ(FileNames(folder_).size(), 2u) << "no temporary file left";
}

#ifdef _WIN32
TEST_F(AtomicFileTest, FileLockedByAnotherHandleIsLeftAlone) {
  const fs::path file = folder_ / "locked.ini";
  WriteFileAt(file, "keep");
  HANDLE lock = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  WriteFailure failure;
  EXPECT_FALSE(ReplaceFileAtomically(file, "new", &failure));
  EXPECT_EQ(failure.Reason, WriteFailureReason::FileInUse);
  CloseHandle(lock);
  EXPECT_EQ(Get(file), "keep");
  EXPECT_EQ(FileNames(folder_).size(), 1u) << "no temporary file left";
  EXPECT_TRUE(ReplaceFileAtomically(file, "new", &failure)) << failure.SystemMessage;
  EXPECT_EQ(Get(file), "new");
}

TEST_F(AtomicFileTest, HiddenAttributeSurvives) {
  const fs::path file = folder_ / "hidden.ini";
  WriteFileAt(file, "old");
  ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(ReplaceFileAtomically(file, "new"));
  EXPECT_EQ(Get(file), "new");
  EXPECT_TRUE(GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_HIDDEN);
}
#else
TEST_F(AtomicFileTest, ReadOnlyFolderFailsEvenForRoot) {
  const fs::path file = folder_ / "x.ini";
  WriteFileAt(file, "keep");
  SetWritable(folder_, false);
  WriteFailure failure;
  EXPECT_FALSE(ReplaceFileAtomically(file, "new", &failure));
  EXPECT_EQ(failure.Reason, WriteFailureReason::FolderReadOnly);
  EXPECT_EQ(Get(file), "keep");
}

// A folder shared through a group that is one of the user's supplementary groups (not the
// primary one) is writable. The child process takes such a group; setting it up needs root.
TEST_F(AtomicFileTest, AFolderWritableThroughASupplementaryGroupIsWritten) {
  if (::geteuid() != 0) GTEST_SKIP() << "setting up the groups needs root";
  constexpr gid_t SharedGroup = 4242;
  constexpr uid_t OtherOwner = 65534;
  const fs::path shared = folder_ / "shared";
  fs::create_directory(shared);
  ASSERT_EQ(::chown(shared.c_str(), OtherOwner, SharedGroup), 0);
  fs::permissions(shared, fs::perms::owner_all | fs::perms::group_all);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const gid_t groups[] = {SharedGroup};
    if (::setgroups(1, groups) != 0) ::_exit(2);
    ::_exit(ReplaceFileAtomically(shared / "Bar_01.bar", "bytes") ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(Get(shared / "Bar_01.bar"), "bytes");
}

// How a write ended, told by a child process through its exit code: written, refused in the
// system's words, or refused for a reason (Because).
enum WriteOutcome { Written = 0, SystemWords = 1, SetUpFailed = 3 };
constexpr int Because(WriteFailureReason reason) { return 10 + static_cast<int>(reason); }

int OutcomeCode(bool written, const WriteFailure& failure) {
  if (written) return Written;
  if (failure.Reason) return Because(*failure.Reason);
  return failure.SystemMessage.empty() ? SetUpFailed : SystemWords;
}

// Runs `write` in a child process (as `user` when given) and gives its outcome.
template <typename Write>
int OutcomeInChild(std::optional<uid_t> user, Write write) {
  const pid_t child = ::fork();
  if (child == 0) {
    if (user && (::setgroups(0, nullptr) != 0 || ::setgid(*user) != 0 || ::setuid(*user) != 0)) ::_exit(SetUpFailed);
    ::_exit(write());
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

// One rule for files and folders: without any write permission bit an item is read-only for
// everyone, root included; with one, the system decides (so root writes into another user's
// folder, and another user does not write into root's).
TEST_F(AtomicFileTest, WritePermissionBitsDecideForRootTooAndTheSystemDecidesTheRest) {
  if (::geteuid() != 0) GTEST_SKIP() << "owners and users need root";
  constexpr uid_t Nobody = 65534;
  struct Case {
    const char* Label;
    uid_t Owner;
    unsigned FolderMode;
    unsigned FileMode;  // 0: no file yet
    std::optional<uid_t> Writer;
    int Expected;
  };
  const Case cases[] = {
      {"root, another user's folder 755", Nobody, 0755, 0, std::nullopt, Written},
      {"root, another user's file 644", Nobody, 0755, 0644, std::nullopt, Written},
      {"root, a file only its owner may write (200)", Nobody, 0755, 0200, std::nullopt, Written},
      {"root, own folder 555", 0, 0555, 0, std::nullopt, Because(WriteFailureReason::FolderReadOnly)},
      {"root, another user's folder 555", Nobody, 0555, 0, std::nullopt, Because(WriteFailureReason::FolderReadOnly)},
      {"root, own file 444", 0, 0755, 0444, std::nullopt, Because(WriteFailureReason::FileReadOnly)},
      {"another user, root's folder 755", 0, 0755, 0, Nobody, Because(WriteFailureReason::AccessDenied)},
      {"another user, root's file 644 in a folder 777", 0, 0777, 0644, Nobody,
       Because(WriteFailureReason::AccessDenied)},
      {"another user, root's folder 777", 0, 0777, 0, Nobody, Written},
  };
  for (const Case& c : cases) {
    barloom::test_support::TempFolder temp{"bits"};
    fs::permissions(temp.Path(), fs::perms::all);  // every user reaches the case's folder
    const fs::path folder = temp.Path() / "folder";
    const fs::path file = folder / "Bar_01.bar";
    fs::create_directory(folder);
    ASSERT_EQ(::chown(folder.c_str(), c.Owner, c.Owner), 0) << c.Label;
    if (c.FileMode != 0) {
      WriteFileAt(file, "old");
      ASSERT_EQ(::chown(file.c_str(), c.Owner, c.Owner), 0) << c.Label;
      fs::permissions(file, static_cast<fs::perms>(c.FileMode));
    }
    fs::permissions(folder, static_cast<fs::perms>(c.FolderMode));
    const int outcome = OutcomeInChild(c.Writer, [&] {
      WriteFailure failure;
      const bool written = ReplaceFileAtomically(file, "new", &failure);
      return OutcomeCode(written, failure);
    });
    EXPECT_EQ(outcome, c.Expected) << c.Label;
    EXPECT_EQ(Get(file), c.Expected == Written ? "new" : c.FileMode != 0 ? "old" : "") << c.Label;
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add);
    EXPECT_EQ(FileNames(folder).size(), c.Expected == Written || c.FileMode != 0 ? 1u : 0u) << c.Label << ": no temporary file left";
  }
}

TEST_F(AtomicFileTest, PermissionsAndLinksSurvive) {
  const fs::path file = folder_ / "mode.ini";
  WriteFileAt(file, "old");
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  const fs::path link = folder_ / "link.ini";
  fs::create_symlink(file, link);
  ASSERT_TRUE(ReplaceFileAtomically(link, "new"));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(Get(file), "new");
  EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}
#endif

}  // namespace
}  // namespace barloom
