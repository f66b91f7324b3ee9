#pragma once
#include <filesystem>
#include <optional>
#include <string>

// Whole files read as bytes, the counterpart of ReplaceFileAtomically (platform/atomic_file.h).
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
