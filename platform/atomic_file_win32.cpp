// The Windows replacement of a file: a temporary file in the same folder, flushed, then moved
// over the target in one step.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <string>

#include "platform/atomic_file.h"
#include "platform/file_failure.h"
#include "platform/file_in_place.h"
#include "platform/temporary_files.h"
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

// The attributes a replacement of `file` keeps, or false (and why) when it would fail before
// writing.
bool FindKeptAttributes(const std::filesystem::path& file, DWORD& keep, WriteFailure* failure) {
  const DWORD folderAttributes = GetFileAttributesW(FolderOf(file).c_str());
  if (folderAttributes == INVALID_FILE_ATTRIBUTES || !(folderAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return Fail(failure, WriteFailureReason::FolderMissing);

  keep = FILE_ATTRIBUTE_NORMAL;
  const DWORD attributes = GetFileAttributesW(file.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD code = GetLastError();
    if (code != ERROR_FILE_NOT_FOUND && code != ERROR_PATH_NOT_FOUND) return FailSystem(failure, code, file);
  } else {
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
    keep = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                         FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    if (keep == 0) keep = FILE_ATTRIBUTE_NORMAL;
  }
  return true;
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

bool CanReplaceFile(const std::filesystem::path& file, WriteFailure* failure) {
  DWORD keep = 0;
  return FindKeptAttributes(file, keep, failure);
}

bool ReplaceFileAtomically(const std::filesystem::path& file, std::string_view bytes, WriteFailure* failure) {
  DWORD keep = 0;
  if (!FindKeptAttributes(file, keep, failure)) return false;
  const std::filesystem::path folder = FolderOf(file);
  RemoveStaleTemporaryFilesOnce(folder);

  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::filesystem::path temporary =
        folder / TemporaryFileName(file, GetCurrentProcessId(), counter.fetch_add(1));
    const RememberedTemporaryFile remembered(temporary);
    // Shared for deleting only, so that the clean-up at a console event can delete it while it
    // is being written (it goes when the last handle closes).
    UniqueFileHandle out(CreateFileW(temporary.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr, CREATE_NEW, keep,
                                     nullptr));
    if (!out) {
      const DWORD code = GetLastError();
      if (code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS) continue;
      return FailSystem(failure, code, file);
    }
    // Every way out after this point removes the temporary file.
    const auto discard = [&](DWORD code) {
      out.reset();
      DeleteFileW(temporary.c_str());
      return FailSystem(failure, code, file);
    };
    if (!WriteAll(out.get(), bytes) || !FlushFileBuffers(out.get())) return discard(GetLastError());
    out.reset();
    if (!MoveFileExW(temporary.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return discard(GetLastError());
    return true;
  }
  // A hundred names taken by other writers: no reason of ours fits.
  if (failure) *failure = WriteFailure{std::nullopt, SystemMessage(ERROR_FILE_EXISTS)};
  return false;
}

FileInPlace::~FileInPlace() {
  if (handle_ != -1) CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

bool FileInPlace::Open(const std::filesystem::path& file, WriteFailure* failure) {
  file_ = file;
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

bool FileInPlace::Write(std::string_view bytes, WriteFailure* failure) {
  if (!WriteAll(reinterpret_cast<HANDLE>(handle_), bytes)) return FailSystem(failure, GetLastError(), file_);
  written_ += bytes.size();
  return true;
}

bool FileInPlace::Finish(WriteFailure* failure) {
  const HANDLE handle = reinterpret_cast<HANDLE>(handle_);
  LARGE_INTEGER size;
  size.QuadPart = static_cast<LONGLONG>(written_);
  if (!SetFilePointerEx(handle, size, nullptr, FILE_BEGIN) || !SetEndOfFile(handle) || !FlushFileBuffers(handle))
    return FailSystem(failure, GetLastError(), file_);
  handle_ = -1;
  if (!CloseHandle(handle)) return FailSystem(failure, GetLastError(), file_);
  return true;
}

}  // namespace barloom
