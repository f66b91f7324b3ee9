#include "platform/file_bytes.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/not_found_marker.h"
#include "platform/path_text.h"

namespace barloom {

FileReadResult ReadFileBytes(const std::filesystem::path& file, std::string& bytes) {
  bytes.clear();
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(file, error);
  if (status.type() == std::filesystem::file_type::not_found) return FileReadResult::Missing;
  // Only an ordinary file: a named pipe or a device would make the read wait for a writer.
  if (error || !std::filesystem::is_regular_file(status)) return FileReadResult::Unreadable;
  std::ifstream in(file, std::ios::binary);
  if (!in) return FileReadResult::Unreadable;
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0) return FileReadResult::Unreadable;
  in.seekg(0, std::ios::beg);
  bytes.resize(static_cast<std::size_t>(size));
  if (size > 0 && !in.read(bytes.data(), size)) {
    bytes.clear();
    return FileReadResult::Unreadable;
  }
  return FileReadResult::Read;
}

std::optional<std::string> ReadFileBytes(const std::filesystem::path& file) {
  std::string bytes;
  if (ReadFileBytes(file, bytes) != FileReadResult::Read) return std::nullopt;
  return bytes;
}

}  // namespace barloom

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
