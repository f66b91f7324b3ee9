#pragma once
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/code_page.h"

namespace barloom::testing {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
// Its name holds Cyrillic and CJK letters, so that every file path in it needs more than the
// ANSI code page.
class SettingsTestFolder {
 public:
  SettingsTestFolder() {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = std::filesystem::temp_directory_path() /
            PathFromUtf8("barloom-settings-\u041F\u0430\u043F\u043A\u0430-\u65E5-" + std::to_string(stamp) + "-" +
                         std::to_string(counter++));
    std::filesystem::create_directories(path_);
  }
  ~SettingsTestFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  SettingsTestFolder(const SettingsTestFolder&) = delete;
  SettingsTestFolder& operator=(const SettingsTestFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::string Utf8() const { return Utf8FromPath(path_); }

  // The full path (UTF-8) of the file `name` in the folder, written or not.
  std::string PathOf(std::string_view name) const { return Utf8FromPath(path_ / PathFromUtf8(name)); }

  std::string Write(std::string_view name, std::string_view bytes) const {
    std::ofstream out(path_ / PathFromUtf8(name), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return PathOf(name);
  }

  // The bytes of the file `name`; "<missing>" when there is none.
  std::string Read(std::string_view name) const {
    std::ifstream in(path_ / PathFromUtf8(name), std::ios::binary);
    if (!in) return "<missing>";
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

 private:
  std::filesystem::path path_;
};

}  // namespace barloom::testing
