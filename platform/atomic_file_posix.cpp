// The portable (POSIX) replacement of a file; the Windows one is in atomic_file_win32.cpp.
#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>
#include <system_error>
#include <vector>

namespace barloom {
namespace {

bool Fail(std::string* error, std::string reason) {
  if (error) *error = std::move(reason);
  return false;
}

bool FailErrno(std::string* error, int code) {
  return Fail(error, std::system_category().message(code) + ".");
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// The effective group or one of the supplementary groups, as the system grants group rights.
bool IsOwnGroup(gid_t group) {
  if (group == ::getegid()) return true;
  const int count = ::getgroups(0, nullptr);
  if (count <= 0) return false;
  std::vector<gid_t> groups(static_cast<std::size_t>(count));
  const int listed = ::getgroups(count, groups.data());
  return listed > 0 && std::find(groups.begin(), groups.begin() + listed, group) != groups.begin() + listed;
}

// The write permission bits decide, not what the OS would let us do: root may write into any
// file or folder, yet one its owner marked read-only must stay as it is.
bool IsReadOnly(const struct stat& info) {
  if (info.st_uid == ::geteuid()) return (info.st_mode & S_IWUSR) == 0;
  if (IsOwnGroup(info.st_gid)) return (info.st_mode & S_IWGRP) == 0;
  return (info.st_mode & S_IWOTH) == 0;
}

// At most this much of the file's name goes into the temporary name, so that the temporary
// name stays within the longest name a file system allows (255 bytes) whatever the file's.
constexpr std::size_t MaxNamePart = 200;

std::string TemporaryName(const std::filesystem::path& file) {
  static std::atomic<unsigned> counter{0};
  const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  std::string name = ".";
  name.append(file.filename().string().substr(0, MaxNamePart)).append(".").append(std::to_string(::getpid()));
  name.append("-").append(std::to_string(counter.fetch_add(1)));
  name.append("-").append(std::to_string(ticks % 100000)).append(".tmp");
  return name;
}

}  // namespace

bool ReplaceFileAtomically(const std::filesystem::path& fileArg, std::string_view bytes, std::string* error) {
  std::filesystem::path file = fileArg;
  // Replace what a symbolic link points to, not the link.
  std::error_code ignored;
  if (std::filesystem::is_symlink(file, ignored)) {
    const std::filesystem::path target = std::filesystem::weakly_canonical(file, ignored);
    if (!ignored) file = target;
  }
  const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");

  struct stat folderInfo {};
  if (::stat(folder.c_str(), &folderInfo) != 0 || !S_ISDIR(folderInfo.st_mode)) {
    return Fail(error, "The folder does not exist.");
  }
  if (IsReadOnly(folderInfo)) return Fail(error, "The folder is read-only.");
  struct stat fileInfo {};
  const bool exists = ::stat(file.c_str(), &fileInfo) == 0;
  mode_t mode = 0666;  // narrowed by the umask, as for any new file
  if (exists) {
    if (S_ISDIR(fileInfo.st_mode)) return Fail(error, "The name belongs to a folder.");
    if (!S_ISREG(fileInfo.st_mode)) return Fail(error, "The name does not belong to an ordinary file.");
    if (IsReadOnly(fileInfo)) return Fail(error, "The file is read-only.");
    mode = fileInfo.st_mode & 07777;
  }

  std::filesystem::path temporary;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temporary = folder / TemporaryName(file);
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return FailErrno(error, errno);
  }
  if (fd < 0) return FailErrno(error, EEXIST);

  const auto discard = [&](int code) {
    ::close(fd);
    ::unlink(temporary.c_str());
    return FailErrno(error, code);
  };
  if (!WriteAll(fd, bytes)) return discard(errno);
  if (exists && ::fchmod(fd, mode) != 0) return discard(errno);
  if (::fsync(fd) != 0) return discard(errno);
  if (::close(fd) != 0) {
    const int code = errno;
    ::unlink(temporary.c_str());
    return FailErrno(error, code);
  }
  if (::rename(temporary.c_str(), file.c_str()) != 0) {
    const int code = errno;
    ::unlink(temporary.c_str());
    return FailErrno(error, code);
  }
  // The folder is not flushed: after a crash the rename may be lost, which leaves the old file
  // whole, and a second flush per write would double the cost of every profile write.
  return true;
}

}  // namespace barloom
