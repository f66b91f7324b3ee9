#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "localisation/form_model.h"

// A form held in plain fields: the form model without a window, for the portable controllers'
// tests. A property left nullopt is one the control does not have; setting it changes nothing.
namespace barloom {

struct MemoryItem {
  int TextId = NoText;
  std::string Text;  // a toolbar button's tooltip or a tab's caption
};

class MemoryControl final : public FormControl {
 public:
  ControlKind KindValue = ControlKind::Other;
  int TextIdValue = NoText;
  std::optional<std::string> CaptionText;
  std::optional<bool> RightToLeft;
  std::optional<int> Alignment;
  std::optional<int> FontCharset;
  std::vector<MemoryItem> Items;

  ControlKind Kind() const override { return KindValue; }
  int TextId() const override { return TextIdValue; }
  std::optional<std::string> Caption() const override { return CaptionText; }
  void SetCaption(std::string_view caption) override { SetIfPresent(CaptionText, std::string(caption)); }
  void SetRightToLeft(bool rightToLeft) override { SetIfPresent(RightToLeft, rightToLeft); }
  void SetAlignment(int alignment) override { SetIfPresent(Alignment, alignment); }
  void SetFontCharset(int charset) override { SetIfPresent(FontCharset, charset); }
  std::size_t ItemCount() const override { return Items.size(); }
  int ItemTextId(std::size_t index) const override { return Items.at(index).TextId; }
  void SetItemText(std::size_t index, std::string_view text) override { Items.at(index).Text = text; }

 private:
  template <typename T>
  static void SetIfPresent(std::optional<T>& property, T value) {
    if (property) property = std::move(value);
  }
};

class MemoryForm final : public Form {
 public:
  int TextIdValue = NoText;
  std::optional<std::string> CaptionText;
  std::optional<bool> RightToLeft;
  std::optional<int> FontCharset;
  std::vector<MemoryControl> Controls;

  int TextId() const override { return TextIdValue; }
  std::optional<std::string> Caption() const override { return CaptionText; }
  void SetCaption(std::string_view caption) override {
    if (CaptionText) CaptionText = std::string(caption);
  }
  void SetRightToLeft(bool rightToLeft) override {
    if (RightToLeft) RightToLeft = rightToLeft;
  }
  void SetFontCharset(int charset) override {
    if (FontCharset) FontCharset = charset;
  }
  std::size_t ControlCount() const override { return Controls.size(); }
  FormControl& Control(std::size_t index) override { return Controls.at(index); }
};

}  // namespace barloom
