#pragma once
#include <string>

#include "localisation/text_ids.h"

namespace barloom {

class LoadedLanguage;

// The text of `id` in `language`, as UTF-8: the language file's text for the ID (decoded with the
// code page of FontScript, or as UTF-8 or UTF-16 when the file starts with that byte-order mark),
// else the built-in text; with the built-in texts in use, always the built-in text.
std::string GetText(TextId id, const LoadedLanguage& language);

}  // namespace barloom
