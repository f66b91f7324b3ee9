// The engine's batch operations: IniDocument::Write(section, IniKeyWrites) and
// ReadIniValuesFromBytes must give exactly what the single operations give, one after the other.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "settings/ini_document.h"

namespace barloom {
namespace {

using namespace std::string_literals;

const std::vector<std::string> Starts = {
    "",
    "[S]\r\na=1\r\n\r\n[T]\r\nb\r\n",
    "junk\n[s]\rA=2\r\r\nn1\r\n[S]\nc=3",
    "[S]\r\n n2 = old \r\n;x\r\n\r\n[U]\r\n",
    "\0\x1A[S]\r\n[S\0]x\r\na"s,
    "\xFF\xFE[\0S\0]\0\n\0a\0=\0\x01\xD8"s};
const std::vector<std::string> Sections = {"S", "s", " T ", "U", "", "S\r\nq=1"};
// Keys that write one key line each, then ones that do not.
const std::vector<std::string> PlainKeys = {"a", " b ", "c", "", ";c", "n1", "n2", "n3", "A"};
const std::vector<std::string> OddKeys = {"[k]", "d=e", "k\nz", "n1\0x"s};
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
        batch.Add(key, value);
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
      ASSERT_EQ(twin.Bytes(), bytes) << "round " << round;
      // Lines a batch added are found by later reads and writes.
      const std::string& key = PlainKeys[random.Below(PlainKeys.size())];
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

}  // namespace
}  // namespace barloom
