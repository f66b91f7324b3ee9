// Arbitrary bytes as a language file, read through GetText and applied by ApplyLanguage to a form
// of fuzzed controls held in memory. Checked:
//  - a language loaded once gives every text that a lookup of its own gives;
//  - every text is valid UTF-8, a translated one never empty, an untranslated one the built-in;
//  - ApplyLanguage captions each control with the text of the ID its tag names (whole-number tags
//    for menus, toolbar buttons and tabs, the leading number for the rest), leaves a control
//    without that ID as it was, gives every font the usable character set and every control
//    with a reading order the language's direction; an existing file is never reported missing.
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
#include "platform/message_box.h"
#include "settings/number_text.h"
#include "settings/settings_file.h"
#include "tests/support/memory_form.h"

namespace {

using namespace barloom;
using fuzz::Check;

class CountingMessageBox final : public MessageBoxService {
 public:
  void Show(std::string_view, std::string_view, MessageIcon) override { ++Shown; }
  int Shown = 0;
};

constexpr ControlKind Kinds[] = {ControlKind::Label,    ControlKind::CheckBox, ControlKind::OptionButton,
                                  ControlKind::CommandButton, ControlKind::Frame, ControlKind::Menu,
                                  ControlKind::Toolbar,  ControlKind::TabStrip, ControlKind::TextBox,
                                  ControlKind::Other};

bool TakesReadingOrder(ControlKind kind) {
  return kind == ControlKind::Label || kind == ControlKind::CheckBox || kind == ControlKind::OptionButton ||
         kind == ControlKind::CommandButton || kind == ControlKind::Frame;
}

// The ID a tag names: whole numbers only for menu items, toolbar buttons and tabs; the leading
// number, when positive, for the others.
std::optional<int> IdOfTag(std::string_view tag, bool wholeNumber) {
  if (wholeNumber) {
    if (const auto id = ParseWholeInt16(tag)) return *id;
    return std::nullopt;
  }
  const int id = RoundToInt16(ReadLeadingNumber(tag)).value_or(0);
  if (id > 0) return id;
  return std::nullopt;
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
  form.TagText = provider.ConsumeRandomLengthString(12);
  for (int i = 0; i < controlCount; ++i) {
    MemoryControl control;
    control.KindValue = Kinds[provider.ConsumeIntegralInRange<std::size_t>(0, std::size(Kinds) - 1)];
    control.TagText = provider.ConsumeRandomLengthString(12);
    control.CaptionText = "design";
    control.RightToLeft = false;
    control.Alignment = 2;
    control.FontCharset = 0;
    if (control.KindValue == ControlKind::Toolbar || control.KindValue == ControlKind::TabStrip) {
      control.Items = {{provider.ConsumeRandomLengthString(8), "item"}, {control.TagText, "item"}};
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
  CountingMessageBox messages;
  ApplyLanguage(form, settings, messages);
  Check(messages.Shown == 0, "an existing language file reported missing");
  const int charset = settings.FontScript >= 0 && settings.FontScript <= 255 ? settings.FontScript : 1;
  const bool rightToLeft = language.RightToLeft();
  Check(form.FontCharset == charset && form.RightToLeft == rightToLeft, "the form's font or direction");
  const std::optional<int> formId = IdOfTag(form.TagText, true);
  Check(form.CaptionText == (formId ? GetText(*formId, language) : "form"), "the form's caption");
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
    for (std::size_t item = 0; item < control.Items.size(); ++item) {
      const std::optional<int> id = IdOfTag(control.Items[item].Tag, true);
      Check(control.Items[item].Text == (id ? GetText(*id, language) : "item"), "an item's text");
    }
    const bool captioned = kind != ControlKind::Toolbar && kind != ControlKind::TabStrip;
    const std::optional<int> id = IdOfTag(control.TagText, kind == ControlKind::Menu);
    Check(control.CaptionText == (captioned && id ? GetText(*id, language) : *before.Controls[i].CaptionText),
          "a control's caption");
  }
  return 0;
}
