#pragma once
#include <optional>
#include <span>
#include <string_view>

#include "localisation/text_ids.h"

// The built-in English text table: every text the program shows, by text ID.
namespace barloom {

struct BuiltInText {
  TextId Id;
  std::string_view Text;  // UTF-8; "&" marks the access key
};

// All entries, in ascending ID order.
std::span<const BuiltInText> BuiltInTexts();

// The built-in text of `id`; nullopt for an ID the table does not hold.
std::optional<std::string_view> FindBuiltInText(TextId id);

}  // namespace barloom
