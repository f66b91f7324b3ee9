#pragma once
#include <filesystem>
#include <string>
#include <string_view>

// Paths as text (UTF-8), with the native separator: "\" on Windows, "/" elsewhere.
namespace barloom {

#ifdef _WIN32
inline constexpr char PathSeparator = '\\';
#else
inline constexpr char PathSeparator = '/';
#endif

// `path` with the separator appended when it does not already end in one ("" gives the separator).
std::string AddBackslash(std::string_view path);

// The part of `path` after its last separator; all of it when it has none; "" when it ends in one.
std::string GetFileName(std::string_view path);

// File system paths from and to UTF-8 text, without any code-page loss. Never throw: on
// Windows, invalid UTF-8 (or an unpaired surrogate in a path) becomes U+FFFD.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string Utf8FromPath(const std::filesystem::path& path);

}  // namespace barloom
