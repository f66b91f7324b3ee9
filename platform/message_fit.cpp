#include "platform/message_fit.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "platform/utf8.h"

namespace barloom {
namespace {

bool IsContinuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

// The characters of `line` (valid UTF-8) counted up to `limit`.
std::size_t CountUpTo(std::string_view line, std::size_t limit) {
  std::size_t count = 0;
  for (std::size_t at = 0; at < line.size() && count < limit; ++at)
    if (!IsContinuation(line[at])) ++count;
  return count;
}

// `line` (valid UTF-8) with its first and last `keep` characters around the ellipsis.
std::string Shortened(std::string_view line, std::size_t keep) {
  std::size_t headEnd = 0;
  for (std::size_t left = keep; left > 0 && headEnd < line.size(); --left) {
    ++headEnd;
    while (headEnd < line.size() && IsContinuation(line[headEnd])) ++headEnd;
  }
  std::size_t tailStart = line.size();
  for (std::size_t left = keep; left > 0 && tailStart > headEnd; --left) {
    --tailStart;
    while (tailStart > headEnd && IsContinuation(line[tailStart])) --tailStart;
  }
  std::string shortened{line.substr(0, headEnd)};
  shortened += Ellipsis;
  shortened += line.substr(tailStart);
  return shortened;
}

std::string FitWord(std::string_view line, int maxWidth, const TextWidth& width) {
  // No character is narrower than a pixel (the marks that combine with one are drawn on it), so
  // a line of more characters than twice the room cannot fit, and is never measured whole.
  const auto room = static_cast<std::size_t>(std::max(maxWidth, 1));
  if (CountUpTo(line, 2 * room + 1) <= 2 * room && width(line) <= maxWidth) return std::string{line};
  const std::string whole = utf8::Repair(line);
  const std::size_t count = CountUpTo(whole, 2 * room + 1);
  // Keeping more characters never makes the line narrower: the most that fit are found by halving.
  std::size_t low = 0;
  std::size_t high = std::min(room, count > 0 ? (count - 1) / 2 : 0);
  while (low < high) {
    const std::size_t keep = (low + high + 1) / 2;
    if (width(Shortened(whole, keep)) <= maxWidth) {
      low = keep;
    } else {
      high = keep - 1;
    }
  }
  return Shortened(whole, low);
}

// How many lines the box may make of `line` by breaking it at its spaces.
long RowsOf(std::string_view line, const MessageRoom& room, const TextWidth& width) {
  if (line.empty()) return 1;
  const long wrap = std::max(room.WrapWidth, 1);
  return std::max(1L, (width(line) + wrap - 1) / wrap);
}

long RowBudget(const MessageRoom& room) { return room.MaxHeight / std::max(room.LineHeight, 1); }

// A sentence wider than the box is the box's to break at its spaces: it stays whole while each of
// its words fits a line and its lines fit the box's height. Anything else (a path, a caption
// without spaces, a line too long for the screen) keeps its start and its end.
std::string FitLine(std::string_view line, const MessageRoom& room, const TextWidth& width) {
  if (line.find(' ') != std::string_view::npos) {
    // No character is narrower than a pixel: a line of more characters than the rows the box has
    // at its narrowest breaking width cannot fit, and is never measured whole.
    const auto limit = static_cast<std::size_t>(RowBudget(room)) * static_cast<std::size_t>(std::max(room.WrapWidth, 1));
    if (CountUpTo(line, limit + 1) <= limit) {
      const std::string whole = utf8::Repair(line);
      const std::string_view text = whole;
      bool wordsFit = true;
      for (std::size_t start = 0; wordsFit && start <= text.size();) {
        const std::size_t end = std::min(text.find(' ', start), text.size());
        wordsFit = width(text.substr(start, end - start)) <= room.MaxLineWidth;
        start = end + 1;
      }
      if (wordsFit && RowsOf(text, room, width) <= RowBudget(room)) return whole;
    }
  }
  return FitWord(line, room.MaxLineWidth, width);
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t index = 0; index < lines.size(); ++index) {
    if (index > 0) text += '\n';
    text += lines[index];
  }
  return text;
}

}  // namespace

std::string FitMessage(std::string_view text, const MessageRoom& room, const TextWidth& width) {
  std::vector<std::string> lines;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find('\n', start);
    lines.push_back(FitLine(text.substr(start, end == std::string_view::npos ? end : end - start), room, width));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  std::vector<long> rows;
  long total = 0;
  for (const std::string& line : lines) total += rows.emplace_back(RowsOf(line, room, width));
  const long budget = RowBudget(room);
  if (total <= budget) return Joined(lines);

  // First and last lines alternately, while they and the ellipsis' line fit.
  std::size_t front = 0;
  std::size_t back = lines.size();
  long used = 1;
  for (bool fromFront = true; front < back; fromFront = !fromFront) {
    const std::size_t index = fromFront ? front : back - 1;
    if (used + rows[index] > budget) break;
    used += rows[index];
    if (fromFront) {
      ++front;
    } else {
      --back;
    }
  }
  std::vector<std::string> kept(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(front));
  kept.emplace_back(Ellipsis);
  kept.insert(kept.end(), lines.begin() + static_cast<std::ptrdiff_t>(back), lines.end());
  return Joined(kept);
}

}  // namespace barloom
