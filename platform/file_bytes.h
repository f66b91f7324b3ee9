#pragma once
// Whole files read as bytes, the counterpart of ReplaceFileAtomically (platform/file_writing.h),
// and what can be told of a file without reading it.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace barloom {

// The whole file, or nullopt when it is missing or cannot be read (a profile read then gives
// its defaults).
std::optional<std::string> ReadFileBytes(const std::filesystem::path& file);

// As ReadFileBytes, but tells a missing file (which a write may create) from one that exists and
// cannot be read (which a write must leave alone: a folder, a named pipe or device, a file
// without read permission, a file another program holds without sharing it).
enum class FileReadResult { Read, Missing, Unreadable };
FileReadResult ReadFileBytes(const std::filesystem::path& file, std::string& bytes);

}  // namespace barloom

namespace barloom {

// True when `path` (UTF-8) names a file whose length can be obtained; false on any failure:
// an empty path, a folder, a missing or unreachable file, and the NotFoundMarker.
bool FileExists(std::string_view path);

// What tells one version of a file from the next without reading it: its last write time and
// its length.
struct FileStamp {
  std::filesystem::file_time_type WriteTime;
  std::uintmax_t Size = 0;
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};
// The stamp of the file `path` (UTF-8) names, as FileExists finds it; nullopt where FileExists is
// false.
std::optional<FileStamp> StampOf(std::string_view path);

// True when both paths name the same file however they are spelled (links, "..", letter case
// where the file system ignores it); false when either cannot be reached.
bool IsSameFile(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace barloom
