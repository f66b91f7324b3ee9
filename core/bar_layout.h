#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "core/wizard_state.h"

// The lines of a generated bar file, as bytes ready for the disk.
namespace barloom {

inline constexpr std::string_view ButtonBarSection = "ButtonBar";

// The buttons a generated bar of a set of `barCount` bars holds: one switch button per bar, the
// separator and the placeholder, which is the last of them.
constexpr int GeneratedButtonCount(int barCount) { return barCount + 2; }

// The file of bar `bar` (1..BarCount) of the set with the paths `paths`: "[ButtonBar]",
// the count GeneratedButtonCount, a switch button to every bar of the set (the bar's own one with its Dn
// icon), the empty separator and the placeholder that reloads the bar; 3 * BarCount + 6 lines,
// each ending in CR LF. Every path is folded under `commanderFolder` and stored as MarkedValueBytes.
std::string GeneratedBarBytes(const SetPaths& paths, int bar, const std::optional<std::string>& commanderFolder,
                              unsigned codePage);

}  // namespace barloom
