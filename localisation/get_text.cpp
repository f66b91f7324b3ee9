#include "localisation/get_text.h"

#include "localisation/builtin_texts.h"
#include "localisation/language_file.h"

namespace barloom {

std::string GetText(TextId id, const LoadedLanguage& language) {
  if (std::optional<std::string> translated = language.Text(id)) return std::move(*translated);
  // Every ID the program asks for has a built-in text; an unknown one shows nothing.
  return std::string(FindBuiltInText(id).value_or(std::string_view{}));
}

}  // namespace barloom
