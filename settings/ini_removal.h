#pragma once
#include <optional>
#include <span>
#include <string>
#include <string_view>

// Taking lines out of private-profile text, as the platform's WritePrivateProfileString does when
// given no value: the counterpart of the writes in ini_document.cpp, on the document's text (8-bit
// bytes, or a UTF-16 file's text as generalised UTF-8). Names are compared as every read compares
// them (ini_syntax.h).
namespace barloom::ini {

// `text` without the line of `key` in the first section named `section` (the first line of that
// name, a line without '=' included), its line end taken with it; nullopt when there is none.
std::optional<std::string> WithoutKeyLine(std::string_view text, std::string_view section, std::string_view key);

// `text` without every line of each of `keys` in the first section named `section`, as taking
// out one line after the other until none is left would leave it; nullopt when there is none.
std::optional<std::string> WithoutKeyLines(std::string_view text, std::string_view section,
                                           std::span<const std::string> keys);

// `text` without the header of the first section named `section` when that section holds no line
// but blank ones (which stay); nullopt when there is no such section or it holds something.
std::optional<std::string> WithoutEmptySection(std::string_view text, std::string_view section);

}  // namespace barloom::ini
