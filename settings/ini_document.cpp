// The private-profile engine: the file syntax, the one-shot read and the in-memory document.
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
//
// Writing: only the line concerned changes, every other byte of the file stays as it was
// (blank lines, spacing, text after a header's ']', line-end style, NUL bytes, binary junk).
//   - The arguments are taken up to a NUL. The value loses its leading blanks and keeps its
//     trailing ones. Names are matched trimmed; a NEW key or section is spelled without its
//     leading blanks but with its trailing ones ("k  =v", "[T  ]").
//   - A write of the value the key already has (compared case-sensitively) changes nothing.
//   - An existing key's line becomes: the key's name as the file spells it (trimmed, up to a NUL),
//     then '=', then the value, then the line's own line end. So "  ButtonCount = 3\r\n" written
//     as Buttoncount=4 becomes "ButtonCount=4\r\n" (as the platform writes it), and a line without
//     '=' becomes "k=v" the same way.
//   - A new key goes into the first section of that name, right after its last non-blank line
//     (comment-looking or junk lines count as non-blank; blank lines before the next header stay
//     where they are), as "key=value\r\n". When that line is the last of the file and has no line
//     end, "\r\n" is put after it first.
//   - A new section goes at the end of the file as "[name]\r\nkey=value\r\n", without a blank line
//     before it; "\r\n" is added first when the file does not end with a line end. A missing or
//     0-byte file becomes "[S]\r\nk=v\r\n".
//   - CR and LF in a written name or value are written raw (they make new lines, as on the
//     platform); a key name such as "[k]" writes a line that is a header. The document then
//     re-parses itself (one pass over it), so that later reads and writes see what a fresh load
//     of the bytes sees.
//
// Cost: the one-shot read is one pass over the bytes that stops at the key. The document indexes
// section names when it parses and a section's keys when that section is first used; every read
// and write is then O(1) expected (plus the length of the line), and Bytes() is one pass.

#include "settings/ini_document.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <system_error>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/code_page.h"
#include "platform/utf8.h"

namespace barloom {
namespace {

bool IsBlank(char c) {
  const auto b = static_cast<unsigned char>(c);
  return (b >= 0x09 && b <= 0x0D) || b == 0x1A || b == 0x20;
}

std::string_view TrimLeft(std::string_view text) {
  std::size_t begin = 0;
  while (begin < text.size() && IsBlank(text[begin])) ++begin;
  return text.substr(begin);
}

std::string_view TrimRight(std::string_view text) {
  std::size_t end = text.size();
  while (end > 0 && IsBlank(text[end - 1])) --end;
  return text.substr(0, end);
}

std::string_view Trim(std::string_view text) { return TrimRight(TrimLeft(text)); }

std::string_view CutAtNul(std::string_view text) {
  const std::size_t nul = text.find('\0');
  return nul == std::string_view::npos ? text : text.substr(0, nul);
}

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

std::string Folded(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) c = FoldAscii(c);
  return folded;
}

// A requested section or key name, as the lookup compares it.
std::string_view RequestedName(std::string_view name) { return Trim(CutAtNul(name)); }

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

struct RawLine {
  std::size_t start = 0;   // offset of the line's first byte
  std::size_t length = 0;  // bytes before the line end
  std::size_t end = 0;     // bytes of the line end: 0 (last line), 1, 2 or 3
};

// Cuts bytes into lines. memchr finds the next CR and the next LF, and each is searched again
// only once the scan has passed it, so the cost is one (vectorised) pass over the bytes for any
// mix of line ends.
class LineSplitter {
 public:
  explicit LineSplitter(std::string_view bytes) : bytes_(bytes), nextCr_(Find('\r')), nextLf_(Find('\n')) {}

