#pragma once
#include <filesystem>
#include <optional>
#include <vector>

#include "platform/file_failure.h"

// Making the folders of a path, and taking away again the ones that stayed empty when what they
// were made for failed.
namespace barloom {

struct FolderCreation {
  std::vector<std::filesystem::path> Made;  // the folders made, outermost first
  std::optional<WriteFailure> Failure;      // why the folder could not be made; Made holds those made before
  std::filesystem::path FailedAt;           // the part that could not be made, or the file in the way
};

// Makes `folder` and every folder above it that is missing, outermost first. A part that is there
// as something other than a folder stops it (NameIsFile, FailedAt names it); so does the first
// folder the system refuses (its reason by FailureFromSystem).
FolderCreation CreateFolders(const std::filesystem::path& folder);

// Removes the folders of `made` (as CreateFolders gives them) that are empty, deepest first; one
// that holds anything stays, and so do all above it.
void RemoveEmptyFolders(const std::vector<std::filesystem::path>& made);

// For the implementations -----------------------------------------------------------------------

enum class ItemKind { Missing, Folder, Other };
// What is at `path` (links followed); Missing also when the system cannot tell.
ItemKind KindOf(const std::filesystem::path& path);
// Makes the one folder `path`; the system's error code when it cannot.
std::optional<SystemErrorCode> MakeFolder(const std::filesystem::path& path);
// Removes the empty folder `path`; false when it holds anything or cannot be removed.
bool RemoveFolder(const std::filesystem::path& path);

}  // namespace barloom
