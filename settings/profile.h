#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "settings/ini_document.h"

// cProfile: the program's access to INI files, one value per call. Every call goes to the file;
// nothing is cached (a Snapshot is one call's read of the whole file, which the caller keeps for
// values that belong together). Texts are UTF-8; they are converted to and from the system's ANSI code page
// at the file. A value that the ANSI code page cannot hold is written as the UTF-8 byte-order
// mark followed by UTF-8 (which Total Commander reads as UTF-8), and a value read that starts
// with the mark is read as UTF-8; nothing is ever stored as "?".
//
// Section and key names are the program's own ASCII names. One that the ANSI code page cannot
// hold cannot name anything in the file: a read then gives the default as passed, and a write
// does nothing. Nor is anything written when a name or the value holds a line break or a NUL:
// the file cannot hold them, and written raw they would start lines of their own.
namespace barloom {

// What WriteStringValue stores of a value: the value trimmed of spaces at both ends; nullopt for
// the NotFoundMarker (also with spaces around it), which is never stored.
std::optional<std::string_view> StorableText(std::string_view lpValue);

// A key of `document` read as a read that must tell a missing key does it, with NotFoundMarker as
// its default: nullopt for a missing key (and for a value that is the marker itself).
std::optional<std::string> FindIniValue(const IniDocument& document, std::string_view section, std::string_view key,
                                        std::size_t bufferSize);
// The same for each of `keys` in one pass over the file `bytes` (ReadIniValuesFromBytes): `visit`
// gets each key's index and its value, nullopt where it is missing.
void FindIniValuesInBytes(std::string_view bytes, std::string_view section, const std::vector<std::string>& keys,
                          std::size_t bufferSize,
                          const std::function<void(std::size_t, std::optional<std::string_view>)>& visit);

struct NumberedKeys;
// The same for the keys of a numbered family, each value whole (as a buffer larger than the file
// reads it): one pass that takes each line's name apart instead of looking it up.
void FindWholeIniValuesInBytes(std::string_view bytes, std::string_view section, const NumberedKeys& keys,
                               const std::function<void(std::size_t, std::optional<std::string_view>)>& visit);

class ProfileSnapshot;

class cProfile {
 public:
  // The file as it is now, read once for several values that belong together (the settings at
  // the program's start): its reads answer as this object's would have at this moment.
  ProfileSnapshot Snapshot(std::string_view lpFileName) const;

  // The number that the stored text begins with (0 for an empty value or none); the default
  // is used when the key is missing.
  double ReadIntegerValue(std::string_view lpSectionName, std::string_view lpKeyName, std::string_view lpDefaultValue,
                          std::string_view lpFileName, std::int32_t lpMaxBufferSize = 4096) const;

  // The stored text, or the default when the key is missing; an empty stored value gives "".
  // The text is cut to lpMaxBufferSize - 1 bytes of the file; a size below 1 gives "".
  std::string ReadStringValue(std::string_view lpSectionName, std::string_view lpKeyName, std::string_view lpDefaultValue,
                              std::string_view lpFileName, std::int32_t lpMaxBufferSize = 4096) const;

  // Stores the shortest decimal text of the number ("1", "-5", "2.5"); an infinite value or NaN
  // has none, and nothing is written.
  void WriteIntegerValue(std::string_view lpSectionName, std::string_view lpKeyName, double lpValue,
                         std::string_view lpFileName) const;

  // Stores the value trimmed of spaces; the NotFoundMarker is never stored (the file stays as it
  // was); with blnAddQuotation the trimmed value is stored inside double quotation marks (a
  // UTF-8 value with its mark inside them, where the reader finds it after removing the quotes).
  void WriteStringValue(std::string_view lpSectionName, std::string_view lpKeyName, std::string_view lpValue,
                        std::string_view lpFileName, bool blnAddQuotation = false) const;
};

// One file's values as cProfile::Snapshot read them: the reads of cProfile, on that one load.
class ProfileSnapshot {
 public:
  double ReadIntegerValue(std::string_view lpSectionName, std::string_view lpKeyName, std::string_view lpDefaultValue,
                          std::int32_t lpMaxBufferSize = 4096) const;
  std::string ReadStringValue(std::string_view lpSectionName, std::string_view lpKeyName, std::string_view lpDefaultValue,
                              std::int32_t lpMaxBufferSize = 4096) const;

 private:
  friend class cProfile;
  explicit ProfileSnapshot(IniDocument file) : file_(std::move(file)) {}

  IniDocument file_;
};

}  // namespace barloom
