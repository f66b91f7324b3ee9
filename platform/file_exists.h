#pragma once
#include <filesystem>
#include <string_view>

namespace barloom {

// True when `path` (UTF-8) names a file whose length can be obtained; false on any failure:
// an empty path, a folder, a missing or unreachable file, and the NotFoundMarker.
bool FileExists(std::string_view path);

// True when both paths name the same file however they are spelled (links, "..", letter case
// where the file system ignores it); false when either cannot be reached.
bool IsSameFile(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace barloom
