#include "core/commander_config_file.h"

#include <algorithm>
#include <utility>

#include "platform/code_page.h"

namespace barloom {
namespace {

// Values are read whole: a path, a number.
constexpr std::size_t ReadBuffer = 65536;
ConfigEncoding EncodingOf(std::string_view bytes) {
  if (IsUtf16Le(bytes)) return ConfigEncoding::Utf16;
  if (bytes.starts_with(Utf8ByteOrderMark)) return ConfigEncoding::Utf8WithMark;
  const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  return !ascii && IsValidUtf8(bytes) ? ConfigEncoding::Utf8 : ConfigEncoding::Ansi;
}

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Text as code units of one byte, or of two (UTF-16 LE): a CR, an LF, and the unit at an index.
class Units {
 public:
  Units(std::string_view bytes, std::size_t width) : bytes_(bytes), width_(width) {}
  std::size_t Count() const { return bytes_.size() / width_; }
  bool Is(std::size_t index, char ascii) const {
    if (bytes_[index * width_] != ascii) return false;
    return width_ == 1 || bytes_[index * width_ + 1] == '\0';
  }

 private:
  std::string_view bytes_;
  std::size_t width_;
};

enum class LineEnds { CrLf, Lf, Cr };

// How the file's lines end, where it is plain: only LF, or only CR. A file that mixes them, or
// has no line end, gets the profile's CR LF for new lines.
LineEnds LineEndsOf(const Units& text) {
  bool cr = false;
  bool lf = false;
  for (std::size_t i = 0; i < text.Count(); ++i) {
    cr = cr || text.Is(i, '\r');
    lf = lf || text.Is(i, '\n');
  }
  if (lf && !cr) return LineEnds::Lf;
  if (cr && !lf) return LineEnds::Cr;
  return LineEnds::CrLf;
}

// `bytes` (code units of `width` bytes) with every CR LF made `ends`: in a file that held no CR
// LF, each of them is a line the profile's writer added.
std::string WithLineEnds(std::string_view bytes, std::size_t width, LineEnds ends) {
  if (ends == LineEnds::CrLf) return std::string{bytes};
  const Units units(bytes, width);
  std::string out;
  out.reserve(bytes.size());
  std::size_t i = 0;
  for (; i < units.Count(); ++i) {
    if (i + 1 < units.Count() && units.Is(i, '\r') && units.Is(i + 1, '\n')) {
      out.append(bytes.substr((ends == LineEnds::Lf ? i + 1 : i) * width, width));
      ++i;
      continue;
    }
    out.append(bytes.substr(i * width, width));
  }
  out.append(bytes.substr(i * width));  // a last odd byte
  return out;
}

std::string TextWithoutMark(std::string_view bytes, ConfigEncoding encoding) {
  if (encoding == ConfigEncoding::Utf8WithMark) bytes.remove_prefix(Utf8ByteOrderMark.size());
  return std::string{bytes};
}

}  // namespace

CommanderConfigFile::CommanderConfigFile(std::string bytes)
    : original_(std::move(bytes)), encoding_(EncodingOf(original_)), document_(TextWithoutMark(original_, encoding_)) {}

std::optional<std::string> CommanderConfigFile::Stored(std::string_view section, std::string_view key) const {
  // A read gives its default for a missing key: two different defaults tell a missing key from
  // one that holds either of them.
  std::string value = document_.Read(section, key, "\x01", ReadBuffer);
  if (value == "\x01" && document_.Read(section, key, "\x02", ReadBuffer) == "\x02") return std::nullopt;
  return value;
}

std::optional<std::string> CommanderConfigFile::Read(std::string_view section, std::string_view key) const {
  const std::optional<std::string> stored = Stored(section, key);
  if (!stored) return std::nullopt;
  if (encoding_ == ConfigEncoding::Utf8 || encoding_ == ConfigEncoding::Utf8WithMark) {
    std::string_view text = *stored;
    if (text.starts_with(Utf8ByteOrderMark)) text.remove_prefix(Utf8ByteOrderMark.size());
    if (IsValidUtf8(text)) return std::string{text};
  }
  // A UTF-16 file's values come as code-page bytes, marked where the code page cannot hold them.
  return TextOfMarkedValue(*stored, AnsiCodePage());
}

bool CommanderConfigFile::NeedsMark(std::string_view text) const {
  switch (encoding_) {
    case ConfigEncoding::Ansi: return MarkedValueBytes(text, AnsiCodePage()).starts_with(Utf8ByteOrderMark);
    case ConfigEncoding::Utf8:
    case ConfigEncoding::Utf8WithMark: return !IsAscii(text);
    case ConfigEncoding::Utf16: return false;
  }
  return false;
}

bool CommanderConfigFile::Write(std::string_view section, std::string_view key, std::string_view text) {
  std::string stored;
  if (encoding_ == ConfigEncoding::Ansi || encoding_ == ConfigEncoding::Utf16) {
    // The engine turns code-page bytes, and the mark and UTF-8, into a UTF-16 file's text.
    stored = MarkedValueBytes(text, AnsiCodePage());
  } else {
    stored = NeedsMark(text) ? std::string{Utf8ByteOrderMark} + std::string{text} : std::string{text};
  }
  return WriteStored(section, key, stored);
}

bool CommanderConfigFile::WriteStored(std::string_view section, std::string_view key, std::string_view stored) {
  return document_.Write(section, key, stored);
}

std::string CommanderConfigFile::Bytes() const {
  const std::string text = document_.Bytes();
  if (text == TextWithoutMark(original_, encoding_)) return original_;
  if (encoding_ == ConfigEncoding::Utf16) {
    const std::string_view mark = Utf16LeMark;
    const auto units = [&](std::string_view bytes) { return bytes.substr(mark.size()); };
    const LineEnds ends = LineEndsOf(Units(units(original_), 2));
    return std::string{mark} + WithLineEnds(units(text), 2, ends);
  }
  const std::string_view originalText =
      encoding_ == ConfigEncoding::Utf8WithMark ? std::string_view(original_).substr(Utf8ByteOrderMark.size())
                                                : std::string_view(original_);
  const std::string body = WithLineEnds(text, 1, LineEndsOf(Units(originalText, 1)));
  return encoding_ == ConfigEncoding::Utf8WithMark ? std::string{Utf8ByteOrderMark} + body : body;
}

}  // namespace barloom
