#include <filesystem>
#include <system_error>

#include "platform/executable_path.h"

namespace barloom {

std::string ExecutableFolder() {
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return executable.parent_path().string();
}

}  // namespace barloom
