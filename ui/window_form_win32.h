#pragma once
// A real window seen through the form model, so that ApplyLanguage can caption it.
#include <windows.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "localisation/form_model.h"
#include "platform/unique_handle.h"

namespace barloom {

// One owned font per look: a font asked for twice (same LOGFONT) is created once and shared by
// every control that uses it. The cached fonts must outlive the controls that use them: only the
// owner clears the cache, after it has given those controls other fonts (for example new base
// fonts when the window's DPI changes).
class FontCache {
 public:
  FontCache() = default;
  FontCache(const FontCache&) = delete;
  FontCache& operator=(const FontCache&) = delete;

  // The cached font described by `look`, created at the first request; nullptr when the system
  // cannot create it.
  HFONT Font(const LOGFONTW& look);
  // A font like `font` (face, size, weight, style) in the character set `charset`: `font`
  // itself when it already has that set, else the cached copy; nullptr when `font` cannot be read.
  HFONT InCharset(HFONT font, BYTE charset);
  // Releases every font.
  void Clear() noexcept { fonts_.clear(); }
  std::size_t Size() const noexcept { return fonts_.size(); }

 private:
  struct Entry {
    LOGFONTW Look;
    UniqueFont Font;
  };
  std::vector<Entry> fonts_;
};

// One row of a window's captioning table.
struct FormControlRow {
  int ControlId;     // a child window's ID (unique below the form, inner windows of controls included),
                     // or a menu item's command ID
  ControlKind Kind;  // Menu for menu items, of the form's menu bar or its popups
  int TextId;        // the text ID the control carries; 0: none
};

// The form model over a real window. Controls are looked up by ID when first used and again
// whenever the window found is gone, so a control created after the adapter (or created again)
// is still found; a row whose control is missing
// reads as a control without properties. Tags live here, starting from the table's text IDs.
// Reading order is set without mirroring the layout: positions stay as designed.
class WindowForm final : public Form {
 public:
  // `fonts` receives the fonts of the other character sets and must outlive the window's controls.
  WindowForm(HWND form, int formTextId, std::span<const FormControlRow> rows, FontCache& fonts);
  WindowForm(const WindowForm&) = delete;
  WindowForm& operator=(const WindowForm&) = delete;

  std::string Tag() const override { return tag_; }
  std::optional<std::string> Caption() const override;
  void SetCaption(std::string_view caption) override;
  // The title's reading order and the menu bar's: its items right-justified and its menus
  // cascading right to left.
  void SetRightToLeft(bool rightToLeft) override;
  // Only a form with a font of its own (a dialog) has one to change.
  void SetFontCharset(int charset) override;

  std::size_t ControlCount() const override { return controls_.size(); }
  FormControl& Control(std::size_t index) override { return *controls_.at(index); }

 private:
  HWND form_;
  std::string tag_;
  FontCache& fonts_;
  std::vector<std::unique_ptr<FormControl>> controls_;
};

}  // namespace barloom
