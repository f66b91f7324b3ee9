#include "settings/private_profile.h"

#include <string>
#include <utility>

#include "platform/atomic_file.h"
#include "platform/file_bytes.h"
#include "settings/ini_document.h"

namespace barloom {

std::string ReadIniValue(std::string_view section, std::string_view key, std::string_view defaultValue,
                         std::size_t bufferSize, const std::filesystem::path& file) {
  std::string bytes;
  // A file that cannot be read reads like a missing one: the default comes back.
  if (ReadFileBytes(file, bytes) != FileReadResult::Read) bytes.clear();
  return ReadIniValueFromBytes(bytes, section, key, defaultValue, bufferSize);
}

bool WriteIniValue(std::string_view section, std::string_view key, std::string_view value,
                   const std::filesystem::path& file) {
  std::string bytes;
  // Replacing a file we could not read would lose its contents.
  if (ReadFileBytes(file, bytes) == FileReadResult::Unreadable) return false;
  IniDocument document(std::move(bytes));
  if (!document.Write(section, key, value)) return true;  // already holds the value: untouched
  // In place: a hard link to the file (a package manager keeps settings that way) stays linked.
  return RewriteFileInPlace(file, document.Bytes());
}

}  // namespace barloom
