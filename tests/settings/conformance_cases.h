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
  std::string Name;                 // test name: letters, digits and '_'
  std::optional<std::string> File;  // initial file bytes; nullopt: the file does not exist
  bool MissingFolder = false;       // the file's folder does not exist either
  bool Locked = false;              // another handle holds the file, sharing nothing, during the call
  Action ActionKind = Action::Read;
  std::string Section;
  std::string Key;
  std::string Text;  // the default of a read, the value of a write
  std::size_t BufferSize = 4096;  // reads only

  // What kernel32 gives under Wine: the value read, or the file's bytes after the write
  // (nullopt: no file). A write's result is `WriteSucceeds`. `WineRecorded` is false only where
  // Wine's result is too long to record (a mangled binary file) and is checked by read-back.
  std::optional<std::string> Expected;
  bool WriteSucceeds = true;
  bool WineRecorded = true;

  // Set where Wine is known to do otherwise than Windows and our engine follows Windows: the
  // reason, and what Windows gives instead of `Expected`. Such a case compares what must still
  // agree: a read, both results against their own expectation; a write, its result, the
  // sections and keys of both files and every value read back through both implementations.
  std::string WineDiffers;
  std::optional<std::string> WindowsExpected;
};

// The whole table, built once.
const std::vector<ConformanceCase>& ConformanceCases();

}  // namespace barloom::conformance
