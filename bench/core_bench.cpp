// Creating a 20-bar set in which every bar imports one large existing bar, measured side by side
// with the least any way of doing it must do: read the source once and replace every bar file
// atomically (temporary file, flush, rename) with the same bytes. Each iteration times both, one
// after the other, so that a machine loaded by other work weighs on both alike; `ratio` is the
// build's time over that floor. Argument `fs`: 0 the system's temporary folder (a disk, where the
// flush of every file dominates), 1 a memory file system where the machine has one (/dev/shm: the
// program's own cost shows).
//
// Beside it the key-by-key way, where every value read reads the source file and every value
// written reads and rewrites the whole target: quadratic in the number of buttons, so it runs for
// the smallest set (two bars) and up to 1,000 buttons only.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/bar_import.h"
#include "core/bar_set.h"
#include "core/bar_set_result.h"
#include "core/progress.h"
#include "localisation/language_file.h"
#include "platform/file_writing.h"
#include "platform/not_found_marker.h"
#include "platform/path_text.h"
#include "settings/ini_document.h"
#include "settings/number_text.h"
#include "settings/profile.h"

namespace barloom {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

class BenchFolder {
 public:
  explicit BenchFolder(bool inMemory = false) {
    const auto ticks = Clock::now().time_since_epoch().count();
    std::error_code ignored;
    const fs::path base =
        inMemory && fs::is_directory("/dev/shm", ignored) ? fs::path("/dev/shm") : fs::temp_directory_path();
    path_ = base / ("barloom-core-bench-" + std::to_string(ticks));
    fs::create_directories(path_);
  }
  ~BenchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  std::string Folder() const { return AddBackslash(Utf8FromPath(path_)); }
  std::string Base() const { return Utf8FromPath(path_.parent_path()); }

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

void RemoveBars(const SetPaths& paths) {
  std::error_code ignored;
  for (int i = 1; i <= paths.BarCount; ++i) fs::remove(PathFromUtf8(paths.BarFiles[i]), ignored);
}

// The buttons a bar of a `bars`-bar set takes from a source of `buttons`: numbers stop at 32767.
int ImportedButtons(int bars, int buttons) { return std::min(buttons, 32767 - (bars + 1)); }

double Seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

// The time per imported button, in microseconds, from the total time of all iterations.
void ReportPerButton(benchmark::State& state, int bars, int buttons, double seconds) {
  const double total = static_cast<double>(bars) * ImportedButtons(bars, buttons);
  state.counters["buttons"] = total;
  state.counters["per_button_us"] = 1e6 * seconds / static_cast<double>(state.iterations()) / total;
}

// The floor: the source read once, plainly, and every bar file replaced atomically with `bars`.
void ReadAndReplace(const std::string& source, const std::vector<std::pair<std::string, std::string>>& bars) {
  std::ifstream in(PathFromUtf8(source), std::ios::binary);
  std::string bytes(static_cast<std::size_t>(fs::file_size(PathFromUtf8(source))), '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  benchmark::DoNotOptimize(bytes.data());
  for (const auto& [file, content] : bars) ReplaceFileAtomically(PathFromUtf8(file), content);
}

// The set a benchmark builds, from its arguments (bars, buttons, fs): the folder, its source.
struct SetUnderTest {
  explicit SetUnderTest(benchmark::State& state)
      : Bars(static_cast<int>(state.range(0))),
        Buttons(static_cast<int>(state.range(1))),
        Folder(state.range(2) == 1),
        Source(WriteSource(Folder, Buttons)),
        Options{Folder.Folder(), "Bar_", std::nullopt, 1252} {
    state.SetLabel(Folder.Base());
  }
  int Bars;
  int Buttons;
  BenchFolder Folder;
  std::string Source;
  BarSetOptions Options;
};

// BuildBarSet, as Create and barloom-cli run it, beside the floor.
void BM_BuildBarSet(benchmark::State& state) {
  const SetUnderTest set(state);
  const auto& [bars, buttons, folder, source, options] = set;
  NoProgressDisplay none;

  // The bytes the floor writes: what the build writes.
  const WizardState choices = SetChoosing(folder, bars, source);
  const BuildResult first = BuildBarSet(choices, options, none);
  if (first.Error) {
    state.SkipWithError(FailureReport(*first.Error, LoadedLanguage{}).c_str());
    return;
  }
  std::vector<std::pair<std::string, std::string>> output;
  std::size_t outputBytes = 0;
  for (int i = 1; i <= bars; ++i) {
    std::ifstream in(PathFromUtf8(first.Paths.BarFiles[i]), std::ios::binary);
    output.emplace_back(first.Paths.BarFiles[i], std::string(std::istreambuf_iterator<char>(in), {}));
    outputBytes += output.back().second.size();
  }

  double buildSeconds = 0;
  double floorSeconds = 0;
  for (auto _ : state) {
    // A new set each time: a set already there with the same bytes is left as it is.
    RemoveBars(first.Paths);
    const auto start = Clock::now();
    const BuildResult result = BuildBarSet(choices, options, none);
    const auto built = Clock::now();
    RemoveBars(first.Paths);
    const auto removed = Clock::now();
    ReadAndReplace(source, output);
    const auto floored = Clock::now();
    if (result.Error) state.SkipWithError(FailureReport(*result.Error, LoadedLanguage{}).c_str());
    buildSeconds += Seconds(built - start);
    floorSeconds += Seconds(floored - removed);
    state.SetIterationTime(Seconds(built - start));
  }
  ReportPerButton(state, bars, buttons, buildSeconds);
  state.counters["floor_ms"] = benchmark::Counter(1000 * floorSeconds, benchmark::Counter::kAvgIterations);
  state.counters["ratio"] = floorSeconds > 0 ? buildSeconds / floorSeconds : 0;
  state.counters["source_MB"] = static_cast<double>(fs::file_size(PathFromUtf8(source))) / 1e6;
  state.counters["output_MB"] = static_cast<double>(outputBytes) / 1e6;
}

// Create again over the same set after the user added a button to each bar: every bar's earlier
// version is kept beside it before the bar is replaced. Argument `keep` 1: each bar keeps its own
// buttons (the earlier import and the added button) behind the new switch buttons, and gets the
// import behind them again.
void BM_ReplaceSet(benchmark::State& state) {
  const SetUnderTest set(state);
  const auto& [bars, buttons, folder, source, options] = set;
  NoProgressDisplay none;
  WizardState choices = SetChoosing(folder, bars, source);
  const BuildResult first = BuildBarSet(choices, options, none);
  if (first.Error) {
    state.SkipWithError(FailureReport(*first.Error, LoadedLanguage{}).c_str());
    return;
  }
  std::vector<std::pair<std::string, std::string>> earlier;
  for (int i = 1; i <= bars; ++i) {
    std::ifstream in(PathFromUtf8(first.Paths.BarFiles[i]), std::ios::binary);
    IniDocument bar{std::string(std::istreambuf_iterator<char>(in), {})};
    const int count = std::stoi(bar.Read("ButtonBar", "Buttoncount", "0", 4096)) + 1;
    bar.Write("ButtonBar", "Buttoncount", std::to_string(count));
    bar.Write("ButtonBar", "cmd" + std::to_string(count), "mine.exe");
    earlier.emplace_back(first.Paths.BarFiles[i], bar.Bytes());
  }
  choices.KeepButtons = state.range(3) == 1;
  double buildSeconds = 0;
  for (auto _ : state) {
    for (const auto& [file, bytes] : earlier) std::ofstream(PathFromUtf8(file), std::ios::binary) << bytes;
    const auto start = Clock::now();
    const BuildResult result = BuildBarSet(choices, options, none);
    const auto built = Clock::now();
    if (result.Error || static_cast<int>(result.Backups.size()) != bars) state.SkipWithError("the set was not replaced");
    buildSeconds += Seconds(built - start);
    state.SetIterationTime(Seconds(built - start));
  }
  ReportPerButton(state, bars, buttons, buildSeconds);
}

// The key-by-key way: the bars written, then every key copied with one profile read and one
// profile write, each going to the file.
void BM_KeyByKey(benchmark::State& state) {
  const SetUnderTest set(state);
  const auto& [bars, buttons, folder, source, options] = set;
  const cProfile profile;
  const auto start = Clock::now();
  for (auto _ : state) {
    const WizardState choices = SetChoosing(folder, bars, source);
    NoProgressDisplay none;
    WizardState generated = choices;  // the set as generated, its imports made key by key below
    generated.ImportFiles = {};
    const BuildResult written = BuildBarSet(generated, options, none);
    if (written.Error) state.SkipWithError("write failed");
    const SetPaths& set = written.Paths;
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
  ReportPerButton(state, bars, buttons, Seconds(Clock::now() - start));
}

// The one-pass read of a source into the writes every bar importing it gets.
void BM_ReadButtonImport(benchmark::State& state) {
  const int buttons = static_cast<int>(state.range(0));
  const std::string source = SourceBar(buttons);
  for (auto _ : state) benchmark::DoNotOptimize(ReadButtonImport(source, 20, 1252));
  // Every button of the source is read, also those beyond the last number a bar can take.
  state.counters["per_source_button_us"] =
      benchmark::Counter(buttons, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK(BM_ReadButtonImport)->Arg(1000)->Arg(10000)->Arg(30000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildBarSet)
    ->ArgNames({"bars", "buttons", "fs"})
    ->ArgsProduct({{20}, {1000, 10000, 50000}, {0, 1}})
    ->Args({20, 30000, 1})  // the most a bar takes whole: numbers stop at 32767
    ->Args({2, 1000, 1})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceSet)
    ->ArgNames({"bars", "buttons", "fs", "keep"})
    ->ArgsProduct({{20}, {1000, 10000}, {0, 1}, {0, 1}})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeyByKey)
    ->ArgNames({"bars", "buttons", "fs"})
    ->Args({2, 100, 1})
    ->Args({2, 300, 1})
    ->Args({2, 1000, 1})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace barloom
