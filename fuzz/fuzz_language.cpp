// Arbitrary bytes as a language file, read through GetText and applied by ApplyLanguage to a form
// of fuzzed controls held in memory. Checked:
//  - a language loaded once gives every text that a lookup of its own gives;
//  - every text is valid UTF-8, a translated one never empty, an untranslated one the built-in;
//  - ApplyLanguage captions the form, each control and each toolbar button or tab that carries a
//    positive text ID with that ID's text, leaves the others as they were, gives every font the
//    usable character set and every control with a reading order the language's direction, and
//    reports what it did: that direction and character set, and an existing file never missing.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_files.h"
#include "localisation/apply_language.h"
#include "localisation/builtin_texts.h"
#include "localisation/get_text.h"
#include "localisation/language_file.h"
#include "platform/code_page.h"
#include "settings/settings_file.h"
#include "tests/support/memory_form.h"

namespace {

using namespace barloom;
using fuzz::Check;

constexpr ControlKind Kinds[] = {ControlKind::Label,    ControlKind::CheckBox, ControlKind::OptionButton,
                                  ControlKind::CommandButton, ControlKind::Frame, ControlKind::Menu,
                                  ControlKind::Toolbar,  ControlKind::TabStrip, ControlKind::TextBox,
                                  ControlKind::Other};

bool TakesReadingOrder(ControlKind kind) {
  return kind == ControlKind::Label || kind == ControlKind::CheckBox || kind == ControlKind::OptionButton ||
         kind == ControlKind::CommandButton || kind == ControlKind::Frame;
}

// The text a caption shows after the pass: the ID's text for a positive ID, else as designed.
std::string Expected(int textId, const std::string& design, const LoadedLanguage& language) {
  return textId > NoText ? GetText(textId, language) : design;
}

void CheckText(const std::string& text, int id, bool translated) {
  Check(IsValidUtf8(text), "a text is not valid UTF-8");
  if (translated) Check(!text.empty(), "a translated text is empty");
  if (!translated) Check(text == FindBuiltInText(id).value_or(""), "an untranslated text is not the built-in one");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  Settings settings;
  settings.FontScript = provider.ConsumeIntegral<std::int16_t>();
  settings.UseDefaultLanguage = provider.ConsumeBool() ? 1 : 0;
  const int controlCount = provider.ConsumeIntegralInRange(0, 6);
  MemoryForm form;
  form.CaptionText = "form";
  form.RightToLeft = false;
  form.FontCharset = 0;
  form.TextIdValue = provider.ConsumeIntegral<std::int16_t>();
  for (int i = 0; i < controlCount; ++i) {
    MemoryControl control;
    control.KindValue = Kinds[provider.ConsumeIntegralInRange<std::size_t>(0, std::size(Kinds) - 1)];
    control.TextIdValue = provider.ConsumeIntegral<std::int16_t>();
    control.CaptionText = "design";
    control.RightToLeft = false;
    control.Alignment = 2;
    control.FontCharset = 0;
    if (control.KindValue == ControlKind::Toolbar || control.KindValue == ControlKind::TabStrip) {
      control.Items = {{provider.ConsumeIntegral<std::int16_t>(), "item"}, {control.TextIdValue, "item"}};
    }
    form.Controls.push_back(std::move(control));
  }
  settings.LanguageFile = fuzz::PutFile("language.lng", provider.ConsumeRemainingBytesAsString());

  const LoadedLanguage language(settings);
  for (const BuiltInText& entry : BuiltInTexts()) {
    const std::optional<std::string> text = language.Text(entry.Id);
    CheckText(GetText(entry.Id, language), entry.Id, text.has_value());
  }
  for (const int id : {101, 604, 3056}) {
    Check(GetText(id, settings) == GetText(id, language), "a lookup of its own differs from the loaded language");
  }

  const MemoryForm before = form;
  const LanguageFound found = ApplyLanguage(form, settings);
  Check(!found.MissingFile, "an existing language file reported missing");
  const int charset = settings.FontScript >= 0 && settings.FontScript <= 255 ? settings.FontScript : 1;
  const bool rightToLeft = language.RightToLeft();
  Check(found.Charset == charset && found.RightToLeft == rightToLeft, "what the pass reports");
  Check(form.FontCharset == charset && form.RightToLeft == rightToLeft, "the form's font or direction");
  Check(form.CaptionText == Expected(form.TextIdValue, "form", language), "the form's caption");
  for (std::size_t i = 0; i < form.Controls.size(); ++i) {
    const MemoryControl& control = form.Controls[i];
    const ControlKind kind = control.KindValue;
    Check(control.FontCharset == charset, "a control's font");
    if (TakesReadingOrder(kind)) {
      Check(control.RightToLeft == rightToLeft && control.Alignment == (rightToLeft ? AlignRight : AlignLeft),
            "a control's direction");
    } else {
      Check(control.RightToLeft == false && control.Alignment == 2, "a control without reading order changed");
    }
    for (const MemoryItem& item : control.Items) {
      Check(item.Text == Expected(item.TextId, "item", language), "an item's text");
    }
    const std::string& design = *before.Controls[i].CaptionText;
    const bool captioned = kind != ControlKind::Toolbar && kind != ControlKind::TabStrip;
    Check(control.CaptionText == (captioned ? Expected(control.TextIdValue, design, language) : design),
          "a control's caption");
  }
  return 0;
}
