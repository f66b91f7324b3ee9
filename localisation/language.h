#pragma once
#include <optional>
#include <string>

#include "localisation/language_file.h"
#include "localisation/text_ids.h"
#include "platform/file_bytes.h"

// The language in use: one object for the whole program, asked by everyone who shows a text.
namespace barloom {

struct Settings;

class Language {
 public:
  // Follows `settings` (the program's, which must outlive it): its UseDefaultLanguage,
  // LanguageFile and FontScript say which texts are in use.
  explicit Language(const Settings& settings) : settings_(settings) {}
  Language(const Language&) = delete;
  Language& operator=(const Language&) = delete;

  // The texts in use now. The language file is read at the first use, and again only when the
  // settings name another language or the file's write time or length changed since (one look at
  // the file, no read); a new FontScript alone decodes the same bytes for its character set.
  const LoadedLanguage& Current() const;
  // GetText of `id` in the language in use.
  std::string Text(TextId id) const;
  // The language file the settings name is missing while UseDefaultLanguage is 0: the built-in
  // texts stand in for it, left to right.
  bool FileMissing() const;
  // The character set of every font: FontScript's, or the default set (1) when FontScript is no
  // character set (hand-edited settings).
  int Charset() const;

 private:
  // What the loaded texts were made from.
  struct Source {
    bool BuiltIn = true;
    std::optional<std::string> File;
    std::optional<FileStamp> Stamp;
    friend bool operator==(const Source&, const Source&) = default;
  };
  Source SourceNow() const;

  const Settings& settings_;
  mutable std::optional<Source> source_;
  mutable int fontScript_ = 0;  // the loaded texts are decoded for it
  mutable std::optional<LoadedLanguage> loaded_;
};

}  // namespace barloom
