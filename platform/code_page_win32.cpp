// The Windows build converts with the system's own tables, so the bytes it writes are those any
// other program of the machine reads back.
#include "platform/code_page.h"

#include <windows.h>

#include <climits>

namespace barloom {

namespace {

// Win32 takes int lengths. The program's texts are far below that; larger ones go in pieces,
// cut where no UTF-8 sequence or surrogate pair is split.
constexpr std::size_t MaxPiece = INT_MAX / 4;

std::size_t PieceLength(std::string_view rest, unsigned codePage) {
  if (rest.size() <= MaxPiece) return rest.size();
  std::size_t length = MaxPiece;
  if (codePage == CP_UTF8)
    while (length > 1 && (static_cast<unsigned char>(rest[length]) & 0xC0) == 0x80) --length;
  return length;
}

std::size_t PieceLength(std::wstring_view rest) {
  if (rest.size() <= MaxPiece) return rest.size();
  return IS_HIGH_SURROGATE(rest[MaxPiece - 1]) ? MaxPiece - 1 : MaxPiece;
}

std::optional<std::wstring> WideFromCodePage(std::string_view bytes, unsigned codePage, DWORD flags) {
  std::wstring wide;
  while (!bytes.empty()) {
    const std::size_t pieceLength = PieceLength(bytes, codePage);
    const int size = static_cast<int>(pieceLength);
    const int length = MultiByteToWideChar(codePage, flags, bytes.data(), size, nullptr, 0);
    if (length <= 0) return std::nullopt;
    const std::size_t offset = wide.size();
    wide.resize(offset + static_cast<std::size_t>(length));
    MultiByteToWideChar(codePage, flags, bytes.data(), size, wide.data() + offset, length);
    bytes.remove_prefix(pieceLength);
  }
  return wide;
}

}  // namespace

unsigned AnsiCodePage() { return GetACP(); }

unsigned OemCodePage() { return GetOEMCP(); }

std::string DecodeCodePage(std::string_view bytes, unsigned codePage) {
  std::optional<std::wstring> wide = WideFromCodePage(bytes, codePage, 0);
  // A code page the system does not know: read the bytes as the ANSI code page, so that the
  // text at least keeps all of them.
  if (!wide) wide = WideFromCodePage(bytes, CP_ACP, 0);
  return wide ? Utf8FromWide(*wide) : std::string();
}

std::optional<std::string> EncodeCodePage(std::string_view utf8Text, unsigned codePage) {
  const std::optional<std::wstring> wide = WideFromCodePage(utf8Text, CP_UTF8, MB_ERR_INVALID_CHARS);
  if (!wide) return std::nullopt;
  if (codePage == CP_UTF8) return std::string(utf8Text);

  std::string bytes;
  std::wstring_view rest = *wide;
  while (!rest.empty()) {
    const std::size_t pieceLength = PieceLength(rest);
    const int size = static_cast<int>(pieceLength);
    // No best fit ("Ā" must not quietly become "A"), and a character that needs the default
    // character makes the whole text unconvertible instead of turning into "?".
    BOOL usedDefault = FALSE;
    const int length =
        WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, rest.data(), size, nullptr, 0, nullptr, &usedDefault);
    if (length <= 0 || usedDefault) return std::nullopt;
    const std::size_t offset = bytes.size();
    bytes.resize(offset + static_cast<std::size_t>(length));
    WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, rest.data(), size, bytes.data() + offset, length, nullptr,
                        &usedDefault);
    if (usedDefault) return std::nullopt;
    rest.remove_prefix(pieceLength);
  }
  return bytes;
}

}  // namespace barloom

namespace barloom {

std::wstring WideFromUtf8(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
  return wide;
}

std::string Utf8FromWide(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

}  // namespace barloom
