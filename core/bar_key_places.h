#pragma once
#include <string>
#include <string_view>

#include "core/commander_ini.h"

// Where Total Commander keeps the keys that make a bar file its button bar: the bar file's key and
// the [Layout] key that shows the bar, each in the file that holds its section once the sections'
// redirections are followed.
namespace barloom {

class CommanderConfigFile;

// The horizontal (main) bar, or the vertical one (Total Commander 9 and later).
enum class BarKind { Main, Vertical };

inline constexpr std::string_view BarFileKey = "Buttonbar";
inline constexpr std::string_view LayoutSection = "Layout";
// "Buttonbar" or "ButtonbarVertical": the section of the bar's file key.
std::string_view BarSection(BarKind kind);
// "ButtonBar" or "ButtonBarVertical": the [Layout] key that shows the bar (1) or hides it (0).
std::string_view LayoutKey(BarKind kind);

// How a section came to be in its file.
enum class PlaceRule {
  InIni,               // in wincmd.ini itself: not redirected
  NotRedirected,       // in wincmd.ini: its RedirectSection=0 keeps it there
  RedirectedToFile,    // RedirectSection=<file> in its section of wincmd.ini
  RedirectedToAlternate,  // RedirectSection=1: the file [Configuration] AlternateUserIni names
  AlternateByDefault,  // no RedirectSection, and AlternateUserIni is set: user sections go there
};

struct KeyPlace {
  std::string File;  // full path, UTF-8
  std::string Section;
  std::string Key;
  PlaceRule Rule = PlaceRule::InIni;
};

struct BarKeyPlaces {
  KeyPlace Bar;     // [Buttonbar] / [ButtonbarVertical] Buttonbar=
  KeyPlace Layout;  // [Layout] ButtonBar= / ButtonBarVertical=
};

// The places of `kind`'s keys for `ini`, the wincmd.ini at `iniFile`. A section's RedirectSection
// (read in wincmd.ini) sends it to a file: "0" keeps it, "1" sends it to [Configuration]
// AlternateUserIni's file, anything else names the file (variables expanded, a relative name in
// wincmd.ini's folder). Without one, the bar sections go to AlternateUserIni's file when that is
// set, and [Layout] stays in wincmd.ini. A redirected file is not followed further.
BarKeyPlaces FindBarKeyPlaces(const CommanderConfigFile& ini, std::string_view iniFile, BarKind kind,
                              const VariableLookup& variables);

}  // namespace barloom
