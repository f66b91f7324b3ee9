#include "ui/win32/bar_buttons.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "core/wizard_state.h"
#include "platform/file_bytes.h"
#include "platform/icon_pixels.h"
#include "platform/path_text.h"
#include "platform/code_page.h"
#include "ui/import_mark.h"
#include "ui/win32/controls.h"

namespace barloom {
namespace {

constexpr int ImagesPerKind = MaxBarCount;

// Four faces a bar: "Up" and "Dn", each plain and with the import mark.
int ImageOf(int bar, bool down, bool imported) {
  return ((imported ? 2 : 0) + (down ? 1 : 0)) * ImagesPerKind + bar - 1;
}

// A button face with the bar's number, drawn when its icon cannot be loaded: light for "Up", a
// strong blue with white digits for "Dn", as the shipped icons look.
UniqueBitmap NumberedStandIn(int number, bool down, bool imported, int size) {
  void* bits = nullptr;
  UniqueBitmap bitmap{CreatePixelBitmap(size, size, &bits)};
  const UniqueMemoryDc dc{CreateCompatibleDC(nullptr)};
  if (!bitmap || !bits || !dc) return {};
  {
    const SelectedObject drawnOn(dc.get(), bitmap.get());
    RECT face{0, 0, size, size};
    const UniqueBrush fill{CreateSolidBrush(down ? RGB(0, 84, 166) : RGB(236, 236, 236))};
    const UniqueBrush edge{CreateSolidBrush(down ? RGB(0, 48, 96) : RGB(128, 128, 128))};
    FillRect(dc.get(), &face, fill.get());
    FrameRect(dc.get(), &face, edge.get());
    const UniqueFont font{CreateFontW(-(size * 11 / 20), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH,
                                      L"Tahoma")};
    const SelectedObject drawnIn(dc.get(), font.get());
    SetBkMode(dc.get(), TRANSPARENT);
    SetTextColor(dc.get(), down ? RGB(255, 255, 255) : RGB(32, 32, 32));
    const std::wstring text = std::to_wstring(number);
    DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &face, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    GdiFlush();
  }
  // GDI leaves the alpha bytes at 0, which a 32-bit image list would draw as transparent.
  auto* pixel = static_cast<std::uint8_t*>(bits);
  for (int i = 0; i < size * size; ++i) pixel[i * 4 + 3] = 0xFF;
  if (imported) MarkImported({pixel, static_cast<std::size_t>(size) * size * 4}, size);
  return bitmap;
}

// The icon file's image of `size` pixels put in place straight from its 32-bit pixels: reading it
// as an icon and putting that in costs ten times as long under Wine (about 2.5 ms a button).
bool PutIconPixels(HIMAGELIST images, int index, const std::string& iconFile, bool imported, int size) {
  const std::optional<std::string> file = ReadFileBytes(PathFromUtf8(iconFile));
  std::optional<std::vector<std::uint8_t>> pixels = file ? IconPixels(*file, size) : std::nullopt;
  if (pixels && imported) MarkImported(*pixels, size);
  void* bits = nullptr;
  const UniqueBitmap bitmap{pixels ? CreatePixelBitmap(size, size, &bits) : nullptr};
  if (!bitmap) return false;
  std::memcpy(bits, pixels->data(), pixels->size());
  // Like the stand-ins: a 32-bit image draws through its alpha, so it needs no mask.
  return ImageList_Replace(images, index, bitmap.get(), nullptr) != FALSE;
}

// Puts image `index` in place: the icon file, else a numbered stand-in. The mark is painted on
// pixels: an icon the system's loader has to read (not 32 bits with alpha) gets the stand-in's
// face when it is to carry the mark, so that the mark is never missing.
void PutImage(HIMAGELIST images, int index, const std::string& iconFile, int number, bool down, bool imported,
              int size) {
  if (PutIconPixels(images, index, iconFile, imported, size)) return;
  if (!imported) {
    const std::wstring path = WideFromUtf8(iconFile);
    const UniqueIcon icon{
        static_cast<HICON>(LoadImageW(nullptr, path.c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE))};
    if (icon && ImageList_ReplaceIcon(images, index, icon.get()) >= 0) return;
  }
  if (const UniqueBitmap standIn = NumberedStandIn(number, down, imported, size))
    ImageList_Replace(images, index, standIn.get(), nullptr);
}

}  // namespace

void BarButtons::Attach(HWND toolbar, int firstCommand) {
  firstCommand_ = firstCommand;
  toolbar_ = toolbar;
  SendMessageW(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  // Every button has its name as text; the row shows none of them, and the tooltips show them.
  SendMessageW(toolbar_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_MIXEDBUTTONS);
  SetWindowSubclass(toolbar_, KeyboardProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

void BarButtons::TipsCreated(HWND tips, int dpi) {
  // Long names (an import's file, a warning) wrap instead of running across the screen.
  SendMessageW(tips, TTM_SETMAXTIPWIDTH, 0, MulDiv(400, dpi, 96));
}

void BarButtons::LoadImages(const std::string& appFolder, int size) {
  UniqueImageList images{ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 2 * ImagesPerKind, 0)};
  if (!images) return;
  // Every image has its place from the start; each image is read when a button first shows it
  // (EnsureImage): every icon file costs a few milliseconds under Wine, and most sets are small.
  ImageList_SetImageCount(images.get(), static_cast<UINT>(loaded_.size()));
  loaded_.fill(false);
  appFolder_ = appFolder;
  imageSize_ = size;
  // The buttons take their size from the images: the next Show builds them anew.
  Show(0, 0, true, {});
  SendMessageW(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.get()));
  SendMessageW(toolbar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(size, size));
  images_ = std::move(images);  // the old list goes once the toolbar draws with the new one
}

int BarButtons::EnsureImage(int bar, bool down, bool imported) {
  const int index = ImageOf(bar, down, imported);
  if (images_ && !loaded_[static_cast<std::size_t>(index)]) {
    PutImage(images_.get(), index, BarIconFile(appFolder_, bar, down ? BarIcon::Dn : BarIcon::Up), bar, down,
             imported, imageSize_);
    loaded_[static_cast<std::size_t>(index)] = true;
  }
  return index;
}

void BarButtons::Show(int count, int marked, bool enabled, const ImportedBars& imported) {
  if (count != count_) {
    while (SendMessageW(toolbar_, TB_BUTTONCOUNT, 0, 0) > 0) SendMessageW(toolbar_, TB_DELETEBUTTON, 0, 0);
    for (int bar = 1; bar <= count; ++bar) {
      TBBUTTON button{};
      // The marked bar's "Up" image would be read only to be replaced below.
      button.iBitmap = EnsureImage(bar, bar == marked, imported[static_cast<std::size_t>(bar)]);
      button.idCommand = firstCommand_ + bar;
      button.fsState = TBSTATE_ENABLED;
      button.fsStyle = BTNS_BUTTON;
      button.iString = names_[static_cast<std::size_t>(bar)].empty()
                           ? -1
                           : reinterpret_cast<INT_PTR>(names_[static_cast<std::size_t>(bar)].c_str());
      SendMessageW(toolbar_, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
    }
    count_ = count;
    SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
  }
  for (int bar = 1; bar <= count_; ++bar) {
    const int command = firstCommand_ + bar;
    SendMessageW(toolbar_, TB_CHANGEBITMAP, command,
                 EnsureImage(bar, bar == marked, imported[static_cast<std::size_t>(bar)]));
    SendMessageW(toolbar_, TB_ENABLEBUTTON, command, MAKELPARAM(enabled ? TRUE : FALSE, 0));
  }
  EnableWindow(toolbar_, enabled);
}

void BarButtons::SetName(int bar, const std::wstring& name) {
  if (bar < 1 || bar > MaxBarCount || names_[static_cast<std::size_t>(bar)] == name) return;
  names_[static_cast<std::size_t>(bar)] = name;
  if (bar > count_) return;
  TBBUTTONINFOW info{sizeof info};
  info.dwMask = TBIF_TEXT;
  info.pszText = names_[static_cast<std::size_t>(bar)].data();
  SendMessageW(toolbar_, TB_SETBUTTONINFOW, static_cast<WPARAM>(firstCommand_ + bar), reinterpret_cast<LPARAM>(&info));
}

const std::wstring& BarButtons::Name(int bar) const {
  static const std::wstring none;
  return bar >= 1 && bar <= count_ ? names_[static_cast<std::size_t>(bar)] : none;
}

void BarButtons::SetKeyboardBar(int bar) { keyboardBar_ = bar; }

void BarButtons::SetHotBar(int bar) {
  SendMessageW(toolbar_, TB_SETHOTITEM, static_cast<WPARAM>(bar >= 1 && bar <= count_ ? bar - 1 : -1), 0);
}

LRESULT CALLBACK BarButtons::KeyboardProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                          DWORD_PTR self) {
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, KeyboardProc, id);
    return DefSubclassProc(window, message, wParam, lParam);
  }
  return reinterpret_cast<BarButtons*>(self)->OnKey(window, message, wParam, lParam);
}

