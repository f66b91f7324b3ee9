// Create on a worker thread: the same files as Create on the caller's thread, progress announced
// no more often than the window can take it, the result handed over once.
#include "ui/create_run.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "platform/path_text.h"
#include "tests/support/temp_folder.h"

namespace barloom {
namespace {

using test_support::TempFolder;

struct LargeSet {
  LargeSet() {
    SetAppFolder(job.ProgramSettings, app.Utf8());
    std::string source = "[Buttonbar]\r\nButtoncount=4000\r\n";
    for (int i = 1; i <= 4000; ++i)
      source += "button" + std::to_string(i) + "=t.ico\r\ncmd" + std::to_string(i) + "=t" + std::to_string(i) + ".exe\r\n";
    job.Choices.BarCount = 6;
    job.Choices.SaveFolder = app.Folder() + "bars" + PathSeparator;
    const std::string file = app.Write("source.bar", source);
    for (int bar = 1; bar <= 6; ++bar) job.Choices.ImportFiles[bar] = file;
  }
  std::vector<std::string> Bars() const {
    std::vector<std::string> bars;
    for (int bar = 1; bar <= 6; ++bar) bars.push_back(app.Read("bars" + std::string(1, PathSeparator) + BarFileName("Bar_", bar)));
    return bars;
  }
  TempFolder app{"run"};
  CreateJob job;
};

TEST(CreateRun, WritesWhatCreateWritesAndAnnouncesProgressAtMostEveryInterval) {
  LargeSet run;
  NoProgressDisplay none;
  ASSERT_FALSE(CreateBarSet(run.job.Choices, run.job.ProgramSettings, run.job.Texts, std::nullopt, none).Build.Error);
  const std::vector<std::string> onThisThread = run.Bars();
  std::filesystem::remove_all(run.app.Path() / "bars");

  // A window that takes the figures at once: announcements at most once an interval, the bar
  // only moving forward.
  CreateRun worker;
  std::mutex lock;
  std::vector<ProgressFigures> seen;
  std::atomic<int> ends{0};
  const auto start = std::chrono::steady_clock::now();
  worker.Start(run.job, [&](bool finished) {
    if (finished) {
      ++ends;
      return;
    }
    std::lock_guard guard{lock};
    seen.push_back(worker.Figures());
  });
  const CreateResult result = worker.Finish();
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_FALSE(result.Build.Error);
  EXPECT_FALSE(worker.Running());
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(run.Bars(), onThisThread) << "the same bytes";
  ASSERT_FALSE(seen.empty());
  EXPECT_LE(static_cast<long long>(seen.size()), elapsed / CreateRun::Interval + 1);
  for (std::size_t i = 1; i < seen.size(); ++i) {
    EXPECT_GE(seen[i].Value, seen[i - 1].Value);
    EXPECT_LE(seen[i].Value, seen[i].Maximum);
  }
  EXPECT_EQ(worker.Figures().Visible, false) << "hidden at the end";
  EXPECT_GT(worker.Figures().Value, 6 * 4000) << "every import counted";

  // A window that never takes the figures is not flooded: one announcement, then only the end.
  std::filesystem::remove_all(run.app.Path() / "bars");
  std::atomic<int> announced{0};
  worker.Start(run.job, [&](bool finished) { finished ? ++ends : ++announced; });
  EXPECT_FALSE(worker.Finish().Build.Error);
  EXPECT_EQ(announced, 1);
  EXPECT_EQ(ends, 2);
}

}  // namespace
}  // namespace barloom
