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
//     before it; "\r\n" is added first when the file's last line has no line end (a CR that a
//     written value ends in is part of the value, not a line end). A missing or 0-byte file
//     becomes "[S]\r\nk=v\r\n".
//   - CR and LF in a written name or value are written raw (they make new lines, as on the
//     platform); a key name such as "[k]" writes a line that is a header. The document then
//     re-parses itself (one pass over it), so that later reads and writes see what a fresh load
//     of the bytes sees.
//
// Cost: the one-shot read is one pass over the bytes that stops at the key (a UTF-16 file is
// converted first). The document indexes section names when it parses and a section's keys when
// that section is first used; every read and write is then O(1) expected (plus the length of the
// line), and Bytes() is one pass. Memory: the document holds its bytes (a UTF-16 file's as
// generalised UTF-8), a few bytes per distinct section name and per key of the sections in use,
// and what writes added; blank lines and lines of sections never used cost nothing, so a file of
// any shape costs a small multiple of its size.
//
// Batches: a read of many keys at once (ReadIniValuesFromBytes) is one pass over the bytes with
// the keys asked for in a name table; writes gathered in an IniKeyWrites go into a document at the
// cost of copying their lines, plus one lookup per key the section already has, and are filed by
// name only when a later read or write looks a key up.

#include "settings/ini_document.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/utf16_file_text.h"
#include "settings/ini_name_table.h"

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

// A requested section or key name, as the lookup compares it.
std::string_view RequestedName(std::string_view name) { return Trim(CutAtNul(name)); }

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// (A loop: find_first_of would call memchr once for every byte.)
bool HasLineBreak(std::string_view text) { return std::any_of(text.begin(), text.end(), IsLineBreak); }

struct RawLine {
  std::size_t start = 0;   // offset of the line's first byte
  std::size_t length = 0;  // bytes before the line end
  std::size_t end = 0;     // bytes of the line end: 0 (last line), 1, 2 or 3
};

// The length of the line end at `at`: 0 at the end of the bytes, else 1, 2 (CR LF) or 3 (CR CR LF).
std::size_t LineEndLength(std::string_view bytes, std::size_t at) {
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
    line.start = pos_;
    line.length = stop - pos_;
    line.end = LineEndLength(bytes_, stop);
    pos_ = stop + line.end;
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

// True when a written line is not the single key line it was meant to be, so that only a fresh
// parse knows what the bytes now say.
bool ChangesStructure(std::string_view text) { return HasLineBreak(text) || ParseLine(text).kind != LineKind::Key; }

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

// Calls visit(syntax) for the key lines of the first section named `section`, in file order,
// until it returns false.
template <typename Visit>
void ScanSectionKeys(std::string_view bytes, std::string_view section, const Visit& visit) {
  LineSplitter splitter(bytes);
  RawLine raw;
  bool inSection = false;
  while (splitter.Next(raw)) {
    const std::string_view content = bytes.substr(raw.start, raw.length);
    if (!inSection && !StartsWithBracket(content)) continue;  // outside the section only headers count
    const LineSyntax syntax = ParseLine(content);
    if (syntax.kind == LineKind::Header) {
      if (inSection) return;  // the first section of the name ended
      inSection = SameIniName(syntax.name, section);
    } else if (syntax.kind == LineKind::Key && inSection && !visit(syntax)) {
      return;
    }
  }
}

// The stored value of the key, or nullopt when the section or key is missing or the key's line
// has no '='.
std::optional<std::string_view> ScanValue(std::string_view bytes, std::string_view section, std::string_view key) {
  std::optional<std::string_view> value;
  ScanSectionKeys(bytes, section, [&](const LineSyntax& syntax) {
    if (!SameIniName(syntax.name, key)) return true;
    if (syntax.hasValue) value = syntax.value;
    return false;
  });
  return value;
}

// ScanValue for many keys in one pass over the bytes: each key line of the section is looked up
// among the keys asked for.
std::vector<std::optional<std::string_view>> ScanValues(std::string_view bytes, std::string_view section,
                                                        const std::vector<std::string_view>& keys) {
  const auto nameOf = [&](std::size_t i) { return keys[i]; };
  IniNameTable wanted;
  std::vector<std::size_t> firstAsking(keys.size());  // a key asked for twice gets one answer
  wanted.Reserve(keys.size(), nameOf);
  for (std::size_t i = 0; i < keys.size(); ++i) firstAsking[i] = wanted.FindOrAdd(i, keys[i], nameOf);
  std::vector<std::optional<std::string_view>> values(keys.size());
  std::vector<bool> answered(keys.size());
  ScanSectionKeys(bytes, section, [&](const LineSyntax& syntax) {
    const std::optional<std::size_t> key = wanted.Find(syntax.name, nameOf);
    if (key && !answered[*key]) {  // the first line of a name wins
      answered[*key] = true;
      if (syntax.hasValue) values[*key] = syntax.value;
    }
    return true;
  });
  for (std::size_t i = 0; i < keys.size(); ++i) values[i] = values[firstAsking[i]];
  return values;
}

constexpr std::string_view kCrLf = "\r\n";

// An argument (ANSI bytes, or the UTF-8 mark and UTF-8), taken up to a NUL, as text of a UTF-16
// file.
std::string FileTextFromArgument(std::string_view argument) { return Utf16FileTextFromAnsi(CutAtNul(argument)); }

// What a read of a UTF-16 file gives: the value as ANSI bytes (marked where the code page cannot
// hold it), or the default.
std::string Utf16FileResult(std::optional<std::string_view> value, std::string_view defaultValue,
                            std::size_t bufferSize) {
  if (!value) return ProfileResult(std::nullopt, defaultValue, bufferSize);
  const std::string ansi = AnsiFromUtf16FileText(*value);
  return ProfileResult(std::string_view(ansi), defaultValue, bufferSize);
}

}  // namespace

