#include "core/commander_path.h"

#include "platform/program_context.h"
#include "platform/path_text.h"
#include "platform/text_case.h"
#include "platform/utf8.h"

namespace barloom {
namespace {

constexpr std::string_view CommanderPathVariable = "COMMANDER_PATH";
constexpr std::string_view CommanderRegistryKey = "Software\\Ghisler\\Total Commander";
constexpr std::string_view CommanderRegistryValue = "InstallDir";

// The byte offset just past the first `count` characters of `utf8` (all of it when it has fewer);
// nullopt when the text is not UTF-8 up to there.
std::optional<std::size_t> OffsetOfCharacter(std::string_view utf8, std::size_t count) {
  std::size_t offset = 0;
  for (std::size_t i = 0; i < count && offset < utf8.size(); ++i)
    if (utf8::Next(utf8, offset) == utf8::Invalid) return std::nullopt;
  return offset;
}

std::size_t CharacterCount(std::string_view utf8) {
  std::size_t count = 0;
  for (const char c : utf8)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  return count;
}

std::optional<std::string> NonEmpty(std::optional<std::string> value) {
  if (value && value->empty()) return std::nullopt;
  return value;
}

}  // namespace

std::string CommanderPathPrefix() { return std::string{"%Commander_Path%"} + PathSeparator; }

std::string FoldCommanderPath(std::string_view path, const std::optional<std::string>& commanderFolder) {
  if (!commanderFolder || commanderFolder->empty()) return std::string{path};
  const auto front = OffsetOfCharacter(path, CharacterCount(*commanderFolder));
  if (!front) return std::string{path};
  const auto lowerFront = LowerCaseText(path.substr(0, *front));
  const auto lowerFolder = LowerCaseText(*commanderFolder);
  if (!lowerFront || !lowerFolder || *lowerFront != *lowerFolder) return std::string{path};
  return CommanderPathPrefix() + std::string{path.substr(*front)};
}

CommanderFolderSources SystemCommanderFolderSources() { return {EnvironmentValue, ReadRegistryText}; }

std::optional<std::string> CommanderFolder(const CommanderFolderSources& sources) {
  std::optional<std::string> folder;
  if (sources.Environment) folder = NonEmpty(sources.Environment(CommanderPathVariable));
  if (!folder && sources.Registry) {
    folder = NonEmpty(sources.Registry(RegistryRoot::CurrentUser, CommanderRegistryKey, CommanderRegistryValue));
    if (!folder)
      folder = NonEmpty(sources.Registry(RegistryRoot::LocalMachine, CommanderRegistryKey, CommanderRegistryValue));
  }
  if (!folder) return std::nullopt;
  return AddBackslash(*folder);
}

}  // namespace barloom
