#pragma once
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

// The two private-profile operations, byte for byte as the platform's GetPrivateProfileStringA
// and WritePrivateProfileStringA do them, implemented portably over IniDocument. Names, values
// and results are raw 8-bit bytes; no code-page conversion happens here.
namespace barloom {

// The value of `key` in the first section named `section` of `file` (names compared without
// regard to ASCII case), or `defaultValue` when the file, the section or the key is missing;
// blanks around the value and one pair of enclosing quotes dropped, cut to bufferSize - 1
// bytes. The returned size is the platform's count (0 for bufferSize 0 or 1).
std::string ReadIniValue(std::string_view section, std::string_view key, std::string_view defaultValue,
                         std::size_t bufferSize, const std::filesystem::path& file);

// Sets `key` in `section` of `file` to `value`: the key's own line is replaced, or a new line is
// added at the end of the section (a new section at the end of the file, a missing file is
// created). Every other byte of the file stays as it was. The file is rewritten in place
// (RewriteFileInPlace): it stays the same file, hard links and attributes kept, never half-written.
// False when the write cannot happen (missing folder, read-only file or folder, file locked);
// the file is then left as it was.
bool WriteIniValue(std::string_view section, std::string_view key, std::string_view value,
                   const std::filesystem::path& file);

}  // namespace barloom
