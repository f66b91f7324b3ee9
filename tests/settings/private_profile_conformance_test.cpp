// Runs every case of the conformance table twice, in fresh files: once through our engine and
// once through kernel32's GetPrivateProfileStringA / WritePrivateProfileStringA, and demands the
// same results. This test calls kernel32 directly, so it is built for Windows only.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "settings/private_profile.h"
#include "tests/settings/conformance_cases.h"
#include "tests/support/temp_folder.h"

namespace barloom::conformance {

// gtest prints a failing parameter with this instead of a dump of the struct's bytes.
void PrintTo(const ConformanceCase& c, std::ostream* out) { *out << c.Name; }

namespace {

namespace fs = std::filesystem;
using test_support::ReadFileAt;
using test_support::WriteFileAt;

std::string EscapeByte(unsigned char b) {
  switch (b) {
    case '\r': return "\\r";
    case '\n': return "\\n";
    case '\t': return "\\t";
    case '\0': return "\\0";
    case '"': return "\\\"";
    case '\\': return "\\\\";
    default: break;
  }
  if (b < 0x20 || b >= 0x7F) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\x%02X", b);
    return hex;
  }
  return std::string(1, static_cast<char>(b));
}

// Bytes as a readable literal; long runs of one byte are shown with their length.
std::string Show(const std::optional<std::string>& bytes) {
  if (!bytes) return "(no file)";
  const std::string& s = *bytes;
  std::string out = "\"";
  for (std::size_t i = 0; i < s.size();) {
    std::size_t run = 1;
    while (i + run < s.size() && s[i + run] == s[i]) ++run;
    if (run >= 8) {
      out += "\" + '" + EscapeByte(static_cast<unsigned char>(s[i])) + "' x " + std::to_string(run) + " + \"";
      i += run;
    } else {
      out += EscapeByte(static_cast<unsigned char>(s[i]));
      ++i;
    }
  }
  return out + "\" (" + std::to_string(s.size()) + " bytes)";
}

// kernel32 is called with the ANSI form of a full path; the test's folders are plain ASCII.
std::string AnsiPath(const fs::path& path) {
  const std::wstring wide = fs::absolute(path).wstring();
  std::string ansi;
  for (wchar_t c : wide) {
    if (c >= 0x80) ADD_FAILURE() << "the temporary folder's path is not ASCII";
    ansi.push_back(static_cast<char>(c));
  }
  return ansi;
}

void WriteFileBytes(const fs::path& path, const std::string& bytes) {
  ASSERT_TRUE(WriteFileAt(path, bytes)) << "cannot create " << path.string();
}

struct ReadOutcome {
  std::size_t Count = 0;
  std::string Bytes;
};

// kernel32's read into a buffer of exactly the case's size, framed by guard bytes that must
// survive: nothing may be written past the buffer, and a size of 0 leaves it untouched.
ReadOutcome Kernel32Read(const ConformanceCase& c, const fs::path& file) {
  constexpr std::size_t Guard = 64;
  constexpr char Fill = '\xA5';
  std::vector<char> memory(c.BufferSize + 2 * Guard, Fill);
  char* buffer = memory.data() + Guard;
  const DWORD count = GetPrivateProfileStringA(c.Section.c_str(), c.Key.c_str(), c.Text.c_str(), buffer,
                                               static_cast<DWORD>(c.BufferSize), AnsiPath(file).c_str());
  const bool guardsIntact =
      std::all_of(memory.begin(), memory.begin() + Guard, [](char b) { return b == Fill; }) &&
      std::all_of(memory.begin() + static_cast<std::ptrdiff_t>(Guard + c.BufferSize), memory.end(),
                  [](char b) { return b == Fill; });
  EXPECT_TRUE(guardsIntact) << "kernel32 wrote outside the buffer";
  if (c.BufferSize == 0) {
    EXPECT_EQ(count, 0u);
    return {count, ""};
  }
  EXPECT_LT(count, c.BufferSize) << "kernel32's count leaves no room for the NUL";
  const std::size_t placed = std::min<std::size_t>(count, c.BufferSize - 1);
  EXPECT_EQ(buffer[placed], '\0') << "kernel32's result is not NUL-terminated";
  return {count, std::string(buffer, placed)};
}

ReadOutcome EngineRead(const ConformanceCase& c, const fs::path& file) {
  std::string value = ReadIniValue(c.Section, c.Key, c.Text, c.BufferSize, file);
  EXPECT_LE(value.size(), c.BufferSize == 0 ? 0 : c.BufferSize - 1) << "the engine's result does not fit the buffer";
  return {value.size(), std::move(value)};
}

bool Kernel32Write(const ConformanceCase& c, const fs::path& file) {
  const std::string path = AnsiPath(file);
  const BOOL written = WritePrivateProfileStringA(c.Section.c_str(), c.Key.c_str(), c.Text.c_str(), path.c_str());
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());  // flushes Wine's cache to the file
  return written != FALSE;
}

