// The Windows pieces of the writers (file_writing.cpp): files, folders, temporary files and the
// system's error codes; a file is replaced by a temporary file in its folder, flushed, then moved
// over it in one step.
#include "platform/file_writing.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <utility>

#include "platform/ascii_text.h"
#include "platform/code_page.h"
#include "platform/unique_handle.h"

namespace barloom {
namespace {

bool Fail(WriteFailure* failure, WriteFailureReason reason) {
  if (failure) *failure = WriteFailure{reason, {}};
  return false;
}

bool FailSystem(WriteFailure* failure, DWORD code, const std::filesystem::path& target) {
  if (failure) *failure = FailureFromSystem(code, target);
  return false;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

std::filesystem::path FolderOf(const std::filesystem::path& file) {
  return file.has_parent_path() ? file.parent_path() : std::filesystem::path(L".");
}

}  // namespace

bool IsWriteProtected(const std::filesystem::path& item) {
  const DWORD attributes = GetFileAttributesW(item.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
         (attributes & FILE_ATTRIBUTE_READONLY);
}

namespace {

bool RunsUnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

}  // namespace

bool CanCreateFilesIn(const std::filesystem::path& folder) {
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  // On Windows the attribute of a folder only marks it as customised; under Wine it stands for
  // the Unix permission bits.
  if ((attributes & FILE_ATTRIBUTE_READONLY) && RunsUnderWine()) return false;
  static std::atomic<unsigned> counter{0};
  const std::filesystem::path probe =
      folder / TemporaryFileName(folder / L"probe", GetCurrentProcessId(), counter.fetch_add(1));
  const HANDLE handle = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  CloseHandle(handle);
  return true;
}

bool FindReplaceTarget(const std::filesystem::path& file, ReplaceTarget& target, WriteFailure* failure) {
  target.File = file;
  target.Folder = FolderOf(file);
  const DWORD folderAttributes = GetFileAttributesW(target.Folder.c_str());
  if (folderAttributes == INVALID_FILE_ATTRIBUTES || !(folderAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return Fail(failure, WriteFailureReason::FolderMissing);

  target.Keep = FILE_ATTRIBUTE_NORMAL;
  const DWORD attributes = GetFileAttributesW(file.c_str());
  target.Exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (!target.Exists) {
    const DWORD code = GetLastError();
    if (code != ERROR_FILE_NOT_FOUND && code != ERROR_PATH_NOT_FOUND) return FailSystem(failure, code, file);
    return true;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Fail(failure, WriteFailureReason::NameIsFolder);
  // Checked here and not left to the move: the move's answer for a read-only target differs
  // between Windows versions and Wine.
  if (attributes & FILE_ATTRIBUTE_READONLY) return Fail(failure, WriteFailureReason::FileReadOnly);
  // A program that holds the file without sharing reading and writing has it locked; the
  // platform's own profile writer fails then too.
  const UniqueFileHandle probe(CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!probe) return FailSystem(failure, GetLastError(), file);
  const DWORD keep = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                   FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
  if (keep != 0) target.Keep = keep;
  return true;
}

std::uint32_t CurrentProcessId() { return GetCurrentProcessId(); }

SystemErrorCode FileExistsCode() { return ERROR_FILE_EXISTS; }

OpenFile::~OpenFile() {
  if (handle_ != -1) CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

OpenFile::Created OpenFile::CreateTemporary(const std::filesystem::path& temporary, const ReplaceTarget& target,
                                            WriteFailure* failure) {
  file_ = target.File;
  // Shared for deleting only, so that the clean-up at a console event can delete it while it
  // is being written (it goes when the last handle closes).
  const HANDLE handle =
      CreateFileW(temporary.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr, CREATE_NEW, target.Keep, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD code = GetLastError();
    if (code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS) return Created::NameTaken;
    FailSystem(failure, code, file_);
    return Created::Failed;
  }
  handle_ = reinterpret_cast<std::intptr_t>(handle);
  temporary_ = temporary;
  return Created::Yes;
}

bool OpenFile::OpenExisting(const std::filesystem::path& file, WriteFailure* failure) {
  file_ = file;
  inPlace_ = true;
  const DWORD attributes = GetFileAttributesW(file.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return FailSystem(failure, GetLastError(), file);
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Fail(failure, WriteFailureReason::NameIsFolder);
  if (attributes & FILE_ATTRIBUTE_READONLY) return Fail(failure, WriteFailureReason::FileReadOnly);
  // Shared for reading only: another program that holds the file for writing keeps it ours to leave.
  const HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return FailSystem(failure, GetLastError(), file);
  if (GetFileType(handle) != FILE_TYPE_DISK) {
    CloseHandle(handle);
    return Fail(failure, WriteFailureReason::NotOrdinaryFile);
  }
  handle_ = reinterpret_cast<std::intptr_t>(handle);
  return true;
}

bool OpenFile::Write(std::string_view bytes, WriteFailure* failure) {
  if (!WriteAll(reinterpret_cast<HANDLE>(handle_), bytes)) return FailSystem(failure, GetLastError(), file_);
  written_ += bytes.size();
  return true;
}

void OpenFile::Discard() {
  if (handle_ != -1) CloseHandle(reinterpret_cast<HANDLE>(std::exchange(handle_, -1)));
  if (!temporary_.empty()) DeleteFileW(temporary_.c_str());
}

bool MoveOver(const std::filesystem::path& temporary, const std::filesystem::path& target, WriteFailure* failure) {
  if (!MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return FailSystem(failure, GetLastError(), target);
  return true;
}

bool OpenFile::Finish(WriteFailure* failure) {
  const HANDLE handle = reinterpret_cast<HANDLE>(handle_);
  LARGE_INTEGER size;
  size.QuadPart = static_cast<LONGLONG>(written_);
  if (inPlace_ && (!SetFilePointerEx(handle, size, nullptr, FILE_BEGIN) || !SetEndOfFile(handle)))
    return FailSystem(failure, GetLastError(), file_);
  if (!FlushFileBuffers(handle)) return FailSystem(failure, GetLastError(), file_);
  handle_ = -1;
  if (!CloseHandle(handle)) return FailSystem(failure, GetLastError(), file_);
  return true;
}

}  // namespace barloom

namespace barloom {
namespace {

// The writer opens its temporary file shared for deleting: the file goes when its handle closes,
// at the latest when the process ends.
void RemoveFile(const wchar_t* file) { DeleteFileW(file); }

// Runs on a thread of its own; returning FALSE lets the next handler, in the end the system's
// default, end the process.
BOOL WINAPI OnConsoleEvent(DWORD) {
  ForEachRememberedTemporaryFile(RemoveFile);
  return FALSE;
}

bool ProcessRuns(DWORD processId) {
  const UniqueKernelObject process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  if (!process) return GetLastError() != ERROR_INVALID_PARAMETER;  // access denied: it runs
  DWORD exitCode = 0;
  return !GetExitCodeProcess(process.get(), &exitCode) || exitCode == STILL_ACTIVE;
}

}  // namespace

void InstallTemporaryFileCleanup() { SetConsoleCtrlHandler(OnConsoleEvent, TRUE); }

// The folder is read with the system's own calls: the standard library's directory iterator of
// the mingw runtime fails on paths beyond 260 characters, which the program writes to.
int RemoveStaleTemporaryFiles(const std::filesystem::path& folder) {
  int removed = 0;
  WIN32_FIND_DATAW found{};
  const std::wstring pattern = (folder / L"*.tmp").native();
  const UniqueFindHandle search(
      FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0));
  if (!search) return 0;
  do {
    if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) continue;
    const std::optional<std::uint32_t> owner = TemporaryFileOwner(found.cFileName);
    if (!owner || *owner == GetCurrentProcessId() || ProcessRuns(*owner)) continue;
    const std::filesystem::path file = folder / found.cFileName;
    // Opened without sharing, the file cannot be in use by anybody; closing the handle deletes it.
    const UniqueFileHandle handle(CreateFileW(file.c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                                              FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (handle) ++removed;
  } while (FindNextFileW(search.get(), &found));
  return removed;
}

}  // namespace barloom

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

WriteFailure ReadFailureOf(const std::filesystem::path& file) {
  const DWORD attributes = GetFileAttributesW(file.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return Because(WriteFailureReason::NameIsFolder);
  const UniqueFileHandle handle(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle) {
    const DWORD code = GetLastError();
    const bool folderThere = IsFolder(file.has_parent_path() ? file.parent_path() : std::filesystem::path(L"."));
    if (code == ERROR_FILE_NOT_FOUND && folderThere) return Because(WriteFailureReason::FileMissing);
    return FailureFromSystem(code, file);
  }
  if (GetFileType(handle.get()) != FILE_TYPE_DISK) return Because(WriteFailureReason::NotOrdinaryFile);
  return WriteFailure{std::nullopt, SystemMessage(ERROR_READ_FAULT)};
}

}  // namespace barloom

namespace barloom {

ItemKind KindOf(const std::filesystem::path& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return ItemKind::Missing;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? ItemKind::Folder : ItemKind::Other;
}

std::optional<SystemErrorCode> MakeFolder(const std::filesystem::path& path) {
  if (CreateDirectoryW(path.c_str(), nullptr)) return std::nullopt;
  return static_cast<SystemErrorCode>(GetLastError());
}

bool RemoveFolder(const std::filesystem::path& path) { return RemoveDirectoryW(path.c_str()) != 0; }

}  // namespace barloom
