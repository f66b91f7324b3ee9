// The Windows steps of folder creation; the POSIX ones are in folder_creation_posix.cpp.
#include <windows.h>

#include "platform/folder_creation.h"

namespace barloom {

ItemKind KindOf(const std::filesystem::path& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return ItemKind::Missing;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? ItemKind::Folder : ItemKind::Other;
}

std::optional<SystemErrorCode> MakeFolder(const std::filesystem::path& path) {
  if (CreateDirectoryW(path.c_str(), nullptr)) return std::nullopt;
  return static_cast<SystemErrorCode>(GetLastError());
}

bool RemoveFolder(const std::filesystem::path& path) { return RemoveDirectoryW(path.c_str()) != 0; }

}  // namespace barloom
