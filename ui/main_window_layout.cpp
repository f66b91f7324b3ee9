#include "ui/main_window_layout.h"

namespace barloom {
namespace {

namespace ids = main_ids;
constexpr WindowTable Table{TextId::None, nullptr, main_rows::MainWindowRows};

}  // namespace

const WindowTable& MainWindowTable() { return Table; }

int IdOf(WizardControl control) {
  const int id = IdOfRole(Table, RoleOf(control));
  return id != 0 ? id : ids::Next;
}

std::optional<WizardControl> WizardControlOf(int id) {
  const int role = RoleOfId(Table, id);
  if (role == NoRole) return std::nullopt;
  return static_cast<WizardControl>(role);
}

}  // namespace barloom