// Names in a list of NUL-terminated names, as the NULL variants of GetPrivateProfileStringA give.
std::vector<std::string> SplitList(const std::vector<char>& buffer, DWORD count) {
  std::vector<std::string> names;
  std::string current;
  for (DWORD i = 0; i < count; ++i) {
    if (buffer[i] == '\0') {
      names.push_back(current);
      current.clear();
    } else {
      current.push_back(buffer[i]);
    }
  }
  if (!current.empty()) names.push_back(current);
  return names;
}

constexpr std::size_t ListSize = 1 << 20;

// Every (section, key) pair kernel32 lists in the file.
std::set<std::pair<std::string, std::string>> Kernel32Keys(const fs::path& file) {
  std::set<std::pair<std::string, std::string>> keys;
  if (!fs::exists(file)) return keys;
  const std::string path = AnsiPath(file);
  std::vector<char> buffer(ListSize);
  const DWORD sectionCount = GetPrivateProfileSectionNamesA(buffer.data(), static_cast<DWORD>(ListSize), path.c_str());
  for (const std::string& section : SplitList(buffer, sectionCount)) {
    std::vector<char> keyBuffer(ListSize);
    const DWORD keyCount = GetPrivateProfileStringA(section.c_str(), nullptr, "", keyBuffer.data(),
                                                    static_cast<DWORD>(ListSize), path.c_str());
    for (const std::string& key : SplitList(keyBuffer, keyCount)) keys.emplace(section, key);
  }
  return keys;
}

std::string Kernel32Value(const std::string& section, const std::string& key, const fs::path& file) {
  std::vector<char> buffer(ListSize);
  const DWORD count = GetPrivateProfileStringA(section.c_str(), key.c_str(), "(missing)", buffer.data(),
                                               static_cast<DWORD>(ListSize), AnsiPath(file).c_str());
  return std::string(buffer.data(), count);
}

