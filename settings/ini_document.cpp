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
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/code_page.h"
#include "platform/file_writing.h"
#include "settings/ini_key_writes.h"
#include "settings/ini_name_table.h"
#include "settings/ini_removal.h"
#include "settings/ini_syntax.h"

namespace barloom {
using namespace ini;

// The document keeps no line of its own. A line is named by a LineRef: the offset of its first
// byte in `Bytes`, or, from Bytes.size() on, Bytes.size() + its index in `Added` (the lines that
// writes added, and the new contents of the lines they replaced). Sections and keys are found
// through name tables of LineRefs, so blank lines cost nothing and other lines a few bytes each,
// once their section is in use.
struct IniDocument::Impl {
  using LineRef = std::size_t;

  bool IsAdded(LineRef line) const { return line >= Bytes.size(); }

  // The keys of a section in use, and where its new keys go.
  struct Section {
    IniNameTable Keys;           // key lines; the first line of a name
    std::vector<LineRef> Added;  // new key lines, in order of creation
    // How many of `Added` are filed in `Keys`: the others are filed at the next lookup, so that
    // lines added by the thousand and never looked up cost no hashing.
    std::size_t Filed = 0;
    // Added entries that hold a run of key lines, one after the other with line ends between them
    // (a batch's new keys, shared with the batch); each is split into its lines before the first
    // is filed.
    std::vector<LineRef> Runs;
    std::size_t InsertAt = 0;    // parsed sections: offset after the line end of the last non-blank line
    bool NeedsLineEnd = false;   // that line is the file's last and has no line end
  };

  // The lines that writes added, one after the other in one buffer: no allocation per line. A
  // line given new content gets it at the end; its old text stays unused in the buffer. A run of
  // a batch's lines is not copied: it stays in the batch's text, which the document then shares.
  class AddedLines {
   public:
    std::size_t size() const { return spans_.size(); }
    std::string_view operator[](std::size_t line) const {
      const Span& span = spans_[line];
      const std::string& text = span.Source == 0 ? text_ : *borrowed_[span.Source - 1];
      return std::string_view(text).substr(span.Offset, span.Length);
    }
    void Add(std::string_view line) {
      spans_.push_back({text_.size(), line.size(), 0});
      text_.append(line);
    }
    // `length` bytes from `offset` of a text this document shares.
    void Borrow(const std::shared_ptr<const std::string>& text, std::size_t offset, std::size_t length) {
      if (borrowed_.empty() || borrowed_.back() != text) borrowed_.push_back(text);
      spans_.push_back({offset, length, static_cast<std::uint32_t>(borrowed_.size())});
    }
    // A line that is `length` bytes from `at` of the text of line `line`.
    void AddPart(std::size_t line, std::size_t at, std::size_t length) {
      Span part = spans_[line];
      part.Offset += at;
      part.Length = length;
      spans_.push_back(part);
    }
    void Change(std::size_t line, std::string_view content) {
      spans_[line] = {text_.size(), content.size(), 0};
      text_.append(content);
    }
    void Reserve(std::size_t lines, std::size_t byteCount) {
      spans_.reserve(spans_.size() + lines);
      text_.reserve(text_.size() + byteCount);
    }

   private:
    struct Span {
      std::size_t Offset;
      std::size_t Length;
      std::uint32_t Source;  // 0: text_; else borrowed_[Source - 1]
    };
    std::string text_;
    std::vector<std::shared_ptr<const std::string>> borrowed_;
    std::vector<Span> spans_;
  };

  std::string Bytes;
  IniNameTable Sections;  // header lines: the first section of each name, then created ones
  std::unordered_map<LineRef, Section> InUse;  // by header line, once read or written
  AddedLines Added;
  std::vector<LineRef> Created;  // headers of the sections added by writes, in order of creation
  // Parsed lines that writes replaced: the offset, and the added line that holds the new content
  // (the name tables then name the added line).
  std::vector<std::pair<std::size_t, LineRef>> Replaced;
  bool Modified = false;
  bool Utf16 = false;   // `Bytes` is the text of a UTF-16 LE file (see Wtf8FromUtf16Le)
  std::string OddByte;  // a UTF-16 file's last byte when its size is odd: kept as it is

