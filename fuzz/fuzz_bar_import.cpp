// Arbitrary bytes as the source bar, imported into a freshly generated bar of a set as a set
// imports (read in one pass, written as one batch), or, as a bar importing itself, put in front of
// that bar. Checked against the rule a carried button follows, key by key through the profile
// reader on the bytes:
//  - the count: read leniently, halves to even, never negative (counts that the limit would clamp
//    are left to the unit tests, see MostButtons); Buttoncount is the bar's buttons plus the count;
//  - every carried button reads back as it read from the source: each of its keys with the value
//    the reader gives, whole, and no key it lacks (the placeholder's keys gone with it);
//  - the switch buttons and the separator read as generated, and nothing follows the last button;
//  - progress steps once per button up to one below the maximum planned before the run.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <utility>
#include <optional>
#include <string>

#include "core/bar_import.h"
#include "core/bar_layout.h"
#include "core/progress.h"
#include "core/wizard_state.h"
#include "fuzz/fuzz_check.h"
#include "platform/code_page.h"
#include "platform/not_found_marker.h"
#include "settings/ini_document.h"
#include "settings/number_text.h"

namespace {

using namespace barloom;
using fuzz::Check;

constexpr unsigned CodePage = 1252;
// Large and clamped counts (some 32,750 buttons, about 0.6 s a run under the sanitizers) are the
// unit tests' and the benchmark's; the fuzzer spends its runs on what the bytes say, so the model's
// count decides first, and sources beyond this many buttons are left out.
constexpr int MostButtons = 24;

struct ModelCount {
  int Count = 0;
  bool Clamped = false;
};

ModelCount CountOf(const std::string& source, int barCount) {
  const double value = ReadLeadingNumber(ReadIniValueFromBytes(BarTextOf(source).Text, "ButtonBar", "ButtonCount", "0", 4096));
  const int limit = MaxButtonNumber - barCount - 1;
  const std::optional<std::int16_t> rounded = RoundToInt16(value);
  if (!rounded) return value > 0 ? ModelCount{limit, true} : ModelCount{};
  if (*rounded > limit) return {limit, true};
  return {*rounded < 0 ? 0 : *rounded, false};
}

// Reads of whole values (no buffer cuts them), each key looked up in the document's index.
struct WholeValues {
  explicit WholeValues(std::string_view bytes) : Document(std::string{bytes}), Size(2 * bytes.size() + 16) {}
  std::string operator()(const std::string& key) const { return Document.Read("ButtonBar", key, NotFoundMarker, Size); }
  IniDocument Document;
  std::size_t Size;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  const int barCount = provider.ConsumeIntegralInRange(MinBarCount, MaxBarCount);
  const int bar = provider.ConsumeIntegralInRange(1, barCount);
  const bool sameFile = provider.ConsumeBool();
  const std::string fuzzed = provider.ConsumeRemainingBytesAsString();

  // Each generated bar made once a run of the fuzzer, with its reads.
  static std::map<std::pair<int, int>, std::pair<std::string, std::unique_ptr<WholeValues>>> generatedBars;
  auto& [generated, generatedValue] = generatedBars[{barCount, bar}];
  if (generated.empty()) {
    WizardState state;
    state.BarCount = static_cast<std::int16_t>(barCount);
    state.SaveFolder = "/set/";
    generated = GeneratedBarBytes(SetPathsFor(state, "/app/", "Bar_"), bar, std::nullopt, CodePage);
    generatedValue = std::make_unique<WholeValues>(generated);
  }
  // A bar importing itself: the generated bar behind the fuzzed bytes, which come first.
  const std::string targetBefore = sameFile ? fuzzed + generated : generated;
  const std::string& source = sameFile ? targetBefore : fuzzed;

  const ModelCount count = CountOf(source, barCount);
  if (count.Count > MostButtons) return 0;

  IniDocument target{targetBefore};
  NoProgressDisplay none;
  Progress progress{none};
  // The maximum is counted before the run, as a set counts it: the bar and the count the import reads.
  const int planned = ButtonsToImport(SourceCountText(source), barCount).Count;
  progress.Start(barCount + 1, barCount + 2 + planned);
  const ButtonImport import = ReadButtonImport(source, barCount, CodePage);
  ApplyButtonImport(import, target, progress);

  Check(import.Buttons.Count == count.Count && import.Buttons.Clamped == count.Clamped, "the count differs from the model's");
  Check(planned == count.Count, "the planned count differs from the model's");
  Check(progress.Maximum() == barCount + 2 + count.Count && progress.Value() == barCount + 1 + count.Count,
        "progress does not follow the buttons");
  const WholeValues arrivedValue{target.Bytes()};
  Check(arrivedValue("Buttoncount") == std::to_string(barCount + 1 + count.Count),
        "Buttoncount is not the bar's buttons plus the count");

  const BarText text = BarTextOf(source);
  const WholeValues readValue{text.Text};
  // A bar of the set has no key above its placeholder; the fuzzed bytes in front of a bar
  // importing itself may give it some, and a key the source lacks leaves such a key as it was.
  std::optional<WholeValues> beforeValue;
  if (sameFile) beforeValue.emplace(targetBefore);
  for (int k = 1; k <= count.Count; ++k) {
    for (const std::string_view key : ButtonKeys) {
      const std::string read = readValue(std::string{key} + std::to_string(k));
      const std::string stored = arrivedValue(std::string{key} + std::to_string(barCount + 1 + k));
      const std::string arrived =
          text.Utf8 && stored != NotFoundMarker ? TextOfMarkedValue(stored, CodePage) : stored;
      // Bytes that are no UTF-8 arrive behind the mark as they were, which reads them as U+FFFD.
      if (text.Utf8 && !IsValidUtf8(read)) continue;
      const std::string number = std::string{key} + std::to_string(barCount + 1 + k);
      if (beforeValue && read == NotFoundMarker && k > 1 && stored == (*beforeValue)(number)) continue;
      if (arrived != read)
        std::fprintf(stderr, "%.*s%d: read [%s], arrived [%s]\n", static_cast<int>(key.size()), key.data(), k, read.c_str(),
                     arrived.c_str());
      Check(arrived == read, "a carried key does not read back as it read from the source");
    }
  }
  // The set's own buttons as generated (unless the fuzzed bytes in front of them hide them), and
  // nothing behind the last button.
  if (!sameFile) {
    for (int k = 1; k <= barCount + 1; ++k)
      for (const std::string_view key : ButtonKeys)
        Check(arrivedValue(std::string{key} + std::to_string(k)) == (*generatedValue)(std::string{key} + std::to_string(k)),
              "a switch button or the separator changed");
    const int behind = barCount + 2 + count.Count;
    if (count.Count > 0)
      for (const std::string_view key : ButtonKeys)
        Check(arrivedValue(std::string{key} + std::to_string(behind)) == NotFoundMarker, "a key follows the last button");
  }
  return 0;
}
