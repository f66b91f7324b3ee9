#include "localisation/apply_language.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "build_info.h"
#include "localisation/form_model.h"
#include "localisation/get_text.h"
#include "localisation/language_file.h"
#include "platform/file_exists.h"
#include "platform/message_box.h"
#include "settings/number_text.h"
#include "settings/settings_file.h"

namespace barloom {
namespace {

constexpr std::string_view MissingLanguageFileMessage = "Cannot find language file!";  // never translated
constexpr int DefaultCharset = 1;

// The fonts take a character-set byte; a FontScript outside it (hand-edited settings) falls
// back to the default set instead of being cut to some unrelated one.
int UsableCharset(int fontScript) { return (fontScript >= 0 && fontScript <= 255) ? fontScript : DefaultCharset; }

bool TakesReadingOrder(ControlKind kind) {
  switch (kind) {
    case ControlKind::Label:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
    case ControlKind::CommandButton:
    case ControlKind::Frame:
      return true;
    default:
      return false;
  }
}

bool IsSeparator(const FormControl& control) { return control.Caption() == MenuSeparatorCaption; }

// A missing file is reported here, once: the built-in texts take over for the rest of the run (in
// memory; the settings file keeps its value).
void CheckLanguageFile(Settings& settings, MessageBoxService& messageBox) {
  if (settings.UseDefaultLanguage != 0 || FileExists(settings.LanguageFile.value_or(std::string{}))) return;
  messageBox.Show(MissingLanguageFileMessage, build_info::ProductName, MessageIcon::Error);
  settings.UseDefaultLanguage = 1;
}

void CaptionItems(FormControl& control, const LoadedLanguage& language) {
  for (std::size_t i = 0; i < control.ItemCount(); ++i) {
    if (const std::optional<std::int16_t> id = ParseWholeInt16(control.ItemTag(i))) {
      control.SetItemText(i, GetText(*id, language));
    }
  }
}

void CaptionControl(FormControl& control, ControlKind kind, const LoadedLanguage& language) {
  if (kind == ControlKind::Menu) {
    if (IsSeparator(control)) return;
    if (const std::optional<std::int16_t> id = ParseWholeInt16(control.Tag())) {
      control.SetCaption(GetText(*id, language));
    }
  } else if (kind == ControlKind::Toolbar || kind == ControlKind::TabStrip) {
    CaptionItems(control, language);
  } else {
    // Other controls take the number their tag begins with, read leniently.
    const std::int16_t id = RoundToInt16(ReadLeadingNumber(control.Tag())).value_or(0);
    if (id > 0) control.SetCaption(GetText(id, language));
  }
}

}  // namespace

void SetMenuTags(Form& form) {
  for (std::size_t i = 0; i < form.ControlCount(); ++i) {
    FormControl& control = form.Control(i);
    if (control.Kind() != ControlKind::Menu || IsSeparator(control)) continue;
    if (const std::optional<std::string> caption = control.Caption()) control.SetTag(*caption);
  }
}

void ApplyLanguage(Form& form, Settings& settings, MessageBoxService& messageBox) {
  CheckLanguageFile(settings, messageBox);
  // The file is read once for the whole window, however many controls it has.
  const LoadedLanguage language(settings);
  const bool rightToLeft = language.RightToLeft();
  const int charset = UsableCharset(settings.FontScript);

  form.SetRightToLeft(rightToLeft);
  form.SetFontCharset(charset);
  if (const std::optional<std::int16_t> id = ParseWholeInt16(form.Tag())) form.SetCaption(GetText(*id, language));

  for (std::size_t i = 0; i < form.ControlCount(); ++i) {
    FormControl& control = form.Control(i);
    control.SetFontCharset(charset);
    const ControlKind kind = control.Kind();
    if (TakesReadingOrder(kind)) {
      control.SetRightToLeft(rightToLeft);
      control.SetAlignment(rightToLeft ? AlignRight : AlignLeft);
    }
    CaptionControl(control, kind, language);
  }
}

}  // namespace barloom
