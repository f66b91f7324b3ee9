#include "localisation/apply_language.h"

#include "build_info.h"
#include "localisation/get_text.h"
#include "localisation/language.h"
#include "platform/message_box.h"
#include "settings/settings_file.h"

namespace barloom {
namespace {

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

std::optional<TextAlignment> AlignmentOf(const ControlRow& row, bool rightToLeft) {
  if (row.Kind != ControlKind::Label && row.Kind != ControlKind::CheckBox && row.Kind != ControlKind::OptionButton &&
      row.Kind != ControlKind::Frame)
    return std::nullopt;
  if (row.Kind == ControlKind::Label && (row.Flags & ControlFlags::Centred)) return TextAlignment::Centre;
  return rightToLeft ? TextAlignment::Right : TextAlignment::Left;
}

}  // namespace

WindowCaptions ApplyLanguage(const WindowTable& table, const Language& language) {
  WindowCaptions captions;
  captions.MissingFile = language.FileMissing();
  // One look at the file for the whole window, however many controls it has.
  const LoadedLanguage& texts = language.Current();
  captions.RightToLeft = texts.RightToLeft();
  captions.Charset = language.Charset();
  if (table.Title != TextId::None) {
    const std::string title = GetText(table.Title, texts);
    captions.Title = table.TitleFormat ? table.TitleFormat(title) : title;
  }
  captions.Controls.reserve(table.Rows.size());
  for (const ControlRow& row : table.Rows) {
    ControlCaption& caption = captions.Controls.emplace_back();
    caption.Id = row.Id;
    if (row.Text != TextId::None) caption.Text = GetText(row.Text, texts);
    if (TakesReadingOrder(row.Kind)) caption.RightToLeft = captions.RightToLeft;
    caption.Alignment = AlignmentOf(row, captions.RightToLeft);
  }
  return captions;
}

void ReportMissingLanguageFile(Settings& settings, MessageBoxService& messages) {
  messages.Show(MissingLanguageFileMessage, build_info::ProductName, MessageIcon::Error);
  settings.UseDefaultLanguage = 1;
}

}  // namespace barloom
