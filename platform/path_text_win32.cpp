#include "platform/path_text.h"
#include "platform/code_page.h"

namespace barloom {

std::filesystem::path PathFromUtf8(std::string_view utf8Text) { return std::filesystem::path(WideFromUtf8(utf8Text)); }

std::string Utf8FromPath(const std::filesystem::path& path) { return Utf8FromWide(path.native()); }

}  // namespace barloom
