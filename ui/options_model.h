#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The rules of the Options dialog, apart from the window: the language list and its selection,
// and what OK stores. Nothing changes before OK, so closing the dialog any other way discards
// every choice.
namespace barloom {

class Language;
class MessageBoxService;
class cProfile;
struct Settings;

// The fixed first entries of the language list; never translated.
inline constexpr std::string_view DefaultLanguageEntry = "Default";
inline constexpr std::string_view LanguageSeparatorEntry = "-------";
// The folder beside the program that holds the language files.
inline constexpr std::string_view LanguagesFolderName = "Languages";

// The names (with extension, without folder) of the ordinary files in `folder` whose names end in
// ".lng" in any letter case, in alphabetical order without regard to case; none when the folder
// is missing or cannot be read.
std::vector<std::string> ListLanguageFiles(std::string_view folder);

class OptionsModel {
 public:
  // The dialog as it opens: "Default", "-------", then the language files of the program's
  // "Languages" folder. Selected is the stored language file's entry (its name compared without
  // regard to case, as Windows compares file names) whatever UseDefaultLanguage says, or
  // "Default" when no file is stored or the stored one is not listed any more.
  // `settings` is the program's and `language` follows it; both must outlive the model.
  OptionsModel(Settings& settings, const Language& language, const cProfile& profile, MessageBoxService& messages);

  const std::vector<std::string>& Entries() const { return entries_; }
  std::size_t Selected() const { return selected_; }
  // The user picked the entry at `index`; the separator (or an index past the list) selects
  // "Default" instead.
  void Select(std::size_t index);
  // The keyboard moved the closed list to `index`: moving down from "Default" passes over the
  // separator to the first language file, so that the arrow keys reach every entry.
  void MoveTo(std::size_t index);

  // OK with the prefix box's text. A prefix that no file name can begin with, or that makes the
  // bar files' names longer than a file name may be (the message names the first of them), is
  // refused with a message, and nothing changes: the result is false. Otherwise the selected language and the
  // prefix, exactly as typed, go into the settings and the settings file (which stores the prefix
  // trimmed), and the result is true. "Default" keeps the stored language file, so the dialog
  // opens with it again. A language file that names its character set (FontScript) stores it;
  // another language than before that names none, "Default" among them, stores the default set.
  bool Confirm(std::string_view typedPrefix);
  // The last Confirm changed the language of the texts: the switch to the built-in texts, or the
  // language file (its name compared without regard to case, as Windows compares file names).
  bool LanguageChanged() const { return languageChanged_; }

 private:
  std::string LanguagesFolder() const;

  Settings& settings_;
  const Language& language_;
  const cProfile& profile_;
  MessageBoxService& messages_;
  std::vector<std::string> entries_;
  std::size_t selected_ = 0;
  bool languageChanged_ = false;
};

}  // namespace barloom
