// The portable (POSIX) replacement of a file; the Windows one is in atomic_file_win32.cpp.
#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>
#include <system_error>

#include "platform/temporary_files.h"

namespace barloom {
namespace {

bool Fail(WriteFailure* failure, WriteFailureReason reason) {
  if (failure) *failure = WriteFailure{reason, {}};
  return false;
}

bool FailErrno(WriteFailure* failure, int code) {
  if (failure) *failure = WriteFailure{std::nullopt, std::system_category().message(code) + "."};
  return false;
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

// Without any write permission bit an item is read-only for everyone: root may write anything,
// yet what its owner marked read-only must stay as it is. Otherwise the system decides.
bool HasNoWriteBit(const struct stat& info) { return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0; }

}  // namespace

bool IsWriteProtected(const std::filesystem::path& item) {
  struct stat info {};
  return ::stat(item.c_str(), &info) == 0 && HasNoWriteBit(info);
}

bool ReplaceFileAtomically(const std::filesystem::path& fileArg, std::string_view bytes, WriteFailure* failure) {
  std::filesystem::path file = fileArg;
  // Replace what a symbolic link points to, not the link.
  std::error_code ignored;
  if (std::filesystem::is_symlink(file, ignored)) {
    const std::filesystem::path target = std::filesystem::weakly_canonical(file, ignored);
    if (!ignored) file = target;
  }
  const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");

  struct stat folderInfo {};
  if (::stat(folder.c_str(), &folderInfo) != 0 || !S_ISDIR(folderInfo.st_mode))
    return Fail(failure, WriteFailureReason::FolderMissing);
  if (HasNoWriteBit(folderInfo)) return Fail(failure, WriteFailureReason::FolderReadOnly);
  struct stat fileInfo {};
  const bool exists = ::stat(file.c_str(), &fileInfo) == 0;
  mode_t mode = 0666;  // narrowed by the umask, as for any new file
  if (exists) {
    if (S_ISDIR(fileInfo.st_mode)) return Fail(failure, WriteFailureReason::NameIsFolder);
    if (!S_ISREG(fileInfo.st_mode)) return Fail(failure, WriteFailureReason::NotOrdinaryFile);
    if (HasNoWriteBit(fileInfo)) return Fail(failure, WriteFailureReason::FileReadOnly);
    // The rename needs only the folder's permission: whether this user may change the file is
    // asked of the system here.
    if (::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0) return FailErrno(failure, errno);
    mode = fileInfo.st_mode & 07777;
  }
  RemoveStaleTemporaryFilesOnce(folder);

  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::filesystem::path temporary =
        folder / TemporaryFileName(file, static_cast<std::uint32_t>(::getpid()), counter.fetch_add(1));
    // Remembered before it exists, so that no signal can come between its creation and the
    // remembering; removing a name that does not exist yet does no harm.
    const RememberedTemporaryFile remembered(temporary);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return FailErrno(failure, errno);
    }
    // The lock tells a later run that the file is in use (RemoveStaleTemporaryFiles).
    ::flock(fd, LOCK_EX | LOCK_NB);
    // Every way out after this point removes the temporary file.
    const auto discard = [&](int code, bool open) {
      if (open) ::close(fd);
      ::unlink(temporary.c_str());
      return FailErrno(failure, code);
    };
    if (!WriteAll(fd, bytes)) return discard(errno, true);
    if (exists && ::fchmod(fd, mode) != 0) return discard(errno, true);
    if (::fsync(fd) != 0) return discard(errno, true);
    if (::close(fd) != 0) return discard(errno, false);
    if (::rename(temporary.c_str(), file.c_str()) != 0) return discard(errno, false);
    // The folder is not flushed: after a crash the rename may be lost, which leaves the old file
    // whole, and a second flush per write would double the cost of every profile write.
    return true;
  }
  return FailErrno(failure, EEXIST);
}

}  // namespace barloom