  bool Next(RawLine& line) {
    if (pos_ >= bytes_.size()) return false;
    if (nextCr_ < pos_) nextCr_ = Find('\r');
    if (nextLf_ < pos_) nextLf_ = Find('\n');
    const std::size_t stop = std::min(nextCr_, nextLf_);
    line.start = pos_;
    line.length = stop - pos_;
    line.end = 0;
    if (stop < bytes_.size()) {
      line.end = 1;
      if (bytes_[stop] == '\r') {
        if (stop + 1 < bytes_.size() && bytes_[stop + 1] == '\n') {
          line.end = 2;
        } else if (stop + 2 < bytes_.size() && bytes_[stop + 1] == '\r' && bytes_[stop + 2] == '\n') {
          line.end = 3;
        }
      }
    }
    pos_ = stop + line.end;
    return true;
  }

 private:
  std::size_t Find(char c) const {
    const void* hit = std::memchr(bytes_.data() + pos_, c, bytes_.size() - pos_);
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - bytes_.data()) : bytes_.size();
  }

  std::string_view bytes_;
  std::size_t pos_ = 0;
  std::size_t nextCr_;  // position of the next CR at or after the last search, or the size
  std::size_t nextLf_;
};

enum class LineKind { Blank, Header, Key };

struct LineSyntax {
  LineKind kind = LineKind::Blank;
  std::string_view name;    // section or key name: trimmed, up to a NUL
  bool hasValue = false;    // a key line with '='
  std::string_view value;   // trimmed, up to a NUL
};

bool StartsWithBracket(std::string_view content) {
  const std::string_view text = TrimLeft(content);
  return !text.empty() && text.front() == '[';
}

LineSyntax ParseLine(std::string_view content) {
  LineSyntax syntax;
  const std::string_view text = Trim(content);
  if (text.empty()) return syntax;
  if (text.front() == '[') {
    const std::size_t close = text.rfind(']');
    if (close != std::string_view::npos && close > 0) {
      syntax.kind = LineKind::Header;
      syntax.name = CutAtNul(Trim(text.substr(1, close - 1)));
      return syntax;
    }
  }
  syntax.kind = LineKind::Key;
  const std::size_t equals = text.find('=');
  const std::string_view spelling = equals == std::string_view::npos ? text : TrimRight(text.substr(0, equals));
  syntax.name = CutAtNul(spelling);
  if (equals != std::string_view::npos) {
    syntax.hasValue = true;
    syntax.value = CutAtNul(TrimLeft(text.substr(equals + 1)));
  }
  return syntax;
}

// The value (or the default) as the platform hands it back; see the rules at the top.
std::string ProfileResult(std::optional<std::string_view> value, std::string_view defaultValue,
                          std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  std::string_view text;
  if (value) {
    text = *value;
  } else {
    text = CutAtNul(defaultValue);
    std::size_t length = text.size();
    while (length > 1 && text[length - 1] == ' ') --length;
    text = text.substr(0, length);
  }
  const bool quoted = text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front();
  if (quoted) text.remove_prefix(1);
  std::string result(text.substr(0, std::min(text.size(), bufferSize - 1)));
  if (quoted && bufferSize >= text.size() && !result.empty()) result.pop_back();
  return result;
}

// The stored value of the key, or nullopt when the section or key is missing or the key's line
// has no '='.
std::optional<std::string_view> ScanValue(std::string_view bytes, std::string_view section, std::string_view key) {
  LineSplitter splitter(bytes);
  RawLine raw;
  bool inSection = false;
  while (splitter.Next(raw)) {
    const std::string_view content = bytes.substr(raw.start, raw.length);
    if (!inSection && !StartsWithBracket(content)) continue;  // outside the section only headers count
    const LineSyntax syntax = ParseLine(content);
    if (syntax.kind == LineKind::Header) {
      if (inSection) return std::nullopt;  // the first section of the name ended without the key
      inSection = SameName(syntax.name, section);
    } else if (syntax.kind == LineKind::Key && inSection && SameName(syntax.name, key)) {
      if (!syntax.hasValue) return std::nullopt;
      return syntax.value;
    }
  }
  return std::nullopt;
}

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";

