#include "platform/environment.h"

#include "platform/ascii_text.h"

extern "C" char** environ;

namespace barloom {

std::optional<std::string> EnvironmentValue(std::string_view name) {
  if (name.empty() || !environ) return std::nullopt;
  // An exact match wins over one that differs in case only (POSIX allows both to exist).
  std::optional<std::string> caseless;
  for (char** entry = environ; *entry; ++entry) {
    const std::string_view text{*entry};
    const auto equals = text.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view entryName = text.substr(0, equals);
    if (entryName == name) return std::string{text.substr(equals + 1)};
    if (!caseless && EqualIgnoringAsciiCase(entryName, name)) caseless = std::string{text.substr(equals + 1)};
  }
  return caseless;
}

}  // namespace barloom
