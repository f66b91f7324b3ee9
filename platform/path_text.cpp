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
