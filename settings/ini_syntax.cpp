#include "settings/ini_syntax.h"

#include <algorithm>

#include "platform/code_page.h"

namespace barloom::ini {

LineSyntax ParseLine(std::string_view content) {
  LineSyntax syntax;
  const std::string_view text = Trim(content, ProfileBlanks);
  if (text.empty()) return syntax;
  if (text.front() == '[') {
    const std::size_t close = text.rfind(']');
    if (close != std::string_view::npos && close > 0) {
      syntax.Kind = LineKind::Header;
      syntax.Name = CutAtNul(Trim(text.substr(1, close - 1), ProfileBlanks));
      return syntax;
    }
  }
  syntax.Kind = LineKind::Key;
  const std::size_t equals = text.find('=');
  const std::string_view spelling =
      equals == std::string_view::npos ? text : TrimRight(text.substr(0, equals), ProfileBlanks);
  syntax.Name = CutAtNul(spelling);
  if (equals != std::string_view::npos) {
    syntax.HasValue = true;
    syntax.Value = CutAtNul(TrimLeft(text.substr(equals + 1), ProfileBlanks));
  }
  return syntax;
}

bool ChangesStructure(std::string_view text) { return HasLineBreak(text) || ParseLine(text).Kind != LineKind::Key; }

std::string ProfileResult(std::optional<std::string_view> value, std::string_view defaultValue,
                          std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  std::string_view text;
  if (value) {
    text = *value;
  } else {
    text = CutAtNul(defaultValue);
    // Trailing spaces go, but never the first byte.
    if (!text.empty()) text = text.substr(0, std::max<std::size_t>(1, TrimRight(text, Spaces).size()));
  }
  const bool quoted = IsQuotedValue(text);
  if (quoted) text.remove_prefix(1);
  std::string result(text.substr(0, std::min(text.size(), bufferSize - 1)));
  if (quoted && bufferSize >= text.size() && !result.empty()) result.pop_back();
  return result;
}

std::string FileTextFromArgument(std::string_view argument) { return Utf16FileTextFromAnsi(CutAtNul(argument)); }

std::string Utf16FileResult(std::optional<std::string_view> value, std::string_view defaultValue,
                            std::size_t bufferSize) {
  if (!value) return ProfileResult(std::nullopt, defaultValue, bufferSize);
  const std::string ansi = AnsiFromUtf16FileText(*value);
  return ProfileResult(std::string_view(ansi), defaultValue, bufferSize);
}

}  // namespace barloom::ini
