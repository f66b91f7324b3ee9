#pragma once
#include <string_view>

namespace barloom {

// True when `path` (UTF-8) names a file whose length can be obtained; false on any failure:
// an empty path, a folder, a missing or unreachable file, and the NotFoundMarker.
bool FileExists(std::string_view path);

}  // namespace barloom
