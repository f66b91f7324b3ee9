// The Windows replacement of a file: a temporary file in the same folder, flushed, then moved
// over the target in one step.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <string>

#include "platform/atomic_file.h"
#include "platform/unique_handle.h"
#include "platform/wide_text.h"

namespace barloom {
namespace {

std::string SystemMessage(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  const UniqueLocalMemory<wchar_t*> owner(buffer);
  std::wstring text = length && buffer ? std::wstring(buffer, length) : std::wstring();
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
  if (text.empty()) return "Windows error " + std::to_string(code) + ".";
  return Utf8FromWide(text);
}

bool Fail(std::string* error, std::string reason) {
  if (error) *error = std::move(reason);
  return false;
}

// The part of the file's name that goes into the temporary name: at most 200 characters (never
// half a surrogate pair), so that the temporary name stays within the longest name allowed (255)
// whatever the file's.
std::wstring TemporaryNamePart(const std::filesystem::path& file) {
  std::wstring name = file.filename().native();
  if (name.size() > 200) name.resize(IS_HIGH_SURROGATE(name[199]) ? 199 : 200);
  return name;
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

}  // namespace

bool ReplaceFileAtomically(const std::filesystem::path& file, std::string_view bytes, std::string* error) {
  const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : std::filesystem::path(L".");
  const DWORD folderAttributes = GetFileAttributesW(folder.c_str());
  if (folderAttributes == INVALID_FILE_ATTRIBUTES || !(folderAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return Fail(error, "The folder does not exist.");
  }

  DWORD keep = FILE_ATTRIBUTE_NORMAL;
  const DWORD attributes = GetFileAttributesW(file.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD code = GetLastError();
    if (code != ERROR_FILE_NOT_FOUND && code != ERROR_PATH_NOT_FOUND) return Fail(error, SystemMessage(code));
  } else {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Fail(error, "The name belongs to a folder.");
    // Checked here and not left to the move: the move's answer for a read-only target differs
    // between Windows versions and Wine.
    if (attributes & FILE_ATTRIBUTE_READONLY) return Fail(error, "The file is read-only.");
    // A program that holds the file without sharing reading and writing has it locked; the
    // platform's own profile writer fails then too.
    const UniqueFileHandle probe(CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!probe) return Fail(error, SystemMessage(GetLastError()));
    keep = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                         FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    if (keep == 0) keep = FILE_ATTRIBUTE_NORMAL;
  }

  static std::atomic<unsigned> counter{0};
  std::filesystem::path temporary;
  UniqueFileHandle out;
  for (int attempt = 0; attempt < 100 && !out; ++attempt) {
    temporary = folder / (L"~" + TemporaryNamePart(file) + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
                          std::to_wstring(counter.fetch_add(1)) + L".tmp");
    out.reset(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, keep, nullptr));
    if (!out) {
      const DWORD code = GetLastError();
      if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) return Fail(error, SystemMessage(code));
    }
  }
  if (!out) return Fail(error, SystemMessage(ERROR_FILE_EXISTS));

  if (!WriteAll(out.get(), bytes) || !FlushFileBuffers(out.get())) {
    const DWORD code = GetLastError();
    out.reset();
    DeleteFileW(temporary.c_str());
    return Fail(error, SystemMessage(code));
  }
  out.reset();
  if (!MoveFileExW(temporary.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD code = GetLastError();
    DeleteFileW(temporary.c_str());
    return Fail(error, SystemMessage(code));
  }
  return true;
}

}  // namespace barloom
