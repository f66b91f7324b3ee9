#include "core/own_buttons.h"

#include <limits>
#include <span>
#include <vector>

#include "core/bar_import.h"
#include "core/bar_layout.h"
#include "core/commander_path.h"
#include "platform/ascii_text.h"
#include "platform/code_page.h"
#include "platform/text_case.h"
#include "settings/ini_syntax.h"
#include "settings/profile.h"
#include "settings/number_text.h"
#include "settings/numbered_keys.h"

namespace barloom {
namespace {

constexpr std::size_t Cmd = 1;

std::string Lower(std::string_view text) { return LowerCaseText(text).value_or(std::string{text}); }

// The bar's count as an import reads a source's: the way the profile API reads a number, none
// below 1, and a count beyond 16 bits as the most a bar can hold.
int EarlierButtonCount(std::string_view bar) {
  return ButtonsToImport(SourceCountText(bar), ImportPlace::Behind(0)).Count;
}

}  // namespace

SwitchCommands::SwitchCommands(std::string_view saveFolder, std::string_view barFilePrefix,
                               const std::optional<std::string>& commanderFolder, unsigned codePage)
    : codePage_(codePage) {
  for (int bar = 1; bar <= MaxBarCount; ++bar) {
    const std::string path = std::string{saveFolder} + BarFileName(barFilePrefix, bar);
    plain_[bar] = Lower(path);
    folded_[bar] = Lower(FoldCommanderPath(path, commanderFolder));
  }
}

std::optional<int> SwitchCommands::BarOf(std::string_view cmdBytes) const {
  // Every bar file's name ends in ".bar", in any letter case: most commands are told at once.
  if (cmdBytes.size() < 4 || !EqualIgnoringAsciiCase(cmdBytes.substr(cmdBytes.size() - 4), ".bar")) return std::nullopt;
  const std::string command = Lower(TextOfMarkedValue(cmdBytes, codePage_));
  for (int bar = 1; bar <= MaxBarCount; ++bar)
    if (command == plain_[bar] || command == folded_[bar]) return bar;
  return std::nullopt;
}

namespace {

// What tells a button of the set from the bar's own: where its command switches to, if anywhere,
// and whether it is empty (no picture, no command: a separator).
struct ButtonShape {
  int SwitchesTo = 0;  // 0: no bar of the set
  bool Empty = true;
};

// The key names `keys` of each of `buttons`, in order.
std::vector<std::string> KeyNames(std::span<const int> buttons, std::span<const std::string_view> keys) {
  std::vector<std::string> names;
  names.reserve(buttons.size() * keys.size());
  for (const int k : buttons)
    for (const std::string_view key : keys) names.push_back(std::string{key} + std::to_string(k));
  return names;
}

// The buttons of `bar` (1..count) and their shapes, from their button and cmd keys in one pass.
std::vector<ButtonShape> ShapesOf(std::string_view bar, int count, const SwitchCommands& switches) {
  std::vector<ButtonShape> shapes(static_cast<std::size_t>(count));
  const BarText text = BarTextOf(bar);
  FindWholeIniValuesInBytes(text.Text, ButtonBarSection, NumberedKeys{{ButtonKeys.data(), Cmd + 1}, 1, count},
                            [&](std::size_t key, std::optional<std::string_view> value) {
                              ButtonShape& shape = shapes[key / 2];
                              shape.Empty = shape.Empty && (!value || value->empty());
                              if (key % 2 != Cmd || !value) return;
                              const std::string stored = text.Utf8 ? MarkedValueBytes(*value, switches.CodePage()) : std::string{};
                              shape.SwitchesTo = switches.BarOf(text.Utf8 ? std::string_view{stored} : *value).value_or(0);
                            });
  return shapes;
}

// The buttons that are bar `bar`'s own, in order (OwnButtonNumbers).
std::vector<int> OwnButtonNumbers(const std::vector<ButtonShape>& shapes, int bar) {
  const int count = static_cast<int>(shapes.size());
  int first = 1;
  while (first <= count && shapes[first - 1].SwitchesTo != 0) ++first;
  if (first > 1 && first <= count && shapes[first - 1].Empty) ++first;
  bool placeholderFound = first == 1;
  std::vector<int> own;
  for (int k = first; k <= count; ++k) {
    if (!placeholderFound && shapes[k - 1].SwitchesTo == bar) {
      placeholderFound = true;
      continue;
    }
    own.push_back(k);
  }
  return own;
}

// How many of `own` own buttons fit behind the placeholder of a set of `barCount` bars: the first ones.
OwnButtons Fitting(std::size_t own, int barCount) {
  OwnButtons fitting;
  const std::size_t room = static_cast<std::size_t>(MaxButtonNumber - GeneratedButtonCount(barCount));
  fitting.Clamped = own > room;
  fitting.Count = static_cast<int>(fitting.Clamped ? room : own);
  return fitting;
}

// Buttons first..first + count - 1 of the bar file `bytes`, as the import carries them, in one pass.
std::vector<CarriedButton> CarriedButtons(std::string_view bytes, int first, int count, unsigned codePage) {
  std::vector<CarriedButton> buttons(static_cast<std::size_t>(count));
  ReadCarriedValues(BarTextOf(bytes), NumberedKeys{ButtonKeys, first, count}, codePage,
                    [&](std::size_t key, std::optional<std::string_view> value) {
                      if (value) buttons[key / ButtonKeys.size()][key % ButtonKeys.size()] = std::string{*value};
                    });
  return buttons;
}

// Where the last run of `text` that equals `pattern` (not empty) begins; nullopt for none. The
// search goes from the end, each button compared a bounded number of times (Knuth-Morris-Pratt on
// both runs backwards), so that a long run of separators cannot make it quadratic.
std::optional<std::size_t> LastRun(const std::vector<CarriedButton>& text, const std::vector<CarriedButton>& pattern) {
  const std::size_t m = pattern.size();
  if (m == 0 || m > text.size()) return std::nullopt;
  const auto fromEnd = [](const std::vector<CarriedButton>& run, std::size_t i) -> const CarriedButton& {
    return run[run.size() - 1 - i];
  };
  std::vector<std::size_t> border(m, 0);
  for (std::size_t i = 1, k = 0; i < m; ++i) {
    while (k > 0 && fromEnd(pattern, i) != fromEnd(pattern, k)) k = border[k - 1];
    if (fromEnd(pattern, i) == fromEnd(pattern, k)) ++k;
    border[i] = k;
  }
  for (std::size_t i = 0, k = 0; i < text.size(); ++i) {
    while (k > 0 && fromEnd(text, i) != fromEnd(pattern, k)) k = border[k - 1];
    if (fromEnd(text, i) == fromEnd(pattern, k)) ++k;
    if (k == m) return text.size() - 1 - i;
  }
  return std::nullopt;
}

}  // namespace

std::vector<int> OwnButtonNumbers(std::string_view earlierBar, int bar, const SwitchCommands& switches) {
  return OwnButtonNumbers(ShapesOf(earlierBar, EarlierButtonCount(earlierBar), switches), bar);
}

std::vector<CarriedButton> ReadCarriedButtons(std::string_view barBytes, unsigned codePage) {
  return CarriedButtons(barBytes, 1, EarlierButtonCount(barBytes), codePage);
}

std::vector<int> WithoutReimportedButtons(std::vector<int> own, std::string_view earlierBar,
                                          const std::vector<CarriedButton>& source, unsigned codePage) {
  if (source.empty() || source.size() > own.size()) return own;
  // The own buttons are in order, with at most the placeholder between them: one pass over their span.
  std::vector<CarriedButton> span = CarriedButtons(earlierBar, own.front(), own.back() - own.front() + 1, codePage);
  std::vector<CarriedButton> buttons;
  buttons.reserve(own.size());
  for (const int k : own) buttons.push_back(std::move(span[static_cast<std::size_t>(k - own.front())]));
  if (const std::optional<std::size_t> run = LastRun(buttons, source)) {
    const auto start = own.begin() + static_cast<std::ptrdiff_t>(*run);
    own.erase(start, start + static_cast<std::ptrdiff_t>(source.size()));
  }
  return own;
}

OwnButtons CountOwnButtons(const std::vector<int>& own, int barCount) { return Fitting(own.size(), barCount); }

OwnButtons ReadOwnButtons(std::string_view earlierBar, const std::vector<int>& ownNumbers, int barCount, unsigned codePage) {
  OwnButtons own = Fitting(ownNumbers.size(), barCount);
  if (own.Count == 0) return own;
  const std::span<const int> kept = std::span{ownNumbers}.first(static_cast<std::size_t>(own.Count));
  // The values whole (no buffer cuts them), each into the writes as it is read.
  own.Writes.Reserve(kept.size() * ButtonKeys.size() + 1, earlierBar.size());
  ReadCarriedValues(BarTextOf(earlierBar), KeyNames(kept, ButtonKeys), codePage,
                    [&](std::size_t key, std::optional<std::string_view> value) {
                      if (!value) return;
                      const int number = GeneratedButtonCount(barCount) + 1 + static_cast<int>(key / ButtonKeys.size());
                      const std::string name = std::string{ButtonKeys[key % ButtonKeys.size()]} + std::to_string(number);
                      own.Writes.Add(name, *value);
                    });
  own.Writes.Add("Buttoncount", std::to_string(GeneratedButtonCount(barCount) + own.Count));
  return own;
}

int OwnButtonCount(std::string_view earlierBar, int bar, const SwitchCommands& switches) {
  return static_cast<int>(OwnButtonNumbers(earlierBar, bar, switches).size());
}

std::vector<std::string> OwnButtonNames(std::string_view earlierBar, const std::vector<int>& own, unsigned codePage) {
  constexpr std::array<std::string_view, 2> NameKeys{"menu", "cmd"};
  std::vector<std::string> names(own.size() * NameKeys.size());
  const BarText text = BarTextOf(earlierBar);
  FindIniValuesInBytes(text.Text, ButtonBarSection, KeyNames(own, NameKeys), std::numeric_limits<std::size_t>::max(),
                       [&](std::size_t key, std::optional<std::string_view> value) {
                         if (value) names[key] = text.Utf8 ? std::string{*value} : TextOfMarkedValue(*value, codePage);
                       });
  std::vector<std::string> shown;
  shown.reserve(own.size());
  for (std::size_t button = 0; button < own.size(); ++button) {
    const std::string& tooltip = names[button * NameKeys.size()];
    const std::string& command = names[button * NameKeys.size() + 1];
    shown.push_back(!tooltip.empty() ? tooltip : command);
  }
  return shown;
}

std::string WithOwnButtons(std::string generatedBar, const OwnButtons& own) {
  if (own.Count == 0) return generatedBar;
  IniDocument bar{std::move(generatedBar)};
  bar.Write(ButtonBarSection, own.Writes);
  return bar.Bytes();
}

}  // namespace barloom
