#include "platform/registry.h"

#include <gtest/gtest.h>

#include <string>


namespace barloom {
namespace {

using namespace std::string_literals;

std::string Repeat(std::string_view piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

TEST(RegistryPath, RootNameAnyCaseBeforeTheFirstBackslash) {
  struct Case {
    std::string_view Path;
    std::uint32_t Root;
    std::string_view SubKey;
  };
  const Case cases[] = {
      {"HKEY_CLASSES_ROOT\\.bar", 0x80000000, ".bar"},
      {"HKEY_CURRENT_USER\\Software\\Ghisler", 0x80000001, "Software\\Ghisler"},
      {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", 0x80000002,
       "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"},
      {"HKEY_USERS\\.DEFAULT", 0x80000003, ".DEFAULT"},
      {"HKEY_CURRENT_CONFIG\\System", 0x80000005, "System"},
      {"HKEY_DYN_DATA\\Config Manager", 0x80000006, "Config Manager"},
      {"hkey_local_machine\\Software\\Mixed Case", 0x80000002, "Software\\Mixed Case"},  // sub key as written
      {"Hkey_Current_User", 0x80000001, ""},  // the root itself
      {"HKEY_CURRENT_USER\\", 0x80000001, ""},
      {"HKEY_CURRENT_USER\\\\Software", 0x80000001, "\\Software"},
      {"HKLM\\SOFTWARE", 0, "SOFTWARE"},
      {"HKCU", 0, ""},
      {"HKEY_PERFORMANCE_DATA\\Global", 0, "Global"},
      {"HKEY_LOCAL_MACHINE \\SOFTWARE", 0, "SOFTWARE"},
      {"\\SOFTWARE", 0, "SOFTWARE"},
      {"", 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Path);
    const RegistryKeyPath split = SplitRegistryPath(c.Path);
    EXPECT_EQ(split.Root, c.Root);
    EXPECT_EQ(split.SubKey, c.SubKey);
  }
}

TEST(RegistryValueText, EachTypeAndTheSizeLimit) {
  constexpr std::uint32_t Sz = 1, ExpandSz = 2, MultiSz = 7, Qword = 11, None = 0;
  struct Case {
    const char* Name;
    RegistryValue Value;
    std::optional<std::string> Text;
  };
  const std::string limitText = std::string(RegistryReadLimit - 1, 'x') + '\0';
  const Case cases[] = {
      {"dword 0", {RegistryDwordType, "\0\0\0\0"s, 4}, "000"},
      {"dword 7", {RegistryDwordType, "\x07\0\0\0"s, 4}, "007"},
      {"dword 42", {RegistryDwordType, "\x2A\0\0\0"s, 4}, "042"},
      {"dword 1234", {RegistryDwordType, "\xD2\x04\0\0"s, 4}, "1234"},
      {"dword 0xFFFFFFFF", {RegistryDwordType, "\xFF\xFF\xFF\xFF"s, 4}, "4294967295"},
      {"dword 0x80000000", {RegistryDwordType, "\0\0\0\x80"s, 4}, "2147483648"},
      {"dword of two bytes", {RegistryDwordType, "\x01\x01"s, 2}, "257"},
      {"binary", {RegistryBinaryType, "\x00\xAB\x0F"s, 3}, "00AB0F"},
      {"binary 01 02", {RegistryBinaryType, "\x01\x02"s, 2}, "0102"},
      {"empty binary", {RegistryBinaryType, "", 0}, ""},
      {"text", {Sz, "Zo\xC3\xAB Owner\0"s, 10}, "Zo\xC3\xAB Owner"},
      {"empty text", {Sz, "\0"s, 1}, ""},
      {"text without data", {Sz, "", 0}, ""},
      {"text stored unterminated", {Sz, "abc", 3}, "abc"},
      {"expandable text", {ExpandSz, "%SystemRoot%\\x\0"s, 15}, "%SystemRoot%\\x"},
      {"multiple strings", {MultiSz, "one\0two\0\0"s, 9}, "one\0two\0"s},
      {"other type", {Qword, "ABC\0\0\0\0\0"s, 8}, "ABC\0\0\0\0"s},
      {"no type", {None, "", 0}, ""},
      {"binary of 2048 bytes", {RegistryBinaryType, std::string(2048, '\x5A'), 2048}, Repeat("5A", 2048)},
      {"binary of 2049 bytes", {RegistryBinaryType, std::string(2049, '\x5A'), 2049}, std::nullopt},
      {"text of 2048 bytes", {Sz, limitText, 2048}, std::string(RegistryReadLimit - 1, 'x')},
      {"text of 2049 bytes", {Sz, "x" + limitText, 2049}, std::nullopt},
      {"text of 2049 code-page bytes", {Sz, limitText, 2049}, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(RegistryValueText(c.Value), c.Text);
  }
}

}  // namespace
}  // namespace barloom
