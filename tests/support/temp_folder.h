#pragma once
#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/path_text.h"

namespace barloom::test_support {

// The bytes of `file`, or nullopt when it cannot be opened.
inline std::optional<std::string> ReadFileAt(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Writes `bytes` as `file`, replacing what it held; false when that failed.
inline bool WriteFileAt(const std::filesystem::path& file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return !out.fail();
}

// The same for a path in UTF-8.
inline std::optional<std::string> ReadBytes(std::string_view utf8File) { return ReadFileAt(PathFromUtf8(utf8File)); }
inline void WriteFile(std::string_view utf8File, std::string_view bytes) { WriteFileAt(PathFromUtf8(utf8File), bytes); }

// The names (UTF-8) of what `folder` holds, sorted.
inline std::vector<std::string> FileNames(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(Utf8FromPath(entry.path().filename()));
  std::sort(names.begin(), names.end());
  return names;
}

// Takes the write permission of everyone from `path` (a file or a folder), or gives it back.
inline void SetWritable(const std::filesystem::path& path, bool writable) {
  using std::filesystem::perms;
  std::filesystem::permissions(path, perms::owner_write | perms::group_write | perms::others_write,
                               writable ? std::filesystem::perm_options::add : std::filesystem::perm_options::remove);
}

// Takes the write permission from `folder`, or gives it back, as a user of the system does: its
// permission bits. Under Wine those are the Unix ones, which a Windows program cannot change
// (it runs chmod as a Unix program). False on Windows itself, where a folder has no such bits.
#ifdef _WIN32
bool SetFolderWritable(const std::filesystem::path& folder, bool writable);  // folder_permission_win32.cpp
#else
inline bool SetFolderWritable(const std::filesystem::path& folder, bool writable) {
  SetWritable(folder, writable);
  return true;
}
#endif

// A folder tag with Cyrillic and CJK letters: every path in such a folder needs more than the
// ANSI code page.
inline constexpr std::string_view BeyondAnsiTag = "\u041F\u0430\u043F\u043A\u0430-\u65E5";

// A fresh folder under the system's temporary folder, removed with everything in it at the end
// (also when a test left it or its files read-only). `tag` becomes part of its name, so a test
// can give every path in it letters beyond the ANSI code page.
class TempFolder {
 public:
  explicit TempFolder(std::string_view tag = "test") {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = std::filesystem::temp_directory_path() /
            PathFromUtf8("barloom-" + std::string{tag} + "-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    // Read-only files cannot be deleted on Windows: make everything writable first.
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
    // Stepped with an error code: a destructor must not throw (the mingw runtime cannot list
    // folders beyond 260 characters; a test that makes them removes them itself).
    std::error_code walk;
    for (std::filesystem::recursive_directory_iterator it(path_, walk), end; !walk && it != end; it.increment(walk))
      std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                   ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::string Utf8() const { return Utf8FromPath(path_); }
  // The folder as UTF-8, ending in the separator.
  std::string Folder() const { return AddBackslash(Utf8()); }
  // The full path (UTF-8) of the file `name` in the folder, written or not.
  std::string PathOf(std::string_view name) const { return Folder() + std::string{name}; }

  // Writes `bytes` as the file `name` and gives its full path.
  std::string Write(std::string_view name, std::string_view bytes) const {
    const std::string file = PathOf(name);
    WriteFile(file, bytes);
    return file;
  }
  // The bytes of the file `name`; "<missing>" when there is none.
  std::string Read(std::string_view name) const { return ReadBytes(PathOf(name)).value_or("<missing>"); }

 private:
  std::filesystem::path path_;
};

}  // namespace barloom::test_support
