#include "platform/folder_creation.h"

namespace barloom {

FolderCreation CreateFolders(const std::filesystem::path& folder) {
  FolderCreation result;
  // The parts to make, deepest first: up to the nearest folder that is there, never a drive or a
  // share (the system says why it cannot make the first part below one that is missing).
  std::vector<std::filesystem::path> missing;
  for (std::filesystem::path part = folder; part.has_relative_path(); part = part.parent_path()) {
    const ItemKind kind = KindOf(part);
    if (kind == ItemKind::Folder) break;
    if (kind == ItemKind::Other) {
      result.Failure = WriteFailure{WriteFailureReason::NameIsFile, {}};
      result.FailedAt = part;
      return result;
    }
    missing.push_back(part);
  }
  for (auto part = missing.rbegin(); part != missing.rend(); ++part) {
    if (const auto code = MakeFolder(*part)) {
      if (KindOf(*part) == ItemKind::Folder) continue;  // made by someone else meanwhile: not ours
      result.Failure = FailureFromSystem(*code, *part);
      result.FailedAt = *part;
      return result;
    }
    result.Made.push_back(*part);
  }
  return result;
}

void RemoveEmptyFolders(const std::vector<std::filesystem::path>& made) {
  for (auto folder = made.rbegin(); folder != made.rend(); ++folder)
    if (!RemoveFolder(*folder)) return;
}

}  // namespace barloom