std::string ReadIniValueFromBytes(std::string_view bytes, std::string_view section, std::string_view key,
                                  std::string_view defaultValue, std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  if (!IsUtf16Le(bytes))
    return ProfileResult(ScanValue(bytes, RequestedName(section), RequestedName(key)), defaultValue, bufferSize);
  const std::string text = Wtf8FromUtf16Le(bytes.substr(Utf16LeMark.size()));
  const std::optional<std::string_view> value =
      ScanValue(text, RequestedName(FileTextFromArgument(section)), RequestedName(FileTextFromArgument(key)));
  return Utf16FileResult(value, defaultValue, bufferSize);
}

// The writes as the lines they make ("key=value", the arguments taken as Write takes them) in
// one buffer, and their key names filed in a name table: a document finds the writes that name
// keys it has by looking up its own keys, not every write.
struct IniKeyWrites::Impl {
  struct Entry {
    std::size_t offset = 0;      // of the line in `text`
    std::size_t length = 0;      // of the line
    std::size_t keyLength = 0;   // the key as written: up to a NUL, leading blanks dropped
    std::size_t nameLength = 0;  // the key's name: trailing blanks dropped too
  };
  std::string text;
  std::vector<Entry> entries;
  IniNameTable names;  // write indexes, by key name
  // Every write makes one key line that is read back under its key's name, and no two name the
  // same key: then each write's effect is independent of the others'.
  bool independent = true;

  std::size_t Size() const { return entries.size(); }
  std::string_view Line(std::size_t i) const { return std::string_view(text).substr(entries[i].offset, entries[i].length); }
  std::string_view Key(std::size_t i) const { return Line(i).substr(0, entries[i].keyLength); }
  std::string_view Value(std::size_t i) const { return Line(i).substr(entries[i].keyLength + 1); }
  std::string_view Name(std::size_t i) const { return Line(i).substr(0, entries[i].nameLength); }
  auto NameOf() const {
    return [this](std::size_t i) { return Name(i); };
  }
};

