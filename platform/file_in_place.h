#pragma once
#include <cstdint>
#include <filesystem>
#include <string_view>

#include "platform/atomic_file.h"

// Writing into an existing file where it is, not into a new file renamed over it: the Win32 and
// POSIX halves of RewriteFileInPlace.
namespace barloom {

class FileInPlace {
 public:
  FileInPlace() = default;
  FileInPlace(const FileInPlace&) = delete;
  FileInPlace& operator=(const FileInPlace&) = delete;
  ~FileInPlace();

  // Opens the existing `file` for writing from its start, or false (and why): read-only for
  // everyone (IsWriteProtected), a folder, not an ordinary file, held by another program, or
  // refused by the system.
  bool Open(const std::filesystem::path& file, WriteFailure* failure);
  // Writes `bytes` behind what was written before.
  bool Write(std::string_view bytes, WriteFailure* failure);
  // Cuts the file behind what was written, flushes it to disk and closes it.
  bool Finish(WriteFailure* failure);

 private:
  std::intptr_t handle_ = -1;
  std::uint64_t written_ = 0;
  std::filesystem::path file_;
};

}  // namespace barloom
