// The POSIX steps of folder creation; the Windows ones are in folder_creation_win32.cpp.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/folder_creation.h"

namespace barloom {

ItemKind KindOf(const std::filesystem::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return ItemKind::Missing;
  return S_ISDIR(info.st_mode) ? ItemKind::Folder : ItemKind::Other;
}

std::optional<SystemErrorCode> MakeFolder(const std::filesystem::path& path) {
  if (::mkdir(path.c_str(), 0777) == 0) return std::nullopt;
  return static_cast<SystemErrorCode>(errno);
}

bool RemoveFolder(const std::filesystem::path& path) { return ::rmdir(path.c_str()) == 0; }

}  // namespace barloom
