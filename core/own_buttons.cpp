#include "core/own_buttons.h"

#include <vector>

#include "core/bar_import.h"
#include "core/bar_layout.h"
#include "core/commander_path.h"
#include "platform/code_page.h"
#include "platform/not_found_marker.h"
#include "platform/text_case.h"
#include "settings/ini_syntax.h"
#include "settings/number_text.h"

namespace barloom {
namespace {

constexpr std::array<std::string_view, 6> ButtonKeys{"button", "cmd", "path", "menu", "param", "iconic"};
constexpr std::size_t Cmd = 1;

std::string Lower(std::string_view text) { return LowerCaseText(text).value_or(std::string{text}); }

// The count the way the profile API reads a number; a count beyond 16 bits reads as the most a bar
// can hold.
int EarlierButtonCount(std::string_view bar) {
  const double value = ReadLeadingNumber(SourceCountText(bar));
  if (const auto rounded = RoundToInt16(value)) return *rounded > 0 ? *rounded : 0;
  return value > 0 ? MaxButtonNumber : 0;
}

// A value as a key line stores it so that the profile reads it back unchanged: blanks at either
// end, or a pair of quotation marks around it, would be taken off, so such a value is quoted.
std::string StoredValue(std::string_view value) {
  const bool blankEdge = !value.empty() && (ini::ProfileBlanks.Contains(value.front()) || ini::ProfileBlanks.Contains(value.back()));
  const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
  if (!blankEdge && !quoted) return std::string{value};
  return "\"" + std::string{value} + "\"";
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
  const std::string command = Lower(TextOfMarkedValue(cmdBytes, codePage_));
  for (int bar = 1; bar <= MaxBarCount; ++bar)
    if (command == plain_[bar] || command == folded_[bar]) return bar;
  return std::nullopt;
}

OwnButtons ReadOwnButtons(std::string_view earlierBar, int bar, int barCount, const SwitchCommands& switches) {
  const int count = EarlierButtonCount(earlierBar);
  std::vector<std::string> keys;
  keys.reserve(static_cast<std::size_t>(count) * ButtonKeys.size());
  for (int k = 1; k <= count; ++k)
    for (const std::string_view key : ButtonKeys) keys.push_back(std::string{key} + std::to_string(k));
  std::vector<std::string> values(keys.size());
  // Values are taken whole: no buffer cuts them.
  ReadIniValuesFromBytes(earlierBar, ButtonBarSection, keys, NotFoundMarker, earlierBar.size() + 2,
                         [&](std::size_t key, std::string_view value) { values[key] = value; });
  const auto value = [&](int k, std::size_t key) -> const std::string& {
    return values[static_cast<std::size_t>(k - 1) * ButtonKeys.size() + key];
  };
  const auto isEmpty = [&](int k, std::size_t key) { return value(k, key).empty() || value(k, key) == NotFoundMarker; };
  const auto switchesTo = [&](int k) {
    return value(k, Cmd) == NotFoundMarker ? std::nullopt : switches.BarOf(value(k, Cmd));
  };

  // The set's own buttons: the leading switch buttons, the separator right after them, and the
  // first button after those that reloads the bar itself (an import may have taken its place).
  int first = 1;
  while (first <= count && switchesTo(first)) ++first;
  std::vector<int> kept;
  if (first > 1 && first <= count && isEmpty(first, 0) && isEmpty(first, Cmd)) ++first;
  bool placeholderFound = first == 1;  // a bar that does not begin with the set keeps everything
  for (int k = first; k <= count; ++k) {
    if (!placeholderFound && switchesTo(k) == bar) {
      placeholderFound = true;
      continue;
    }
    kept.push_back(k);
  }

  OwnButtons own;
  const int room = MaxButtonNumber - (barCount + 2);
  own.Count = static_cast<int>(kept.size());
  if (own.Count > room) {
    own.Count = room;
    own.Clamped = true;
  }
  if (own.Count == 0) return own;
  for (int t = 1; t <= own.Count; ++t) {
    const std::string number = std::to_string(barCount + 2 + t);
    for (std::size_t key = 0; key < ButtonKeys.size(); ++key)
      if (value(kept[t - 1], key) != NotFoundMarker)
        own.Writes.Add(std::string{ButtonKeys[key]} + number, StoredValue(value(kept[t - 1], key)));
  }
  own.Writes.Add("Buttoncount", std::to_string(barCount + 2 + own.Count));
  return own;
}

std::string WithOwnButtons(std::string generatedBar, const OwnButtons& own) {
  if (own.Count == 0) return generatedBar;
  IniDocument bar{std::move(generatedBar)};
  bar.Write(ButtonBarSection, own.Writes);
  return bar.Bytes();
}

}  // namespace barloom
