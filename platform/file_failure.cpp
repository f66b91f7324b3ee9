#include "platform/file_failure.h"

namespace barloom {

bool HasNameLongerThan(const std::filesystem::path& path, std::size_t maxLength) {
  for (const std::filesystem::path& part : path.relative_path())
    if (part.native().size() > maxLength) return true;
  return false;
}

}  // namespace barloom
