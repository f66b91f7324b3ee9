// barloom-cli create stopped from outside: by a file-size limit, and by signals at many points of
// a large Create. Every bar file stays whole, and no temporary file survives the next run.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <thread>

#include "tests/cli/run_process.h"
#include "tests/support/temp_folder.h"

extern "C" char** environ;

namespace barloom {
namespace {

namespace fs = std::filesystem;
using test_support::FileNames;
using test_support::TempFolder;
using test_support::ProcessResult;

constexpr int Bars = 4;

std::string BarName(int bar) { return "Bar_0" + std::to_string(bar) + ".bar"; }

// A source of `buttons` buttons whose values are `length` bytes long (values are read up to
// 4,095 bytes); `tag` makes the sources of two runs differ.
std::string SourceBytes(int buttons, const std::string& tag, std::size_t length) {
  std::string bytes = "[ButtonBar]\r\nButtonCount=" + std::to_string(buttons) + "\r\n";
  for (int k = 1; k <= buttons; ++k) {
    const std::string n = std::to_string(k);
    std::string value = tag + n;
    while (value.size() < length) value += value;
    value.resize(length);
    for (const char* key : {"button", "cmd", "path", "menu", "param"}) bytes += key + n + "=" + value + "\r\n";
  }
  return bytes;
}

std::vector<std::string> TemporaryFiles(const fs::path& folder) {
  std::vector<std::string> names;
  for (const std::string& name : FileNames(folder))
    if (name.starts_with(".") && name.ends_with(".tmp")) names.push_back(name);
  return names;
}

class InterruptedCreateTest : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directory(temp_.Path() / "app"); }

  std::vector<std::string> Arguments(const std::string& source) const {
    // Each run replaces the buttons an earlier one imported.
    std::vector<std::string> arguments = {"create", "--bars", std::to_string(Bars), "--folder", Out(),
                                          "--app-folder", temp_.PathOf("app"), "--drop-buttons"};
    if (!source.empty())
      for (int bar = 1; bar <= Bars; ++bar) arguments.push_back("--import=" + std::to_string(bar) + "=" + source);
    return arguments;
  }
  std::string Out() const { return temp_.PathOf("out"); }
  // Read in one piece: the files are megabytes long and read after every one of many runs.
  std::map<int, std::string> Bytes() const {
    std::map<int, std::string> bytes;
    for (int bar = 1; bar <= Bars; ++bar) {
      std::ifstream in(Out() + "/" + BarName(bar), std::ios::binary | std::ios::ate);
      std::string& content = bytes[bar];
      content.resize(in ? static_cast<std::size_t>(in.tellg()) : 0);
      in.seekg(0);
      in.read(content.data(), static_cast<std::streamsize>(content.size()));
      if (!in) content = "<missing>";
    }
    return bytes;
  }

  TempFolder temp_;
};

// A write beyond the limit is an error like any other: a message, exit code 1, no temporary file,
// and the bar it was for is left whole.
TEST_F(InterruptedCreateTest, AFileSizeLimitIsAMessageAndExitCodeOne) {
  const std::string source = temp_.Write("big.bar", SourceBytes(100, "big", 200));
  std::vector<std::string> arguments = {"-c", "ulimit -f 64 && exec \"$0\" \"$@\"", test_support::BarloomCliPath()};
  const std::vector<std::string> create = Arguments(source);
  arguments.insert(arguments.end(), create.begin(), create.end());
  const ProcessResult result = test_support::RunProcess("/bin/sh", arguments, {{"COMMANDER_PATH", std::nullopt}});
  EXPECT_EQ(result.ExitCode, 1) << result.Errors;
  EXPECT_NE(result.Errors.find(BarName(1) + "\nFile too large."), std::string::npos) << result.Errors;
  EXPECT_TRUE(TemporaryFiles(Out()).empty());
  EXPECT_EQ(Bytes()[1].substr(0, 11), "[ButtonBar]") << "bar 1 as generated, whole";
}