bool IsUtf16Le(std::string_view bytes) { return bytes.substr(0, 2) == kUtf16LeMark; }

// UTF-16 LE text is held as generalised UTF-8: every syntax character is ASCII and keeps its
// byte, and lone surrogates get their 3-byte forms, so that converting back gives every code unit
// exactly as it was.
std::string Wtf8FromUtf16Le(std::string_view units) {
  std::string text;
  text.reserve(units.size() + units.size() / 2);
  const std::size_t count = units.size() / 2;
  const auto unit = [&](std::size_t i) {
    return static_cast<char32_t>(static_cast<unsigned char>(units[2 * i]) |
                                 (static_cast<unsigned char>(units[2 * i + 1]) << 8));
  };
  for (std::size_t i = 0; i < count; ++i) {
    char32_t code = unit(i);
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < count) {
      const char32_t low = unit(i + 1);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        ++i;
      }
    }
    utf8::Append(text, code);
  }
  return text;
}

// The next code point of generalised UTF-8 (surrogates allowed); U+FFFD for a malformed byte.
char32_t NextWtf8(std::string_view text, std::size_t& pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (length == 0 || text.size() - pos < length) {
    ++pos;
    return 0xFFFD;
  }
  char32_t code = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(pos + i) & 0xC0) != 0x80) {
      ++pos;
      return 0xFFFD;
    }
    code = (code << 6) | (byte(pos + i) & 0x3F);
  }
  pos += length;
  return code;
}

std::string Utf16LeFromWtf8(std::string_view text) {
  std::string units;
  units.reserve(text.size() * 2);
  const auto put = [&](char32_t unit) {
    units += static_cast<char>(unit & 0xFF);
    units += static_cast<char>((unit >> 8) & 0xFF);
  };
  for (std::size_t pos = 0; pos < text.size();) {
    const char32_t code = NextWtf8(text, pos);
    if (code >= 0x10000 && code <= 0x10FFFF) {
      put(0xD800 + ((code - 0x10000) >> 10));
      put(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      put(code > 0x10FFFF ? 0xFFFD : code);
    }
  }
  return units;
}

// An argument (ANSI bytes, or the UTF-8 mark and UTF-8) as text of a UTF-16 file.
std::string FileTextFromArgument(std::string_view argument) {
  argument = CutAtNul(argument);
  if (argument.substr(0, Utf8ByteOrderMark.size()) == Utf8ByteOrderMark) {
    return DecodeCodePage(argument.substr(Utf8ByteOrderMark.size()), Utf8CodePage);
  }
  return DecodeCodePage(argument, AnsiCodePage());
}

// A value of a UTF-16 file as ANSI bytes, marked where the code page cannot hold it.
std::string AnsiFromFileText(std::string_view text) {
  std::string valid;
  valid.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const char32_t code = NextWtf8(text, pos);
    utf8::Append(valid, (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF ? 0xFFFD : code);
  }
  return MarkedValueBytes(valid, AnsiCodePage());
}

}  // namespace

std::string ReadIniValueFromBytes(std::string_view bytes, std::string_view section, std::string_view key,
                                  std::string_view defaultValue, std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  if (IsUtf16Le(bytes)) return IniDocument(std::string(bytes)).Read(section, key, defaultValue, bufferSize);
  return ProfileResult(ScanValue(bytes, RequestedName(section), RequestedName(key)), defaultValue, bufferSize);
}

struct IniDocument::Impl {
  static constexpr std::size_t kNoText = static_cast<std::size_t>(-1);

  struct Line {
    std::size_t start = 0;      // original lines: offset of the content in `bytes`
    std::size_t length = 0;     // original content length
    std::size_t end = 0;        // original line end length (the bytes follow the content)
    std::size_t text = kNoText; // index in `texts` once replaced, and for added lines
    bool added = false;         // added lines end with CR LF
  };

