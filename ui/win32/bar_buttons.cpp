#include "ui/win32/bar_buttons.h"

#include <cstdint>

#include "core/wizard_state.h"
#include "platform/wide_text.h"

namespace barloom {
namespace {

constexpr int ImagesPerKind = MaxBarCount;

int UpImage(int bar) { return bar - 1; }
int DownImage(int bar) { return ImagesPerKind + bar - 1; }

// A button face with the bar's number, drawn when its icon cannot be loaded: light for "Up", a
// strong blue with white digits for "Dn", as the shipped icons look.
HBITMAP NumberedStandIn(int number, bool down, int size) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = -size;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = CreateCompatibleDC(nullptr);
  if (!bitmap || !bits || !dc) {
    if (dc) DeleteDC(dc);
    if (bitmap) DeleteObject(bitmap);
    return nullptr;
  }
  const HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  RECT face{0, 0, size, size};
  HBRUSH fill = CreateSolidBrush(down ? RGB(0, 84, 166) : RGB(236, 236, 236));
  HBRUSH edge = CreateSolidBrush(down ? RGB(0, 48, 96) : RGB(128, 128, 128));
  FillRect(dc, &face, fill);
  FrameRect(dc, &face, edge);
  DeleteObject(fill);
  DeleteObject(edge);
  HFONT font = CreateFontW(-(size * 11 / 20), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma");
  const HGDIOBJ oldFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, down ? RGB(255, 255, 255) : RGB(32, 32, 32));
  const std::wstring text = std::to_wstring(number);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &face, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  GdiFlush();
  // GDI leaves the alpha bytes at 0, which a 32-bit image list would draw as transparent.
  auto* pixel = static_cast<std::uint8_t*>(bits);
  for (int i = 0; i < size * size; ++i) pixel[i * 4 + 3] = 0xFF;
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBitmap);
  DeleteObject(font);
  DeleteDC(dc);
  return bitmap;
}

// Puts image `index` in place: the icon file, else a numbered stand-in.
void PutImage(HIMAGELIST images, int index, const std::string& iconFile, int number, bool down, int size) {
  const std::wstring path = WideFromUtf8(iconFile);
  if (HICON icon = static_cast<HICON>(LoadImageW(nullptr, path.c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE))) {
    const int put = ImageList_ReplaceIcon(images, index, icon);
    DestroyIcon(icon);
    if (put >= 0) return;
  }
  if (HBITMAP standIn = NumberedStandIn(number, down, size)) {
    ImageList_Replace(images, index, standIn, nullptr);
    DeleteObject(standIn);
  }
}

// The dialog keyboard would take the arrow keys for itself; the row wants them to move between
// its buttons (Space or Enter then presses the one it is on).
LRESULT CALLBACK WantArrows(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
  if (message == WM_GETDLGCODE) return DefSubclassProc(window, message, wParam, lParam) | DLGC_WANTARROWS;
  if (message == WM_NCDESTROY) RemoveWindowSubclass(window, WantArrows, id);
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

BarButtons::~BarButtons() {
  if (images_) ImageList_Destroy(images_);
}

bool BarButtons::Create(HWND parent, int controlId, int firstCommand) {
  firstCommand_ = firstCommand;
  toolbar_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP |
                                 CCS_NODIVIDER,
                             0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                             GetModuleHandleW(nullptr), nullptr);
  if (!toolbar_) return false;
  SendMessageW(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SetWindowSubclass(toolbar_, WantArrows, 1, 0);
  return true;
}

void BarButtons::LoadImages(const std::string& appFolder, int size) {
  HIMAGELIST images = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 2 * ImagesPerKind, 0);
  if (!images) return;
  // Every image has its place from the start; each image is read when a button first shows it
  // (EnsureImage): every icon file costs a few milliseconds under Wine, and most sets are small.
  ImageList_SetImageCount(images, static_cast<UINT>(loaded_.size()));
  loaded_.fill(false);
  appFolder_ = appFolder;
  imageSize_ = size;
  // The buttons take their size from the images: the next Show builds them anew.
  Show(0, 0, true);
  SendMessageW(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
  SendMessageW(toolbar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(size, size));
  if (images_) ImageList_Destroy(images_);
  images_ = images;
}

int BarButtons::EnsureImage(int bar, bool down) {
  const int index = down ? DownImage(bar) : UpImage(bar);
  if (images_ && !loaded_[static_cast<std::size_t>(index)]) {
    PutImage(images_, index, BarIconFile(appFolder_, bar, down ? BarIcon::Dn : BarIcon::Up), bar, down, imageSize_);
    loaded_[static_cast<std::size_t>(index)] = true;
  }
  return index;
}

void BarButtons::Show(int count, int marked, bool enabled) {
  if (count != count_) {
    while (SendMessageW(toolbar_, TB_BUTTONCOUNT, 0, 0) > 0) SendMessageW(toolbar_, TB_DELETEBUTTON, 0, 0);
    for (int bar = 1; bar <= count; ++bar) {
      TBBUTTON button{};
      button.iBitmap = EnsureImage(bar, false);
      button.idCommand = firstCommand_ + bar;
      button.fsState = TBSTATE_ENABLED;
      button.fsStyle = BTNS_BUTTON;
      button.iString = -1;
      SendMessageW(toolbar_, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
    }
    count_ = count;
    SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
  }
  for (int bar = 1; bar <= count_; ++bar) {
    const int command = firstCommand_ + bar;
    SendMessageW(toolbar_, TB_CHANGEBITMAP, command, EnsureImage(bar, bar == marked));
    SendMessageW(toolbar_, TB_ENABLEBUTTON, command, MAKELPARAM(enabled ? TRUE : FALSE, 0));
  }
  EnableWindow(toolbar_, enabled);
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
