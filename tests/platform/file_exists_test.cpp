#include "platform/file_bytes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/not_found_marker.h"

#include "platform/path_text.h"
#include "tests/support/temp_folder.h"

namespace barloom {
namespace {

namespace fs = std::filesystem;

class FileExistsTest : public ::testing::Test {
 protected:
  std::string Make(const std::string& utf8Name, const std::string& content) const {
    const fs::path path = folder_ / PathFromUtf8(utf8Name);
    test_support::WriteFileAt(path, content);
    return Utf8FromPath(path);
  }
  test_support::TempFolder temp_{"file-exists"};
  const fs::path folder_ = temp_.Path();
};

TEST_F(FileExistsTest, FilesExistWhateverTheirSizeAndName) {
  EXPECT_TRUE(FileExists(Make("barloom.ini", "[Barloom]\r\n")));
  EXPECT_TRUE(FileExists(Make("empty.lng", "")));
  EXPECT_TRUE(FileExists(Make("\u0424\u0430\u0439\u043B \u65E5\u672C.lng", "x")));
}

TEST_F(FileExistsTest, EverythingElseDoesNot) {
  const std::string missing = Utf8FromPath(folder_ / "missing.ini");
  const std::string inMissingFolder = Utf8FromPath(folder_ / "no" / "such.ini");
  const std::string cases[] = {
      "", std::string(NotFoundMarker), missing, inMissingFolder, Utf8FromPath(folder_),
      Utf8FromPath(folder_) + "/",  // a folder, also written with a separator
  };
  for (const std::string& path : cases) EXPECT_FALSE(FileExists(path)) << path;
}

}  // namespace
}  // namespace barloom
