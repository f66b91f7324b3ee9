#pragma once
#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// A private-profile file held in memory: parse once, read and write many times at linear total
// cost, serialise once. Reads and writes have exactly the semantics of ReadIniValue and
// WriteIniValue (which are thin wrappers: load, one operation, save when changed).
namespace barloom {

class IniDocument {
 public:
  IniDocument();                            // an empty (0-byte or missing) file
  explicit IniDocument(std::string bytes);  // parses the bytes of a file
  IniDocument(IniDocument&&) noexcept;
  IniDocument& operator=(IniDocument&&) noexcept;
  ~IniDocument();

  // As ReadIniValue, on this document.
  std::string Read(std::string_view section, std::string_view key, std::string_view defaultValue,
                   std::size_t bufferSize) const;

  // As WriteIniValue, on this document; true when the document changed.
  bool Write(std::string_view section, std::string_view key, std::string_view value);

  // The document's bytes: the parsed bytes with the writes applied, every untouched line as it was.
  std::string Bytes() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// The whole file, or nullopt when it is missing or cannot be read (a profile read then gives
// its defaults).
std::optional<std::string> ReadFileBytes(const std::filesystem::path& file);

}  // namespace barloom
