// The POSIX reading of errno values; the Windows one is in file_failure_win32.cpp.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/file_failure.h"

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

}  // namespace barloom
