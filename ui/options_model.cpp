#include "ui/options_model.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>

#include "build_info.h"
#include "core/bar_set.h"
#include "localisation/language.h"
#include "platform/message_box.h"
#include "platform/path_text.h"
#include "platform/text_case.h"
#include "settings/settings_file.h"

namespace barloom {
namespace {

constexpr std::string_view LanguageFileExtension = ".lng";
constexpr std::size_t FirstFileEntry = 2;  // after "Default" and the separator

// Windows compares file names without regard to case; a name the system cannot lower-case is
// compared as it is.
std::string CaseFolded(std::string_view name) { return LowerCaseText(name).value_or(std::string{name}); }

bool IsLanguageFileName(std::string_view name) {
  const std::string folded = CaseFolded(name);
  return folded.size() >= LanguageFileExtension.size() &&
         folded.compare(folded.size() - LanguageFileExtension.size(), std::string::npos, LanguageFileExtension) == 0;
}

}  // namespace

std::vector<std::string> ListLanguageFiles(std::string_view folder) {
  std::vector<std::pair<std::string, std::string>> found;  // folded name, name
  std::error_code error;
  std::filesystem::directory_iterator entry(PathFromUtf8(folder), error);
  for (const std::filesystem::directory_iterator end; !error && entry != end; entry.increment(error)) {
    std::error_code kindError;
    if (!entry->is_regular_file(kindError)) continue;
    std::string name = Utf8FromPath(entry->path().filename());
    if (IsLanguageFileName(name)) found.emplace_back(CaseFolded(name), std::move(name));
  }
  // Names that differ in case only (possible outside Windows) keep one order.
  std::sort(found.begin(), found.end());
  std::vector<std::string> names;
  names.reserve(found.size());
  for (auto& [folded, name] : found) names.push_back(std::move(name));
  return names;
}

OptionsModel::OptionsModel(Settings& settings, const Language& language, const cProfile& profile,
                           MessageBoxService& messages)
    : settings_(settings), language_(language), profile_(profile), messages_(messages) {
  entries_ = {std::string{DefaultLanguageEntry}, std::string{LanguageSeparatorEntry}};
  std::vector<std::string> files = ListLanguageFiles(LanguagesFolder());
  entries_.insert(entries_.end(), std::make_move_iterator(files.begin()), std::make_move_iterator(files.end()));
  if (!settings_.LanguageFile) return;
  const std::string stored = CaseFolded(GetFileName(*settings_.LanguageFile));
  for (std::size_t index = FirstFileEntry; index < entries_.size(); ++index) {
    if (CaseFolded(entries_[index]) == stored) {
      selected_ = index;
      return;
    }
  }
}

void OptionsModel::Select(std::size_t index) {
  selected_ = index >= FirstFileEntry && index < entries_.size() ? index : 0;
}

void OptionsModel::MoveTo(std::size_t index) {
  if (index == FirstFileEntry - 1 && selected_ == 0 && entries_.size() > FirstFileEntry) {
    selected_ = FirstFileEntry;
    return;
  }
  Select(index);
}

bool OptionsModel::Confirm(std::string_view typedPrefix) {
  // Every Create would fail on such a prefix; better to say so while the user is typing it.
  if (!IsUsableBarFilePrefix(typedPrefix)) {
    messages_.Show(language_.Text(TextId::UnusablePrefix), build_info::ProductName, MessageIcon::Error);
    return false;
  }
  if (!BarFileNamesFit(typedPrefix)) {
    const std::string firstBar = std::string{typedPrefix} + "01.bar";
    messages_.Show(JoinLines({language_.Text(TextId::PrefixTooLong), firstBar,
                              ReasonText(WriteFailureReason::FileNameTooLong, language_.Current())}),
                   build_info::ProductName, MessageIcon::Error);
    return false;
  }
  const bool wasBuiltIn = settings_.UseDefaultLanguage != 0;
  const std::string wasFile = CaseFolded(settings_.LanguageFile.value_or(std::string{}));
  const int wasFontScript = settings_.FontScript;
  std::optional<std::int16_t> fontScript;
  bool choiceChanged = false;
  if (selected_ >= FirstFileEntry) {
    settings_.UseDefaultLanguage = 0;
    settings_.LanguageFile = AddBackslash(LanguagesFolder()) + entries_[selected_];
    choiceChanged = wasBuiltIn || CaseFolded(*settings_.LanguageFile) != wasFile;
    // A file that names the character set of its texts reads right without a hand edit. The
    // language in use is the picked file from here on: this reads it, and every window after.
    fontScript = language_.Current().FontScript();
  } else {
    settings_.UseDefaultLanguage = 1;
    choiceChanged = !wasBuiltIn;
  }
  // Another language that names no character set starts from the default one: the set an earlier
  // file named would draw this one's letters as boxes. The same language confirmed again keeps a
  // set the user gave by hand.
  if (!fontScript && choiceChanged && wasFontScript != DefaultFontScript) fontScript = DefaultFontScript;
  languageChanged_ = choiceChanged || (fontScript && *fontScript != wasFontScript);
  settings_.BarFilePrefix = std::string{typedPrefix};
  SaveSettings(settings_, profile_);
  if (fontScript) StoreFontScript(settings_, *fontScript, profile_);
  return true;
}

std::string OptionsModel::LanguagesFolder() const {
  return AddBackslash(settings_.AppFolder) + std::string{LanguagesFolderName};
}

}  // namespace barloom
