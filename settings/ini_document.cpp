// The in-memory private-profile document: parse once, read and write many times, serialise once.
// The line syntax and what a read gives are in ini_syntax.h; the one-pass readers in
// ini_value_scan.cpp; gathered writes in ini_key_writes.h. The document's state is one class
// (Impl), kept in one file with the rules its writes follow, a little above the usual size.
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

#include "settings/ini_document.h"

#include <algorithm>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/utf16_file_text.h"
#include "settings/ini_key_writes.h"
#include "settings/ini_name_table.h"
#include "settings/ini_syntax.h"

namespace barloom {
using namespace ini;

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
    const std::string_view sectionSpelling = TrimLeft(CutAtNul(sectionArg), ProfileBlanks);
    const std::string_view keySpelling = TrimLeft(CutAtNul(keyArg), ProfileBlanks);
    const std::string_view keyName = TrimRight(keySpelling, ProfileBlanks);
    const std::string_view value = TrimLeft(CutAtNul(valueArg), ProfileBlanks);
    Section& section = Use(FindOrAddSection(sectionSpelling, reparse));
    if (const std::optional<LineRef> keyLine = FindKey(section, keyName))
      return ReplaceKeyLine(section, *keyLine, keyName, value, reparse);
    AddKeyLine(section, keySpelling, value, reparse);
    return true;
  }

  static std::string KeyLineText(std::string_view key, std::string_view value) {
    std::string text;
    text.reserve(key.size() + 1 + value.size());
    text.append(key).append("=").append(value);
    return text;
  }

  // The header of the first section named as `spelling` (trimmed) names it; a new one at the end
  // of the file when there is none.
  LineRef FindOrAddSection(std::string_view spelling, bool& reparse) {
    const std::string_view name = TrimRight(spelling, ProfileBlanks);
    if (const std::optional<LineRef> header = FindSection(name)) return *header;
    std::string headerText;
    headerText.reserve(spelling.size() + 2);
    headerText.append("[").append(spelling).append("]");
    const LineRef header = AddLine(headerText);
    sections.FindOrAdd(header, name, NameOf());
    created.push_back(header);
    reparse = HasLineBreak(Content(header));
    return header;
  }

  // The key's line as "name=value", the name as the line spells it; false when it already holds
  // that value.
  bool ReplaceKeyLine(Section& section, LineRef keyLine, std::string_view keyName, std::string_view value,
                      bool& reparse) {
    const LineSyntax syntax = ParseLine(Content(keyLine));
    if (syntax.hasValue && syntax.value == value) return false;
    const std::string text = KeyLineText(syntax.name, value);
    reparse = ChangesStructure(text);
    if (IsAdded(keyLine)) {
      added.Change(keyLine - bytes.size(), text);
    } else {
      // The new content keeps the line's name (else `reparse`), so the table files it as before.
      const LineRef replacement = AddLine(text);
      replaced.emplace_back(keyLine, replacement);
      section.keys.Replace(keyLine, replacement, keyName, NameOf());
    }
    modified = true;
    return true;
  }

  void AddKeyLine(Section& section, std::string_view keySpelling, std::string_view value, bool& reparse) {
    const LineRef keyLine = AddLine(KeyLineText(keySpelling, value));
    section.added.push_back(keyLine);
    // Filed at the next lookup (FileAddedKeys), unless only a fresh parse can tell what it says.
    if (ChangesStructure(Content(keyLine))) reparse = true;
    modified = true;
  }

  // Independent writes (see IniKeyWrites::Impl) from `first` on, into an existing section: the
  // keys the section has get their lines replaced as any write replaces them; the others are
  // added in order. No two name the same key, so this is what the writes one after the other
  // give.
  void WriteIndependent(std::string_view sectionName, const IniKeyWrites::Impl& writes, std::size_t first) {
    Section& section = Use(*FindSection(sectionName));
    const std::vector<bool> replaces = WritesToKeysItHas(section, writes);
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

  // For each of `writes`, whether the section already has its key: found by looking up the
  // section's keys among the writes, not every write among the keys.
  std::vector<bool> WritesToKeysItHas(Section& section, const IniKeyWrites::Impl& writes) {
    FileAddedKeys(section);
    std::vector<bool> replaces(writes.Size());
    section.keys.ForEach([&](LineRef line) {
      if (const auto write = writes.names.Find(ParseLine(Content(line)).name, writes.NameOf())) replaces[*write] = true;
    });
    return replaces;
  }

  // A change to the parsed bytes: a replaced line's content, or the new keys of a parsed section
  // after its last non-blank line.
  struct Edit {
    std::size_t at;
    std::size_t length = 0;            // original bytes the edit replaces
    std::string_view text;             // a replaced line's content
    const Section* section = nullptr;  // or, when set, a section's new keys
  };

  std::vector<Edit> EditsInFileOrder() const {
    std::vector<Edit> edits;
    for (const auto& [offset, replacement] : replaced) {
      edits.push_back({offset, OriginalContent(offset).size(), added[replacement - bytes.size()]});
    }
    for (const auto& [header, section] : inUse) {
      if (IsAdded(header) || section.added.empty()) continue;
      edits.push_back({section.insertAt, 0, {}, &section});
    }
    std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.at < b.at; });
    return edits;
  }

  std::size_t AddedBytes() const {
    std::size_t extra = 0;
    for (std::size_t line = 0; line < added.size(); ++line) extra += added[line].size() + kCrLf.size();
    return extra;
  }

  void AppendAddedLines(std::string& out, const std::vector<LineRef>& lines) const {
    for (const LineRef line : lines) out.append(Content(line)).append(kCrLf);
  }

  // The parsed bytes with the edits applied.
  void AppendEdited(std::string& out, const std::vector<Edit>& edits) const {
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
  }

  // Whether the edited bytes end in a line without a line end. Decided by the lines, never by the
  // last byte: a replaced line may end in a CR of its value, which is no line end of its own.
  bool EndsInOpenLine(const std::vector<Edit>& edits) const {
    if (!edits.empty() && edits.back().section && edits.back().at == bytes.size()) return false;
    return !bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r';
  }

  void AppendCreatedSections(std::string& out, bool open) const {
    for (const LineRef header : created) {
      if (open) out.append(kCrLf);
      open = false;
      out.append(Content(header)).append(kCrLf);
      AppendAddedLines(out, inUse.at(header).added);
    }
  }

  std::string Serialise() const {
    if (!modified) return bytes;
    const std::vector<Edit> edits = EditsInFileOrder();
    std::string out;
    out.reserve(bytes.size() + AddedBytes() + 2 * kCrLf.size());
    AppendEdited(out, edits);
    AppendCreatedSections(out, EndsInOpenLine(edits));
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
  if (reparse) Reparse();
  return changed;
}

// A fresh parse of the document's bytes, so that later reads and writes see what a fresh load of
// the bytes sees.
void IniDocument::Reparse() {
  auto fresh = std::make_unique<Impl>(impl_->Serialise());
  fresh->utf16 = impl_->utf16;
  fresh->oddByte = std::move(impl_->oddByte);
  impl_ = std::move(fresh);
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
