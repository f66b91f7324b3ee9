#include "cli/resolved_path.h"

#include <filesystem>
#include <system_error>

#include "platform/path_text.h"

namespace barloom {
namespace {

namespace fs = std::filesystem;

#ifndef _WIN32
// ".." after a symbolic link leads to the parent of the link's target, not to the folder that
// holds the link, so such a link is followed before its ".." is taken. ".." after anything else
// is taken by the text, which keeps the spelling of the links before it. A ".." that the system
// cannot resolve (after a link to nothing) is left with the rest of the path for the system to
// refuse.
fs::path ResolveDotSteps(const fs::path& absolute) {
  fs::path resolved = absolute.root_path();
  const fs::path steps = absolute.relative_path();
  for (auto step = steps.begin(); step != steps.end(); ++step) {
    if (step->empty() || *step == ".") continue;
    if (*step != "..") {
      resolved /= *step;
      continue;
    }
    std::error_code error;
    if (fs::is_symlink(fs::symlink_status(resolved, error))) {
      fs::path target = fs::canonical(resolved, error);
      if (error) {
        for (; step != steps.end(); ++step) resolved /= *step;
        return resolved;
      }
      resolved = std::move(target);
    }
    resolved = resolved.parent_path();  // the root's parent is the root, as for the system
  }
  return resolved;
}
#endif

}  // namespace

std::string ResolvedPath(const std::string& utf8) {
  if (utf8.empty()) return utf8;
  std::error_code error;
  fs::path path = fs::absolute(PathFromUtf8(utf8), error);
  if (error) path = PathFromUtf8(utf8);
#ifdef _WIN32
  path = path.lexically_normal();  // Windows resolves ".." by the text alone
#else
  path = ResolveDotSteps(path);
#endif
  path.make_preferred();
  return Utf8FromPath(path);
}

}  // namespace barloom
