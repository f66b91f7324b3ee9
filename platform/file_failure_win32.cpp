// The Windows reading of Win32 error codes; the POSIX one is in file_failure_posix.cpp.
#include <windows.h>

#include "platform/ascii_text.h"
#include "platform/file_failure.h"
#include "platform/unique_handle.h"
#include "platform/wide_text.h"

namespace barloom {
namespace {

// Codes that the mingw-w64 headers do not name.
constexpr DWORD ElevationRequired = 740;   // ERROR_ELEVATION_REQUIRED
constexpr DWORD DiskQuotaExceeded = 1295;  // ERROR_DISK_QUOTA_EXCEEDED

WriteFailure Because(WriteFailureReason reason) { return WriteFailure{reason, {}}; }

bool IsFolder(const std::filesystem::path& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The drive ("C:\") or share ("\\server\share\") that `target` lies on; empty for a relative
// path. Read from the text: the runtime's path does not take a server for a root.
std::filesystem::path RootOf(const std::filesystem::path& target) {
  const std::wstring& text = target.native();
  const auto separator = [](wchar_t c) { return c == L'\\' || c == L'/'; };
  if (text.size() > 2 && separator(text[0]) && separator(text[1])) {
    // The separator after the server, then the one after the share.
    std::size_t end = text.find_first_of(L"\\/", 2);
    if (end != std::wstring::npos) end = text.find_first_of(L"\\/", end + 1);
    return std::filesystem::path(text.substr(0, end) + L"\\");
  }
  if (text.size() >= 2 && text[1] == L':') return std::filesystem::path(text.substr(0, 2) + L"\\");
  return {};
}

bool RootMissing(const std::filesystem::path& target) {
  const std::filesystem::path root = RootOf(target);
  return !root.empty() && !IsFolder(root);
}

// The longest name the volume of `target` takes (255 where the system does not say).
std::size_t MaxNameLength(const std::filesystem::path& target) {
  DWORD length = 0;
  const std::filesystem::path root = RootOf(target);
  if (root.empty() || !GetVolumeInformationW(root.c_str(), nullptr, 0, nullptr, &length, nullptr, nullptr, 0) ||
      length == 0)
    return 255;
  return length;
}

// The longest folder path Windows takes where long paths are off (room is kept for a file name of
// 8.3 characters).
constexpr std::size_t MaxClassicFolderPath = MAX_PATH - 12;

// Windows answers "not found" (or "invalid name", or, under Wine beyond the host's path limit,
// "device not functioning") for several causes; what is there on the disk tells which one it was.
WriteFailure Unfound(SystemErrorCode code, const std::filesystem::path& target) {
  if (HasNameLongerThan(target, MaxNameLength(target))) return Because(WriteFailureReason::FileNameTooLong);
  if (RootMissing(target)) return Because(WriteFailureReason::DriveMissing);
  if (code == ERROR_INVALID_NAME || code == ERROR_BAD_PATHNAME) return Because(WriteFailureReason::InvalidCharacters);
  const bool folderThere = IsFolder(target.has_parent_path() ? target.parent_path() : std::filesystem::path(L"."));
  if (!folderThere && code != ERROR_GEN_FAILURE) return Because(WriteFailureReason::FolderMissing);
  // The folder is there and the names are short: a path beyond the classic limit was refused
  // (long paths are off, or the host file system under Wine takes no more).
  if (folderThere && target.native().size() > MaxClassicFolderPath) return Because(WriteFailureReason::PathTooLong);
  return WriteFailure{std::nullopt, SystemMessage(code)};
}

}  // namespace

std::string SystemMessage(SystemErrorCode code) {
  wchar_t* buffer = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  const UniqueLocalMemory<wchar_t*> owner(buffer);
  std::string text = length && buffer ? Utf8FromWide(std::wstring_view(buffer, length)) : std::string();
  text.resize(TrimRight(text, SpacesAndLineBreaks).size());
  if (text.empty()) return "Windows error " + std::to_string(code) + ".";
  return text;
}

WriteFailure FailureFromSystem(SystemErrorCode code, const std::filesystem::path& target) {
  switch (code) {
    case ERROR_FILENAME_EXCED_RANGE:
      return Because(HasNameLongerThan(target, MaxNameLength(target)) ? WriteFailureReason::FileNameTooLong
                                                                        : WriteFailureReason::PathTooLong);
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_GEN_FAILURE: return Unfound(code, target);
    case ERROR_INVALID_DRIVE:
    case ERROR_NOT_READY:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_BAD_NETPATH:
    case ERROR_NETNAME_DELETED:
    case ERROR_BAD_NET_NAME:
    case ERROR_NO_NET_OR_BAD_PATH:
    case ERROR_NETWORK_UNREACHABLE:
    case ERROR_HOST_UNREACHABLE: return Because(WriteFailureReason::DriveMissing);
    case ERROR_ACCESS_DENIED:
    case ERROR_NETWORK_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD:
    case ElevationRequired: return Because(WriteFailureReason::AccessDenied);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
    case ERROR_DRIVE_LOCKED: return Because(WriteFailureReason::FileInUse);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
    case DiskQuotaExceeded: return Because(WriteFailureReason::DiskFull);
    case ERROR_WRITE_PROTECT: return Because(WriteFailureReason::DriveReadOnly);
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS: return Because(WriteFailureReason::NameIsFile);
    default: break;
  }
  return WriteFailure{std::nullopt, SystemMessage(code)};
}

}  // namespace barloom
