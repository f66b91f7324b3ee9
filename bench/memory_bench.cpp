// What reading a file costs in memory, as a multiple of the file's size (docs/performance.md):
// an INI document of every shape (parsed, read in its busiest section, written to), the one-pass
// scan of a file, the start-up's read of the settings, the captioning pass over a window's
// controls and `barloom-cli texts`, each over a file of a quarter to one MiB. The multiples are
// the goals: a document holds at most 5 times its file at its peak, a scan 2 times, and the
// start-up, a captioning pass and the texts command allocate at most 3 times the file in all,
// which is what reading and parsing the file once costs, however many keys or controls ask.
// Counted through operator new (bench/allocation_counter.cpp), in one run outside the timing.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "bench/allocation_counter.h"
#include "cli/texts_command.h"
#include "localisation/apply_language.h"
#include "localisation/language.h"
#include "platform/path_text.h"
#include "settings/ini_document.h"
#include "settings/profile.h"
#include "settings/settings_file.h"
#include "tests/support/utf16_bytes.h"

namespace barloom {
namespace {

namespace fs = std::filesystem;
using bench_support::AllocationScope;
using test_support::Utf16Bytes;

// A scratch folder holding one file, removed afterwards.
class ScratchFile {
 public:
  ScratchFile(const std::string& name, const std::string& bytes)
      : folder_(fs::temp_directory_path() /
                ("barloom-memory-bench-" + std::to_string(std::hash<std::string>{}(name + std::to_string(bytes.size()))))) {
    fs::create_directories(folder_);
    std::ofstream(folder_ / name, std::ios::binary) << bytes;
    path_ = Utf8FromPath(folder_ / name);
  }
  ~ScratchFile() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  const std::string& Path() const { return path_; }
  std::string Folder() const { return Utf8FromPath(folder_); }