  explicit Impl(std::string fileBytes) : Bytes(std::move(fileBytes)) { Parse(); }

  // How the name tables read the name of a header or key line back.
  auto NameOf() const {
    return [this](LineRef line) { return ParseLine(Content(line)).Name; };
  }

  void Parse() {
    LineSplitter splitter(Bytes);
    RawLine raw;
    while (splitter.Next(raw)) {
      const std::string_view content = std::string_view(Bytes).substr(raw.Start, raw.Length);
      if (!StartsWithBracket(content)) continue;
      const LineSyntax syntax = ParseLine(content);
      if (syntax.Kind == LineKind::Header) Sections.FindOrAdd(raw.Start, syntax.Name, NameOf());
    }
  }

  std::string_view Content(LineRef line) const {
    if (IsAdded(line)) return Added[line - Bytes.size()];
    return OriginalContent(line);
  }

  std::string_view OriginalContent(std::size_t offset) const {
    std::size_t end = offset;
    while (end < Bytes.size() && !IsLineBreak(Bytes[end])) ++end;
    return std::string_view(Bytes).substr(offset, end - offset);
  }

  LineRef AddLine(std::string_view text) {
    Added.Add(text);
    return Bytes.size() + Added.size() - 1;
  }

  // The section's keys, indexed when the section is first used: one pass over its lines.
  Section& Use(LineRef header) {
    const auto [found, isNew] = InUse.try_emplace(header);
    Section& section = found->second;
    if (!isNew || IsAdded(header)) return section;
    const std::size_t headerEnd = header + OriginalContent(header).size();
    section.InsertAt = headerEnd + LineEndLength(Bytes, headerEnd);
    section.NeedsLineEnd = section.InsertAt == headerEnd;
    LineSplitter splitter(Bytes, section.InsertAt);
    RawLine raw;
    while (splitter.Next(raw)) {
      const std::string_view content = std::string_view(Bytes).substr(raw.Start, raw.Length);
      const LineSyntax syntax = ParseLine(content);
      if (syntax.Kind == LineKind::Header) break;
      if (syntax.Kind == LineKind::Blank) continue;
      section.Keys.FindOrAdd(raw.Start, syntax.Name, NameOf());
      section.InsertAt = raw.Start + raw.Length + raw.End;
      section.NeedsLineEnd = raw.End == 0;
    }
    return section;
  }

  std::optional<LineRef> FindSection(std::string_view name) const {
    return Sections.Find(name, NameOf());
  }

  std::optional<LineRef> FindKey(Section& section, std::string_view name) {
    FileAddedKeys(section);
    return section.Keys.Find(name, NameOf());
  }

  // Files the section's added lines that are not filed yet, each under the name it is read by
  // ("a=b" written as a key name is read as "a"): only plain key lines wait here.
  void FileAddedKeys(Section& section) {
    SplitRuns(section);
    for (; section.Filed < section.Added.size(); ++section.Filed) {
      const LineRef line = section.Added[section.Filed];
      section.Keys.FindOrAdd(line, ParseLine(Content(line)).Name, NameOf());
    }
  }

  // Each run among the section's added lines becomes its lines, in place.
  void SplitRuns(Section& section) {
    if (section.Runs.empty()) return;
    std::vector<LineRef> lines;
    lines.reserve(section.Added.size());
    std::sort(section.Runs.begin(), section.Runs.end());
    for (const LineRef line : section.Added) {
      if (!std::binary_search(section.Runs.begin(), section.Runs.end(), line)) {
        lines.push_back(line);
        continue;
      }
      const std::string_view run = Content(line);
      for (std::size_t at = 0;;) {
        const std::size_t end = std::min(run.find(CrLf, at), run.size());
        Added.AddPart(line - Bytes.size(), at, end - at);
        lines.push_back(Bytes.size() + Added.size() - 1);
        if (end == run.size()) break;
        at = end + CrLf.size();
      }
    }
    section.Added = std::move(lines);
    section.Runs.clear();
  }