IniKeyWrites::IniKeyWrites() : impl_(std::make_unique<Impl>()) {}
IniKeyWrites::IniKeyWrites(IniKeyWrites&&) noexcept = default;
IniKeyWrites& IniKeyWrites::operator=(IniKeyWrites&&) noexcept = default;
IniKeyWrites::~IniKeyWrites() = default;

std::size_t IniKeyWrites::Size() const { return impl_->Size(); }

void IniKeyWrites::Reserve(std::size_t writes, std::size_t bytes) {
  impl_->entries.reserve(impl_->entries.size() + writes);
  impl_->text.reserve(impl_->text.size() + bytes);
  impl_->names.Reserve(impl_->entries.size() + writes, impl_->NameOf());
}

void IniKeyWrites::Add(std::string_view keyArg, std::string_view valueArg) {
  const std::string_view key = TrimLeft(CutAtNul(keyArg));
  const std::string_view value = TrimLeft(CutAtNul(valueArg));
  Impl& writes = *impl_;
  const std::size_t index = writes.Size();
  writes.entries.push_back({writes.text.size(), key.size() + 1 + value.size(), key.size(), TrimRight(key).size()});
  writes.text.append(key).append("=").append(value);
  const std::string_view line = writes.Line(index);
  // "a=b" as a key name writes a line read as the key "a".
  if (ChangesStructure(line) || ParseLine(line).name != writes.Name(index)) writes.independent = false;
  if (writes.names.FindOrAdd(index, writes.Name(index), writes.NameOf()) != index) writes.independent = false;
}

void ReadIniValuesFromBytes(std::string_view bytes, std::string_view section, const std::vector<std::string>& keys,
                            std::string_view defaultValue, std::size_t bufferSize,
                            const std::function<void(std::size_t, std::string_view)>& visit) {
  if (bufferSize == 0) {
    for (std::size_t i = 0; i < keys.size(); ++i) visit(i, {});
    return;
  }
  std::vector<std::string_view> names;
  names.reserve(keys.size());
  if (!IsUtf16Le(bytes)) {
    for (const std::string& key : keys) names.push_back(RequestedName(key));
    const auto values = ScanValues(bytes, RequestedName(section), names);
    for (std::size_t i = 0; i < values.size(); ++i) visit(i, ProfileResult(values[i], defaultValue, bufferSize));
    return;
  }
  const std::string text = Wtf8FromUtf16Le(bytes.substr(Utf16LeMark.size()));
  std::vector<std::string> fileKeys;
  fileKeys.reserve(keys.size());
  for (const std::string& key : keys) fileKeys.push_back(FileTextFromArgument(key));
  for (const std::string& key : fileKeys) names.push_back(RequestedName(key));
  const auto values = ScanValues(text, RequestedName(FileTextFromArgument(section)), names);
  for (std::size_t i = 0; i < values.size(); ++i) visit(i, Utf16FileResult(values[i], defaultValue, bufferSize));
}

// The document keeps no line of its own. A line is named by a LineRef: the offset of its first
// byte in `bytes`, or, from bytes.size() on, bytes.size() + its index in `added` (the lines that
// writes added, and the new contents of the lines they replaced). Sections and keys are found through name tables of LineRefs, so blank
// lines cost nothing and other lines a few bytes each, once their section is in use.
struct IniDocument::Impl {
  using LineRef = std::size_t;

  bool IsAdded(LineRef line) const { return line >= bytes.size(); }

  // The keys of a section in use, and where its new keys go.
  struct Section {
    IniNameTable keys;           // key lines; the first line of a name
    std::vector<LineRef> added;  // new key lines, in order of creation
    // How many of `added` are filed in `keys`: the others are filed at the next lookup, so that
    // lines added by the thousand and never looked up cost no hashing.
    std::size_t filed = 0;
    std::size_t insertAt = 0;    // parsed sections: offset after the line end of the last non-blank line
    bool needsLineEnd = false;   // that line is the file's last and has no line end
  };

