#pragma once

// Captioning a whole window in the user's language.
namespace barloom {

class Form;
class MessageBoxService;
struct Settings;

// Gives every menu item (kind "menu") that is not a separator ("-") its design caption, the text
// ID, as its tag. Run once on the main window before its first ApplyLanguage.
void SetMenuTags(Form& form);

// Captions `form` and all its controls from their tags, sets the reading order and alignment
// of the language's direction and gives every font FontScript's character set. A language file
// that does not exist while UseDefaultLanguage is 0 is reported once through `messageBox`
// ("Cannot find language file!") and UseDefaultLanguage becomes 1 in memory, so the built-in
// texts follow and later windows show no second message. Any single step that the form or a
// control cannot take is skipped.
void ApplyLanguage(Form& form, Settings& settings, MessageBoxService& messageBox);

}  // namespace barloom
