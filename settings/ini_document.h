#pragma once
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A private-profile file held in memory: parse once, read and write many times at linear total
// cost, serialise once. Reads and writes have exactly the semantics of ReadIniValue and
// WriteIniValue (which are thin wrappers: load, one operation, save when changed).
namespace barloom {

struct NumberedKeys;
class FilePieces;

// Writes to keys of one section, gathered once and applied to any number of documents by
// IniDocument::Write(section, writes). Each Add takes its arguments as Write takes them.
class IniKeyWrites {
 public:
  IniKeyWrites();
  IniKeyWrites(IniKeyWrites&&) noexcept;
  IniKeyWrites& operator=(IniKeyWrites&&) noexcept;
  ~IniKeyWrites();

  void Add(std::string_view key, std::string_view value);
  // Add for key `key` of `family` (whose stems outlive these writes), with no table of names: a
  // batch of many button keys costs no hashing. Every such write of the batch names the same
  // family; a write to another family is an Add.
  void AddNumbered(const NumberedKeys& family, std::size_t key, std::string_view value);
  std::size_t Size() const;
  // Room for `writes` more writes of `bytes` bytes in all, so that a large batch is not copied as
  // it grows.
  void Reserve(std::size_t writes, std::size_t bytes);

 private:
  friend class IniDocument;
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

class IniDocument {
 public:
  IniDocument();                            // an empty (0-byte or missing) file
  explicit IniDocument(std::string bytes);  // parses the bytes of a file
  IniDocument(IniDocument&&) noexcept;
  IniDocument& operator=(IniDocument&&) noexcept;
  ~IniDocument();

  // As ReadIniValue, on this document. Not safe to call from two threads at once: the first read
  // of a section indexes its keys.
  std::string Read(std::string_view section, std::string_view key, std::string_view defaultValue,
                   std::size_t bufferSize) const;

  // Whether the document has a section named `section` (a "[name]" header, as reads find them).
  bool HasSection(std::string_view section) const;

  // As WriteIniValue, on this document; true when the document changed.
  bool Write(std::string_view section, std::string_view key, std::string_view value);

  // As Write for each of `writes` in the order they were added, at the cost of copying their
  // lines and of one lookup per key the section already has. (When two of them name one key, or
  // one would not write a single key line, they are made one after the other.)
  void Write(std::string_view section, const IniKeyWrites& writes);

  // As WritePrivateProfileString with no value: the line of `key` in the first section named
  // `section` is taken out; true when there was one. (A one-off edit: one pass over the document.)
  bool Remove(std::string_view section, std::string_view key);
  // As Remove for each of `keys` until none is left, in one pass; true when a line went.
  bool RemoveAll(std::string_view section, std::span<const std::string> keys);
  // Takes out the header of the first section named `section` when that section holds no line but
  // blank ones; true when it did.
  bool RemoveEmptySection(std::string_view section);

  // The document's bytes: the parsed bytes with the writes applied, every untouched line as it was.
  std::string Bytes() const;
  // The same bytes in pieces, for writing without joining them first: the pieces refer to this
  // document's text (and the batches written into it) and are valid while the document lives,
  // unchanged.
  FilePieces Pieces() const;

 private:
  void Reparse();
  void Reset(std::string text);  // the document of `text`, in this document's encoding
  bool ResetToEdit(std::optional<std::string> edited);  // Reset to an edit of the text; false for none

  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// The one-shot read behind ReadIniValue: a single scan over `bytes` that stops at the key, with
// no index built. Gives exactly what IniDocument(bytes).Read(...) gives.
std::string ReadIniValueFromBytes(std::string_view bytes, std::string_view section, std::string_view key,
                                  std::string_view defaultValue, std::size_t bufferSize);

// ReadIniValueFromBytes for each of `keys`, in one pass over the bytes (a UTF-16 file converted
// once): visit(i, value) for each key i in the order of the keys.
void ReadIniValuesFromBytes(std::string_view bytes, std::string_view section, const std::vector<std::string>& keys,
                            std::string_view defaultValue, std::size_t bufferSize,
                            const std::function<void(std::size_t, std::string_view)>& visit);

}  // namespace barloom
