#include "ui/options_layout.h"

namespace barloom {
namespace {

constexpr WindowTable Table{TextId::OptionsTitle, nullptr, options_rows::Rows};

}  // namespace

const WindowTable& OptionsTable() { return Table; }

}  // namespace barloom
