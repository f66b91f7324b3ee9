#include "platform/file_bytes.h"

#include <fstream>
#include <system_error>

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