  // The lines that writes added, one after the other in one buffer: no allocation per line. A
  // line given new content gets it at the end; its old text stays unused in the buffer.
  class AddedLines {
   public:
    std::size_t size() const { return spans_.size(); }
    std::string_view operator[](std::size_t line) const {
      return std::string_view(text_).substr(spans_[line].first, spans_[line].second);
    }
    void Add(std::string_view line) {
      spans_.emplace_back(text_.size(), line.size());
      text_.append(line);
    }
    void Change(std::size_t line, std::string_view content) {
      spans_[line] = {text_.size(), content.size()};
      text_.append(content);
    }
    void Reserve(std::size_t lines, std::size_t bytes) {
      spans_.reserve(spans_.size() + lines);
      text_.reserve(text_.size() + bytes);
    }

   private:
    std::string text_;
    std::vector<std::pair<std::size_t, std::size_t>> spans_;  // offset and length in text_
  };

  std::string bytes;
  IniNameTable sections;  // header lines: the first section of each name, then created ones
  std::unordered_map<LineRef, Section> inUse;  // by header line, once read or written
  AddedLines added;
  std::vector<LineRef> created;  // headers of the sections added by writes, in order of creation
  // Parsed lines that writes replaced: the offset, and the added line that holds the new content
  // (the name tables then name the added line).
  std::vector<std::pair<std::size_t, LineRef>> replaced;
  bool modified = false;
  bool utf16 = false;   // `bytes` is the text of a UTF-16 LE file (see Wtf8FromUtf16Le)
  std::string oddByte;  // a UTF-16 file's last byte when its size is odd: kept as it is

  explicit Impl(std::string fileBytes) : bytes(std::move(fileBytes)) { Parse(); }

  // How the name tables read the name of a header or key line back.
  auto NameOf() const {
    return [this](LineRef line) { return ParseLine(Content(line)).name; };
  }

  void Parse() {
    LineSplitter splitter(bytes);
    RawLine raw;
    while (splitter.Next(raw)) {
      const std::string_view content = std::string_view(bytes).substr(raw.start, raw.length);
      if (!StartsWithBracket(content)) continue;
      const LineSyntax syntax = ParseLine(content);
      if (syntax.kind == LineKind::Header) sections.FindOrAdd(raw.start, syntax.name, NameOf());
    }
  }

  std::string_view Content(LineRef line) const {
    if (IsAdded(line)) return added[line - bytes.size()];
    return OriginalContent(line);
  }

  std::string_view OriginalContent(std::size_t offset) const {
    std::size_t end = offset;
    while (end < bytes.size() && !IsLineBreak(bytes[end])) ++end;
    return std::string_view(bytes).substr(offset, end - offset);
  }

  LineRef AddLine(std::string_view text) {
    added.Add(text);
    return bytes.size() + added.size() - 1;
  }

  // The section's keys, indexed when the section is first used: one pass over its lines.
  Section& Use(LineRef header) {
    const auto [found, isNew] = inUse.try_emplace(header);
    Section& section = found->second;
    if (!isNew || IsAdded(header)) return section;
    const std::size_t headerEnd = header + OriginalContent(header).size();
    section.insertAt = headerEnd + LineEndLength(bytes, headerEnd);
    section.needsLineEnd = section.insertAt == headerEnd;
    LineSplitter splitter(bytes, section.insertAt);
    RawLine raw;
    while (splitter.Next(raw)) {
      const std::string_view content = std::string_view(bytes).substr(raw.start, raw.length);
      const LineSyntax syntax = ParseLine(content);
      if (syntax.kind == LineKind::Header) break;
      if (syntax.kind == LineKind::Blank) continue;
      section.keys.FindOrAdd(raw.start, syntax.name, NameOf());
      section.insertAt = raw.start + raw.length + raw.end;
      section.needsLineEnd = raw.end == 0;
    }
    return section;
  }

  std::optional<LineRef> FindSection(std::string_view name) const {
    return sections.Find(name, NameOf());
  }

  std::optional<LineRef> FindKey(Section& section, std::string_view name) {
    FileAddedKeys(section);
    return section.keys.Find(name, NameOf());
  }