pid_t Start(const std::vector<std::string>& arguments) {
  std::vector<std::string> texts{test_support::BarloomCliPath()};
  texts.insert(texts.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (auto& text : texts) argv.push_back(text.data());
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (char** entry = environ; *entry; ++entry)
    if (!std::string_view(*entry).starts_with("COMMANDER_PATH=")) envp.push_back(*entry);
  envp.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t child = -1;
  if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) child = -1;
  posix_spawn_file_actions_destroy(&actions);
  return child;
}

// Ended at many points of a large Create, by SIGKILL and by the signals a terminal, a logout or
// a service manager sends: each bar holds its old content, the one generated, or the one with
// its import, never a part; a caught signal leaves no temporary file, and the next run removes
// what SIGKILL left.
TEST_F(InterruptedCreateTest, EndedAtManyPointsEveryBarIsWholeAndTheNextRunLeavesNoTemporaryFile) {
  // Few buttons with long values: most of the run's time goes into writing large files.
  const std::string oldSource = temp_.Write("old.bar", SourceBytes(20, "old", 100));
  const std::string newSource = temp_.Write("new.bar", SourceBytes(150, "new", 2000));
  ASSERT_EQ(test_support::RunProcess(test_support::BarloomCliPath(), Arguments("")).ExitCode, 0);
  const std::map<int, std::string> generated = Bytes();
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(test_support::RunProcess(test_support::BarloomCliPath(), Arguments(newSource)).ExitCode, 0);
  const auto fullRun = std::chrono::steady_clock::now() - start;
  const std::map<int, std::string> imported = Bytes();
  ASSERT_EQ(test_support::RunProcess(test_support::BarloomCliPath(), Arguments(oldSource)).ExitCode, 0);
  const std::map<int, std::string> old = Bytes();

  constexpr int Points = 30;
  const int signals[] = {SIGKILL, SIGTERM, SIGKILL, SIGINT, SIGKILL, SIGHUP};
  int leftByKill = 0;
  int caught = 0;
  for (int point = 0; point < Points; ++point) {
    for (int bar = 1; bar <= Bars; ++bar) test_support::WriteFile(Out() + "/" + BarName(bar), old.at(bar));
    const int signal = signals[point % std::size(signals)];
    // What SIGKILL left earlier stays until a run gets as far as writing.
    const std::vector<std::string> before = TemporaryFiles(Out());
    const pid_t child = Start(Arguments(newSource));
    ASSERT_GT(child, 0);
    // Spread over the run after the start-up, where the files are read and written.
    std::this_thread::sleep_for(fullRun * (0.15 + 0.85 * (point + 0.5) / Points));
    ::kill(child, signal);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    const std::string where = "point " + std::to_string(point) + ", signal " + std::to_string(signal);
    for (const auto& [bar, bytes] : Bytes())
      EXPECT_TRUE(bytes == old.at(bar) || bytes == generated.at(bar) || bytes == imported.at(bar))
          << where << ": " << BarName(bar) << " is not whole (" << bytes.size() << " bytes)";
    for (const std::string& name : TemporaryFiles(Out())) {
      if (std::find(before.begin(), before.end(), name) != before.end()) continue;
      if (signal == SIGKILL) {
        ++leftByKill;
      } else {
        ADD_FAILURE() << where << ": left behind: " << name;
      }
    }
    if (signal != SIGKILL) caught += WIFSIGNALED(status) ? 1 : 0;
  }
  const ProcessResult next = test_support::RunProcess(test_support::BarloomCliPath(), Arguments(newSource));
  ASSERT_EQ(next.ExitCode, 0) << next.Errors;
  EXPECT_EQ(Bytes(), imported);
  EXPECT_EQ(TemporaryFiles(Out()), std::vector<std::string>{});
  std::cout << "[ points   ] " << Points << " (full run " << std::chrono::duration<double>(fullRun).count()
            << " s): caught signals ended " << caught << " runs; SIGKILL left " << leftByKill
            << " temporary files, all removed by the next run\n";
}

}  // namespace
}  // namespace barloom
