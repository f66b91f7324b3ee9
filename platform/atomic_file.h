#pragma once
#include <filesystem>
#include <string>
#include <string_view>

namespace barloom {

// Replaces (or creates) `file` with `bytes` so that no reader ever sees a half-written file:
// a temporary file in the same folder is written, flushed to disk and renamed over `file`.
// Fails, leaving `file` as it was, when the folder is missing or read-only, `file` is read-only,
// a folder, or held open by another program. On failure `error` (when given) gets a short,
// human-readable reason ("Access is denied.", "The folder does not exist.").
bool ReplaceFileAtomically(const std::filesystem::path& file, std::string_view bytes, std::string* error = nullptr);

}  // namespace barloom
