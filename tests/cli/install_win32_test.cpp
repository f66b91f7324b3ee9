// What only Windows has: the registry's word on which wincmd.ini Total Commander uses, and real
// top-level windows of Total Commander's class, from Total Commander and from another program.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "core/commander_running.h"
#include "platform/path_text.h"
#include "platform/unique_handle.h"
#include "platform/code_page.h"
#include "tests/cli/run_process.h"
#include "tests/support/temp_folder.h"

namespace barloom {
namespace {

using test_support::OutputLines;
using test_support::ProcessResult;
using test_support::ReadBytes;
using test_support::TempFolder;

constexpr wchar_t CommanderKey[] = L"Software\\Ghisler\\Total Commander";

ProcessResult Cli(std::vector<std::string> arguments, test_support::EnvironmentChanges environment = {}) {
  environment.emplace_back("COMMANDER_PATH", std::nullopt);
  environment.emplace_back("COMMANDER_INI", std::nullopt);
  return test_support::RunProcess(test_support::BarloomCliPath(), arguments, environment);
}

// IniFileName under `root` for the test's time, removed again afterwards.
class IniFileNameValue {
 public:
  IniFileNameValue(HKEY root, const std::wstring& value, DWORD type) : root_(root) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExW(root, CommanderKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr), ERROR_SUCCESS);
    const UniqueRegistryKey owned{key};
    EXPECT_EQ(RegSetValueExW(key, L"IniFileName", 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                             static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
  }
  ~IniFileNameValue() { RegDeleteKeyValueW(root_, CommanderKey, L"IniFileName"); }
  IniFileNameValue(const IniFileNameValue&) = delete;
  IniFileNameValue& operator=(const IniFileNameValue&) = delete;

 private:
  HKEY root_;
};

TEST(InstallOnWindows, TheRegistryNamesTheWincmdIni) {
  const TempFolder temp;
  const std::string userIni = temp.Write("user.ini", "[Layout]\r\nButtonBar=1\r\n");
  const std::string machineIni = temp.Write("machine.ini", "");
  {
    const IniFileNameValue machine{HKEY_LOCAL_MACHINE, WideFromUtf8(machineIni), REG_SZ};
    // Expanded by us, as Total Commander expands it: the value is stored unexpanded.
    const IniFileNameValue user{HKEY_CURRENT_USER, L"%BARLOOM_TEST_FOLDER%\\user.ini", REG_EXPAND_SZ};
    const ProcessResult where = Cli({"install", "--where"}, {{"BARLOOM_TEST_FOLDER", temp.Utf8()}});
    ASSERT_EQ(where.ExitCode, 0) << where.Errors;
    const std::vector<std::string> lines = OutputLines(where.Output);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "wincmd.ini: " + userIni);
    EXPECT_EQ(lines[1], "Named by the registry value IniFileName of the current user.");
  }
  const IniFileNameValue machine{HKEY_LOCAL_MACHINE, WideFromUtf8(machineIni), REG_SZ};
  const ProcessResult where = Cli({"install", "--where"});
  ASSERT_EQ(where.ExitCode, 0) << where.Errors;
  const std::vector<std::string> lines = OutputLines(where.Output);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], "wincmd.ini: " + machineIni);
  EXPECT_EQ(lines[1], "Named by the registry value IniFileName of the machine (all users).");
}

// A stand-in program with a TTOTAL_CMD window, ended with the test.
class StandIn {
 public:
  explicit StandIn(const char* program) {
    std::wstring commandLine = L"\"" + WideFromUtf8(program) + L"\"";
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION info{};
    EXPECT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &info))
        << program;
    process_.reset(info.hProcess);
    CloseHandle(info.hThread);
    // Its window is there once the process's class has a window of its own.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!HasWindow(info.dwProcessId) && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(HasWindow(info.dwProcessId)) << program;
  }
  ~StandIn() {
    if (!process_) return;
    TerminateProcess(process_.get(), 0);
    WaitForSingleObject(process_.get(), 10000);
  }
  StandIn(const StandIn&) = delete;
  StandIn& operator=(const StandIn&) = delete;

 private:
  static bool HasWindow(DWORD process) {
    for (HWND window = FindWindowExW(nullptr, nullptr, L"TTOTAL_CMD", nullptr); window;
         window = FindWindowExW(nullptr, window, L"TTOTAL_CMD", nullptr)) {
      DWORD owner = 0;
      GetWindowThreadProcessId(window, &owner);
      if (owner == process) return true;
    }
    return false;
  }

  UniqueKernelObject process_;
};

TEST(InstallOnWindows, NothingIsWrittenWhileTotalCommanderRuns) {
  const TempFolder temp;
  const std::string before = "[Buttonbar]\r\nButtonbar=old.bar\r\n";
  const std::string ini = temp.Write("wincmd.ini", before);
  const std::string bar = temp.Write("Bar_01.bar", "[Buttonbar]\r\nButtoncount=0\r\n");
  {
    const StandIn other{BARLOOM_OTHER_MANAGER_STAND_IN};  // same window class, another program
    EXPECT_FALSE(CommanderRunning());
    const ProcessResult installed = Cli({"install", "--bar", bar, "--ini", ini});
    EXPECT_EQ(installed.ExitCode, 0) << installed.Errors;
    const ProcessResult undone = Cli({"install", "--undo", "--ini", ini});
    EXPECT_EQ(undone.ExitCode, 0) << undone.Errors;
  }
  ASSERT_EQ(ReadBytes(ini), before);
  std::filesystem::remove(PathFromUtf8(ini + ".barloom-backup"));
  const StandIn commander{BARLOOM_COMMANDER_STAND_IN};
  EXPECT_TRUE(CommanderRunning());
  const ProcessResult refused = Cli({"install", "--bar", bar, "--ini", ini});
  EXPECT_EQ(refused.ExitCode, 3);
  EXPECT_NE(refused.Errors.find("Total Commander is running. Close it, then try again; nothing was changed."),
            std::string::npos)
      << refused.Errors;
  EXPECT_EQ(Cli({"install", "--undo", "--ini", ini}).ExitCode, 3);
  EXPECT_EQ(Cli({"create", "--bars", "2", "--folder", temp.PathOf("set"), "--install"}, {{"COMMANDER_INI", ini}}).ExitCode,
            3);
  EXPECT_EQ(ReadBytes(ini), before);
  EXPECT_FALSE(ReadBytes(ini + ".barloom-backup"));
}

}  // namespace
}  // namespace barloom
