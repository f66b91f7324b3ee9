#include "core/windows_names.h"

#include <filesystem>

#include "platform/ascii_text.h"
#include "platform/path_text.h"

namespace barloom {
namespace {

// The name Windows checks against its devices: what comes before the first dot, without the
// spaces that end it.
bool IsDeviceName(std::string_view name) {
  const std::string_view base = TrimRight(name.substr(0, name.find('.')), Spaces);
  for (const std::string_view device : {"CON", "PRN", "AUX", "NUL"})
    if (EqualIgnoringAsciiCase(base, device)) return true;
  if (base.size() < 4 || !(EqualIgnoringAsciiCase(base.substr(0, 3), "COM") ||
                           EqualIgnoringAsciiCase(base.substr(0, 3), "LPT")))
    return false;
  const std::string_view number = base.substr(3);
  if (number.size() == 1) return number[0] >= '1' && number[0] <= '9';
  // Windows counts the superscript digits one to three (UTF-8 C2 B9, C2 B2, C2 B3) as digits here.
  return number == "\xC2\xB9" || number == "\xC2\xB2" || number == "\xC2\xB3";
}

}  // namespace

bool HasForbiddenNameCharacter(std::string_view name) {
  for (const char c : name) {
    if (static_cast<unsigned char>(c) < 0x20 || std::string_view{"\\/:*?\"<>|"}.find(c) != std::string_view::npos)
      return true;
  }
  return false;
}

std::optional<std::string> FindFolderPartWithForbiddenCharacter(std::string_view folder) {
  for (const std::filesystem::path& element : PathFromUtf8(folder).relative_path()) {
    std::string part = Utf8FromPath(element);
    if (HasForbiddenNameCharacter(part)) return part;
  }
  return std::nullopt;
}

std::optional<RefusedNamePart> FindRefusedFolderPart(std::string_view folder) {
  for (const std::filesystem::path& element : PathFromUtf8(folder).relative_path()) {
    const std::string part = Utf8FromPath(element);
    if (part.empty() || part == "." || part == "..") continue;
    if (IsDeviceName(part)) return RefusedNamePart{FileProblem::FolderNameIsDeviceName, part};
    if (part.back() == ' ' || part.back() == '.') return RefusedNamePart{FileProblem::FolderNameEndsInSpaceOrDot, part};
  }
  return std::nullopt;
}

}  // namespace barloom
