#include "platform/path_text.h"

namespace barloom {

// The native path text is the UTF-8 itself: nothing to convert, nothing to lose.
std::filesystem::path PathFromUtf8(std::string_view utf8Text) { return std::filesystem::path(std::string(utf8Text)); }

std::string Utf8FromPath(const std::filesystem::path& path) { return path.native(); }

}  // namespace barloom
