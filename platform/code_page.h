#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Conversion between the UTF-8 text used inside the program and the 8-bit code-page bytes that
// files hold. Windows uses the system's conversion functions; the portable build has tables for
// the single-byte Windows code pages 874 and 1250 to 1258 (1252 is its "ANSI" code page).
namespace barloom {

// The system's ANSI code page: GetACP() on Windows, 1252 in the portable build.
unsigned AnsiCodePage();

// The code page that belongs to a font character set (LOGFONT lfCharSet): 178 -> 1256,
// 204 -> 1251, 161 -> 1253, ...; 0 (ANSI), 1 (default) and unknown sets -> AnsiCodePage().
unsigned CodePageForCharset(int charset);

// Bytes in `codePage` to UTF-8. Never fails: every byte value maps to a character (bytes that
// the code page leaves undefined map to the C1 control of the same value, so they round-trip).
std::string DecodeCodePage(std::string_view bytes, unsigned codePage);

// UTF-8 to bytes in `codePage`; nullopt when a character has no byte in that code page
// (never a silent "?"), or when the input is not valid UTF-8.
std::optional<std::string> EncodeCodePage(std::string_view utf8, unsigned codePage);

// File system paths from and to UTF-8 text, without any code-page loss.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string Utf8FromPath(const std::filesystem::path& path);

}  // namespace barloom