 private:
  fs::path folder_;
  std::string path_;
};

// A short name for every number: digits, letters and the high bytes.
std::string ShortName(std::size_t number) {
  static const std::string symbols = [] {
    std::string all = "0123456789abcdefghijklmnopqrstuvwxyz";
    for (int b = 0x80; b <= 0xFF; ++b) all += static_cast<char>(b);
    return all;
  }();
  std::string name;
  do {
    name += symbols[number % symbols.size()];
    number /= symbols.size();
  } while (number);
  return name;
}

std::string Filled(std::string head, const std::function<std::string(std::size_t)>& line, std::size_t size) {
  std::string text = std::move(head);
  for (std::size_t i = 0; text.size() < size; ++i) text += line(i);
  return text;
}

struct Shape {
  const char* Label;
  std::string Bytes;
  std::string Section;  // the section to read and write
};

// Files of 1 MiB whose shapes have cost the most: blank lines, tiny lines, one long line.
const std::vector<Shape>& Shapes() {
  static const std::vector<Shape> shapes = [] {
    constexpr std::size_t Size = 1 << 20;
    const auto same = [](std::string line) { return [line](std::size_t) { return line; }; };
    const std::string mark = "\xFF\xFE";
    return std::vector<Shape>{
        {"line feeds", Filled("", same("\n"), Size), "S"},
        {"CR LF", Filled("", same("\r\n"), Size), "S"},
        {"CRs", Filled("", same("\r"), Size), "S"},
        {"blanks", Filled("[S]\n", same(" \t\x1A\r\n"), Size), "S"},
        {"one key again and again", Filled("[S]\n", same("k\n"), Size), "S"},
        {"keys without values", Filled("[S]\n", [](std::size_t i) { return ShortName(i) + "\n"; }, Size), "S"},
        {"keys with values", Filled("[S]\n", [](std::size_t i) { return ShortName(i) + "=\r"; }, Size), "S"},
        {"sections", Filled("", [](std::size_t i) { return "[" + ShortName(i) + "]\n"; }, Size), "0"},
        {"one section again and again", Filled("", same("[S]\n"), Size), "S"},
        {"brackets", Filled("[S]\n", same("[\n"), Size), "S"},
        {"one long line", Filled("[S]\nk=", same("v"), Size), "S"},
        {"UTF-16 line feeds", Filled(mark, same(std::string("\n\0", 2)), Size), "S"},
        {"UTF-16 keys", Filled(mark + Utf16Bytes("[S]\n"), [](std::size_t i) { return Utf16Bytes(ShortName(i) + "\n"); }, Size),
         "S"},
    };
  }();
  return shapes;
}

void Edit(const Shape& shape) {
  IniDocument document{shape.Bytes};
  benchmark::DoNotOptimize(document.Read(shape.Section, "1", "", 4096));
  document.Write(shape.Section, "new", "v");
  document.Write("New", "k", "v");
  benchmark::DoNotOptimize(document.Bytes().size());
}

void BM_DocumentPeak(benchmark::State& state) {
  const Shape& shape = Shapes()[static_cast<std::size_t>(state.range(0))];
  state.SetLabel(shape.Label);
  double peak = 0, scanPeak = 0;
  {
    std::string copy = shape.Bytes;  // the file's own copy is not counted
    AllocationScope scope;
    {
      IniDocument document{std::move(copy)};
      document.Read(shape.Section, "1", "", 4096);
      document.Write(shape.Section, "new", "v");
      document.Write("New", "k", "v");
      benchmark::DoNotOptimize(document.Bytes().size());
    }
    peak = static_cast<double>(scope.PeakBytes());
  }
  {
    AllocationScope scope;
    benchmark::DoNotOptimize(ReadIniValueFromBytes(shape.Bytes, shape.Section, "1", "", 4096));
    scanPeak = static_cast<double>(scope.PeakBytes());
  }
  for (auto _ : state) Edit(shape);
  const double size = static_cast<double>(shape.Bytes.size());
  state.counters["peak/file"] = peak / size;            // goal: at most 5
  state.counters["scan_peak/file"] = scanPeak / size;   // goal: at most 2
}
BENCHMARK(BM_DocumentPeak)->DenseRange(0, 12)->Unit(benchmark::kMillisecond);

// The start-up reads every setting from one read of the file, 8-bit (0) or UTF-16 (1).
void BM_StartUpAllocated(benchmark::State& state) {
  const std::string head = "[Barloom]\r\nFontScript=204\r\nMainWindowPosition=15,30\r\n";
  std::string file = head + std::string(1 << 18, '\n');
  if (state.range(0) == 1) file = "\xFF\xFE" + Utf16Bytes(head + std::string(1 << 17, '\n'));
  const ScratchFile scratch("barloom.ini", file);
  cProfile profile;
  const auto load = [&] {
    Settings settings;
    SetAppFolder(settings, scratch.Folder());
    LoadSettings(settings, profile);
    return settings;
  };
  double allocated = 0;
  {
    AllocationScope scope;
    const Settings settings = load();
    allocated = static_cast<double>(scope.AllocatedBytes());
    if (settings.FontScript != 204) state.SkipWithError("the settings were not read");
  }
  for (auto _ : state) benchmark::DoNotOptimize(load());
  state.SetLabel(state.range(0) == 1 ? "UTF-16" : "8-bit");
  state.counters["allocated/file"] = allocated / static_cast<double>(file.size());  // goal: at most 3
}
BENCHMARK(BM_StartUpAllocated)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

const std::string LanguageFileOfLineEnds =
    "[UserLanguage]\r\nRightToLeftLanguage=1\r\n101=&Datei\r\n" + std::string(1 << 18, '\n');

// A window of 40 captioned controls, each with its own text ID.
std::vector<ControlRow> RowsOfForty() {
  std::vector<ControlRow> rows;
  for (int i = 0; i < 40; ++i)
    rows.push_back({i + 1, i < 5 ? ControlKind::MenuItem : ControlKind::Label, TextId{101 + i}});
  return rows;
}

// However many controls a window has, a captioning pass reads and parses the language file once.
void BM_CaptioningPassAllocated(benchmark::State& state) {
  const ScratchFile scratch("Big.lng", LanguageFileOfLineEnds);
  Settings settings;
  settings.UseDefaultLanguage = 0;
  settings.LanguageFile = scratch.Path();
  const std::vector<ControlRow> rows = RowsOfForty();
  const WindowTable table{TextId::None, nullptr, rows};
  double allocated = 0;
  {
    AllocationScope scope;
    const WindowCaptions captions = ApplyLanguage(table, Language{settings});
    allocated = static_cast<double>(scope.AllocatedBytes());
    if (captions.Controls[0].Text != "&Datei") state.SkipWithError("the language file was not read");
  }
  for (auto _ : state) benchmark::DoNotOptimize(ApplyLanguage(table, Language{settings}));
  state.counters["allocated/file"] = allocated / static_cast<double>(LanguageFileOfLineEnds.size());  // goal: at most 3
}
BENCHMARK(BM_CaptioningPassAllocated)->Unit(benchmark::kMillisecond);

// `barloom-cli texts` reads and parses the file once, however many IDs it lists.
void BM_TextsCommandAllocated(benchmark::State& state) {
  const ScratchFile scratch("Big.lng", LanguageFileOfLineEnds);
  const auto run = [&] {
    std::ostringstream out, err;
    return RunTexts({scratch.Path(), 1}, out, err);
  };
  double allocated = 0;
  {
    AllocationScope scope;
    if (run() != 0) state.SkipWithError("the texts command failed");
    allocated = static_cast<double>(scope.AllocatedBytes());
  }
  for (auto _ : state) benchmark::DoNotOptimize(run());
  state.counters["allocated/file"] = allocated / static_cast<double>(LanguageFileOfLineEnds.size());  // goal: at most 3
}
BENCHMARK(BM_TextsCommandAllocated)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace barloom
