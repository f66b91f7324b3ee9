#include "platform/path_text.h"

#include <gtest/gtest.h>

#include <string>

namespace barloom {
namespace {

std::string Native(std::string path) {
  for (char& c : path)
    if (c == '\\') c = PathSeparator;
  return path;
}

TEST(PathText, AddBackslashAppendsTheSeparatorOnce) {
  EXPECT_EQ(AddBackslash(Native("D:\\Bars")), Native("D:\\Bars\\"));
  EXPECT_EQ(AddBackslash(Native("D:\\Bars\\")), Native("D:\\Bars\\"));
  EXPECT_EQ(AddBackslash(Native("C:\\")), Native("C:\\"));
  EXPECT_EQ(AddBackslash(""), Native("\\"));
}

TEST(PathText, GetFileNameTakesThePartAfterTheLastSeparator) {
  EXPECT_EQ(GetFileName(Native("C:\\x\\Languages\\Deutsch.lng")), "Deutsch.lng");
  EXPECT_EQ(GetFileName("abc"), "abc");
  EXPECT_EQ(GetFileName(Native("C:\\x\\")), "");
  EXPECT_EQ(GetFileName(""), "");
}

}  // namespace
}  // namespace barloom
