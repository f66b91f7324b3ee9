#pragma once
// The row of bar buttons at the top of the main window: a toolbar with one button per bar and the
// 80 images behind it (image b - 1 is bar b's "Up" icon, image 19 + b its "Dn" icon, and 40 more
// the same with the mark of a bar that imports another's buttons). Each button
// carries its name as text that the row never draws: screen readers read it as the button's name
// and the tooltip shows it. From the keyboard, Space and Enter press the button with the
// hot-tracking mark, and Shift+F10 or the menu key ask for its context menu.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <string>

#include "core/wizard_state.h"
#include "platform/unique_handle.h"
#include "ui/wizard_controller.h"

namespace barloom {

class BarButtons {
 public:
  BarButtons() = default;
  BarButtons(const BarButtons&) = delete;
  BarButtons& operator=(const BarButtons&) = delete;

  // Takes the toolbar `toolbar` (made along the top edge of its parent); button b sends
  // WM_COMMAND with firstCommand + b.
  void Attach(HWND toolbar, int firstCommand);
  HWND Window() const { return toolbar_; }
  // The toolbar made its tooltip (NM_TOOLTIPSCREATED, sent to `parent`): at its first use under
  // Wine, and asking for it earlier costs the start-up a window.
  static void TipsCreated(HWND tips, int dpi);

  // The images become icons\Up_NN.ico and icons\Dn_NN.ico of `appFolder` at `size` pixels, each
  // read when a button first shows it. A file that is missing or unreadable gets a numbered
  // stand-in, so that every button still shows its number. The buttons are removed; the next Show
  // builds them at the new size.
  void LoadImages(const std::string& appFolder, int size);
  // One button per bar, 1..count; `marked` shows its "Dn" image, and each bar with an import
  // (`imported`, by bar number) carries the import mark.
  void Show(int count, int marked, bool enabled, const ImportedBars& imported);
  // Bar `bar`'s name (its accessible name and tooltip); kept for the buttons built later.
  void SetName(int bar, const std::wstring& name);
  const std::wstring& Name(int bar) const;
  // The bar whose button takes the hot-tracking mark when the row gets the keyboard without one
  // (after a dialog, or by Tab), so that the keyboard's place is always seen; 0 for none.
  void SetKeyboardBar(int bar);
  // Marks bar `bar` as the keyboard's place now (0: none).
  void SetHotBar(int bar);
  int Count() const { return count_; }
  // The width of one button and the toolbar's height, in pixels.
  int ButtonWidth() const;
  int ImageSize() const { return imageSize_; }  // the images' size, in pixels
  int Height() const;
  // The bar under a point of the toolbar's client area, 0 for none.
  int BarAt(POINT client) const;
  // The bar whose button has the keyboard's hot-tracking mark, 0 for none.
  int HotBar() const;

 private:
  // The place of bar `bar`'s "Up" or "Dn" image, read into the list if it is not there yet.
  int EnsureImage(int bar, bool down, bool imported);
  static LRESULT CALLBACK KeyboardProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR self);
  LRESULT OnKey(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND toolbar_ = nullptr;
  UniqueImageList images_;
  std::array<bool, 4 * MaxBarCount> loaded_{};  // which of the images are read
  std::array<std::wstring, MaxBarCount + 1> names_;  // by bar number
  std::string appFolder_;
  int imageSize_ = 0;
  int firstCommand_ = 0;
  int count_ = 0;
  int keyboardBar_ = 0;
};

}  // namespace barloom
