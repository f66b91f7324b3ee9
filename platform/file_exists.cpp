#include "platform/file_exists.h"

#include <cstdint>
#include <filesystem>
#include <system_error>

#include "platform/not_found_marker.h"
#include "platform/path_text.h"

namespace barloom {

std::optional<FileStamp> StampOf(std::string_view path) {
  // The marker is "no value", never a name, even where a file of that name could exist.
  if (path.empty() || path == NotFoundMarker) return std::nullopt;
  std::error_code error;
  const std::filesystem::path file = PathFromUtf8(path);
  if (!std::filesystem::is_regular_file(file, error) || error) return std::nullopt;
  FileStamp stamp;
  stamp.Size = std::filesystem::file_size(file, error);
  if (error || stamp.Size == static_cast<std::uintmax_t>(-1)) return std::nullopt;
  stamp.WriteTime = std::filesystem::last_write_time(file, error);
  if (error) return std::nullopt;
  return stamp;
}

bool FileExists(std::string_view path) { return StampOf(path).has_value(); }

bool IsSameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code error;
  const bool same = std::filesystem::equivalent(a, b, error);
  return !error && same;
}

}  // namespace barloom
