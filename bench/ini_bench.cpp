// Costs of the INI engine at the sizes the program meets: a large file read once, many
// successive single-value writes, and the bar import's tens of thousands of reads and writes on
// documents held in memory.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "settings/ini_document.h"
#include "settings/private_profile.h"

namespace barloom {
namespace {

namespace fs = std::filesystem;

class TempFolder {
 public:
  explicit TempFolder(bool inMemory = false) {
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    std::error_code ignored;
    const fs::path base = inMemory && fs::is_directory("/dev/shm", ignored) ? fs::path("/dev/shm") : fs::temp_directory_path();
    path_ = base / ("barloom-bench-" + std::to_string(ticks));
    fs::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

void Put(const fs::path& file, const std::string& bytes) { std::ofstream(file, std::ios::binary) << bytes; }

// About 20 MB: 200 sections of button entries, the wanted key in the last one.
std::string LargeFile() {
  std::string bytes;
  bytes.reserve(21 << 20);
  int section = 0;
  while (bytes.size() < (20u << 20)) {
    bytes += "[Section" + std::to_string(section++) + "]\r\n";
    for (int i = 0; i < 2000; ++i) {
      const std::string n = std::to_string(i + 1);
      bytes += "cmd" + n + "=%COMMANDER_PATH%\\Tools\\program" + n + ".exe\r\n";
      bytes += "button" + n + "=%COMMANDER_PATH%\\Icons\\icon.dll," + n + "\r\n";
    }
  }
  bytes += "[Last]\r\nwanted=found\r\n";
  return bytes;
}

void BM_ReadOneKeyFrom20MBFile(benchmark::State& state) {
  TempFolder folder;
  const fs::path file = folder.path() / "large.ini";
  const std::string bytes = LargeFile();
  Put(file, bytes);
  for (auto _ : state) {
    benchmark::DoNotOptimize(ReadIniValue("Last", "wanted", "", 4096, file));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReadOneKeyFrom20MBFile)->Unit(benchmark::kMillisecond);

void BM_ScanOneKeyIn20MBInMemory(benchmark::State& state) {
  const std::string bytes = LargeFile();
  for (auto _ : state) {
    benchmark::DoNotOptimize(ReadIniValueFromBytes(bytes, "Last", "wanted", "", 4096));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ScanOneKeyIn20MBInMemory)->Unit(benchmark::kMillisecond);

void BM_ReadAfterSeventyThousandByteLines(benchmark::State& state) {
  std::string bytes;
  for (int i = 0; i < 100; ++i) bytes += "[S" + std::to_string(i) + "]\r\nk=" + std::string(70000, 'v') + "\r\n";
  bytes += "[T]\r\nk=1\r\n";
  for (auto _ : state) {
    benchmark::DoNotOptimize(ReadIniValueFromBytes(bytes, "T", "k", "", 4096));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReadAfterSeventyThousandByteLines)->Unit(benchmark::kMillisecond);

// 10,000 successive WriteIniValue calls into a file of 1,000 keys: each call loads, edits and
// atomically replaces the file, including the flush to disk. Argument 0: the temporary folder
// (on disk, so the flush dominates); 1: a memory file system where there is one (the engine's
// own cost).
void BM_TenThousandWriteIniValueCalls(benchmark::State& state) {
  TempFolder folder(state.range(0) == 1);
  state.SetLabel(folder.path().parent_path().string());
  const fs::path file = folder.path() / "bar.ini";
  std::string bytes = "[Buttonbar]\r\nButtoncount=1000\r\n";
  for (int i = 1; i <= 1000; ++i) bytes += "button" + std::to_string(i) + "=icon.dll," + std::to_string(i) + "\r\n";
  for (auto _ : state) {
    state.PauseTiming();
    Put(file, bytes);
    state.ResumeTiming();
    for (int i = 0; i < 10000; ++i) {
      WriteIniValue("Buttonbar", "button" + std::to_string(i % 1000 + 1), "changed" + std::to_string(i), file);
    }
  }
  state.counters["writes/s"] = benchmark::Counter(10000.0 * static_cast<double>(state.iterations()),
                                                  benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TenThousandWriteIniValueCalls)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// The import's pattern: 60,000 reads from a source document, 60,000 writes (new keys and
// replacements) into a target document, one serialisation.
void BM_ImportSixtyThousandReadsAndWrites(benchmark::State& state) {
  std::string source = "[Buttonbar]\r\nButtoncount=15000\r\n";
  for (int i = 1; i <= 15000; ++i) {
    const std::string n = std::to_string(i);
    source += "button" + n + "=icon.dll," + n + "\r\ncmd" + n + "=c:\\x\\p" + n + ".exe\r\nparam" + n +
              "=\"%P\"\r\nmenu" + n + "=Program " + n + "\r\n";
  }
  for (auto _ : state) {
    const IniDocument from(source);
    IniDocument to("[Buttonbar]\r\nButtoncount=0\r\n");
    for (int i = 1; i <= 15000; ++i) {
      const std::string n = std::to_string(i);
      for (const char* name : {"button", "cmd", "param", "menu"}) {
        to.Write("Buttonbar", name + n, from.Read("Buttonbar", name + n, "", 4096));
      }
    }
    to.Write("Buttonbar", "Buttoncount", "15000");
    benchmark::DoNotOptimize(to.Bytes());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * 60000);
}
BENCHMARK(BM_ImportSixtyThousandReadsAndWrites)->Unit(benchmark::kMillisecond);

// Source and target the same document: each read sees the previous writes.
void BM_SixtyThousandReadsAndWritesOnOneDocument(benchmark::State& state) {
  std::string bytes = "[Buttonbar]\r\nButtoncount=30000\r\n";
  for (int i = 1; i <= 30000; ++i) bytes += "button" + std::to_string(i) + "=icon.dll," + std::to_string(i) + "\r\n";
  for (auto _ : state) {
    IniDocument document(bytes);
    for (int i = 1; i <= 30000; ++i) {
      const std::string n = std::to_string(i);
      document.Write("Buttonbar", "button" + std::to_string(30000 + i), document.Read("Buttonbar", "button" + n, "", 4096));
      document.Write("Buttonbar", "button" + n, "moved");
    }
    benchmark::DoNotOptimize(document.Bytes());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * 90000);
}
BENCHMARK(BM_SixtyThousandReadsAndWritesOnOneDocument)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace barloom