  // The stored value of the key, or nullopt when the section or key is missing or the key's line
  // has no '='.
  std::optional<std::string_view> Lookup(std::string_view sectionName, std::string_view keyName) {
    const std::optional<LineRef> header = FindSection(sectionName);
    if (!header) return std::nullopt;
    const std::optional<LineRef> line = FindKey(Use(*header), keyName);
    if (!line) return std::nullopt;
    const LineSyntax syntax = ParseLine(Content(*line));
    if (!syntax.HasValue) return std::nullopt;
    return syntax.Value;
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
    Sections.FindOrAdd(header, name, NameOf());
    Created.push_back(header);
    reparse = HasLineBreak(Content(header));
    return header;
  }

  // The key's line as "name=value", the name as the line spells it; false when it already holds
  // that value.
  bool ReplaceKeyLine(Section& section, LineRef keyLine, std::string_view keyName, std::string_view value,
                      bool& reparse) {
    const LineSyntax syntax = ParseLine(Content(keyLine));
    if (syntax.HasValue && syntax.Value == value) return false;
    const std::string text = KeyLineText(syntax.Name, value);
    reparse = ChangesStructure(text);
    if (IsAdded(keyLine)) {
      Added.Change(keyLine - Bytes.size(), text);
    } else {
      // The new content keeps the line's name (else `reparse`), so the table files it as before.
      const LineRef replacement = AddLine(text);
      Replaced.emplace_back(keyLine, replacement);
      section.Keys.Replace(keyLine, replacement, keyName, NameOf());
    }
    Modified = true;
    return true;
  }

  void AddKeyLine(Section& section, std::string_view keySpelling, std::string_view value, bool& reparse) {
    const LineRef keyLine = AddLine(KeyLineText(keySpelling, value));
    section.Added.push_back(keyLine);
    // Filed at the next lookup (FileAddedKeys), unless only a fresh parse can tell what it says.
    if (ChangesStructure(Content(keyLine))) reparse = true;
    Modified = true;
  }

  // Independent writes (see IniKeyWrites::Impl) from `first` on, into an existing section: the
  // keys the section has get their lines replaced as any write replaces them; the others are
  // added in order. No two name the same key, so this is what the writes one after the other
  // give.
  void WriteIndependent(std::string_view sectionName, const IniKeyWrites::Impl& writes, std::size_t first) {
    Section& section = Use(*FindSection(sectionName));
    const std::vector<std::size_t> replacing = WritesToKeysItHas(section, writes, first);
    for (const std::size_t i : replacing) {
      bool reparse = false;  // a key line read back under its name: never
      Write(sectionName, writes.Key(i), writes.Value(i), reparse);
    }
    // The stretches of new keys between those, each one run of the batch's text, which holds their
    // lines one after the other with line ends between them: no copy, and no cost per key.
    const auto bytesOf = [&](std::size_t from, std::size_t to) {  // writes [from, to), to > from
      return std::pair{writes.Entries[from].Offset, writes.Entries[to - 1].Offset + writes.Entries[to - 1].Length};
    };
    std::vector<std::pair<std::size_t, std::size_t>> stretches;  // [from, to) of writes
    std::size_t next = first;
    for (const std::size_t i : replacing) {
      if (i > next) stretches.emplace_back(next, i);
      next = i + 1;
    }
    if (next < writes.Size()) stretches.emplace_back(next, writes.Size());
    Added.Reserve(stretches.size(), 0);
    for (const auto& [from, to] : stretches) {
      const auto [begin, end] = bytesOf(from, to);
      Added.Borrow(writes.Shared, begin, end - begin);
      section.Added.push_back(Bytes.size() + Added.size() - 1);
      if (to - from > 1) section.Runs.push_back(section.Added.back());
      Modified = true;
    }
  }

  // The writes from `first` on to keys the section already has, in order: found by looking up the
  // section's keys among the writes, not every write among the keys.
  std::vector<std::size_t> WritesToKeysItHas(Section& section, const IniKeyWrites::Impl& writes, std::size_t first) {
    FileAddedKeys(section);
    std::vector<std::size_t> replacing;
    section.Keys.ForEach([&](LineRef line) {
      const auto write = writes.Find(ParseLine(Content(line)).Name);
      if (write && *write >= first) replacing.push_back(*write);
    });
    std::sort(replacing.begin(), replacing.end());
    return replacing;
  }

