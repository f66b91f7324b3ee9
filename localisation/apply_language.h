#pragma once
#include <string_view>

// Captioning a whole window in the user's language. The pass only reads the settings: what it
// found out comes back to the caller, which acts on it (the reading order of its own dialogs and
// menus, the message for a missing language file).
namespace barloom {

class Form;
class MessageBoxService;
struct Settings;

inline constexpr std::string_view MissingLanguageFileMessage = "Cannot find language file!";  // never translated

// What one captioning pass found: the language's direction and character set, and whether the
// chosen language file was missing.
struct LanguageFound {
  bool RightToLeft = false;
  // The character set every font of the window was given. Decided in one place
  // (LanguageCharset), so that a character set the language file names itself can take its
  // place there.
  int Charset = 1;
  // UseDefaultLanguage is 0 but the language file does not exist: the window shows the built-in
  // texts, left to right, and the caller reports it (ReportMissingLanguageFile).
  bool MissingFile = false;
};

// The character set of the fonts: FontScript's, or the default set (1) when FontScript is no
// character set (hand-edited settings) instead of cutting it to some unrelated one.
int LanguageCharset(const Settings& settings);

// Captions `form` and its controls from their text IDs (built-in texts, or the language file's,
// read once for the whole window), sets the reading order and alignment of the language's
// direction on the form and on labels, check boxes, option buttons, command buttons and frames,
// and gives every font the language's character set. Any single step that the form or a control
// cannot take is skipped.
LanguageFound ApplyLanguage(Form& form, const Settings& settings);

// A missing language file, once: "Cannot find language file!" through `messages`, and
// UseDefaultLanguage becomes 1 in memory, so that the built-in texts follow and later windows
// show no second message (the settings file keeps its value).
void ReportMissingLanguageFile(Settings& settings, MessageBoxService& messages);

}  // namespace barloom
