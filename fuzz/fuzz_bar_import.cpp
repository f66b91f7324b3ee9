// Arbitrary bytes as the source bar, imported into a freshly generated bar of a set as a set
// imports (read in one pass, written as one batch), or, as a bar importing itself, put in front of
// that bar and imported key by key. Checked against a straightforward model of the rules,
// one profile operation per key on the bytes as they stand, as key-by-key file calls would do:
//  - the count: read leniently, halves to even, never negative (counts that the limit would clamp
//    are left to the unit tests, see MostButtons);
//  - the target's bytes equal the model's (for counts the model can afford), and its Buttoncount
//    is the bar's buttons plus the count;
//  - the count planned before the run is the count imported, and progress steps once per button
//    up to one below that maximum.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <optional>
#include <string>

#include "core/bar_import.h"
#include "core/bar_layout.h"
#include "core/progress.h"
#include "core/wizard_state.h"
#include "fuzz/fuzz_check.h"
#include "platform/not_found_marker.h"
#include "settings/ini_document.h"
#include "settings/number_text.h"

namespace {

using namespace barloom;
using fuzz::Check;

constexpr int ModelledButtons = 8;  // the model rewrites the whole target for every key
// A clamped count means some 32,750 buttons, about 0.6 s a run under the sanitizers: the fuzzer
// would spend its time there. Such counts are checked by the unit tests; here the model's count
// decides first, and sources beyond this many buttons are left out.
constexpr int MostButtons = 1024;

struct ModelCount {
  int Count = 0;
  bool Clamped = false;
};

ModelCount CountOf(const std::string& source, int barCount) {
  const double value = ReadLeadingNumber(ReadIniValueFromBytes(source, "ButtonBar", "ButtonCount", "0", 4096));
  const int limit = MaxButtonNumber - barCount - 1;
  const std::optional<std::int16_t> rounded = RoundToInt16(value);
  if (!rounded) return value > 0 ? ModelCount{limit, true} : ModelCount{};
  if (*rounded > limit) return {limit, true};
  return {*rounded < 0 ? 0 : *rounded, false};
}

std::string WithoutEdgeSpaces(std::string text) {
  text.erase(0, text.find_first_not_of(' '));
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

std::string Written(const std::string& bytes, const std::string& key, const std::string& value) {
  IniDocument file{bytes};
  file.Write("ButtonBar", key, value);
  return file.Bytes();
}

// Key by key: every read from the source's bytes as they stand (the target's own, for a bar
// importing itself), every write on a fresh parse of the target.
std::string ModelImport(const std::string& source, std::string target, int barCount, int count, bool sameFile) {
  for (int k = 1; k <= count; ++k) {
    for (const char* key : {"button", "cmd", "path", "menu", "param", "iconic"}) {
      const std::string value = WithoutEdgeSpaces(
          ReadIniValueFromBytes(sameFile ? target : source, "ButtonBar", key + std::to_string(k), NotFoundMarker, 4096));
      if (value != NotFoundMarker) target = Written(target, key + std::to_string(barCount + 1 + k), value);
    }
  }
  return Written(target, "Buttoncount", std::to_string(barCount + 1 + count));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  const int barCount = provider.ConsumeIntegralInRange(MinBarCount, MaxBarCount);
  const int bar = provider.ConsumeIntegralInRange(1, barCount);
  const bool sameFile = provider.ConsumeBool();
  const std::string sourceBytes = provider.ConsumeRemainingBytesAsString();

  WizardState state;
  state.BarCount = static_cast<std::int16_t>(barCount);
  state.SaveFolder = "/set/";
  // A bar importing itself: the generated bar behind the fuzzed bytes, which come first.
  const std::string generatedBar = GeneratedBarBytes(SetPathsFor(state, "/app/", "Bar_"), bar, std::nullopt, 1252);
  const std::string generated = sameFile ? sourceBytes + generatedBar : generatedBar;

  const ModelCount count = CountOf(sameFile ? generated : sourceBytes, barCount);
  if (count.Count > MostButtons) return 0;

  IniDocument target{generated};
  NoProgressDisplay none;
  Progress progress{none};
  // The maximum is counted before the run, as a set counts it: the bar and the count the import reads.
  const int planned = ButtonsToImport(SourceCountText(sameFile ? generated : sourceBytes), barCount).Count;
  progress.Start(barCount + 1, barCount + 2 + planned);
  ImportedButtons imported;
  if (sameFile) {
    imported = ImportOwnButtons(target, barCount, progress);
  } else {  // as a set imports: the source's bytes read in one pass, the writes made as a batch
    const ButtonImport import = ReadButtonImport(sourceBytes, barCount);
    ApplyButtonImport(import, target, progress);
    imported = import.Buttons;
  }

  Check(imported.Count == count.Count && imported.Clamped == count.Clamped, "the count differs from the model's");
  Check(planned == count.Count, "the planned count differs from the model's");
  Check(progress.Maximum() == barCount + 2 + count.Count && progress.Value() == barCount + 1 + count.Count,
        "progress does not follow the buttons");
  Check(target.Read("ButtonBar", "Buttoncount", "", 4096) == std::to_string(barCount + 1 + count.Count),
        "Buttoncount is not the bar's buttons plus the count");
  if (count.Count <= ModelledButtons) {
    Check(target.Bytes() == ModelImport(sourceBytes, generated, barCount, count.Count, sameFile),
          "the target differs from key-by-key operations");
  }
  return 0;
}
