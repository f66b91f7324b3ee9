#include "core/version_text.h"

#include "build_info.h"

namespace barloom {

std::string VersionText(int major, int minor, int revision) {
  return std::to_string(major) + "." + std::to_string(minor) + std::to_string(revision);
}

std::string VersionText() {
  return VersionText(build_info::VersionMajor, build_info::VersionMinor, build_info::VersionRevision);
}

}  // namespace barloom