LRESULT BarButtons::OnKey(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto* keyMessage = reinterpret_cast<const MSG*>(lParam);
  switch (message) {
    case WM_GETDLGCODE: {
      // The dialog keyboard would take the arrow keys and Enter for itself; the row wants them to
      // move between its buttons and to press the one it is on.
      LRESULT code = DefSubclassProc(window, message, wParam, lParam) | DLGC_WANTARROWS;
      if (keyMessage && (keyMessage->message == WM_KEYDOWN || keyMessage->message == WM_CHAR) &&
          (keyMessage->wParam == VK_RETURN || keyMessage->wParam == L'\r'))
        code |= DLGC_WANTMESSAGE;
      return code;
    }
    case WM_SETFOCUS: {
      // The row would mark its first button; the keyboard's place is the marked bar.
      const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
      if (keyboardBar_ != 0) SetHotBar(keyboardBar_);
      return result;
    }
    case WM_KEYDOWN:
      if (wParam == VK_RETURN) {
        // What Space does: the button with the hot-tracking mark is pressed.
        if (const int bar = HotBar(); bar != 0 && IsWindowEnabled(window))
          SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(firstCommand_ + bar, BN_CLICKED),
                       reinterpret_cast<LPARAM>(window));
        return 0;
      }
      if (wParam == VK_APPS) {
        SendMessageW(GetParent(window), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), MAKELPARAM(-1, -1));
        return 0;
      }
      break;
    case WM_CHAR:
      if (wParam == L'\r') return 0;
      break;
    case WM_KEYUP:
      if (wParam == VK_APPS) return 0;  // the menu came with the key's press
      break;
    case WM_SYSKEYUP:
      if (wParam == VK_F10 && (GetKeyState(VK_SHIFT) & 0x8000)) return 0;  // no menu bar after Shift+F10
      break;
    case WM_SYSKEYDOWN:
      if (wParam == VK_F10 && (GetKeyState(VK_SHIFT) & 0x8000)) {
        SendMessageW(GetParent(window), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), MAKELPARAM(-1, -1));
        return 0;
      }
      break;
    default:
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

int BarButtons::ButtonWidth() const { return LOWORD(SendMessageW(toolbar_, TB_GETBUTTONSIZE, 0, 0)); }

int BarButtons::Height() const {
  RECT rect{};
  GetWindowRect(toolbar_, &rect);
  return rect.bottom - rect.top;
}

int BarButtons::BarAt(POINT client) const {
  const auto index = static_cast<int>(SendMessageW(toolbar_, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&client)));
  return index >= 0 && index < count_ ? index + 1 : 0;
}

int BarButtons::HotBar() const {
  const auto index = static_cast<int>(SendMessageW(toolbar_, TB_GETHOTITEM, 0, 0));
  return index >= 0 && index < count_ ? index + 1 : 0;
}

}  // namespace barloom