  // Files the section's added lines that are not filed yet, each under the name it is read by
  // ("a=b" written as a key name is read as "a"): only plain key lines wait here.
  void FileAddedKeys(Section& section) {
    for (; section.filed < section.added.size(); ++section.filed) {
      const LineRef line = section.added[section.filed];
      section.keys.FindOrAdd(line, ParseLine(Content(line)).name, NameOf());
    }
  }

  // The stored value of the key, or nullopt when the section or key is missing or the key's line
  // has no '='.
  std::optional<std::string_view> Lookup(std::string_view sectionName, std::string_view keyName) {
    const std::optional<LineRef> header = FindSection(sectionName);
    if (!header) return std::nullopt;
    const std::optional<LineRef> line = FindKey(Use(*header), keyName);
    if (!line) return std::nullopt;
    const LineSyntax syntax = ParseLine(Content(*line));
    if (!syntax.hasValue) return std::nullopt;
    return syntax.value;
  }

  // Returns true when the bytes changed; sets `reparse` when the written text is not a plain key
  // line.
  bool Write(std::string_view sectionArg, std::string_view keyArg, std::string_view valueArg, bool& reparse) {
    const std::string_view sectionSpelling = TrimLeft(CutAtNul(sectionArg));
    const std::string_view keySpelling = TrimLeft(CutAtNul(keyArg));
    const std::string_view sectionName = TrimRight(sectionSpelling);
    const std::string_view keyName = TrimRight(keySpelling);
    const std::string_view value = TrimLeft(CutAtNul(valueArg));

    std::optional<LineRef> header = FindSection(sectionName);
    if (!header) {
      std::string headerText;
      headerText.reserve(sectionSpelling.size() + 2);
      headerText.append("[").append(sectionSpelling).append("]");
      header = AddLine(headerText);
      sections.FindOrAdd(*header, sectionName, NameOf());
      created.push_back(*header);
      reparse = HasLineBreak(Content(*header));
    }
    Section& section = Use(*header);
    if (const std::optional<LineRef> keyLine = FindKey(section, keyName)) {
      const LineSyntax syntax = ParseLine(Content(*keyLine));
      if (syntax.hasValue && syntax.value == value) return false;
      std::string text;
      text.reserve(syntax.name.size() + 1 + value.size());
      text.append(syntax.name).append("=").append(value);
      reparse = ChangesStructure(text);
      if (IsAdded(*keyLine)) {
        added.Change(*keyLine - bytes.size(), text);
      } else {
        // The new content keeps the line's name (else `reparse`), so the table files it as before.
        const LineRef replacement = AddLine(text);
        replaced.emplace_back(*keyLine, replacement);
        section.keys.Replace(*keyLine, replacement, keyName, NameOf());
      }
      modified = true;
      return true;
    }

    std::string text;
    text.reserve(keySpelling.size() + 1 + value.size());
    text.append(keySpelling).append("=").append(value);
    const LineRef keyLine = AddLine(text);
    section.added.push_back(keyLine);
    // Filed at the next lookup (FileAddedKeys), unless only a fresh parse can tell what it says.
    if (ChangesStructure(Content(keyLine))) reparse = true;
    modified = true;
    return true;
  }

  // Independent writes (see IniKeyWrites::Impl) from `first` on, into an existing section: the
  // keys the section has get their lines replaced as any write replaces them; the others are
  // added in order. No two name the same key, so this is what the writes one after the other
  // give.
  void WriteIndependent(std::string_view sectionName, const IniKeyWrites::Impl& writes, std::size_t first) {
    Section& section = Use(*FindSection(sectionName));
    FileAddedKeys(section);
    std::vector<bool> replaces(writes.Size());
    section.keys.ForEach([&](LineRef line) {
      if (const auto write = writes.names.Find(ParseLine(Content(line)).name, writes.NameOf())) replaces[*write] = true;
    });
    std::size_t addedBytes = 0;
    for (std::size_t i = first; i < writes.Size(); ++i) {
      if (!replaces[i]) {
        addedBytes += writes.Line(i).size();
        continue;
      }
      bool reparse = false;  // a key line read back under its name: never
      Write(sectionName, writes.Key(i), writes.Value(i), reparse);
    }
    added.Reserve(writes.Size() - first, addedBytes);
    section.added.reserve(section.added.size() + writes.Size() - first);
    for (std::size_t i = first; i < writes.Size(); ++i) {
      if (replaces[i]) continue;
      section.added.push_back(AddLine(writes.Line(i)));
      modified = true;
    }
  }

