// The engine's batch operations: IniDocument::Write(section, IniKeyWrites) and
// ReadIniValuesFromBytes (and FindWholeIniValuesInBytes for numbered keys) must give exactly what
// the single operations give, one after the other.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_writing.h"
#include "platform/not_found_marker.h"
#include "settings/ini_document.h"
#include "settings/numbered_keys.h"
#include "settings/profile.h"

namespace barloom {
namespace {

using namespace std::string_literals;

const std::vector<std::string> Starts = {
    "",
    "[S]\r\na=1\r\n\r\n[T]\r\nb\r\n",
    "junk\n[s]\rA=2\r\r\nn1\r\n[S]\nc=3",
    "[S]\r\n n2 = old \r\n;x\r\n\r\n[U]\r\n",
    "\0\x1A[S]\r\n[S\0]x\r\na"s,
    "\xFF\xFE[\0S\0]\0\n\0a\0=\0\x01\xD8"s,
    // Names near a numbered family's: a leading zero, a sign, a blank inside, another case.
    "[S]\r\nn01=z\r\nn+1=y\r\nn 1=w\r\nB1=\"v\"\r\nn2= ' q ' \r\nb2\r\nN2=dup\r\n"s};
const std::vector<std::string> Sections = {"S", "s", " T ", "U", "", "S\r\nq=1"};
// Keys that write one key line each, then ones that do not.
const std::vector<std::string> PlainKeys = {"a", " b ", "c", "", ";c", "n1", "n2", "n3", "A"};
const std::vector<std::string> OddKeys = {"[k]", "d=e", "k\nz", "n1\0x"s};
// A family whose names meet PlainKeys' (n1, n2) and the starts' (B1, b2): n1, b1, n2, b2, n3, b3.
constexpr std::string_view FamilyStems[] = {"n", "b"};
const NumberedKeys Family{FamilyStems, 1, 3};
const std::vector<std::string> Values = {"1", "", "  x y  ", "\"q\"", "old", "v\0w"s, "a\r\nb=c"};

class Random {
 public:
  std::size_t Below(std::size_t n) {
    seed_ = seed_ * 1103515245u + 12345u;
    return static_cast<std::size_t>((seed_ >> 8) % n);
  }

 private:
  std::uint32_t seed_ = 4711;
};

TEST(IniKeyWrites, AsTheWritesOneAfterTheOther) {
  Random random;
  for (const std::string& start : Starts) {
    // Two documents take every batch: it serves any number of them.
    IniDocument document{start};
    IniDocument twin{start};
    std::string bytes = start;
    for (int round = 0; round < 150; ++round) {
      const std::string& section = Sections[random.Below(Sections.size())];
      IniKeyWrites batch;
      std::vector<std::pair<std::string, std::string>> writes;
      const std::size_t count = random.Below(6);
      const bool plain = random.Below(3) != 0;  // then no key twice, and plain values
      for (std::size_t i = 0; i < count; ++i) {
        std::string key = plain ? PlainKeys[(round + i) % PlainKeys.size()]
                                : (random.Below(2) ? OddKeys : PlainKeys)[random.Below(4)];
        std::string value = Values[random.Below(plain ? Values.size() - 1 : Values.size())];
        if (random.Below(2)) {  // a key of the family instead, written as one of a run
          const std::size_t index = random.Below(Family.Size());
          key.clear();
          Family.AppendName(key, index);
          batch.AddNumbered(Family, index, value);
        } else {
          batch.Add(key, value);
        }
        writes.emplace_back(std::move(key), std::move(value));
      }
      ASSERT_EQ(batch.Size(), count);
      for (const auto& [key, value] : writes) {
        IniDocument fresh{bytes};
        if (fresh.Write(section, key, value)) bytes = fresh.Bytes();
      }
      document.Write(section, batch);
      twin.Write(section, batch);
      ASSERT_EQ(document.Bytes(), bytes) << "round " << round;
      std::string joined;  // the same bytes in pieces, as a bar is written
      const FilePieces pieces = document.Pieces();
      for (const std::string_view piece : pieces.Views()) joined += piece;
      ASSERT_EQ(joined, bytes) << "round " << round;
      ASSERT_EQ(twin.Bytes(), bytes) << "round " << round;
      // Lines a batch added are found by later reads and writes, those of a run among them.
      const std::string key = random.Below(3) ? PlainKeys[random.Below(PlainKeys.size())] : "B2";
      ASSERT_EQ(document.Read(section, key, "d", 4096), ReadIniValueFromBytes(bytes, section, key, "d", 4096));
      if (random.Below(2)) {
        IniDocument fresh{bytes};
        ASSERT_EQ(document.Write(section, key, "z"), fresh.Write(section, key, "z"));
        bytes = fresh.Bytes();
        twin = IniDocument{bytes};
      }
    }
  }
}

TEST(ReadIniValuesFromBytes, AsOneReadPerKey) {
  std::vector<std::string> keys = PlainKeys;
  keys.insert(keys.end(), OddKeys.begin(), OddKeys.end());
  keys.insert(keys.end(), {"a", " A", "missing", "x"});  // asked twice, and not there
  for (const std::string& start : Starts) {
    for (const std::string& section : Sections) {
      for (const std::size_t size : {std::size_t{0}, std::size_t{2}, std::size_t{4096}}) {
        std::vector<std::string> values;
        ReadIniValuesFromBytes(start, section, keys, " dflt ", size, [&](std::size_t key, std::string_view value) {
          ASSERT_EQ(key, values.size());
          values.emplace_back(value);
        });
        ASSERT_EQ(values.size(), keys.size());
        for (std::size_t i = 0; i < keys.size(); ++i)
          EXPECT_EQ(values[i], ReadIniValueFromBytes(start, section, keys[i], " dflt ", size))
              << ::testing::PrintToString(start) << " [" << section << "] " << keys[i] << " " << size;
      }
    }
  }
}

TEST(FindWholeIniValuesInBytes, AsTheReadOfTheKeysNamed) {
  std::vector<std::string> names;
  for (std::size_t i = 0; i < Family.Size(); ++i) Family.AppendName(names.emplace_back(), i);
  std::vector<std::string> starts = Starts;
  starts.push_back("[S]\r\nb1=\"" + std::string{NotFoundMarker} + "\"\r\nn3=\"\"\"\r\n");
  starts.push_back("\xFF\xFE[\0S\0]\0\r\0\n\0B\0\x33\0=\0\"\0\xE9\0 \0\"\0"s);
  for (const std::string& start : starts) {
    for (const std::string& section : Sections) {
      std::vector<std::optional<std::string>> expected;
      FindIniValuesInBytes(start, section, names, std::numeric_limits<std::size_t>::max(),
                           [&](std::size_t, std::optional<std::string_view> value) { expected.emplace_back(value); });
      std::vector<std::optional<std::string>> found;
      FindWholeIniValuesInBytes(start, section, Family, [&](std::size_t key, std::optional<std::string_view> value) {
        ASSERT_EQ(key, found.size());
        found.emplace_back(value);
      });
      EXPECT_EQ(found, expected) << ::testing::PrintToString(start) << " [" << section << "]";
    }
  }
}

}  // namespace
}  // namespace barloom