  // A change to the parsed bytes: a replaced line's content, or the new keys of a parsed section
  // after its last non-blank line.
  struct Edit {
    std::size_t At;
    std::size_t Length = 0;            // original bytes the edit replaces
    std::string_view Text;             // a replaced line's content
    const Section* NewKeysOf = nullptr;  // or, when set, a section's new keys
  };

  std::vector<Edit> EditsInFileOrder() const {
    std::vector<Edit> edits;
    for (const auto& [offset, replacement] : Replaced) {
      edits.push_back({offset, OriginalContent(offset).size(), Added[replacement - Bytes.size()]});
    }
    for (const auto& [header, section] : InUse) {
      if (IsAdded(header) || section.Added.empty()) continue;
      edits.push_back({section.InsertAt, 0, {}, &section});
    }
    std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.At < b.At; });
    return edits;
  }

  std::size_t AddedBytes() const {
    std::size_t extra = 0;
    for (std::size_t line = 0; line < Added.size(); ++line) extra += Added[line].size() + CrLf.size();
    return extra;
  }

  // `Out` is a std::string, or FilePieces: the same bytes, appended the same way.
  template <typename Out>
  void AppendAddedLines(Out& out, const std::vector<LineRef>& lines) const {
    for (const LineRef line : lines) {
      out.append(Content(line));
      out.append(CrLf);
    }
  }

  // The parsed bytes with the edits applied.
  template <typename Out>
  void AppendEdited(Out& out, const std::vector<Edit>& edits) const {
    std::size_t copied = 0;
    for (const Edit& edit : edits) {
      out.append(std::string_view(Bytes).substr(copied, edit.At - copied));
      copied = edit.At + edit.Length;
      if (!edit.NewKeysOf) {
        out.append(edit.Text);
      } else {
        if (edit.NewKeysOf->NeedsLineEnd) out.append(CrLf);
        AppendAddedLines(out, edit.NewKeysOf->Added);
      }
    }
    out.append(std::string_view(Bytes).substr(copied));
  }

  // Whether the edited bytes end in a line without a line end. Decided by the lines, never by the
  // last byte: a replaced line may end in a CR of its value, which is no line end of its own.
  bool EndsInOpenLine(const std::vector<Edit>& edits) const {
    if (!edits.empty() && edits.back().NewKeysOf && edits.back().At == Bytes.size()) return false;
    return !Bytes.empty() && Bytes.back() != '\n' && Bytes.back() != '\r';
  }

  template <typename Out>
  void AppendCreatedSections(Out& out, bool open) const {
    for (const LineRef header : Created) {
      if (open) out.append(CrLf);
      open = false;
      out.append(Content(header));
      out.append(CrLf);
      AppendAddedLines(out, InUse.at(header).Added);
    }
  }

  template <typename Out>
  void AppendSerialised(Out& out) const {
    if (!Modified) {
      out.append(Bytes);
      return;
    }
    const std::vector<Edit> edits = EditsInFileOrder();
    AppendEdited(out, edits);
    AppendCreatedSections(out, EndsInOpenLine(edits));
  }

  std::string Serialise() const {
    if (!Modified) return Bytes;
    std::string out;
    out.reserve(Bytes.size() + AddedBytes() + 2 * CrLf.size());
    AppendSerialised(out);
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
  impl_->Utf16 = true;
  if (units.size() % 2 != 0) impl_->OddByte = std::string(1, units.back());
}

IniDocument::IniDocument(IniDocument&&) noexcept = default;
IniDocument& IniDocument::operator=(IniDocument&&) noexcept = default;
IniDocument::~IniDocument() = default;

std::string IniDocument::Read(std::string_view section, std::string_view key, std::string_view defaultValue,
                              std::size_t bufferSize) const {
  if (bufferSize == 0) return {};
  if (!impl_->Utf16) {
    return ProfileResult(impl_->Lookup(RequestedName(section), RequestedName(key)), defaultValue, bufferSize);
  }
  return Utf16FileResult(
      impl_->Lookup(RequestedName(FileTextFromArgument(section)), RequestedName(FileTextFromArgument(key))),
      defaultValue, bufferSize);
}