  void AppendAddedLines(std::string& out, const std::vector<LineRef>& lines) const {
    for (const LineRef line : lines) out.append(Content(line)).append(kCrLf);
  }

  std::string Serialise() const {
    if (!modified) return bytes;
    // The changes to the parsed bytes, in file order: replaced line contents, and the new keys
    // of parsed sections after their last non-blank lines.
    struct Edit {
      std::size_t at;
      std::size_t length = 0;             // original bytes the edit replaces
      std::string_view text;              // a replaced line's content
      const Section* section = nullptr;   // or, when set, a section's new keys
    };
    std::vector<Edit> edits;
    std::size_t extra = 0;
    for (const auto& [offset, replacement] : replaced) {
      edits.push_back({offset, OriginalContent(offset).size(), added[replacement - bytes.size()]});
    }
    for (const auto& [header, section] : inUse) {
      if (IsAdded(header) || section.added.empty()) continue;
      edits.push_back({section.insertAt, 0, {}, &section});
    }
    std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.at < b.at; });
    for (std::size_t line = 0; line < added.size(); ++line) extra += added[line].size() + kCrLf.size();

    std::string out;
    out.reserve(bytes.size() + extra + 2 * kCrLf.size());
    std::size_t copied = 0;
    for (const Edit& edit : edits) {
      out.append(bytes, copied, edit.at - copied);
      copied = edit.at + edit.length;
      if (!edit.section) {
        out.append(edit.text);
      } else {
        if (edit.section->needsLineEnd) out.append(kCrLf);
        AppendAddedLines(out, edit.section->added);
      }
    }
    out.append(bytes, copied);
    // Whether the output ends in a line without a line end. Decided by the lines, never by the
    // last byte: a replaced line may end in a CR of its value, which is no line end of its own.
    bool open = !bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r';
    if (!edits.empty() && edits.back().section && edits.back().at == bytes.size()) open = false;
    for (const LineRef header : created) {
      if (open) out.append(kCrLf);
      open = false;
      out.append(Content(header)).append(kCrLf);
      AppendAddedLines(out, inUse.at(header).added);
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
  const std::string_view units = std::string_view(bytes).substr(Utf16LeMark.size());
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
  return Utf16FileResult(
      impl_->Lookup(RequestedName(FileTextFromArgument(section)), RequestedName(FileTextFromArgument(key))),
      defaultValue, bufferSize);
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

void IniDocument::Write(std::string_view section, const IniKeyWrites& writes) {
  const IniKeyWrites::Impl& batch = *writes.impl_;
  const std::string_view sectionName = RequestedName(section);
  // One write after the other where copying lines could differ from it: keys named twice, lines
  // that are no plain key lines, a section name that makes no header line, a UTF-16 file (its
  // writes convert their arguments).
  const bool oneByOne = !batch.independent || impl_->utf16 || HasLineBreak(sectionName);
  std::size_t next = 0;
  // A missing section is made by the first write, as one write after the other would make it.
  for (; next < batch.Size() && (oneByOne || !impl_->FindSection(sectionName)); ++next)
    Write(section, batch.Key(next), batch.Value(next));
  if (next < batch.Size()) impl_->WriteIndependent(sectionName, batch, next);
}

std::string IniDocument::Bytes() const {
  if (!impl_->utf16) return impl_->Serialise();
  std::string bytes(Utf16LeMark);
  bytes += Utf16LeFromWtf8(impl_->Serialise());
  bytes += impl_->oddByte;
  return bytes;
}

}  // namespace barloom
