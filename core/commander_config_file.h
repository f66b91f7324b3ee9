#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "settings/ini_document.h"

// A file of Total Commander's configuration (wincmd.ini, or a file a section is redirected to),
// held in memory to read a few values and change one or two of them. Total Commander reads these
// files as the platform's profile functions do; people keep them in the encodings their editors
// give them. An edit keeps everything the file is: its encoding and byte-order mark, the line
// ends of its lines, and every line it does not change, byte for byte.
namespace barloom {

enum class ConfigEncoding {
  Ansi,          // the system's code page (or plain ASCII)
  Utf8,          // UTF-8 without a byte-order mark, as an editor re-encoded the file
  Utf8WithMark,  // UTF-8 after the byte-order mark EF BB BF
  Utf16,         // UTF-16 LE after the mark FF FE
};

class CommanderConfigFile {
 public:
  // The file's bytes; "" for a file that is not there yet.
  explicit CommanderConfigFile(std::string bytes);

  ConfigEncoding Encoding() const { return encoding_; }

  // The value of `key` in `section` as text (UTF-8), as Total Commander reads it (blanks around
  // it and one pair of quotes dropped); nullopt when the section or the key is missing. A value
  // that starts with the UTF-8 mark is read as UTF-8.
  std::optional<std::string> Read(std::string_view section, std::string_view key) const;
  bool HasSection(std::string_view section) const { return document_.HasSection(section); }

  // Sets `key` in `section` to `text` (UTF-8), in the form this file holds it: code-page bytes in
  // an ANSI file, UTF-16 in a UTF-16 file, and, where the file's own form cannot hold the text, as
  // Total Commander writes Unicode values: the UTF-8 mark and UTF-8 (NeedsMark). True when the
  // file changed.
  bool Write(std::string_view section, std::string_view key, std::string_view text);
  // Whether Write stores `text` behind the UTF-8 mark: in an ANSI file when the code page cannot
  // hold it; in a UTF-8 file whenever it is not ASCII, so that the file stays UTF-8 for its editor
  // and Total Commander, which reads such files as 8-bit, reads the value right; never in UTF-16.
  bool NeedsMark(std::string_view text) const;

  // The value as this file stores it (code-page bytes, or the mark and UTF-8), for putting it back
  // into a file of the same encoding unchanged: Stored of one, WriteStored into the other.
  std::optional<std::string> Stored(std::string_view section, std::string_view key) const;
  bool WriteStored(std::string_view section, std::string_view key, std::string_view stored);

  // Takes the key's line out; true when it was there.
  bool Remove(std::string_view section, std::string_view key) { return document_.Remove(section, key); }
  // Takes out the header of a section left without lines; true when it did.
  bool RemoveEmptySection(std::string_view section) { return document_.RemoveEmptySection(section); }

  // The file's bytes with the changes: the mark it had, its encoding, and new lines ending as its
  // lines end (LF in a file of LF lines, CR in one of CR lines, CR LF otherwise).
  std::string Bytes() const;

 private:
  std::string original_;  // the bytes as they came, for an unchanged file and its line ends
  ConfigEncoding encoding_;
  IniDocument document_;  // of the text after a UTF-8 mark; a UTF-16 document handles its own
};

}  // namespace barloom
