#pragma once
// What the About box says: its title, the labels that no text ID captions, and to whom this copy
// of Windows is registered.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace barloom {

// Reads one registry value as cRegistry::ReadValue does: its text, or nullopt.
using RegistryValueReader =
    std::function<std::optional<std::string>(std::string_view valuePath, std::string_view valueName)>;

// A fresh cRegistry's ReadValue: the registry the About box reads outside tests.
std::optional<std::string> ReadSystemRegistryValue(std::string_view valuePath, std::string_view valueName);

inline constexpr std::string_view RegisteredOwnerName = "RegisteredOwner";
// Where Windows records its registered owner, in the order they are asked.
inline constexpr std::string_view RegisteredOwnerKeys[] = {
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
};
inline constexpr std::string_view UnknownOwner = "You";

// The owner shown for the two reads: the first one that found a value (an empty value too),
// else "You".
std::string ShownOwner(const std::optional<std::string>& first, const std::optional<std::string>& second);

// The title: the localised "About" (text 1501), a space and the program's name.
std::string AboutTitle(std::string_view localisedAbout);

// The texts of the labels that carry no text ID.
struct AboutFacts {
  std::string AuthorName;
  std::string VersionNo;
  std::string UserName;  // the registered owner
  std::string EmailAddress;
};

// Reads the registered owner from both places (always both, in order) with `read`.
AboutFacts CollectAboutFacts(const RegistryValueReader& read);

// Which lines of the About box are shown: a line whose value is empty (no author or e-mail address
// built in, an empty registered owner) is left out, label and all, rather than shown blank. The
// version is always there. Without a home page (`homePage` empty) its link and the note that
// points to it are left out too.
struct AboutLines {
  bool Author = true;
  bool Owner = true;
  bool Email = true;
  bool HomePage = true;
  friend bool operator==(const AboutLines&, const AboutLines&) = default;
};
AboutLines ShownAboutLines(const AboutFacts& facts, std::string_view homePage);

}  // namespace barloom
