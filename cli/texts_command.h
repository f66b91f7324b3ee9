#pragma once
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

// `barloom-cli texts`: the translator's check of a language file.
namespace barloom {

struct TextsOptions {
  std::optional<std::string> LanguageFile;  // UTF-8 path; none: the built-in texts
  std::int16_t FontScript = 1;              // the character set whose code page decodes the file
};

// Writes to `out`, for every text ID of the built-in table in ascending order, the ID, a tab and
// the text the program would show (UTF-8), one per line; writes to `err` which IDs fall back to
// the built-in text. A language file that does not exist is an error: ExitFailure, nothing on
// `out`. So is an `out` that cannot be written. Otherwise ExitSuccess.
int RunTexts(const TextsOptions& options, std::ostream& out, std::ostream& err);

}  // namespace barloom
