#pragma once
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

#include "core/progress.h"
#include "platform/code_page.h"
#include "platform/path_text.h"

namespace barloom::core_testing {

// A Windows-style path ("C:\TC\bars\") with the native separator, so that one table of cases
// serves both builds.
inline std::string NativePath(std::string_view windowsPath) {
  std::string path{windowsPath};
  for (char& c : path)
    if (c == '\\') c = PathSeparator;
  return path;
}

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder() {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = std::filesystem::temp_directory_path() /
            ("barloom-core-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // The folder as UTF-8, ending in the separator.
  std::string Folder() const { return AddBackslash(Utf8FromPath(path_)); }
  std::string PathOf(std::string_view name) const { return Folder() + std::string{name}; }

  std::string Write(std::string_view name, std::string_view bytes) const {
    const std::string file = PathOf(name);
    std::ofstream out(PathFromUtf8(file), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file;
  }

 private:
  std::filesystem::path path_;
};

inline std::optional<std::string> ReadBytes(std::string_view utf8File) {
  std::ifstream in(PathFromUtf8(utf8File), std::ios::binary);
  if (!in) return std::nullopt;
  return std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}


inline void WriteFile(std::string_view utf8File, std::string_view bytes) {
  std::ofstream out(PathFromUtf8(utf8File), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Records every change the core makes to the progress display.
class RecordingProgress final : public ProgressDisplay {
 public:
  void SetMaximum(int maximum) override {
    Maximum = maximum;
    Calls.push_back("max " + std::to_string(maximum));
  }
  void SetValue(int value) override {
    Value = value;
    Calls.push_back("value " + std::to_string(value));
  }
  void SetVisible(bool visible) override {
    Visible = visible;
    Calls.push_back(visible ? "show" : "hide");
  }

  int Maximum = 0;
  int Value = 0;
  bool Visible = false;
  std::vector<std::string> Calls;
};

}  // namespace barloom::core_testing
