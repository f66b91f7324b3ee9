// Which buttons of a bar are its own, and how they follow the new switch buttons.
#include "core/own_buttons.h"

#include <gtest/gtest.h>

#include <map>

#include "core/bar_import.h"
#include "core/bar_layout.h"
#include "platform/not_found_marker.h"
#include "tests/core/test_support.h"

namespace barloom {
namespace {

using core_testing::NativePath;
using core_testing::Windows1252;

const std::string Folder = NativePath("C:\\TC\\bars\\");
const std::optional<std::string> Commander = NativePath("C:\\TC\\");

// A bar file from a list of buttons: "sw N" switches to Bar_0N.bar in Folder (its command folded
// when written "sw~ N", in other letters when "SW N"), "sep" is the separator, "ph" the placeholder
// of bar 1, "other N" switches to a bar of another prefix, "far N" to one in another folder, and
// any other word is a button of the user's with all six keys.
std::string BarFile(const std::vector<std::string>& buttons, std::string count = "") {
  std::string bytes = "[ButtonBar]\r\nButtoncount=" + (count.empty() ? std::to_string(buttons.size()) : count) + "\r\n";
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const std::string k = std::to_string(i + 1);
    const std::string& b = buttons[i];
    const auto entry = [&](std::string_view key, const std::string& value) { bytes += std::string{key} + k + "=" + value + "\r\n"; };
    const std::string n = b.substr(b.find(' ') + 1);
    if (b.starts_with("sw~ ")) {
      entry("button", "%Commander_Path%\\Tools\\icons\\Up_0" + n + ".ico");
      entry("cmd", std::string{"%COMMANDER_PATH%"} + PathSeparator + "BARS" + PathSeparator + "Bar_0" + n + ".bar");
    } else if (b.starts_with("sw ") || b.starts_with("SW ")) {
      entry("button", "Up_0" + n + ".ico");
      const std::string file = Folder + "Bar_0" + n + ".bar";
      entry("cmd", b.starts_with("SW") ? NativePath("c:\\tc\\BARS\\bar_0") + n + ".BAR" : file);
      entry("menu", "Switch to Buttons Bar " + n);
    } else if (b == "sep") {
      entry("button", "");
    } else if (b == "ph") {
      entry("button", "Up_01.ico");
      entry("cmd", Folder + "Bar_01.bar");
      entry("menu", "This is the first button in button bar No. 1");
    } else if (b.starts_with("other ")) {
      entry("cmd", Folder + "Set_0" + n + ".bar");
    } else if (b.starts_with("far ")) {
      entry("cmd", NativePath("D:\\elsewhere\\Bar_0") + n + ".bar");
    } else {
      entry("button", b + ".ico");
      entry("cmd", b + ".exe");
      entry("path", "C:\\" + b);
      entry("menu", b);
      entry("param", "/" + b);
      entry("iconic", "1");
    }
  }
  return bytes;
}

std::string Value(const IniDocument& bar, const std::string& key) { return bar.Read("ButtonBar", key, NotFoundMarker, 4096); }

// What bar 1 of a new set of `barCount` bars holds behind its placeholder: each button's menu (or
// its command, where it has no menu).
std::vector<std::string> KeptBehind(const IniDocument& bar, int barCount) {
  std::vector<std::string> kept;
  const int count = std::stoi(Value(bar, "Buttoncount"));
  for (int k = barCount + 3; k <= count; ++k) {
    const std::string menu = Value(bar, "menu" + std::to_string(k));
    kept.push_back(menu != NotFoundMarker ? menu : Value(bar, "cmd" + std::to_string(k)));
  }
  return kept;
}

TEST(OwnButtons, AllButTheSetsOwnFollowTheNewPlaceholder) {
  const std::string setFolder = Folder + NativePath("Bar_0");
  struct Case {
    const char* Name;
    std::vector<std::string> Earlier;
    int BarCount;
    std::vector<std::string> Kept;
    std::vector<std::string> Reimport{};  // the buttons of the source this Create imports into the bar
  };
  const Case cases[] = {
      {"grown from 3 to 5", {"sw 1", "sw 2", "sw 3", "sep", "ph", "A", "B"}, 5, {"A", "B"}},
      {"shrunk from 5 to 3", {"sw 1", "sw 2", "sw 3", "sw 4", "sw 5", "sep", "ph", "A"}, 3, {"A"}},
      {"the same count", {"sw 1", "sw 2", "sep", "ph", "A", "B", "C"}, 2, {"A", "B", "C"}},
      {"added in the middle", {"sw 1", "sw 2", "sep", "A", "ph", "B"}, 2, {"A", "B"}},
      {"a switch button deleted", {"sw 1", "sw 3", "sep", "ph", "A"}, 3, {"A"}},
      {"the separator deleted", {"sw 1", "sw 2", "ph", "A"}, 2, {"A"}},
      {"the placeholder taken by an import", {"sw 1", "sw 2", "sep", "X", "A"}, 2, {"X", "A"}},
      {"folded and unfolded commands, any letter case", {"sw~ 1", "SW 2", "sw 3", "sep", "ph", "A"}, 3, {"A"}},
      {"a set of another prefix", {"other 1", "other 2", "sep", "A"}, 2,
       {Folder + "Set_01.bar", Folder + "Set_02.bar", "", "A"}},
      {"a set in another folder", {"far 1", "sep", "A"}, 2, {NativePath("D:\\elsewhere\\Bar_01.bar"), "", "A"}},
      {"a bar that begins with its own button", {"A", "sw 1", "sep", "ph"}, 2,
       {"A", "Switch to Buttons Bar 1", "", "This is the first button in button bar No. 1"}},
      {"only the set's own buttons", {"sw 1", "sw 2", "sep", "ph"}, 2, {}},
      // An earlier import of the source imported again is not the bar's own; what the user added is.
      {"an earlier import, imported again", {"sw 1", "sw 2", "sep", "X", "Y"}, 3, {}, {"X", "Y"}},
      {"a button added behind an earlier import", {"sw 1", "sw 2", "sep", "X", "Y", "A"}, 2, {"A"}, {"X", "Y"}},
      {"an import behind kept buttons", {"sw 1", "sw 2", "sep", "ph", "A", "X", "Y"}, 2, {"A"}, {"X", "Y"}},
      {"the source changed since", {"sw 1", "sw 2", "sep", "X", "Y"}, 2, {"X", "Y"}, {"X", "Z"}},
      {"more in the source than the bar holds", {"sw 1", "sw 2", "sep", "X"}, 2, {"X"}, {"X", "Y"}},
      {"the last of two runs goes", {"sw 1", "sw 2", "sep", "ph", "X", "A", "X"}, 2, {"X", "A"}, {"X"}},
      {"runs that overlap", {"sw 1", "sw 2", "sep", "ph", "X", "Y", "X", "Y", "X", "A"}, 2, {"X", "Y", "A"}, {"X", "Y", "X"}},
      {"a run that repeats its start", {"sw 1", "sw 2", "sep", "ph", "X", "X", "Y", "X", "X", "X", "Y", "A"}, 2,
       {"X", "X", "Y", "X", "A"}, {"X", "X", "Y"}},
      {"an imported separator, not the user's", {"sw 1", "sw 2", "sep", "ph", "sep", "A", "sep"}, 2, {"", "A"}, {"sep"}},
  };
  const SwitchCommands switches{Folder, "Bar_", Commander, Windows1252};
  for (const Case& c : cases) {
    const std::string earlier = BarFile(c.Earlier);
    std::vector<int> numbers = OwnButtonNumbers(earlier, 1, switches);
    if (!c.Reimport.empty()) numbers = WithoutReimportedButtons(numbers, earlier, ReadCarriedButtons(BarFile(c.Reimport), Windows1252), Windows1252);
    const OwnButtons own = ReadOwnButtons(earlier, numbers, c.BarCount, Windows1252);
    EXPECT_EQ(own.Count, static_cast<int>(c.Kept.size())) << c.Name;
    EXPECT_FALSE(own.Clamped) << c.Name;
    const std::string generated = GeneratedBarBytes(core_testing::PathsOf(c.BarCount, Folder, NativePath("C:\\TC\\Tools\\")), 1,
                                                    Commander, Windows1252);
    const std::string bytes = WithOwnButtons(generated, own);
    const IniDocument bar{bytes};
    std::vector<std::string> kept = KeptBehind(bar, c.BarCount);
    for (std::string& text : kept)
      if (text == NotFoundMarker) text.clear();  // the separator: an empty picture and no command
    EXPECT_EQ(kept, c.Kept) << c.Name;
    // The set's part stays as generated; nothing kept, nothing changed.
    const IniDocument set{generated};
    for (int k = 1; k <= c.BarCount + 2; ++k)
      for (const char* key : {"button", "cmd", "menu"})
        EXPECT_EQ(Value(bar, key + std::to_string(k)), Value(set, key + std::to_string(k))) << c.Name << ": " << key << k;
    if (c.Kept.empty()) {
      EXPECT_EQ(bytes, generated) << c.Name;
    }
  }
}

TEST(OwnButtons, EveryKeyAsItWasAndCountsNearTheLimit) {
  const SwitchCommands switches{Folder, "Bar_", std::nullopt, Windows1252};
  const std::string earlier = BarFile({"sw 1", "sw 2", "sep", "ph", "A"});
  const OwnButtons own = ReadOwnButtons(earlier, OwnButtonNumbers(earlier, 1, switches), 2, Windows1252);
  IniDocument bar{GeneratedBarBytes(core_testing::PathsOf(2, Folder), 1, std::nullopt, Windows1252)};
  bar.Write("ButtonBar", own.Writes);
  const std::map<std::string, std::string> keys{{"Buttoncount", "5"}, {"button5", "A.ico"}, {"cmd5", "A.exe"},
                                                 {"path5", "C:\\A"},    {"menu5", "A"},         {"param5", "/A"},
                                                 {"iconic5", "1"}};
  for (const auto& [key, expected] : keys) EXPECT_EQ(Value(bar, key), expected) << key;

  // Values the profile reads back unchanged only when quoted keep their blanks.
  const std::string quoted = "[ButtonBar]\r\nButtoncount=1\r\nparam1=\"  spaced  \"\r\nmenu1='q'\r\n";
  IniDocument other{GeneratedBarBytes(core_testing::PathsOf(2, Folder), 1, std::nullopt, Windows1252)};
  other.Write("ButtonBar", ReadOwnButtons(quoted, OwnButtonNumbers(quoted, 1, switches), 2, Windows1252).Writes);
  EXPECT_EQ(Value(other, "param5"), "  spaced  ");
  EXPECT_EQ(Value(other, "menu5"), "q");
  EXPECT_EQ(Value(other, "button5"), NotFoundMarker);  // a key the button lacks stays missing

  struct Near {
    const char* Count;
    int BarCount;
    int Kept;
    bool Clamped;
  };
  // A 3-bar set's bar 1 with 5 buttons of the set and the rest its own.
  for (const Near& c : {Near{"32767", 3, 32762, false}, Near{"32767", 5, 32760, true}, Near{"99999", 20, 32745, true},
                        Near{"0", 2, 0, false}, Near{"-4", 2, 0, false}}) {
    const std::string bar = BarFile({"sw 1", "sw 2", "sw 3", "sep", "ph", "A"}, c.Count);
    const OwnButtons near = ReadOwnButtons(bar, OwnButtonNumbers(bar, 1, switches), c.BarCount, Windows1252);
    EXPECT_EQ(near.Count, c.Kept) << c.Count << " for " << c.BarCount;
    EXPECT_EQ(near.Clamped, c.Clamped) << c.Count << " for " << c.BarCount;
  }
}

TEST(OwnButtons, NamedByTheirTooltipOrCommandInAnyFileShape) {
  const SwitchCommands switches{Folder, "Bar_", std::nullopt, Windows1252};
  const std::string switchPart = "button1=Up_01.ico\r\ncmd1=" + Folder + "Bar_01.bar\r\nbutton2=\r\n";
  struct Case {
    const char* Name;
    std::string Bar;
    std::vector<std::string> Names;
  };
  const Case cases[] = {
      {"a tooltip, else the command", "[ButtonBar]\r\nButtoncount=4\r\n" + switchPart + "menu3=Mine\r\ncmd4=x.exe\r\n",
       {"Mine", "x.exe"}},
      {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF[ButtonBar]\r\nButtoncount=3\r\n" + switchPart + "menu3=\xC3\x9C" "ber\r\n",
       {"\xC3\x9C" "ber"}},
      {"a file shorter than the marker of a missing key", "[ButtonBar]\r\nButtoncount=1\r\n", {""}},
  };
  for (const Case& c : cases) EXPECT_EQ(OwnButtonNames(c.Bar, OwnButtonNumbers(c.Bar, 1, switches), Windows1252), c.Names) << c.Name;
}

}  // namespace
}  // namespace barloom
