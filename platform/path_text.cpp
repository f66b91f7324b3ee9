#include "platform/path_text.h"

namespace barloom {

std::string AddBackslash(std::string_view path) {
  std::string result{path};
  if (result.empty() || result.back() != PathSeparator) result += PathSeparator;
  return result;
}

std::string GetFileName(std::string_view path) {
  const auto separator = path.find_last_of(PathSeparator);
  return std::string{separator == std::string_view::npos ? path : path.substr(separator + 1)};
}

}  // namespace barloom

#ifndef _WIN32
namespace barloom {

// The native path text is the UTF-8 itself: nothing to convert, nothing to lose.
std::filesystem::path PathFromUtf8(std::string_view utf8Text) { return std::filesystem::path(std::string(utf8Text)); }

std::string Utf8FromPath(const std::filesystem::path& path) { return path.native(); }

}  // namespace barloom
#endif  // !_WIN32