  struct Section {
    std::size_t header = 0;   // line index of the header
    std::size_t bodyEnd = 0;  // one past the section's last parsed line
    std::size_t anchor = 0;   // new keys go after this line: the last non-blank one, or the header
    bool created = false;     // added by a write: goes at the end of the file
    bool indexed = false;
    std::vector<std::size_t> added;  // new key lines, in order of creation
    std::unordered_map<std::string, std::size_t> keys;  // folded name -> first key line
  };

  std::string bytes;
  std::vector<Line> lines;
  std::size_t parsedLines = 0;
  std::vector<std::string> texts;
  std::vector<Section> sections;  // the first section of each name in file order, then created ones
  std::unordered_map<std::string, std::size_t> sectionIndex;  // folded name -> index in `sections`
  bool modified = false;
  bool utf16 = false;       // `bytes` is the text of a UTF-16 LE file (see Wtf8FromUtf16Le)
  std::string oddByte;      // a UTF-16 file's last byte when its size is odd: kept as it is

  explicit Impl(std::string fileBytes) : bytes(std::move(fileBytes)) { Parse(); }

  void Parse() {
    LineSplitter splitter(bytes);
    RawLine raw;
    Section* current = nullptr;  // the section the lines belong to, when it is the first of its name
    while (splitter.Next(raw)) {
      const std::size_t index = lines.size();
      lines.push_back(Line{raw.start, raw.length, raw.end});
      const std::string_view content = std::string_view(bytes).substr(raw.start, raw.length);
      if (StartsWithBracket(content)) {
        const LineSyntax syntax = ParseLine(content);
        if (syntax.kind == LineKind::Header) {
          if (current) current->bodyEnd = index;
          current = nullptr;
          if (sectionIndex.emplace(Folded(syntax.name), sections.size()).second) {
            Section& section = sections.emplace_back();
            section.header = section.anchor = index;
            current = &section;
          }
          continue;
        }
      }
      if (current && !TrimLeft(content).empty()) current->anchor = index;
    }
    if (current) current->bodyEnd = lines.size();
    parsedLines = lines.size();
  }

  std::string_view Content(const Line& line) const {
    if (line.text != kNoText) return texts[line.text];
    return std::string_view(bytes).substr(line.start, line.length);
  }

  std::string_view LineEnd(const Line& line) const {
    if (line.added) return kCrLf;
    return std::string_view(bytes).substr(line.start + line.length, line.end);
  }

  Section* FindSection(std::string_view name) {
    const auto found = sectionIndex.find(Folded(name));
    return found == sectionIndex.end() ? nullptr : &sections[found->second];
  }

  void IndexKeys(Section& section) {
    if (section.indexed) return;
    section.indexed = true;
    for (std::size_t i = section.header + 1; i < section.bodyEnd; ++i) {
      const LineSyntax syntax = ParseLine(Content(lines[i]));
      if (syntax.kind == LineKind::Key) section.keys.emplace(Folded(syntax.name), i);
    }
  }

  // The stored value of the key, or nullopt when the section or key is missing or the key's line
  // has no '='.
  std::optional<std::string_view> Lookup(std::string_view section, std::string_view key) {
    Section* found = FindSection(section);
    if (!found) return std::nullopt;
    const std::optional<std::size_t> line = FindKey(*found, key);
    if (!line) return std::nullopt;
    const LineSyntax syntax = ParseLine(Content(lines[*line]));
    if (!syntax.hasValue) return std::nullopt;
    return syntax.value;
  }

  std::optional<std::size_t> FindKey(Section& section, std::string_view name) {
    IndexKeys(section);
    const auto found = section.keys.find(Folded(name));
    if (found == section.keys.end()) return std::nullopt;
    return found->second;
  }

  std::size_t AddLine(std::string text) {
    texts.push_back(std::move(text));
    Line line;
    line.text = texts.size() - 1;
    line.added = true;
    lines.push_back(line);
    return lines.size() - 1;
  }

