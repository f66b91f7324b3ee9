#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/atomic_file.h"

// The system's error codes read as reasons, once per platform.
namespace barloom {

// A Win32 error code on Windows, an errno value elsewhere.
using SystemErrorCode = std::uint32_t;

// Why the system refused, with `code`, to write, replace or make `target` (a file or a folder):
// a WriteFailureReason wherever the code names one, else the system's own words. Where one code
// stands for several causes, `target` tells them apart: a name longer than its file system takes
// (FileNameTooLong), a path longer than the system takes (PathTooLong), a drive or share that is
// not there (DriveMissing), a folder that is missing (FolderMissing).
WriteFailure FailureFromSystem(SystemErrorCode code, const std::filesystem::path& target);

// The system's own words for `code`, as one sentence ending in a full stop.
std::string SystemMessage(SystemErrorCode code);

// Whether a part of `path` (a folder or file name) is longer than `maxLength` units of the
// platform's paths: UTF-16 code units on Windows, bytes elsewhere.
bool HasNameLongerThan(const std::filesystem::path& path, std::size_t maxLength);

}  // namespace barloom
