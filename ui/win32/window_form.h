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
  int ControlId;     // a child window's ID (unique below the form, inner windows of controls included)
  ControlKind Kind;
  int TextId;        // the text ID the control carries; NoText: none
};

// One menu of a window's menu bar: its title and its items, each a command ID with its text ID
// (NoText: a separator line).
struct MenuItemRow {
  int CommandId;
  int TextId;
};
struct MenuPlan {
  MenuItemRow Title;
  std::span<const MenuItemRow> Items;
};

// The menu bar of `menus`, its items still without text (the language pass captions them);
// nullptr when the system refuses it. The caller owns it until a window takes it (SetMenu).
HMENU CreateMenuBar(std::span<const MenuPlan> menus);

// The form model over a real window: its controls from the table's rows, then the items of its
// menu bar (`menus`, as CreateMenuBar built it). Controls are found by ID in one walk through the
// window's descendants, when the adapter is made and at each FindControls; a control created
// again is searched for when next used. A row whose control is missing reads as a control without
// properties.
// Reading order is set without mirroring the layout: positions stay as designed.
class WindowForm final : public Form {
 public:
  // The title as shown for the text of the window's own text ID.
  using TitleFormat = std::string (*)(std::string_view text);

  // `fonts` receives the fonts of the other character sets and must outlive the window's controls.
  WindowForm(HWND form, int titleTextId, std::span<const FormControlRow> rows, FontCache& fonts,
             std::span<const MenuPlan> menus = {}, TitleFormat title = nullptr);
  WindowForm(const WindowForm&) = delete;
  WindowForm& operator=(const WindowForm&) = delete;
  ~WindowForm() override;

  // Finds the rows' controls again: after controls were created that the last walk did not see.
  void FindControls();

  int TextId() const override { return titleTextId_; }
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
  class ChildControl;

  HWND form_;
  int titleTextId_;
  TitleFormat title_;
  FontCache& fonts_;
  std::vector<std::unique_ptr<FormControl>> controls_;
  std::vector<ChildControl*> children_;  // the rows' controls among controls_
};

}  // namespace barloom