// Holds a file open without sharing reading, writing or deleting until the operation has run.
class FileLock {
 public:
  explicit FileLock(const fs::path& file) {
    if (file.empty()) return;
    handle_ = CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(handle_, INVALID_HANDLE_VALUE) << "cannot lock " << file.string();
  }
  ~FileLock() { Release(); }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  void Release() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

class Conformance : public testing::TestWithParam<ConformanceCase> {
 protected:
  static void SetUpTestSuite() {
    folder_ = fs::temp_directory_path() / ("barloom-conformance-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }

  static void TearDownTestSuite() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  // A file of the case's initial bytes under a name used for nothing else, so that no cached
  // parse of another file can answer for it.
  static fs::path PrepareFile(const ConformanceCase& c, const char* implementation) {
    fs::path dir = folder_ / c.Name;
    fs::create_directories(dir);
    if (c.MissingFolder) dir /= "missing";
    const fs::path file = dir / (std::string(implementation) + ".ini");
    if (c.File) WriteFileBytes(file, *c.File);
    return file;
  }

  static fs::path folder_;
};

fs::path Conformance::folder_;

// `unlock` ends a case's file locks once both implementations have run.
void CheckRead(const ConformanceCase& c, const fs::path& engineFile, const fs::path& kernel32File,
               const std::function<void()>& unlock) {
  const ReadOutcome engine = EngineRead(c, engineFile);
  const ReadOutcome kernel32 = Kernel32Read(c, kernel32File);
  unlock();

  if (c.WineDiffers.empty()) {
    EXPECT_EQ(engine.Count, kernel32.Count) << "engine " << Show(engine.Bytes) << ", kernel32 " << Show(kernel32.Bytes);
    EXPECT_TRUE(engine.Bytes == kernel32.Bytes)
        << "engine " << Show(engine.Bytes) << "\n  kernel32 " << Show(kernel32.Bytes);
    EXPECT_TRUE(kernel32.Bytes == *c.Expected)
        << "kernel32 differs from the recorded behaviour: " << Show(kernel32.Bytes) << ", recorded "
        << Show(c.Expected);
  } else {
    EXPECT_TRUE(engine.Bytes == *c.WindowsExpected)
        << "engine " << Show(engine.Bytes) << ", Windows gives " << Show(c.WindowsExpected);
    EXPECT_TRUE(kernel32.Bytes == *c.Expected || kernel32.Bytes == *c.WindowsExpected)
        << "kernel32 gives neither Wine's recorded " << Show(c.Expected) << " nor Windows' "
        << Show(c.WindowsExpected) << ": " << Show(kernel32.Bytes);
  }
  // Reads never touch the file.
  EXPECT_TRUE(ReadFileAt(engineFile) == c.File) << "the engine's read changed the file";
  EXPECT_TRUE(ReadFileAt(kernel32File) == c.File) << "kernel32's read changed the file";
}

// Where Wine rewrites the whole file, the two files still hold the same values: every key either
// file lists reads the same through the engine (in its file) and through kernel32 (in its file).
void CheckValuesAgree(const fs::path& engineFile, const fs::path& kernel32File) {
  std::set<std::pair<std::string, std::string>> keys = Kernel32Keys(engineFile);
  keys.merge(Kernel32Keys(kernel32File));
  EXPECT_FALSE(keys.empty()) << "neither file lists a key";
  for (const auto& [section, key] : keys) {
    const std::string engine = ReadIniValue(section, key, "(missing)", ListSize, engineFile);
    const std::string kernel32 = Kernel32Value(section, key, kernel32File);
    EXPECT_TRUE(engine == kernel32) << "[" << Show(section) << "] " << Show(key) << ": engine " << Show(engine)
                                    << ", kernel32 " << Show(kernel32);
  }
}

void CheckWrite(const ConformanceCase& c, const fs::path& engineFile, const fs::path& kernel32File,
                const std::function<void()>& unlock) {
  const bool engineWrote = WriteIniValue(c.Section, c.Key, c.Text, engineFile);
  const bool kernel32Wrote = Kernel32Write(c, kernel32File);
  unlock();
  const std::optional<std::string> engine = ReadFileAt(engineFile);
  const std::optional<std::string> kernel32 = ReadFileAt(kernel32File);

  EXPECT_EQ(engineWrote, kernel32Wrote);
  EXPECT_EQ(kernel32Wrote, c.WriteSucceeds) << "kernel32's result differs from the recorded one";
  if (c.WineDiffers.empty()) {
    EXPECT_TRUE(engine == kernel32) << "engine   " << Show(engine) << "\n  kernel32 " << Show(kernel32);
    EXPECT_TRUE(kernel32 == c.Expected)
        << "kernel32 differs from the recorded behaviour: " << Show(kernel32) << ", recorded " << Show(c.Expected);
  } else {
    EXPECT_TRUE(engine == c.WindowsExpected)
        << "engine " << Show(engine) << "\n  Windows gives " << Show(c.WindowsExpected);
    if (c.WineRecorded) {
      EXPECT_TRUE(kernel32 == c.Expected || kernel32 == c.WindowsExpected)
          << "kernel32 gives neither Wine's recorded " << Show(c.Expected) << " nor Windows' "
          << Show(c.WindowsExpected) << ": " << Show(kernel32);
    }
    CheckValuesAgree(engineFile, kernel32File);
  }
}

TEST_P(Conformance, EngineMatchesKernel32) {
  const ConformanceCase& c = GetParam();
  SCOPED_TRACE(c.WineDiffers.empty() ? "compared byte for byte" : "listed, Wine differs: " + c.WineDiffers);
  const fs::path engineFile = PrepareFile(c, "engine");
  const fs::path kernel32File = PrepareFile(c, "kernel32");
  FileLock engineLock(c.Locked ? engineFile : fs::path());
  FileLock kernel32Lock(c.Locked ? kernel32File : fs::path());
  const auto unlock = [&] {
    engineLock.Release();
    kernel32Lock.Release();
  };
  if (c.ActionKind == Action::Read) {
    CheckRead(c, engineFile, kernel32File, unlock);
  } else {
    CheckWrite(c, engineFile, kernel32File, unlock);
  }
  // Files are replaced through temporary files: none may be left behind, even by a failed write,
  // and a missing folder is not created.
  for (const fs::directory_entry& entry : fs::directory_iterator(folder_ / c.Name)) {
    const std::string name = entry.path().filename().string();
    EXPECT_TRUE(name == "engine.ini" || name == "kernel32.ini") << "stray file after the case: " << name;
  }
}

INSTANTIATE_TEST_SUITE_P(Table, Conformance, testing::ValuesIn(ConformanceCases()),
                         [](const testing::TestParamInfo<ConformanceCase>& info) { return info.param.Name; });

// The high-byte cases are recorded for code page 1252, the one the program's files use.
TEST(ConformanceEnvironment, AnsiCodePageIs1252) { EXPECT_EQ(GetACP(), 1252u); }

}  // namespace
}  // namespace barloom::conformance
