// Inputs that once cost far more than their size: a bar of 200 million empty lines (153 s and
// 10.7 GB), `barloom-cli texts` over a 10 MB language file of line ends (356 s, the file read
// again for every text ID), and the start-up over a 20 MB UTF-16 settings file (25 s and 750 MB,
// the file read and converted again for every key). The unit tests check what they allocate;
// these are their times.
#include <benchmark/benchmark.h>

#include <ostream>
#include <string>

#include "cli/texts_command.h"
#include "settings/ini_document.h"
#include "settings/profile.h"
#include "settings/settings_file.h"
#include "tests/support/temp_folder.h"

namespace barloom {
namespace {

using test_support::TempFolder;

// The import's first steps on such a source: load it, read its count.
void BM_BarOfEmptyLines(benchmark::State& state) {
  const std::string bytes = "[ButtonBar]\r\nButtonCount=1\r\n" + std::string(static_cast<std::size_t>(state.range(0)), '\n');
  for (auto _ : state) {
    const IniDocument source{bytes};
    benchmark::DoNotOptimize(source.Read("ButtonBar", "ButtonCount", "0", 4096));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_BarOfEmptyLines)->Arg(200'000'000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_TextsOverALanguageFileOfLineEnds(benchmark::State& state) {
  const TempFolder folder("bench");
  const std::string file =
      folder.Write("Big.lng", "[UserLanguage]\r\n101=Datei\r\n" + std::string(10 * 1024 * 1024, '\r'));
  std::ostream nowhere(nullptr);
  std::ostream errors(nullptr);
  for (auto _ : state) {
    benchmark::DoNotOptimize(RunTexts(TextsOptions{file, 1}, nowhere, errors));
  }
}
BENCHMARK(BM_TextsOverALanguageFileOfLineEnds)->Unit(benchmark::kMillisecond);

void BM_StartUpWithA20MBUtf16SettingsFile(benchmark::State& state) {
  const TempFolder folder("bench");
  std::string bytes = "\xFF\xFE";
  for (const char c : "[Barloom]\r\nFontScript=204\r\n" + std::string(10 * 1024 * 1024, '\n')) {
    bytes += c;
    bytes += '\0';
  }
  folder.Write("barloom.ini", bytes);
  Settings settings;
  SetAppFolder(settings, folder.Utf8());
  const cProfile profile;
  for (auto _ : state) {
    LoadSettings(settings, profile);
    benchmark::DoNotOptimize(settings.FontScript);
  }
}
BENCHMARK(BM_StartUpWithA20MBUtf16SettingsFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace barloom
