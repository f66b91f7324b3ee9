#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "core/bar_set_result.h"

// Folder names that Windows refuses whatever the file system: the same rule on every platform,
// since bars are Windows files.
namespace barloom {

struct RefusedNamePart {
  FileProblem Problem = FileProblem::FolderNameEndsInSpaceOrDot;  // or FolderNameIsDeviceName
  std::string Part;                                               // the part as written (UTF-8)
};

// The first part of the path `folder` (UTF-8) that Windows cannot create or open as a folder: one
// whose name ends in a space or a dot (Windows drops them, so the folder made would not be the
// one named), or a device name (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, also with ¹ ² ³
// after COM or LPT), in any letter case, also with an extension ("nul.txt") or spaces before it.
// The steps "." and ".." and the drive or server at the start are not names. nullopt when every
// part can be a folder's name.
std::optional<RefusedNamePart> FindRefusedFolderPart(std::string_view folder);

// Whether `name` holds a character that Windows refuses in any file or folder name: a path
// separator, one of : * ? " < > | or a control character.
bool HasForbiddenNameCharacter(std::string_view name);

// The first part of the path `folder` (UTF-8) that holds such a character; nullopt when none
// does. The drive or server at the start is not a name.
std::optional<std::string> FindFolderPartWithForbiddenCharacter(std::string_view folder);

}  // namespace barloom
