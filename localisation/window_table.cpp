#include "localisation/window_table.h"

namespace barloom {

const ControlRow* FindRow(const WindowTable& table, int id) {
  for (const ControlRow& row : table.Rows)
    if (row.Id == id) return &row;
  return nullptr;
}

int IdOfRole(const WindowTable& table, int role) {
  for (const ControlRow& row : table.Rows)
    if (role != NoRole && row.Role == role) return row.Id;
  return 0;
}

int RoleOfId(const WindowTable& table, int id) {
  const ControlRow* row = FindRow(table, id);
  return row ? row->Role : NoRole;
}

}  // namespace barloom
