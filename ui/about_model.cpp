#include "ui/about_model.h"

#include "build_info.h"
#include "core/version_text.h"
#include "platform/registry.h"

namespace barloom {

std::optional<std::string> ReadSystemRegistryValue(std::string_view valuePath, std::string_view valueName) {
  return cRegistry{}.ReadValue(valuePath, valueName);
}

std::string ShownOwner(const std::optional<std::string>& first, const std::optional<std::string>& second) {
  return first.value_or(second.value_or(std::string{UnknownOwner}));
}

std::string AboutTitle(std::string_view localisedAbout) {
  return std::string{localisedAbout} + " " + build_info::ProductName;
}

AboutFacts CollectAboutFacts(const RegistryValueReader& read) {
  const std::optional<std::string> first = read(RegisteredOwnerKeys[0], RegisteredOwnerName);
  const std::optional<std::string> second = read(RegisteredOwnerKeys[1], RegisteredOwnerName);
  return {build_info::Author, VersionText(), ShownOwner(first, second), build_info::Email};
}

AboutLines ShownAboutLines(const AboutFacts& facts, std::string_view homePage) {
  return {!facts.AuthorName.empty(), !facts.UserName.empty(), !facts.EmailAddress.empty(), !homePage.empty()};
}

}  // namespace barloom
