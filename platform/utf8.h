#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Small UTF-8 helpers shared by the code-page converters.
namespace barloom::utf8 {

inline constexpr char32_t Invalid = 0xFFFFFFFF;

// The length of the sequence that `lead` starts; 0 for a byte that cannot start one.
inline std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

// Whether Next takes the 3-byte forms of U+D800-U+DFFF as characters. Generalised UTF-8 (the
// form that holds UTF-16 with lone surrogates, so that every code unit round-trips) allows them.
enum class Surrogates { Rejected, Allowed };

// The code point that starts at `pos`, advancing `pos` past it. For a malformed sequence
// (overlong form, surrogate unless allowed, value past U+10FFFF, truncated or stray continuation
// byte) it returns Invalid and advances by one byte, so that callers can resynchronise.
inline char32_t Next(std::string_view text, std::size_t& pos, Surrogates surrogates = Surrogates::Rejected) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  const std::size_t length = SequenceLength(lead);
  if (length == 0) {
    ++pos;
    return Invalid;
  }
  char32_t value = lead & (0x7F >> length);
  const char32_t minimum = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
  if (text.size() - pos < length) {
    ++pos;
    return Invalid;
  }
  for (std::size_t i = 1; i < length; ++i) {
    const unsigned char next = byte(pos + i);
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return Invalid;
    }
    value = (value << 6) | (next & 0x3F);
  }
  const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
  if (value < minimum || value > 0x10FFFF || (surrogate && surrogates == Surrogates::Rejected)) {
    ++pos;
    return Invalid;
  }
  pos += length;
  return value;
}

// The bytes Append writes for `cp`.
inline std::size_t EncodedLength(char32_t cp) { return cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4; }

inline void Append(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// The bytes at `pos` that one U+FFFD replaces when they do not form a character: a lead byte with
// the continuation bytes that could still have completed it (Unicode's "maximal subpart", as
// Windows decodes), otherwise the one byte.
inline std::size_t BrokenLength(std::string_view text, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  const std::size_t length = SequenceLength(lead);
  std::size_t taken = 1;
  while (taken < length && pos + taken < text.size()) {
    const auto next = static_cast<unsigned char>(text[pos + taken]);
    // The second byte's range also rules out overlong forms, surrogates and values past U+10FFFF.
    const bool second = taken == 1;
    const unsigned char low = second && lead == 0xE0 ? 0xA0 : second && lead == 0xF0 ? 0x90 : 0x80;
    const unsigned char high = second && lead == 0xED ? 0x9F : second && lead == 0xF4 ? 0x8F : 0xBF;
    if (next < low || next > high) break;
    ++taken;
  }
  return taken;
}

// `text` with every malformed sequence replaced by one U+FFFD (see BrokenLength).
inline std::string Repair(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t start = pos;
    const char32_t cp = Next(text, pos);
    if (cp == Invalid) pos = start + BrokenLength(text, start);
    Append(out, cp == Invalid ? U'\uFFFD' : cp);
  }
  return out;
}

// `text` without a last character whose bytes are cut short (a lead byte followed by fewer
// continuation bytes than it announces), as a value cut at a read buffer's size may end.
inline std::string_view WithoutCutCharacter(std::string_view text) {
  std::size_t start = text.size();
  while (start > 0 && text.size() - start < 3 && (static_cast<unsigned char>(text[start - 1]) & 0xC0) == 0x80) --start;
  if (start == 0) return text;
  const std::size_t needed = SequenceLength(static_cast<unsigned char>(text[start - 1]));
  return text.size() - (start - 1) < needed ? text.substr(0, start - 1) : text;
}

}  // namespace barloom::utf8
