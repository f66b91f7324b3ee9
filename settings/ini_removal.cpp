#include "settings/ini_removal.h"

#include "settings/ini_name_table.h"
#include "settings/ini_syntax.h"

namespace barloom::ini {
namespace {

// The first header named `section`, and the lines of its section after it.
struct SectionLines {
  RawLine Header;
  std::size_t BodyStart = 0;  // the line after the header
};

std::optional<SectionLines> FindSection(std::string_view text, std::string_view section) {
  const std::string_view name = RequestedName(section);
  LineSplitter splitter(text);
  RawLine raw;
  while (splitter.Next(raw)) {
    const LineSyntax syntax = ParseLine(text.substr(raw.Start, raw.Length));
    if (syntax.Kind == LineKind::Header && SameIniName(syntax.Name, name))
      return SectionLines{raw, raw.Start + raw.Length + raw.End};
  }
  return std::nullopt;
}

std::string Without(std::string_view text, const RawLine& line) {
  std::string out{text.substr(0, line.Start)};
  out.append(text.substr(line.Start + line.Length + line.End));
  return out;
}

}  // namespace

std::optional<std::string> WithoutKeyLine(std::string_view text, std::string_view section, std::string_view key) {
  const std::optional<SectionLines> found = FindSection(text, section);
  if (!found) return std::nullopt;
  const std::string_view name = RequestedName(key);
  LineSplitter splitter(text, found->BodyStart);
  RawLine raw;
  while (splitter.Next(raw)) {
    const LineSyntax syntax = ParseLine(text.substr(raw.Start, raw.Length));
    if (syntax.Kind == LineKind::Header) break;
    if (syntax.Kind == LineKind::Key && SameIniName(syntax.Name, name)) return Without(text, raw);
  }
  return std::nullopt;
}

std::optional<std::string> WithoutKeyLines(std::string_view text, std::string_view section,
                                           std::span<const std::string> keys) {
  const std::optional<SectionLines> found = FindSection(text, section);
  if (!found) return std::nullopt;
  const auto named = [&keys](std::string_view name) {
    for (const std::string& key : keys)
      if (SameIniName(name, RequestedName(key))) return true;
    return false;
  };
  std::string out;
  std::size_t kept = 0;  // the text before `kept` is dealt with: copied into `out` or taken out
  bool removed = false;
  LineSplitter splitter(text, found->BodyStart);
  RawLine raw;
  while (splitter.Next(raw)) {
    const LineSyntax syntax = ParseLine(text.substr(raw.Start, raw.Length));
    if (syntax.Kind == LineKind::Header) break;
    if (syntax.Kind != LineKind::Key || !named(syntax.Name)) continue;
    out.append(text.substr(kept, raw.Start - kept));
    kept = raw.Start + raw.Length + raw.End;
    removed = true;
  }
  if (!removed) return std::nullopt;
  out.append(text.substr(kept));
  return out;
}

std::optional<std::string> WithoutEmptySection(std::string_view text, std::string_view section) {
  const std::optional<SectionLines> found = FindSection(text, section);
  if (!found) return std::nullopt;
  LineSplitter splitter(text, found->BodyStart);
  RawLine raw;
  while (splitter.Next(raw)) {
    const LineSyntax syntax = ParseLine(text.substr(raw.Start, raw.Length));
    if (syntax.Kind == LineKind::Header) break;
    if (syntax.Kind != LineKind::Blank) return std::nullopt;
  }
  return Without(text, found->Header);
}

}  // namespace barloom::ini
