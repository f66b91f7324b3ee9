#include "platform/file_exists.h"

#include <cstdint>
#include <filesystem>
#include <system_error>

#include "platform/not_found_marker.h"
#include "platform/path_text.h"

namespace barloom {

bool FileExists(std::string_view path) {
  // The marker is "no value", never a name, even where a file of that name could exist.
  if (path.empty() || path == NotFoundMarker) return false;
  std::error_code error;
  const std::filesystem::path file = PathFromUtf8(path);
  if (!std::filesystem::is_regular_file(file, error) || error) return false;
  const auto length = std::filesystem::file_size(file, error);
  return !error && length != static_cast<std::uintmax_t>(-1);
}

bool IsSameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code error;
  const bool same = std::filesystem::equivalent(a, b, error);
  return !error && same;
}

}  // namespace barloom
