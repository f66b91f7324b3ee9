// Arbitrary bytes as a language file, read through GetText and applied by ApplyLanguage to a
// table of fuzzed controls. Checked:
//  - a language loaded once gives every text that a lookup of its own gives;
//  - every text is valid UTF-8, a translated one never empty, an untranslated one the built-in;
//  - ApplyLanguage gives each row that carries a text ID that ID's text and no text to the others,
//    the usable character set, the language's direction to every kind with a reading order and
//    none to the others, and an existing file is never missing.
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
#include "localisation/language.h"
#include "localisation/language_file.h"
#include "platform/code_page.h"
#include "settings/settings_file.h"

namespace {

using namespace barloom;
using fuzz::Check;

constexpr ControlKind Kinds[] = {ControlKind::Label,    ControlKind::CheckBox, ControlKind::OptionButton,
                                  ControlKind::CommandButton,
                                  ControlKind::Frame,    ControlKind::Menu,     ControlKind::MenuItem,
                                  ControlKind::Toolbar,  ControlKind::TextBox,  ControlKind::ComboBox};

bool TakesReadingOrder(ControlKind kind) {
  return kind == ControlKind::Label || kind == ControlKind::CheckBox || kind == ControlKind::OptionButton ||
         kind == ControlKind::CommandButton || kind == ControlKind::Frame;
}

void CheckText(const std::string& text, TextId id, bool translated) {
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
  std::vector<ControlRow> rows;
  for (int i = 0; i < controlCount; ++i) {
    ControlRow row{i + 1, Kinds[provider.ConsumeIntegralInRange<std::size_t>(0, std::size(Kinds) - 1)]};
    row.Text = TextId{provider.ConsumeIntegral<std::int16_t>()};
    row.Flags = provider.ConsumeIntegral<std::uint8_t>();
    rows.push_back(row);
  }
  const WindowTable table{TextId{provider.ConsumeIntegral<std::int16_t>()}, nullptr, rows};
  settings.LanguageFile = fuzz::PutFile("language.lng", provider.ConsumeRemainingBytesAsString());

  const LoadedLanguage loaded(settings);
  for (const BuiltInText& entry : BuiltInTexts()) {
    const std::optional<std::string> text = loaded.Text(entry.Id);
    CheckText(GetText(entry.Id, loaded), entry.Id, text.has_value());
  }
  const Language language(settings);
  for (const TextId id : {TextId::MenuFile, TextId::Next, TextId::FileNotFound}) {
    Check(language.Text(id) == GetText(id, loaded), "the language in use differs from a language loaded once");
  }

  const WindowCaptions captions = ApplyLanguage(table, language);
  Check(!captions.MissingFile, "an existing language file reported missing");
  const int charset = settings.FontScript >= 0 && settings.FontScript <= 255 ? settings.FontScript : 1;
  const bool rightToLeft = loaded.RightToLeft();
  Check(captions.Charset == charset && captions.RightToLeft == rightToLeft, "what the pass reports");
  const std::optional<std::string> title =
      table.Title != TextId::None ? std::optional{GetText(table.Title, loaded)} : std::nullopt;
  Check(captions.Title == title, "the window's title");
  Check(captions.Controls.size() == rows.size(), "one caption per row");
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const ControlCaption& caption = captions.Controls[i];
    const ControlRow& row = rows[i];
    Check(caption.Id == row.Id, "a caption's row");
    const std::optional<std::string> text =
        row.Text != TextId::None ? std::optional{GetText(row.Text, loaded)} : std::nullopt;
    Check(caption.Text == text, "a control's caption");
    if (TakesReadingOrder(row.Kind)) {
      Check(caption.RightToLeft == rightToLeft, "a control's direction");
    } else {
      Check(!caption.RightToLeft && !caption.Alignment, "a control without reading order changed");
    }
  }
  return 0;
}
