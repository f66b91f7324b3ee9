#pragma once
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/code_page.h"
#include "settings/settings_file.h"

namespace barloom::testing {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder() {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = std::filesystem::temp_directory_path() /
            ("barloom-localisation-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

  // Writes `bytes` as the file `name` in the folder and gives its full path as UTF-8.
  std::string Write(std::string_view name, std::string_view bytes) const {
    const std::filesystem::path file = path_ / PathFromUtf8(name);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return Utf8FromPath(file);
  }

  // The full path (UTF-8) of a file in the folder that is not written.
  std::string PathOf(std::string_view name) const { return Utf8FromPath(path_ / PathFromUtf8(name)); }

 private:
  std::filesystem::path path_;
};

// Settings that take their texts from the language file `path`.
inline Settings LanguageSettings(std::string path, int fontScript = 1) {
  Settings settings;
  settings.UseDefaultLanguage = 0;
  settings.FontScript = static_cast<std::int16_t>(fontScript);
  settings.LanguageFile = std::move(path);
  return settings;
}

// A test with a scratch folder for language files.
class LanguageFileTest : public ::testing::Test {
 protected:
  // Settings that take their texts from `bytes`, written as a language file.
  Settings UsingFile(std::string_view bytes, int fontScript = 1) {
    return LanguageSettings(folder_.Write("Test.lng", bytes), fontScript);
  }

  TempFolder folder_;
};

}  // namespace barloom::testing
