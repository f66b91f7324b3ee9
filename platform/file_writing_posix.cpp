// The POSIX pieces of the writers (file_writing.cpp): files, folders, temporary files and
// the system's error codes; the Windows ones are in file_writing_win32.cpp.
#include "platform/file_writing.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <string>
#include <system_error>
#include <utility>

#include "platform/unique_owner.h"

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

bool FindReplaceTarget(const std::filesystem::path& file, ReplaceTarget& target, WriteFailure* failure) {
  target.File = file;
  std::error_code ignored;
  if (std::filesystem::is_symlink(target.File, ignored)) {
    const std::filesystem::path linked = std::filesystem::weakly_canonical(target.File, ignored);
    if (!ignored) target.File = linked;
  }
  target.Folder = target.File.has_parent_path() ? target.File.parent_path() : std::filesystem::path(".");
  target.Keep = 0666;  // narrowed by the umask, as for any new file

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
    target.Keep = fileInfo.st_mode & 07777;
  }
  return true;
}

std::uint32_t CurrentProcessId() { return static_cast<std::uint32_t>(::getpid()); }

SystemErrorCode FileExistsCode() { return EEXIST; }

OpenFile::~OpenFile() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

OpenFile::Created OpenFile::CreateTemporary(const std::filesystem::path& temporary, const ReplaceTarget& target,
                                            WriteFailure* failure) {
  file_ = target.File;
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) {
    if (errno == EEXIST) return Created::NameTaken;
    FailErrno(failure, errno, file_);
    return Created::Failed;
  }
  handle_ = fd;
  temporary_ = temporary;
  // The lock tells a later run that the file is in use (RemoveStaleTemporaryFiles).
  ::flock(fd, LOCK_EX | LOCK_NB);
  if (target.Exists && ::fchmod(fd, static_cast<mode_t>(target.Keep)) != 0) {
    FailErrno(failure, errno, file_);
    Discard();
    return Created::Failed;
  }
  return Created::Yes;
}

bool OpenFile::OpenExisting(const std::filesystem::path& file, WriteFailure* failure) {
  file_ = file;
  inPlace_ = true;
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

bool OpenFile::Write(std::string_view bytes, WriteFailure* failure) {
  if (!WriteAll(static_cast<int>(handle_), bytes)) return FailErrno(failure, errno, file_);
  written_ += bytes.size();
  return true;
}

void OpenFile::Discard() {
  if (handle_ >= 0) ::close(static_cast<int>(std::exchange(handle_, -1)));
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

bool MoveOver(const std::filesystem::path& temporary, const std::filesystem::path& target, WriteFailure* failure) {
  if (::rename(temporary.c_str(), target.c_str()) != 0) return FailErrno(failure, errno, target);
  // The folder is not flushed: after a crash the rename may be lost, which leaves the old file
  // whole, and a second flush per write would double the cost of every profile write.
  return true;
}

bool OpenFile::Finish(WriteFailure* failure) {
  const int fd = static_cast<int>(handle_);
  if ((inPlace_ && ::ftruncate(fd, static_cast<off_t>(written_)) != 0) || ::fsync(fd) != 0)
    return FailErrno(failure, errno, file_);
  handle_ = -1;
  // A write the system delayed may fail only at the close.
  if (::close(fd) != 0) return FailErrno(failure, errno, file_);
  return true;
}

}  // namespace barloom

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

namespace barloom {
namespace {

WriteFailure Because(WriteFailureReason reason) { return WriteFailure{reason, {}}; }

bool IsFolder(const std::filesystem::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::filesystem::path FolderOf(const std::filesystem::path& target) {
  return target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
}

// The longest name the file system of `target` takes, asked of the nearest folder that is there.
std::size_t MaxNameLength(const std::filesystem::path& target) {
  for (std::filesystem::path folder = FolderOf(target);; folder = folder.parent_path()) {
    const long length = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    if (length > 0) return static_cast<std::size_t>(length);
    if (!folder.has_relative_path()) return 255;
  }
}

}  // namespace

std::string SystemMessage(SystemErrorCode code) {
  std::string text = std::system_category().message(static_cast<int>(code));
  if (!text.empty() && text.back() != '.') text += '.';
  return text;
}

WriteFailure FailureFromSystem(SystemErrorCode code, const std::filesystem::path& target) {
  switch (code) {
    case ENAMETOOLONG:
      return Because(HasNameLongerThan(target, MaxNameLength(target)) ? WriteFailureReason::FileNameTooLong
                                                                        : WriteFailureReason::PathTooLong);
    case ENOENT:
      // Some file systems (/proc) answer so for a folder that is there: then the system's words.
      if (!IsFolder(FolderOf(target))) return Because(WriteFailureReason::FolderMissing);
      break;
    case ENOTDIR:
    case EEXIST: return Because(WriteFailureReason::NameIsFile);
    case EACCES:
    case EPERM: return Because(WriteFailureReason::AccessDenied);
    case ENOSPC:
    case EDQUOT: return Because(WriteFailureReason::DiskFull);
    case ETXTBSY:
    case EBUSY: return Because(WriteFailureReason::FileInUse);
    case EROFS: return Because(WriteFailureReason::DriveReadOnly);
    case EILSEQ: return Because(WriteFailureReason::InvalidCharacters);
    case ENODEV:
    case ENXIO:
#ifdef ENOMEDIUM
    case ENOMEDIUM:
#endif
    case EHOSTDOWN:
    case EHOSTUNREACH:
    case ENETUNREACH: return Because(WriteFailureReason::DriveMissing);
    default: break;
  }
  return WriteFailure{std::nullopt, SystemMessage(code)};
}

WriteFailure ReadFailureOf(const std::filesystem::path& file) {
  struct stat info {};
  if (::stat(file.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) return Because(WriteFailureReason::NameIsFolder);
    if (!S_ISREG(info.st_mode)) return Because(WriteFailureReason::NotOrdinaryFile);
  } else if (errno == ENOENT) {
    return Because(IsFolder(FolderOf(file)) ? WriteFailureReason::FileMissing : WriteFailureReason::FolderMissing);
  }
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return FailureFromSystem(static_cast<SystemErrorCode>(errno), file);
  ::close(fd);
  return WriteFailure{std::nullopt, SystemMessage(EIO)};
}

}  // namespace barloom

namespace barloom {

ItemKind KindOf(const std::filesystem::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return ItemKind::Missing;
  return S_ISDIR(info.st_mode) ? ItemKind::Folder : ItemKind::Other;
}

std::optional<SystemErrorCode> MakeFolder(const std::filesystem::path& path) {
  if (::mkdir(path.c_str(), 0777) == 0) return std::nullopt;
  return static_cast<SystemErrorCode>(errno);
}

bool RemoveFolder(const std::filesystem::path& path) { return ::rmdir(path.c_str()) == 0; }

}  // namespace barloom