  // True when a written line is not the single key line it was meant to be, so that only a fresh
  // parse knows what the bytes now say.
  static bool ChangesStructure(std::string_view text) {
    return HasLineBreak(text) || ParseLine(text).kind != LineKind::Key;
  }

  // Returns true when the bytes changed; sets `reparse` when the written text is not a plain key
  // line.
  bool Write(std::string_view sectionArg, std::string_view keyArg, std::string_view valueArg, bool& reparse) {
    const std::string_view sectionSpelling = TrimLeft(CutAtNul(sectionArg));
    const std::string_view keySpelling = TrimLeft(CutAtNul(keyArg));
    const std::string_view sectionName = TrimRight(sectionSpelling);
    const std::string_view keyName = TrimRight(keySpelling);
    const std::string_view value = TrimLeft(CutAtNul(valueArg));

    Section* section = FindSection(sectionName);
    if (!section) {
      std::string headerText;
      headerText.reserve(sectionSpelling.size() + 2);
      headerText.append("[").append(sectionSpelling).append("]");
      const std::size_t header = AddLine(std::move(headerText));
      sectionIndex.emplace(Folded(sectionName), sections.size());
      Section& created = sections.emplace_back();
      created.header = created.anchor = header;
      created.bodyEnd = header + 1;
      created.created = true;
      created.indexed = true;
      section = &created;
      reparse = HasLineBreak(texts[lines[header].text]);
    } else if (const std::optional<std::size_t> keyLine = FindKey(*section, keyName)) {
      Line& line = lines[*keyLine];
      const std::string_view content = Content(line);
      const LineSyntax syntax = ParseLine(content);
      if (syntax.hasValue && syntax.value == value) return false;
      std::string text;
      text.reserve(syntax.name.size() + 1 + value.size());
      text.append(syntax.name).append("=").append(value);
      if (line.text == kNoText) {
        texts.push_back(std::move(text));
        line.text = texts.size() - 1;
      } else {
        texts[line.text] = std::move(text);
      }
      reparse = ChangesStructure(texts[line.text]);
      modified = true;
      return true;
    }

    std::string text;
    text.reserve(keySpelling.size() + 1 + value.size());
    text.append(keySpelling).append("=").append(value);
    const std::size_t keyLine = AddLine(std::move(text));
    section->added.push_back(keyLine);
    const std::string_view written = texts[lines[keyLine].text];
    if (ChangesStructure(written)) {
      reparse = true;
    } else {
      // The name the line will be read under: "a=b" written as a key name is read as "a".
      section->keys.emplace(Folded(ParseLine(written).name), keyLine);
    }
    modified = true;
    return true;
  }

  void AppendLine(std::string& out, const Line& line) const {
    out.append(Content(line));
    out.append(LineEnd(line));
  }

  std::string Serialise() const {
    if (!modified) return bytes;
    std::string out;
    std::size_t extra = 2 * (lines.size() - parsedLines + sections.size());
    for (const std::string& text : texts) extra += text.size();
    out.reserve(bytes.size() + extra);

    // Parsed sections are in file order and each anchor lies inside its section, so the anchors
    // with added lines come in increasing order.
    std::size_t nextSection = 0;
    auto nextAnchor = [&]() -> const Section* {
      while (nextSection < sections.size() &&
             (sections[nextSection].created || sections[nextSection].added.empty())) {
        ++nextSection;
      }
      return nextSection < sections.size() ? &sections[nextSection] : nullptr;
    };
    const Section* pending = nextAnchor();
    // Whether the output ends in a line without a line end. Decided by the lines, never by the
    // last byte: a replaced line may end in a CR of its value, which is no line end of its own.
    bool open = false;
    for (std::size_t i = 0; i < parsedLines; ++i) {
      AppendLine(out, lines[i]);
      open = lines[i].end == 0;  // only the file's last line
      if (pending && pending->anchor == i) {
        if (open) out.append(kCrLf);
        for (const std::size_t added : pending->added) AppendLine(out, lines[added]);
        open = false;
        ++nextSection;
        pending = nextAnchor();
      }
    }
    for (const Section& section : sections) {
      if (!section.created) continue;
      if (open) out.append(kCrLf);
      open = false;
      AppendLine(out, lines[section.header]);
      for (const std::size_t added : section.added) AppendLine(out, lines[added]);
    }
    return out;
  }
};

