#include "platform/atomic_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
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
using namespace std::literals;

class AtomicFileTest : public ::testing::Test {
 protected:
  static void Put(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
  }
  static std::string Get(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) names.push_back(entry.path().filename().string());
    return names;
  }
  static void MakeReadOnly(const fs::path& path) {
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
  }

  barloom::testing::TempFolder temp_{"atomic"};
  const fs::path folder_ = temp_.Path();
};

TEST_F(AtomicFileTest, CreatesAndReplacesWithExactBytes) {
  const fs::path file = folder_ / "a.bar";
  const std::string first = "[S]\r\n\0\x01\xFF\n"s;
  std::string error;
  ASSERT_TRUE(ReplaceFileAtomically(file, first, &error)) << error;
  EXPECT_EQ(Get(file), first);
  const std::string second(100000, '\x80');
  ASSERT_TRUE(ReplaceFileAtomically(file, second, &error)) << error;
  EXPECT_EQ(Get(file), second);
  ASSERT_TRUE(ReplaceFileAtomically(file, "", &error)) << error;
  EXPECT_EQ(fs::file_size(file), 0u);
  EXPECT_EQ(Names(), std::vector<std::string>{"a.bar"}) << "no temporary file left";
}

// Any name the file system takes can be replaced: the temporary file's name must not outgrow
// the longest name allowed (255), whatever the target's length.
TEST_F(AtomicFileTest, NamesUpToTheFileSystemsLimitCanBeReplaced) {
  for (const std::size_t length : {100u, 200u, 240u, 255u}) {
    const fs::path file = folder_ / std::string(length, 'n');
    std::string error;
    ASSERT_TRUE(ReplaceFileAtomically(file, "first", &error)) << length << ": " << error;
    ASSERT_TRUE(ReplaceFileAtomically(file, "second", &error)) << length << ": " << error;
    EXPECT_EQ(Get(file), "second");
    fs::remove(file);
    EXPECT_TRUE(Names().empty()) << "no temporary file left";
  }
}

TEST_F(AtomicFileTest, FailuresLeaveTheTargetAndNoTemporaryFile) {
  const fs::path readOnly = folder_ / "ro.ini";
  Put(readOnly, "keep");
  MakeReadOnly(readOnly);
  const fs::path subfolder = folder_ / "sub.ini";
  fs::create_directory(subfolder);

  const struct {
    const char* label;
    fs::path target;
  } cases[] = {
      {"missing folder", folder_ / "missing" / "x.ini"},
      {"target is a folder", subfolder},
      {"read-only file", readOnly},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(ReplaceFileAtomically(c.target, "new", &error)) << c.label;
    EXPECT_FALSE(error.empty()) << c.label;
    EXPECT_FALSE(ReplaceFileAtomically(c.target, "new")) << c.label << " without an error text";
  }
  EXPECT_EQ(Get(readOnly), "keep");
  EXPECT_TRUE(fs::is_directory(subfolder));
  EXPECT_FALSE(fs::exists(folder_ / "missing"));
  EXPECT_EQ(Names().size(), 2u) << "no temporary file left";
}

#ifdef _WIN32
TEST_F(AtomicFileTest, FileLockedByAnotherHandleIsLeftAlone) {
  const fs::path file = folder_ / "locked.ini";
  Put(file, "keep");
  HANDLE lock = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  std::string error;
  EXPECT_FALSE(ReplaceFileAtomically(file, "new", &error));
  EXPECT_FALSE(error.empty());
  CloseHandle(lock);
  EXPECT_EQ(Get(file), "keep");
  EXPECT_EQ(Names().size(), 1u) << "no temporary file left";
  EXPECT_TRUE(ReplaceFileAtomically(file, "new", &error)) << error;
  EXPECT_EQ(Get(file), "new");
}

TEST_F(AtomicFileTest, HiddenAttributeSurvives) {
  const fs::path file = folder_ / "hidden.ini";
  Put(file, "old");
  ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(ReplaceFileAtomically(file, "new"));
  EXPECT_EQ(Get(file), "new");
  EXPECT_TRUE(GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_HIDDEN);
}
#else
TEST_F(AtomicFileTest, ReadOnlyFolderFailsEvenForRoot) {
  const fs::path file = folder_ / "x.ini";
  Put(file, "keep");
  MakeReadOnly(folder_);
  std::string error;
  EXPECT_FALSE(ReplaceFileAtomically(file, "new", &error));
  EXPECT_FALSE(error.empty());
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

TEST_F(AtomicFileTest, PermissionsAndLinksSurvive) {
  const fs::path file = folder_ / "mode.ini";
  Put(file, "old");
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
