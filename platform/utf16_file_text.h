#pragma once
#include <string>
#include <string_view>

// Text files in UTF-16 LE (they start with the mark FF FE), held inside the program as
// generalised UTF-8: every ASCII character keeps its byte, so byte-oriented parsers work on the
// text unchanged, and lone surrogates get their 3-byte forms, so that converting back gives every
// code unit exactly as it was.
namespace barloom {

inline constexpr std::string_view Utf16LeMark = "\xFF\xFE";

// Whether `bytes` start with the UTF-16 LE mark.
bool IsUtf16Le(std::string_view bytes);

// UTF-16 LE code units (without the mark) as generalised UTF-8; a last odd byte is left out.
std::string Wtf8FromUtf16Le(std::string_view units);

// Generalised UTF-8 back to UTF-16 LE code units (without the mark); a malformed byte becomes
// U+FFFD.
std::string Utf16LeFromWtf8(std::string_view text);

// Bytes the program holds for a file of the ANSI code page (ANSI bytes, or the UTF-8 byte-order
// mark followed by UTF-8) as text of a UTF-16 file. Invalid UTF-8 after the mark becomes U+FFFD.
std::string Utf16FileTextFromAnsi(std::string_view bytes);

// Text of a UTF-16 file as ANSI bytes: the mark and UTF-8 where the code page cannot hold it (see
// MarkedValueBytes); lone surrogates become U+FFFD.
std::string AnsiFromUtf16FileText(std::string_view text);

}  // namespace barloom
