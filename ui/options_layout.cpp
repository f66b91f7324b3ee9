#include "ui/options_layout.h"

namespace barloom {
namespace {

namespace ids = options_ids;
using Kind = ControlKind;
using Flags = ControlFlags;

constexpr ControlRow Rows[] = {
    {ids::Ok, Kind::CommandButton, TextId::Ok, {1233, 1170, 1125, 345}, Flags::TabStop | Flags::DefaultButton},
    {ids::Cancel, Kind::CommandButton, TextId::Cancel, {2456, 1170, 1125, 345}, Flags::TabStop},
    {ids::Label1, Kind::Label, TextId::PrefixLabel, {120, 180, 2295, 315}},
    {ids::Prefix, Kind::TextBox, TextId::None, {2550, 180, 2145, 315}, Flags::TabStop},
    {ids::Label2, Kind::Label, TextId::LanguageFileLabel, {120, 600, 2295, 315}},
    {ids::LanguageList, Kind::ComboBox, TextId::None, {2550, 600, 2145, 315}, Flags::TabStop},
};

constexpr WindowTable Table{TextId::OptionsTitle, nullptr, Rows};

}  // namespace

const WindowTable& OptionsTable() { return Table; }

}  // namespace barloom
