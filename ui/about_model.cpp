#include "ui/about_model.h"

#include "build_info.h"
#include "core/version_text.h"
#include "platform/not_found_marker.h"
#include "platform/registry.h"

namespace barloom {

std::string ReadSystemRegistryValue(std::string_view valuePath, std::string_view valueName) {
  return cRegistry{}.ReadValue(valuePath, valueName);
}

std::string ShownOwner(std::string_view first, std::string_view second) {
  if (first != NotFoundMarker) return std::string{first};
  if (second != NotFoundMarker) return std::string{second};
  return std::string{UnknownOwner};
}

std::string AboutTitle(std::string_view localisedAbout) {
  return std::string{localisedAbout} + " " + build_info::ProductName;
}

AboutFacts CollectAboutFacts(const RegistryValueReader& read) {
  const std::string first = read(RegisteredOwnerKeys[0], RegisteredOwnerName);
  const std::string second = read(RegisteredOwnerKeys[1], RegisteredOwnerName);
  return {build_info::Author, VersionText(), ShownOwner(first, second), build_info::Email};
}

AboutLines ShownAboutLines(const AboutFacts& facts) {
  return {!facts.AuthorName.empty(), !facts.UserName.empty(), !facts.EmailAddress.empty()};
}

}  // namespace barloom
