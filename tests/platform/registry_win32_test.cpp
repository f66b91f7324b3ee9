// cRegistry against the real registry: values of each type written under a key of the test's own
// below HKEY_CURRENT_USER, read back, and the key deleted afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/code_page.h"

namespace barloom {
namespace {

using namespace std::string_literals;

const std::wstring TestKey = L"Software\\Barloom Registry Test " + std::to_wstring(GetCurrentProcessId());
const std::string TestPath = "HKEY_CURRENT_USER\\" + Utf8FromWide(TestKey);
// A value directly under the root, for the path that names the root alone.
const std::wstring RootValue = L"Barloom Registry Test " + std::to_wstring(GetCurrentProcessId());

std::vector<BYTE> Bytes(std::string_view bytes) { return {bytes.begin(), bytes.end()}; }
// UTF-16 text with the terminators given in `text` ("a\0b\0\0" for two strings).
std::vector<BYTE> Utf16(std::wstring_view text) {
  const auto* first = reinterpret_cast<const BYTE*>(text.data());
  return {first, first + text.size() * sizeof(wchar_t)};
}
std::vector<BYTE> Dword(DWORD number) { return Bytes({reinterpret_cast<const char*>(&number), sizeof number}); }

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, TestKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                              nullptr),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    RegCloseKey(key_);
    RegDeleteTreeW(HKEY_CURRENT_USER, TestKey.c_str());
    RegDeleteValueW(HKEY_CURRENT_USER, RootValue.c_str());
  }

  void Set(HKEY key, const std::wstring& name, DWORD type, const std::vector<BYTE>& data) {
    ASSERT_EQ(RegSetValueExW(key, name.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size())),
              ERROR_SUCCESS);
  }

  HKEY key_ = nullptr;
};

TEST_F(RegistryTest, ReadsEachTypeAsTextWithinTheLimit) {
  struct Case {
    const wchar_t* Name;
    DWORD Type;
    std::vector<BYTE> Data;
    std::optional<std::string> Text;
  };
  const std::optional<std::string> missing;
  const std::wstring limitText(2047, L'x');  // 2048 bytes with the terminator
  const std::wstring accented(2047, L'\u00E9');  // 2048 bytes in code page 1252, 4096 in UTF-16
  const Case cases[] = {
      {L"", REG_SZ, Utf16(L"default\0"s), "default"},
      {L"Owner", REG_SZ, Utf16(L"Zo\u00EB \u0418\u0432\u0430\u043D\0"s), "Zo\u00EB \u0418\u0432\u0430\u043D"},
      {L"Empty", REG_SZ, Utf16(L"\0"s), ""},
      {L"Unterminated", REG_SZ, Utf16(L"abc"), "abc"},
      {L"Expandable", REG_EXPAND_SZ, Utf16(L"%SystemRoot%\\x\0"s), "%SystemRoot%\\x"},
      {L"Strings", REG_MULTI_SZ, Utf16(L"one\0two\0\0"s), "one\0two\0"s},
      {L"Largest", REG_DWORD, Dword(0xFFFFFFFF), "4294967295"},
      {L"Binary", REG_BINARY, Bytes("\x00\xAB\x0F"s), "00AB0F"},
      {L"NoBytes", REG_BINARY, {}, ""},
      {L"Quad", REG_QWORD, Bytes("ABC\0\0\0\0\0"s), "ABC\0\0\0\0"s},
      {L"AtTheLimit", REG_SZ, Utf16(limitText + L'\0'), Utf8FromWide(limitText)},
      {L"OverTheLimit", REG_SZ, Utf16(limitText + L"x" + L'\0'), missing},
      {L"BinaryAtTheLimit", REG_BINARY, std::vector<BYTE>(2048, 0xA5), [] {
         std::string hex;
         for (int i = 0; i < 2048; ++i) hex += "A5";
         return hex;
       }()},
      {L"BinaryOverTheLimit", REG_BINARY, std::vector<BYTE>(2049, 0xA5), missing},
  };
  for (const Case& c : cases) Set(key_, c.Name, c.Type, c.Data);

  const cRegistry registry;
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8FromWide(c.Name));
    EXPECT_EQ(registry.ReadValue(TestPath, Utf8FromWide(c.Name)), c.Text);
  }
  // The limit counts the bytes of the 8-bit form (one per character here), not those of UTF-16.
  ASSERT_EQ(GetACP(), 1252u);
  Set(key_, L"Accented", REG_SZ, Utf16(accented + L'\0'));
  EXPECT_EQ(registry.ReadValue(TestPath, "Accented"), Utf8FromWide(accented));
  Set(key_, L"Accented", REG_SZ, Utf16(accented + L"\u00E9" + L'\0'));
  EXPECT_EQ(registry.ReadValue(TestPath, "Accented"), missing);
}

TEST_F(RegistryTest, PathsAndNamesThatFindNothing) {
  Set(key_, L"Owner", REG_SZ, Utf16(L"Ada\0"s));
  Set(HKEY_CURRENT_USER, RootValue, REG_SZ, Utf16(L"at the root\0"s));
  const std::string subKey = Utf8FromWide(TestKey);
  struct Case {
    std::string Path;
    std::string Name;
    std::optional<std::string> Text;
  };
  const std::optional<std::string> missing;
  const Case cases[] = {
      {TestPath, "Owner", "Ada"},
      {"hkey_current_user\\" + subKey, "Owner", "Ada"},
      {"HKEY_CURRENT_USER", Utf8FromWide(RootValue), "at the root"},
      {TestPath, "Not There", missing},
      {TestPath + "\\Not There", "Owner", missing},
      {"HKCU\\" + subKey, "Owner", missing},
      {"HKEY_PERFORMANCE_DATA\\" + subKey, "Owner", missing},
      {"", "Owner", missing},
  };
  const cRegistry registry;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Path + " | " + c.Name);
    EXPECT_EQ(registry.ReadValue(c.Path, c.Name), c.Text);
  }
  // Every Windows (and Wine) installation records its system root here.
  EXPECT_NE(registry.ReadValue("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "SystemRoot"),
            missing);
}

}  // namespace
}  // namespace barloom
