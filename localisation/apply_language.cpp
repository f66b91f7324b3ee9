#include "localisation/apply_language.h"

#include <string>

#include "build_info.h"
#include "localisation/form_model.h"
#include "localisation/get_text.h"
#include "localisation/language_file.h"
#include "platform/file_exists.h"
#include "platform/message_box.h"
#include "settings/settings_file.h"

namespace barloom {
namespace {

constexpr int DefaultCharset = 1;

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

bool IsText(int textId) { return textId > NoText; }

bool LanguageFileMissing(const Settings& settings) {
  return settings.UseDefaultLanguage == 0 && !FileExists(settings.LanguageFile.value_or(std::string{}));
}

// The language the window is captioned in: the built-in texts when the file is missing.
LoadedLanguage LoadLanguage(const Settings& settings, bool missingFile) {
  if (!missingFile) return LoadedLanguage(settings);
  Settings builtIn = settings;
  builtIn.UseDefaultLanguage = 1;
  return LoadedLanguage(builtIn);
}

void CaptionControl(FormControl& control, ControlKind kind, const LoadedLanguage& language) {
  if (kind == ControlKind::Toolbar || kind == ControlKind::TabStrip) {
    for (std::size_t i = 0; i < control.ItemCount(); ++i) {
      if (const int id = control.ItemTextId(i); IsText(id)) control.SetItemText(i, GetText(id, language));
    }
  } else if (const int id = control.TextId(); IsText(id)) {
    control.SetCaption(GetText(id, language));
  }
}

}  // namespace

int LanguageCharset(const Settings& settings) {
  const int fontScript = settings.FontScript;
  return (fontScript >= 0 && fontScript <= 255) ? fontScript : DefaultCharset;
}

LanguageFound ApplyLanguage(Form& form, const Settings& settings) {
  LanguageFound found;
  found.MissingFile = LanguageFileMissing(settings);
  // The file is read once for the whole window, however many controls it has.
  const LoadedLanguage language = LoadLanguage(settings, found.MissingFile);
  found.RightToLeft = language.RightToLeft();
  found.Charset = LanguageCharset(settings);

  form.SetRightToLeft(found.RightToLeft);
  form.SetFontCharset(found.Charset);
  if (const int id = form.TextId(); IsText(id)) form.SetCaption(GetText(id, language));

  for (std::size_t i = 0; i < form.ControlCount(); ++i) {
    FormControl& control = form.Control(i);
    control.SetFontCharset(found.Charset);
    const ControlKind kind = control.Kind();
    if (TakesReadingOrder(kind)) {
      control.SetRightToLeft(found.RightToLeft);
      control.SetAlignment(found.RightToLeft ? AlignRight : AlignLeft);
    }
    CaptionControl(control, kind, language);
  }
  return found;
}

void ReportMissingLanguageFile(Settings& settings, MessageBoxService& messages) {
  messages.Show(MissingLanguageFileMessage, build_info::ProductName, MessageIcon::Error);
  settings.UseDefaultLanguage = 1;
}

}  // namespace barloom