bool IniDocument::HasSection(std::string_view section) const {
  if (!impl_->Utf16) return impl_->FindSection(RequestedName(section)).has_value();
  return impl_->FindSection(RequestedName(FileTextFromArgument(section))).has_value();
}

bool IniDocument::Write(std::string_view section, std::string_view key, std::string_view value) {
  bool reparse = false;
  const bool changed =
      impl_->Utf16 ? impl_->Write(FileTextFromArgument(section), FileTextFromArgument(key), FileTextFromArgument(value), reparse)
                   : impl_->Write(section, key, value, reparse);
  if (reparse) Reparse();
  return changed;
}

// A fresh parse of the document's bytes, so that later reads and writes see what a fresh load of
// the bytes sees.
void IniDocument::Reparse() { Reset(impl_->Serialise()); }

void IniDocument::Reset(std::string text) {
  auto fresh = std::make_unique<Impl>(std::move(text));
  fresh->Utf16 = impl_->Utf16;
  fresh->OddByte = std::move(impl_->OddByte);
  impl_ = std::move(fresh);
}

bool IniDocument::ResetToEdit(std::optional<std::string> edited) {
  if (!edited) return false;
  Reset(std::move(*edited));
  return true;
}

bool IniDocument::Remove(std::string_view section, std::string_view key) {
  const std::string text = impl_->Serialise();
  std::optional<std::string> edited = impl_->Utf16
                                          ? WithoutKeyLine(text, FileTextFromArgument(section), FileTextFromArgument(key))
                                          : WithoutKeyLine(text, section, key);
  return ResetToEdit(std::move(edited));
}

bool IniDocument::RemoveAll(std::string_view section, std::span<const std::string> keys) {
  const std::string text = impl_->Serialise();
  std::optional<std::string> edited;
  if (impl_->Utf16) {
    std::vector<std::string> fileKeys;
    for (const std::string& key : keys) fileKeys.push_back(FileTextFromArgument(key));
    edited = WithoutKeyLines(text, FileTextFromArgument(section), fileKeys);
  } else {
    edited = WithoutKeyLines(text, section, keys);
  }
  return ResetToEdit(std::move(edited));
}

bool IniDocument::RemoveEmptySection(std::string_view section) {
  const std::string text = impl_->Serialise();
  std::optional<std::string> edited =
      WithoutEmptySection(text, impl_->Utf16 ? FileTextFromArgument(section) : std::string{section});
  return ResetToEdit(std::move(edited));
}

void IniDocument::Write(std::string_view section, const IniKeyWrites& writes) {
  const IniKeyWrites::Impl& batch = *writes.impl_;
  const std::string_view sectionName = RequestedName(section);
  // One write after the other where copying lines could differ from it: keys named twice, lines
  // that are no plain key lines, a section name that makes no header line, a UTF-16 file (its
  // writes convert their arguments).
  const bool oneByOne = !batch.Independent || impl_->Utf16 || HasLineBreak(sectionName);
  std::size_t next = 0;
  // A missing section is made by the first write, as one write after the other would make it.
  for (; next < batch.Size() && (oneByOne || !impl_->FindSection(sectionName)); ++next)
    Write(section, batch.Key(next), batch.Value(next));
  if (next < batch.Size()) impl_->WriteIndependent(sectionName, batch, next);
}

FilePieces IniDocument::Pieces() const {
  FilePieces pieces;
  if (!impl_->Utf16) {
    impl_->AppendSerialised(pieces);
  } else {
    pieces.AppendCopy(Bytes());  // converted: there is no text of the document's to refer to
  }
  return pieces;
}

std::string IniDocument::Bytes() const {
  if (!impl_->Utf16) return impl_->Serialise();
  std::string bytes(Utf16LeMark);
  bytes += Utf16LeFromWtf8(impl_->Serialise());
  bytes += impl_->OddByte;
  return bytes;
}

}  // namespace barloom
