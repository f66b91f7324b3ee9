#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The case table that our profile engine and kernel32's private-profile functions must both
// pass. Every case starts from the same file bytes and performs one read or one write.
namespace barloom::conformance {

enum class Action { Read, Write };

struct ConformanceCase {
  std::string name;                 // test name: letters, digits and '_'
  std::optional<std::string> file;  // initial file bytes; nullopt: the file does not exist
  bool missingFolder = false;       // the file's folder does not exist either
  bool locked = false;              // another handle holds the file, sharing nothing, during the call
  Action action = Action::Read;
  std::string section;
  std::string key;
  std::string text;  // the default of a read, the value of a write
  std::size_t bufferSize = 4096;  // reads only

  // What kernel32 gives under Wine: the value read, or the file's bytes after the write
  // (nullopt: no file). A write's result is `writeSucceeds`. `wineRecorded` is false only where
  // Wine's result is too long to record (a mangled binary file) and is checked by read-back.
  std::optional<std::string> expected;
  bool writeSucceeds = true;
  bool wineRecorded = true;

  // Set where Wine is known to do otherwise than Windows and our engine follows Windows: the
  // reason, and what Windows gives instead of `expected`. Such a case compares what must still
  // agree: a read, both results against their own expectation; a write, its result, the
  // sections and keys of both files and every value read back through both implementations.
  std::string wineDiffers;
  std::optional<std::string> windowsExpected;
};

// The whole table, built once.
const std::vector<ConformanceCase>& ConformanceCases();

}  // namespace barloom::conformance
