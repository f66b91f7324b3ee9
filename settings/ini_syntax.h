#pragma once
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ascii_text.h"

// The private-profile file syntax, shared by the in-memory document (ini_document.cpp) and the
// one-pass readers (ini_value_scan.cpp): how bytes split into lines, what a line says, and what a
// read hands back.
//
// It behaves like the Windows GetPrivateProfileStringA / WritePrivateProfileStringA pair, byte for
// byte. The rules, including the ones we had to choose:
//
// Lines
//   - CR LF, LF, CR and CR CR LF each end a line; the last line may have no line end.
//   - Blanks are space, tab, LF, VT, FF, CR and ^Z (0x1A); every line is trimmed of them at both
//     ends before it is looked at. A line with nothing else is blank and ignored. NBSP (0xA0) and
//     every other byte are ordinary.
//   - A line whose first byte after the blanks is '[' and that holds a ']' after it is a section
//     header. The name is the text between the '[' and the LAST ']', trimmed; the rest of the line
//     is ignored. So "[k]=v" is a header, "[k" is an ordinary line.
//   - Any other line is a key: the name is the text before the first '=', trimmed; the value is the
//     text after it, trimmed. "=v" is the key "". A line without '=' is a key without a value: it
//     reads as missing (the default comes back) but it hides a later "k=v" of the same name.
//   - ';' and '#' have no meaning: ";k=v" is the key ";k".
//   - A NUL byte ends a name or a value where it stands (after the trimming): "k=ab\0cd" reads
//     "ab", "[S\0X]" is the section "S". It does not end the line.
//   - Lines before the first header belong to no section; the section "" is a "[]" header.
//   - A UTF-8 byte-order mark is three ordinary bytes of line 1 (so "<BOM>[S]" is not a header).
//   - A file that starts with the UTF-16 LE byte-order mark (FF FE) is UTF-16 LE: its text is
//     parsed with the same rules, names and values are converted between it and the ANSI code page,
//     and writes keep it UTF-16 LE with the mark. A value that the ANSI code page cannot hold is
//     read as the UTF-8 byte-order mark followed by UTF-8 (the form the program uses for such
//     values in 8-bit files), not as '?'; an argument that starts with that mark is written as the
//     UTF-8 text it carries. UTF-16 without a mark, or big-endian, is read as bytes (it yields
//     nothing).
//
// Names
//   - Requested names are taken up to a NUL (as a C string would be) and trimmed of blanks.
//   - Names are compared with ASCII case folding only; bytes 0x80-0xFF (in a UTF-16 file: every
//     character past U+007F) must be equal.
//   - Only the first section of a name is searched, and within it the first key of a name wins
//     (an '='-less line included). Later duplicates are never read nor written.
//
//
// Reading
//   - A key with a value gives the value, also when it is empty (count 0). A missing file,
//     section or key, or a key without '=', gives the default: taken up to a NUL, trailing spaces
//     (spaces only) cut but never its first byte, so "   " gives " ".
//   - Quotes: a result of at least 2 bytes that starts with '"' or '\'' and ends with the same
//     byte loses that one pair. As on the platform, this happens after the cut to bufferSize - 1
//     bytes: the opening quote is dropped, the text is cut, and when the buffer could hold the
//     whole rest the last byte copied (normally the closing quote) is dropped. So "abc" (with the
//     quotes) read with bufferSize 4 gives ab.
//   - bufferSize 0 gives nothing; otherwise at most bufferSize - 1 bytes.

namespace barloom::ini {

// The blanks that lines, names and values are trimmed of.
inline constexpr ByteSet ProfileBlanks{" \t\n\v\f\r\x1A"};

inline std::string_view CutAtNul(std::string_view text) {
  const std::size_t nul = text.find('\0');
  return nul == std::string_view::npos ? text : text.substr(0, nul);
}

// A requested section or key name, as the lookup compares it.
inline std::string_view RequestedName(std::string_view name) { return Trim(CutAtNul(name), ProfileBlanks); }

struct RawLine {
  std::size_t Start = 0;   // offset of the line's first byte
  std::size_t Length = 0;  // bytes before the line end
  std::size_t End = 0;     // bytes of the line end: 0 (last line), 1, 2 or 3
};

// The length of the line end at `at`: 0 at the end of the bytes, else 1, 2 (CR LF) or 3 (CR CR LF).
inline std::size_t LineEndLength(std::string_view bytes, std::size_t at) {
  if (at >= bytes.size()) return 0;
  if (bytes[at] == '\r') {
    if (at + 1 < bytes.size() && bytes[at + 1] == '\n') return 2;
    if (at + 2 < bytes.size() && bytes[at + 1] == '\r' && bytes[at + 2] == '\n') return 3;
  }
  return 1;
}

// Cuts bytes into lines, from `from` (the start of a line) on. memchr finds the next CR and the
// next LF, and each is searched again only once the scan has passed it, so the cost is one
// (vectorised) pass over the bytes for any mix of line ends.
class LineSplitter {
 public:
  explicit LineSplitter(std::string_view bytes, std::size_t from = 0)
      : bytes_(bytes), pos_(from), nextCr_(Find('\r')), nextLf_(Find('\n')) {}

  bool Next(RawLine& line) {
    if (pos_ >= bytes_.size()) return false;
    if (nextCr_ < pos_) nextCr_ = Find('\r');
    if (nextLf_ < pos_) nextLf_ = Find('\n');
    const std::size_t stop = std::min(nextCr_, nextLf_);
    line.Start = pos_;
    line.Length = stop - pos_;
    line.End = LineEndLength(bytes_, stop);
    pos_ = stop + line.End;
    return true;
  }

 private:
  std::size_t Find(char c) const {
    const void* hit = std::memchr(bytes_.data() + pos_, c, bytes_.size() - pos_);
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - bytes_.data()) : bytes_.size();
  }

  std::string_view bytes_;
  std::size_t pos_;
  std::size_t nextCr_;  // position of the next CR at or after the last search, or the size
  std::size_t nextLf_;
};

enum class LineKind { Blank, Header, Key };

struct LineSyntax {
  LineKind Kind = LineKind::Blank;
  std::string_view Name;    // section or key name: trimmed, up to a NUL
  bool HasValue = false;    // a key line with '='
  std::string_view Value;   // trimmed, up to a NUL
};

inline bool StartsWithBracket(std::string_view content) {
  const std::string_view text = TrimLeft(content, ProfileBlanks);
  return !text.empty() && text.front() == '[';
}

LineSyntax ParseLine(std::string_view content);

// True when a written line is not the single key line it was meant to be, so that only a fresh
// parse knows what the bytes now say.
bool ChangesStructure(std::string_view text);

// The value (or the default) as the platform hands it back; see the rules at the top.
// Whether a read takes a pair of quotes off `value`: it starts and ends with the same quote, '"'
// or '\''.
inline bool IsQuotedValue(std::string_view value) {
  return value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
}

std::string ProfileResult(std::optional<std::string_view> value, std::string_view defaultValue,
                          std::size_t bufferSize);

inline constexpr std::string_view CrLf = "\r\n";

// An argument (ANSI bytes, or the UTF-8 mark and UTF-8), taken up to a NUL, as text of a UTF-16
// file.
std::string FileTextFromArgument(std::string_view argument);

// What a read of a UTF-16 file gives: the value as ANSI bytes (marked where the code page cannot
// hold it), or the default.
std::string Utf16FileResult(std::optional<std::string_view> value, std::string_view defaultValue,
                            std::size_t bufferSize);

}  // namespace barloom::ini
