#include "localisation/language.h"

#include "localisation/get_text.h"
#include "settings/settings_file.h"

namespace barloom {

Language::Source Language::SourceNow() const {
  if (settings_.UseDefaultLanguage != 0) return {};
  const std::string file = settings_.LanguageFile.value_or(std::string{});
  return {false, settings_.LanguageFile, StampOf(file)};
}

const LoadedLanguage& Language::Current() const {
  Source now = SourceNow();
  if (!loaded_ || now != source_) {
    loaded_.emplace(settings_);
    source_ = std::move(now);
    fontScript_ = settings_.FontScript;
  } else if (fontScript_ != settings_.FontScript) {
    loaded_->DecodeFor(settings_.FontScript);
    fontScript_ = settings_.FontScript;
  }
  return *loaded_;
}

std::string Language::Text(TextId id) const { return GetText(id, Current()); }

bool Language::FileMissing() const { return settings_.UseDefaultLanguage == 0 && !SourceNow().Stamp; }

int Language::Charset() const {
  constexpr int DefaultCharset = 1;
  const int fontScript = settings_.FontScript;
  return (fontScript >= 0 && fontScript <= 255) ? fontScript : DefaultCharset;
}

}  // namespace barloom
