#pragma once
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

// For targets whose code under test reads files: a scratch folder of this process's own (in
// memory where the machine has /dev/shm), removed when the run ends normally.
namespace barloom::fuzz {

inline const std::filesystem::path& ScratchFolder() {
  static const std::filesystem::path folder = [] {
    std::error_code error;
    const std::filesystem::path base =
        std::filesystem::is_directory("/dev/shm", error) ? "/dev/shm" : std::filesystem::temp_directory_path();
    std::filesystem::path path = base / ("barloom-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(path);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(ScratchFolder(), ignored);
    });
    return path;
  }();
  return folder;
}

// The file `name` in the scratch folder holding `bytes`; its full path.
inline std::string PutFile(std::string_view name, std::string_view bytes) {
  const std::filesystem::path file = ScratchFolder() / name;
  std::ofstream(file, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return file.string();
}

}  // namespace barloom::fuzz
