#include "localisation/builtin_texts.h"

#include <gtest/gtest.h>

#include <set>

namespace barloom {
namespace {

TEST(BuiltInTexts, IdsAreUniqueAndEveryTextIsFound) {
  std::set<int> ids;
  for (const auto& entry : BuiltInTexts()) {
    EXPECT_TRUE(ids.insert(entry.Id).second) << entry.Id;
    EXPECT_EQ(FindBuiltInText(entry.Id), entry.Text);
  }
}

TEST(BuiltInTexts, UnknownIdsAreNotFound) {
  for (int id : {0, -1, 100, 102, 631, 3055, 32767}) EXPECT_FALSE(FindBuiltInText(id)) << id;
}

TEST(BuiltInTexts, CompletionMessageTextsAreExact) {
  EXPECT_EQ(FindBuiltInText(628), "3- Press >> button and choose 'Bar_01.bar' file, then press OK.");
  EXPECT_EQ(FindBuiltInText(3056), "File not found.");
}

}  // namespace
}  // namespace barloom