IniDocument::IniDocument() : impl_(std::make_unique<Impl>(std::string())) {}

IniDocument::IniDocument(std::string bytes) {
  if (!IsUtf16Le(bytes)) {
    impl_ = std::make_unique<Impl>(std::move(bytes));
    return;
  }
  const std::string_view units = std::string_view(bytes).substr(kUtf16LeMark.size());
  impl_ = std::make_unique<Impl>(Wtf8FromUtf16Le(units));
  impl_->utf16 = true;
  if (units.size() % 2 != 0) impl_->oddByte = std::string(1, units.back());
}

IniDocument::IniDocument(IniDocument&&) noexcept = default;
IniDocument& IniDocument::operator=(IniDocument&&) noexcept = default;
IniDocument::~IniDocument() = default;

std::string IniDocument::Read(std::string_view section, std::string_view key, std::string_view defaultValue,
                              std::size_t bufferSize) const {
  if (bufferSize == 0) return {};
  if (!impl_->utf16) {
    return ProfileResult(impl_->Lookup(RequestedName(section), RequestedName(key)), defaultValue, bufferSize);
  }
  const std::optional<std::string_view> value =
      impl_->Lookup(RequestedName(FileTextFromArgument(section)), RequestedName(FileTextFromArgument(key)));
  if (!value) return ProfileResult(std::nullopt, defaultValue, bufferSize);
  const std::string ansi = AnsiFromFileText(*value);
  return ProfileResult(std::string_view(ansi), defaultValue, bufferSize);
}

bool IniDocument::Write(std::string_view section, std::string_view key, std::string_view value) {
  bool reparse = false;
  const bool changed =
      impl_->utf16 ? impl_->Write(FileTextFromArgument(section), FileTextFromArgument(key), FileTextFromArgument(value), reparse)
                   : impl_->Write(section, key, value, reparse);
  if (reparse) {
    auto fresh = std::make_unique<Impl>(impl_->Serialise());
    fresh->utf16 = impl_->utf16;
    fresh->oddByte = std::move(impl_->oddByte);
    impl_ = std::move(fresh);
  }
  return changed;
}

std::string IniDocument::Bytes() const {
  if (!impl_->utf16) return impl_->Serialise();
  std::string bytes(kUtf16LeMark);
  bytes += Utf16LeFromWtf8(impl_->Serialise());
  bytes += impl_->oddByte;
  return bytes;
}

FileReadResult ReadFileBytes(const std::filesystem::path& file, std::string& bytes) {
  bytes.clear();
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(file, error);
  if (status.type() == std::filesystem::file_type::not_found) return FileReadResult::Missing;
  // Only an ordinary file: a named pipe or a device would make the read wait for a writer.
  if (error || !std::filesystem::is_regular_file(status)) return FileReadResult::Unreadable;
  std::ifstream in(file, std::ios::binary);
  if (!in) return FileReadResult::Unreadable;
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0) return FileReadResult::Unreadable;
  in.seekg(0, std::ios::beg);
  bytes.resize(static_cast<std::size_t>(size));
  if (size > 0 && !in.read(bytes.data(), size)) {
    bytes.clear();
    return FileReadResult::Unreadable;
  }
  return FileReadResult::Read;
}

std::optional<std::string> ReadFileBytes(const std::filesystem::path& file) {
  std::string bytes;
  if (ReadFileBytes(file, bytes) != FileReadResult::Read) return std::nullopt;
  return bytes;
}

}  // namespace barloom
