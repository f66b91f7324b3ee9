#include "settings/private_profile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>

#include "tests/support/pipe_watchdog.h"
#endif

#include "tests/support/temp_folder.h"

namespace barloom {
namespace {

namespace fs = std::filesystem;
using test_support::FileNames;
using test_support::ReadFileAt;
using test_support::SetWritable;
using test_support::WriteFileAt;
using namespace std::literals;

class PrivateProfileTest : public ::testing::Test {
 protected:
  fs::path File(const char* name) const { return folder_ / name; }

  // The bytes of `file`; "<missing>" when there is none.
  static std::string Get(const fs::path& file) { return ReadFileAt(file).value_or("<missing>"); }

  test_support::TempFolder temp_{"profile"};
  const fs::path folder_ = temp_.Path();
};

TEST_F(PrivateProfileTest, MissingFileOrFolderReadsTheDefault) {
  EXPECT_EQ(ReadIniValue("S", "k", "def  ", 4096, File("none.ini")), "def");
  EXPECT_EQ(ReadIniValue("S", "k", "def", 4096, folder_ / "no-folder" / "x.ini"), "def");
  EXPECT_EQ(ReadIniValue("S", "k", "def", 4096, folder_), "def");  // a folder reads like a missing file
}

TEST_F(PrivateProfileTest, WriteCreatesTheFile) {
  const fs::path file = File("new.ini");
  EXPECT_TRUE(WriteIniValue("  Barloom", "LastPath ", "  C:\\bars\\  ", file));
  EXPECT_EQ(Get(file), "[Barloom]\r\nLastPath =C:\\bars\\  \r\n");
  EXPECT_EQ(ReadIniValue("barloom", "lastpath", "", 4096, file), "C:\\bars\\");
}

TEST_F(PrivateProfileTest, ZeroByteFileIsFilled) {
  const fs::path file = File("empty.ini");
  WriteFileAt(file, "");
  EXPECT_TRUE(WriteIniValue("App", "key", "", file));
  EXPECT_EQ(Get(file), "[App]\r\nkey=\r\n");
}

TEST_F(PrivateProfileTest, WriteKeepsEveryOtherByte) {
  const fs::path file = File("keep.ini");
  const std::string before = "junk\0\x01\n[S] tail\n  a = 1 \n;c\n\n[T]\rb=2"s;
  WriteFileAt(file, before);
  EXPECT_TRUE(WriteIniValue("s", "A", "2", file));
  EXPECT_TRUE(WriteIniValue("S", "n", "3", file));
  EXPECT_EQ(Get(file), "junk\0\x01\n[S] tail\na=2\n;c\nn=3\r\n\n[T]\rb=2"s);
}

TEST_F(PrivateProfileTest, WriteThatChangesNothingDoesNotTouchTheFile) {
  const fs::path file = File("same.ini");
  WriteFileAt(file, "[S]\nk = v \n");
  // A read-only file cannot be replaced, so a write that succeeds on it did not rewrite it.
  SetWritable(file, false);
  EXPECT_TRUE(WriteIniValue("S", "k", "v", file));
  EXPECT_FALSE(WriteIniValue("S", "k", "w", file));
  EXPECT_EQ(Get(file), "[S]\nk = v \n");
}

TEST_F(PrivateProfileTest, FailedWritesLeaveEverythingAsItWas) {
  EXPECT_FALSE(WriteIniValue("S", "k", "v", folder_ / "no-folder" / "x.ini"));
  EXPECT_FALSE(fs::exists(folder_ / "no-folder"));

  const fs::path sub = File("sub.ini");
  fs::create_directory(sub);
  EXPECT_FALSE(WriteIniValue("S", "k", "v", sub));
  EXPECT_TRUE(fs::is_directory(sub));

  const fs::path readOnly = File("ro.ini");
  WriteFileAt(readOnly, "[S]\r\nk=1\r\n");
  SetWritable(readOnly, false);
  EXPECT_FALSE(WriteIniValue("S", "k", "2", readOnly));
  EXPECT_EQ(Get(readOnly), "[S]\r\nk=1\r\n");
  EXPECT_EQ(FileNames(folder_).size(), 2u) << "no temporary file left behind";
}

TEST_F(PrivateProfileTest, EveryByteRoundTripsThroughTheFile) {
  const fs::path file = File("bytes.ini");
  std::string value = "<";
  for (int b = 1; b < 256; ++b) {
    if (b != '\r' && b != '\n') value += static_cast<char>(b);
  }
  value += ">";
  EXPECT_TRUE(WriteIniValue("S", "k", value, file));
  EXPECT_EQ(ReadIniValue("S", "k", "", 4096, file), value);
  EXPECT_TRUE(WriteIniValue("S", "k2", "x", file));
  EXPECT_EQ(ReadIniValue("S", "k", "", 4096, file), value);
}

TEST_F(PrivateProfileTest, EveryCallGoesToTheFile) {
  const fs::path file = File("fresh.ini");
  EXPECT_TRUE(WriteIniValue("S", "k", "1", file));
  EXPECT_EQ(ReadIniValue("S", "k", "", 4096, file), "1");
  WriteFileAt(file, "[S]\r\nk=outside\r\n");
  EXPECT_EQ(ReadIniValue("S", "k", "", 4096, file), "outside");
  EXPECT_TRUE(WriteIniValue("S", "k", "2", file));
  EXPECT_EQ(Get(file), "[S]\r\nk=2\r\n");
}

TEST_F(PrivateProfileTest, LongValueIsCutToTheBuffer) {
  const fs::path file = File("long.ini");
  const std::string value(5000, 'x');
  EXPECT_TRUE(WriteIniValue("S", "k", value, file));
  EXPECT_EQ(ReadIniValue("S", "k", "", 4096, file), std::string(4095, 'x'));
  EXPECT_EQ(ReadIniValue("S", "k", "", 0, file), "");
}

#ifndef _WIN32
// A named pipe is no file: reading it would wait for a writer that may never come. It reads like
// a file that cannot be read (the default), and a write leaves it alone.
TEST_F(PrivateProfileTest, ANamedPipeReadsAsUnreadableWithoutWaiting) {
  const fs::path pipe = File("pipe.ini");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  test_support::PipeWatchdog watchdog(pipe);
  const std::string value = ReadIniValue("S", "k", "def", 4096, pipe);
  const bool written = WriteIniValue("S", "k", "v", pipe);
  EXPECT_FALSE(watchdog.Finish()) << "a read waited for a writer";
  EXPECT_EQ(value, "def");
  EXPECT_FALSE(written);
  EXPECT_TRUE(fs::is_fifo(pipe));
}
#endif

#ifdef _WIN32
// A file that another program holds without sharing: reads give the default, writes fail and
// leave it alone, as with the platform's own functions.
TEST_F(PrivateProfileTest, FileHeldWithoutSharing) {
  const fs::path file = File("held.ini");
  WriteFileAt(file, "[S]\r\nk=1\r\n");
  HANDLE held = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(ReadIniValue("S", "k", "def", 4096, file), "def");
  EXPECT_FALSE(WriteIniValue("S", "k", "2", file));
  CloseHandle(held);
  EXPECT_EQ(Get(file), "[S]\r\nk=1\r\n");
  EXPECT_TRUE(WriteIniValue("S", "k", "2", file));
  EXPECT_EQ(Get(file), "[S]\r\nk=2\r\n");
}
#endif

}  // namespace
}  // namespace barloom
