// Creating a 20-bar set in which every bar imports a large existing bar: our import (each file
// loaded and saved once) against the original key-by-key way, where every value read reads the
// source file and every value written reads and rewrites the whole target. The key-by-key way is
// quadratic in the number of buttons, so it runs for the smallest set (two bars) and up to 1,000
// buttons only; 20 bars of 10,000 buttons would take hours.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/bar_set.h"
#include "core/progress.h"
#include "platform/code_page.h"
#include "platform/not_found_marker.h"
#include "platform/path_text.h"
#include "settings/number_text.h"
#include "settings/profile.h"

namespace barloom {
namespace {

namespace fs = std::filesystem;

class BenchFolder {
 public:
  BenchFolder() {
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = fs::temp_directory_path() / ("barloom-core-bench-" + std::to_string(ticks));
    fs::create_directories(path_);
  }
  ~BenchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  std::string Folder() const { return AddBackslash(Utf8FromPath(path_)); }

 private:
  fs::path path_;
};

// A bar with `buttons` buttons, each with all six keys.
std::string SourceBar(int buttons) {
  std::string bytes = "[ButtonBar]\r\nButtoncount=" + std::to_string(buttons) + "\r\n";
  for (int k = 1; k <= buttons; ++k) {
    const std::string n = std::to_string(k);
    bytes += "button" + n + "=%COMMANDER_PATH%\\Icons\\wcmicons.dll," + n + "\r\n";
    bytes += "cmd" + n + "=%COMMANDER_PATH%\\Tools\\program" + n + ".exe\r\n";
    bytes += "path" + n + "=%COMMANDER_PATH%\\Tools\r\n";
    bytes += "menu" + n + "=Program number " + n + "\r\n";
    bytes += "param" + n + "=/switch " + n + "\r\n";
    bytes += "iconic" + n + "=0\r\n";
  }
  return bytes;
}

std::string WriteSource(const BenchFolder& folder, int buttons) {
  const std::string file = folder.Folder() + "source.bar";
  std::ofstream(PathFromUtf8(file), std::ios::binary) << SourceBar(buttons);
  return file;
}

WizardState SetChoosing(const BenchFolder& folder, int bars, const std::string& source) {
  WizardState state;
  state.BarCount = static_cast<std::int16_t>(bars);
  state.SaveFolder = folder.Folder() + "set" + PathSeparator;
  for (int i = 1; i <= bars; ++i) state.ImportFiles[i] = source;
  return state;
}

void ReportPerButton(benchmark::State& state, int bars, int buttons) {
  state.counters["buttons"] = static_cast<double>(bars) * buttons;
  state.counters["per_button"] = benchmark::Counter(static_cast<double>(bars) * buttons,
                                                    benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
}

// Our way: BuildBarSet, as Create and barloom-cli run it.
void BM_BuildBarSet(benchmark::State& state) {
  const int bars = static_cast<int>(state.range(0));
  const int buttons = static_cast<int>(state.range(1));
  BenchFolder folder;
  const std::string source = WriteSource(folder, buttons);
  const BarSetOptions options{folder.Folder(), "Bar_", std::nullopt, 1252};
  for (auto _ : state) {
    WizardState set = SetChoosing(folder, bars, source);
    NoProgressDisplay none;
    const BuildResult result = BuildBarSet(set, options, none);
    if (result.Error) state.SkipWithError(result.Error->Message().c_str());
  }
  ReportPerButton(state, bars, buttons);
}

// The original way: the bars written, then every key copied with one profile read and one
// profile write, each going to the file.
void BM_KeyByKey(benchmark::State& state) {
  const int bars = static_cast<int>(state.range(0));
  const int buttons = static_cast<int>(state.range(1));
  BenchFolder folder;
  const std::string source = WriteSource(folder, buttons);
  const BarSetOptions options{folder.Folder(), "Bar_", std::nullopt, 1252};
  const cProfile profile;
  for (auto _ : state) {
    WizardState set = SetChoosing(folder, bars, source);
    NoProgressDisplay none;
    Progress progress{none};
    if (WriteBarFiles(set, options, progress).Error) state.SkipWithError("write failed");
    for (int i = 1; i <= bars; ++i) {
      const auto count = RoundToInt16(profile.ReadIntegerValue("ButtonBar", "ButtonCount", "0", source, 4096));
      const int n = count.value_or(0);
      for (int k = 1; k <= n; ++k)
        for (const char* key : {"button", "cmd", "path", "menu", "param", "iconic"}) {
          const std::string value =
              profile.ReadStringValue("ButtonBar", key + std::to_string(k), NotFoundMarker, source, 4096);
          profile.WriteStringValue("ButtonBar", key + std::to_string(bars + 1 + k), value, set.BarFiles[i]);
        }
      profile.WriteStringValue("ButtonBar", "Buttoncount", std::to_string(bars + 1 + (n < 1 ? 0 : n)), set.BarFiles[i]);
    }
  }
  ReportPerButton(state, bars, buttons);
}

BENCHMARK(BM_BuildBarSet)
    ->ArgNames({"bars", "buttons"})
    ->Args({20, 100})
    ->Args({20, 1000})
    ->Args({20, 10000})
    ->Args({2, 100})
    ->Args({2, 1000})
    ->Args({2, 10000})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeyByKey)
    ->ArgNames({"bars", "buttons"})
    ->Args({2, 100})
    ->Args({2, 300})
    ->Args({2, 1000})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace barloom
