#pragma once
// Conversion between the UTF-8 text used inside the program and the 8-bit code-page bytes that
// files hold. Windows uses the system's conversion functions; the portable build has tables for
// the single-byte Windows code pages 874 and 1250 to 1258 (1252 is its "ANSI" code page).
#include <optional>
#include <string>
#include <string_view>

namespace barloom {

inline constexpr unsigned Utf8CodePage = 65001;

// The system's ANSI code page: GetACP() on Windows, 1252 in the portable build.
unsigned AnsiCodePage();

// The system's OEM code page, which fonts of the OEM character set show: GetOEMCP() on Windows,
// 437 in the portable build (which has no table for it and reads it as its ANSI code page).
unsigned OemCodePage();

// The code page that belongs to a font character set (LOGFONT lfCharSet), as Windows shows the
// fonts: 0 (ANSI) -> 1252 whatever the system's code page, 178 -> 1256, 204 -> 1251,
// 161 -> 1253, ..., 77 (Macintosh) -> 10000, 255 (OEM) -> OemCodePage(); 1 (default) and unknown
// sets -> AnsiCodePage(). 2 (symbol) also gives AnsiCodePage(): a symbol font shows the same
// bytes, only as pictures. The double-byte sets give their code pages (128 -> 932, 129 -> 949,
// 130 -> 1361, 134 -> 936, 136 -> 950); the portable build has no tables for those, nor for
// 10000 and the OEM pages, and converts them as its ANSI code page, which keeps every byte but
// shows the text as single-byte characters.
unsigned CodePageForCharset(int charset);

// True for the font character sets that CodePageForCharset knows (0, 1, 2, 77, 255 and the
// national ones).
bool IsKnownCharset(int charset);

// Bytes in `codePage` to UTF-8. Never fails: every byte value maps to a character (bytes that
// the code page leaves undefined map to the C1 control of the same value, or, above 0x9F, to the
// private-use character Windows assigns them, so they round-trip). For Utf8CodePage, invalid
// sequences become U+FFFD.
std::string DecodeCodePage(std::string_view bytes, unsigned codePage);

// UTF-8 to bytes in `codePage`; nullopt when a character has no byte in that code page
// (never a silent "?"), or when the input is not valid UTF-8.
std::optional<std::string> EncodeCodePage(std::string_view utf8, unsigned codePage);

// Whether `text` is well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool IsValidUtf8(std::string_view text);

// Values in the program's files are code-page bytes. Text that the code page cannot hold is stored
// as the UTF-8 byte-order mark followed by UTF-8 (Total Commander reads such a value as UTF-8), so
// nothing is ever stored as "?".
inline constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

// The bytes that store `utf8` in a file of `codePage`: the code page's bytes where it can hold the
// text, otherwise the mark and UTF-8. Code-page bytes that would themselves begin with the mark's
// bytes ("ï»¿" in 1252) take the marked form too, or they would be misread as the mark.
std::string MarkedValueBytes(std::string_view utf8, unsigned codePage);

// The text that stored bytes stand for: after the mark, UTF-8 (less a last character that a
// buffer cut short); bytes without the mark, or with no UTF-8 after it, in `codePage`.
std::string TextOfMarkedValue(std::string_view bytes, unsigned codePage);

}  // namespace barloom

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

#ifdef _WIN32
namespace barloom {

// The one pair of converters between the program's UTF-8 and the UTF-16 of Win32 calls.
// Invalid UTF-8 becomes U+FFFD; unpaired surrogates likewise.
std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);

}  // namespace barloom
#endif  // _WIN32
