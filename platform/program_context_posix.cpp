// The program's arguments, environment and folder outside Windows; the Windows ones are in
// program_context_win32.cpp.
#include "platform/program_context.h"

#include <filesystem>
#include <system_error>

#include "platform/ascii_text.h"

namespace barloom {

std::vector<std::string> CommandLineArguments(int argc, char** argv) { return {argv, argv + argc}; }

void UseUtf8Console() {}

}  // namespace barloom

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

std::string ExecutableFolder() {
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return executable.parent_path().string();
}

}  // namespace barloom
