#include "core/commander_ini.h"

#include <filesystem>

#include "core/commander_config_file.h"
#include "platform/ascii_text.h"
#include "platform/file_bytes.h"
#include "platform/path_text.h"

namespace barloom {
namespace {

constexpr std::string_view CommanderKey = "Software\\Ghisler\\Total Commander";
constexpr std::string_view IniFileNameValue = "IniFileName";
constexpr std::string_view ConfigurationSection = "Configuration";
constexpr std::string_view UseIniInProgramDirKey = "UseIniInProgramDir";
constexpr int UseIniHere = 1;
constexpr int IgnoreRegistry = 4;

std::optional<std::string> Variable(const CommanderFolderSources& sources, std::string_view name) {
  if (!sources.Environment) return std::nullopt;
  std::optional<std::string> value = sources.Environment(name);
  if (value && value->empty()) return std::nullopt;
  return value;
}

bool IsSeparator(char c) { return c == PathSeparator || c == '/'; }

bool HasFolder(std::string_view name) {
  for (const char c : name)
    if (IsSeparator(c)) return true;
  return false;
}

bool IsFullPath(std::string_view path) {
  const std::filesystem::path native = PathFromUtf8(path);
  return native.is_absolute() || native.has_root_directory();
}

std::string PlainPath(const std::filesystem::path& path) {
  std::filesystem::path plain = path.lexically_normal();
  plain.make_preferred();
  return Utf8FromPath(plain);
}

// The number the profile reads from the start of a value: digits after blanks and a sign.
int LeadingInteger(std::string_view text) {
  text = TrimLeft(text, SpacesAndTabs);
  const bool negative = !text.empty() && text.front() == '-';
  if (negative || (!text.empty() && text.front() == '+')) text.remove_prefix(1);
  long long value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9' || value > 0x7FFFFFFF) break;
    value = value * 10 + (c - '0');
  }
  return static_cast<int>(negative ? -value : value);
}

// What [Configuration] UseIniInProgramDir of `iniFile` says; 0 when the file or the key is missing.
int UseIniInProgramDir(const std::string& iniFile) {
  const std::optional<std::string> bytes = ReadFileBytes(PathFromUtf8(iniFile));
  if (!bytes) return 0;
  const std::optional<std::string> value =
      CommanderConfigFile(*bytes).Read(ConfigurationSection, UseIniInProgramDirKey);
  return value ? LeadingInteger(*value) : 0;
}

// Where IniFileName's value names a file: a name without a folder lies in the Windows folder;
// a relative one (".\wincmd.ini" among them) in Total Commander's folder.
std::optional<std::string> IniFileNamed(std::string_view value, const std::optional<std::string>& commanderFolder,
                                        const CommanderFolderSources& sources) {
  const VariableLookup lookup = [&sources](std::string_view name) { return Variable(sources, name); };
  const std::string expanded = ExpandVariables(Trim(value, SpacesAndTabs), lookup);
  if (expanded.empty()) return std::nullopt;
  if (IsFullPath(expanded)) return PlainPath(PathFromUtf8(expanded));
  if (!HasFolder(expanded)) {
    std::optional<std::string> windows = Variable(sources, "WINDIR");
    if (!windows) windows = Variable(sources, "SystemRoot");
    if (!windows) return std::nullopt;
    return PathInFolder(expanded, *windows, lookup);
  }
  if (!commanderFolder) return std::nullopt;
  return PathInFolder(expanded, *commanderFolder, lookup);
}

std::optional<std::string> ExistingIn(const std::optional<std::string>& folder, std::string_view rest) {
  if (!folder) return std::nullopt;
  const std::string file = PlainPath(PathFromUtf8(AddBackslash(*folder) + std::string{rest}));
  return FileExists(file) ? std::optional<std::string>(file) : std::nullopt;
}

}  // namespace

std::string ExpandVariables(std::string_view text, const VariableLookup& lookup) {
  std::string out;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t open = text.find('%', at);
    const std::size_t close = open == std::string_view::npos ? open : text.find('%', open + 1);
    if (close == std::string_view::npos) break;
    out.append(text.substr(at, open - at));
    const std::string_view name = text.substr(open + 1, close - open - 1);
    const std::optional<std::string> value = name.empty() || !lookup ? std::nullopt : lookup(name);
    if (value) {
      out.append(*value);
      at = close + 1;
    } else {
      // The closing "%" may open the next name, as the system reads "%unknown%NAME%".
      out.append(text.substr(open, close - open));
      at = close;
    }
  }
  out.append(text.substr(at));
  return out;
}

std::string PathInFolder(std::string_view name, std::string_view folder, const VariableLookup& lookup) {
  const std::string expanded = ExpandVariables(Trim(name, SpacesAndTabs), lookup);
  if (IsFullPath(expanded)) return PlainPath(PathFromUtf8(expanded));
  return PlainPath(PathFromUtf8(folder) / PathFromUtf8(expanded));
}

VariableLookup CommanderVariables(std::string_view iniFile, const std::optional<std::string>& commanderFolder,
                                  const CommanderFolderSources& sources) {
  std::string ini{iniFile};
  std::string iniFolder = Utf8FromPath(PathFromUtf8(ini).parent_path());
  std::optional<std::string> folder = commanderFolder;
  if (folder && folder->size() > 1 && IsSeparator(folder->back())) folder->pop_back();
  return [ini, iniFolder, folder, sources](std::string_view name) -> std::optional<std::string> {
    // The file being read is the one its own variables name, whichever Total Commander started us.
    if (EqualIgnoringAsciiCase(name, "COMMANDER_INI")) return ini;
    if (EqualIgnoringAsciiCase(name, "COMMANDER_INI_PATH")) return iniFolder;
    if (std::optional<std::string> value = Variable(sources, name)) return value;
    if (EqualIgnoringAsciiCase(name, "COMMANDER_PATH")) return folder;
    return std::nullopt;
  };
}

std::optional<IniLocation> FindCommanderIni(const CommanderFolderSources& sources) {
  if (const std::optional<std::string> named = Variable(sources, "COMMANDER_INI"))
    return IniLocation{PlainPath(PathFromUtf8(*named)), IniRule::CommanderIniVariable};
  const std::optional<std::string> commanderFolder = CommanderFolder(sources);
  int flags = 0;
  if (commanderFolder) {
    const std::string programIni = PlainPath(PathFromUtf8(*commanderFolder + std::string{CommanderIniName}));
    flags = UseIniInProgramDir(programIni);
    if ((flags & UseIniHere) != 0) return IniLocation{programIni, IniRule::ProgramFolder};
  }
  if ((flags & IgnoreRegistry) == 0 && sources.Registry) {
    for (const auto& [root, rule] : {std::pair{RegistryRoot::CurrentUser, IniRule::RegistryCurrentUser},
                                     std::pair{RegistryRoot::LocalMachine, IniRule::RegistryLocalMachine}}) {
      const std::optional<std::string> value = sources.Registry(root, CommanderKey, IniFileNameValue);
      if (!value) continue;
      if (const std::optional<std::string> file = IniFileNamed(*value, commanderFolder, sources))
        return IniLocation{*file, rule};
    }
  }
  if (auto file = ExistingIn(Variable(sources, "APPDATA"), "GHISLER" + std::string(1, PathSeparator) + std::string{CommanderIniName}))
    return IniLocation{*file, IniRule::AppData};
  if (auto file = ExistingIn(Variable(sources, "WINDIR"), CommanderIniName)) return IniLocation{*file, IniRule::WindowsFolder};
  return std::nullopt;
}

}  // namespace barloom
