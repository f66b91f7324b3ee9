// The portable (POSIX) replacement of a file; the Windows one is in atomic_file_win32.cpp.
#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>

#include "platform/file_failure.h"
#include "platform/file_in_place.h"
#include "platform/temporary_files.h"
#include "platform/unique_file_descriptor.h"

namespace barloom {
namespace {

bool Fail(WriteFailure* failure, WriteFailureReason reason) {
  if (failure) *failure = WriteFailure{reason, {}};
  return false;
}

bool FailErrno(WriteFailure* failure, int code, const std::filesystem::path& target) {
  if (failure) *failure = FailureFromSystem(static_cast<SystemErrorCode>(code), target);
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

// What a replacement works on, as found before a byte is written.
struct ReplaceTarget {
  std::filesystem::path File;  // what a symbolic link points to, not the link
  std::filesystem::path Folder;
  bool Exists = false;
  mode_t Mode = 0666;  // narrowed by the umask, as for any new file
};

// The target of replacing `fileArg`, or false (and why) when the replacement would fail before
// writing.
bool FindReplaceTarget(const std::filesystem::path& fileArg, ReplaceTarget& target, WriteFailure* failure) {
  target.File = fileArg;
  std::error_code ignored;
  if (std::filesystem::is_symlink(target.File, ignored)) {
    const std::filesystem::path linked = std::filesystem::weakly_canonical(target.File, ignored);
    if (!ignored) target.File = linked;
  }
  target.Folder = target.File.has_parent_path() ? target.File.parent_path() : std::filesystem::path(".");

  struct stat folderInfo {};
  if (::stat(target.Folder.c_str(), &folderInfo) != 0 || !S_ISDIR(folderInfo.st_mode))
    return Fail(failure, WriteFailureReason::FolderMissing);
  if (HasNoWriteBit(folderInfo)) return Fail(failure, WriteFailureReason::FolderReadOnly);
  struct stat fileInfo {};
  target.Exists = ::stat(target.File.c_str(), &fileInfo) == 0;
  if (target.Exists) {
    if (S_ISDIR(fileInfo.st_mode)) return Fail(failure, WriteFailureReason::NameIsFolder);
    if (!S_ISREG(fileInfo.st_mode)) return Fail(failure, WriteFailureReason::NotOrdinaryFile);
    if (HasNoWriteBit(fileInfo)) return Fail(failure, WriteFailureReason::FileReadOnly);
    // The rename needs only the folder's permission: whether this user may change the file is
    // asked of the system here.
    if (::faccessat(AT_FDCWD, target.File.c_str(), W_OK, AT_EACCESS) != 0) return FailErrno(failure, errno, target.File);
    target.Mode = fileInfo.st_mode & 07777;
  }
  return true;
}

}  // namespace

bool IsWriteProtected(const std::filesystem::path& item) {
  struct stat info {};
  return ::stat(item.c_str(), &info) == 0 && HasNoWriteBit(info);
}

bool CanCreateFilesIn(const std::filesystem::path& folder) {
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || HasNoWriteBit(info)) return false;
  return ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

bool CanReplaceFile(const std::filesystem::path& file, WriteFailure* failure) {
  ReplaceTarget target;
  return FindReplaceTarget(file, target, failure);
}

bool ReplaceFileAtomically(const std::filesystem::path& fileArg, std::string_view bytes, WriteFailure* failure) {
  ReplaceTarget target;
  if (!FindReplaceTarget(fileArg, target, failure)) return false;
  const std::filesystem::path& file = target.File;
  const std::filesystem::path& folder = target.Folder;
  const bool exists = target.Exists;
  const mode_t mode = target.Mode;
  RemoveStaleTemporaryFilesOnce(folder);

  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::filesystem::path temporary =
        folder / TemporaryFileName(file, static_cast<std::uint32_t>(::getpid()), counter.fetch_add(1));
    // Remembered before it exists, so that no signal can come between its creation and the
    // remembering; removing a name that does not exist yet does no harm.
    const RememberedTemporaryFile remembered(temporary);
    UniqueFileDescriptor out(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!out) {
      if (errno == EEXIST) continue;
      return FailErrno(failure, errno, file);
    }
    // The lock tells a later run that the file is in use (RemoveStaleTemporaryFiles).
    ::flock(out.get(), LOCK_EX | LOCK_NB);
    // Every way out after this point removes the temporary file (closed first, keeping errno).
    const auto discard = [&](int code) {
      out.reset();
      ::unlink(temporary.c_str());
      return FailErrno(failure, code, file);
    };
    if (!WriteAll(out.get(), bytes)) return discard(errno);
    if (exists && ::fchmod(out.get(), mode) != 0) return discard(errno);
    if (::fsync(out.get()) != 0) return discard(errno);
    if (!CloseNow(out)) return discard(errno);
    if (::rename(temporary.c_str(), file.c_str()) != 0) return discard(errno);
    // The folder is not flushed: after a crash the rename may be lost, which leaves the old file
    // whole, and a second flush per write would double the cost of every profile write.
    return true;
  }
  // A hundred names taken by other writers: no reason of ours fits.
  if (failure) *failure = WriteFailure{std::nullopt, SystemMessage(EEXIST)};
  return false;
}

FileInPlace::~FileInPlace() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

bool FileInPlace::Open(const std::filesystem::path& file, WriteFailure* failure) {
  file_ = file;
  struct stat info {};
  if (::stat(file.c_str(), &info) != 0) return FailErrno(failure, errno, file);
  if (S_ISDIR(info.st_mode)) return Fail(failure, WriteFailureReason::NameIsFolder);
  if (!S_ISREG(info.st_mode)) return Fail(failure, WriteFailureReason::NotOrdinaryFile);
  if (HasNoWriteBit(info)) return Fail(failure, WriteFailureReason::FileReadOnly);
  const int fd = ::open(file.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return FailErrno(failure, errno, file);
  handle_ = fd;
  return true;
}

bool FileInPlace::Write(std::string_view bytes, WriteFailure* failure) {
  if (!WriteAll(static_cast<int>(handle_), bytes)) return FailErrno(failure, errno, file_);
  written_ += bytes.size();
  return true;
}

bool FileInPlace::Finish(WriteFailure* failure) {
  const int fd = static_cast<int>(handle_);
  if (::ftruncate(fd, static_cast<off_t>(written_)) != 0 || ::fsync(fd) != 0) return FailErrno(failure, errno, file_);
  handle_ = -1;
  if (::close(fd) != 0) return FailErrno(failure, errno, file_);
  return true;
}

}  // namespace barloom
