// The bar buttons' images, read straight from the icon files' pixels, draw exactly as the icons
// themselves put into an image list by the system, apart from the import mark of a bar that has one.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "ui/win32/window_table.h"
#include "core/wizard_state.h"
#include "platform/path_text.h"
#include "tests/ui/test_window_class_win32.h"
#include "ui/import_mark.h"
#include "ui/win32/bar_buttons.h"

namespace barloom {
namespace {

// The image at `index` drawn onto magenta, as top-down BGR(A) bytes.
std::vector<std::uint8_t> Drawn(HIMAGELIST images, int index, int size) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, size, -size, 1, 32, BI_RGB};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  std::vector<std::uint8_t> pixels;
  if (bitmap && bits) {
    const HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, size, size};
    HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
    FillRect(dc, &all, magenta);
    DeleteObject(magenta);
    if (ImageList_Draw(images, index, dc, 0, 0, ILD_NORMAL)) {
      GdiFlush();
      pixels.assign(static_cast<std::uint8_t*>(bits), static_cast<std::uint8_t*>(bits) + size * size * 4);
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
  }
  DeleteDC(dc);
  return pixels;
}

TEST(BarButtonImages, DrawAsTheIconFilesThemselves) {
  const HINSTANCE instance = test_support::RegisterPlainWindowClass(L"BarloomBarImagesTest");
  const HWND parent = CreateWindowExW(0, L"BarloomBarImagesTest", L"", WS_OVERLAPPEDWINDOW, 0, 0, 600, 200, nullptr,
                                      nullptr, instance, nullptr);
  ASSERT_NE(parent, nullptr);
  const std::string resources = Utf8FromPath(std::filesystem::path(BARLOOM_SOURCE_DIR) / "resources") + PathSeparator;
  {
    BarButtons buttons;
    const HWND toolbar = CreateRowControl(parent, ControlRow{1, ControlKind::Toolbar}, 96);
    ASSERT_NE(toolbar, nullptr);
    buttons.Attach(toolbar, 100);
    for (const int size : {16, 24, 48}) {
      buttons.LoadImages(resources, size);
      ImportedBars imported{};
      imported[2] = imported[3] = true;
      buttons.Show(3, 2, true, imported);  // bars 1 and 3 up, bar 2 down; 2 and 3 with the import mark
      const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(buttons.Window(), TB_GETIMAGELIST, 0, 0));
      for (const auto& [bar, down] : {std::pair{1, false}, std::pair{2, true}, std::pair{3, false}}) {
        const std::filesystem::path file = PathFromUtf8(BarIconFile(resources, bar, down ? BarIcon::Dn : BarIcon::Up));
        HIMAGELIST reference = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 1, 0);
        auto icon = static_cast<HICON>(LoadImageW(nullptr, file.c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE));
        ASSERT_NE(icon, nullptr) << file;
        ImageList_ReplaceIcon(reference, -1, icon);
        DestroyIcon(icon);
        const std::vector<std::uint8_t> expected = Drawn(reference, 0, size);
        ImageList_Destroy(reference);
        ASSERT_FALSE(expected.empty());
        const int index = static_cast<int>(SendMessageW(buttons.Window(), TB_GETBITMAP, 100 + bar, 0));
        const std::vector<std::uint8_t> drawn = Drawn(images, index, size);
        ASSERT_EQ(drawn.size(), expected.size());
        // The mark's corner is orange; every pixel outside it is the icon's.
        const int legs = ImportMarkPixels(size);
        for (int y = 0; y < size; ++y)
          for (int x = 0; x < size; ++x) {
            const std::size_t at = (static_cast<std::size_t>(y) * size + x) * 4;
            if (imported[bar] && x >= size - legs && y < legs) continue;
            ASSERT_TRUE(std::equal(&drawn[at], &drawn[at] + 3, &expected[at]))
                << file << " at " << size << ": " << x << "," << y;
          }
        const std::size_t corner = static_cast<std::size_t>(size - 1) * 4;
        const std::vector<int> orange{0, 140, 255};
        const std::vector<int> plain(&expected[corner], &expected[corner] + 3);
        EXPECT_EQ(std::vector<int>(&drawn[corner], &drawn[corner] + 3), imported[bar] ? orange : plain)
            << file << " at " << size;
      }
    }
  }
  DestroyWindow(parent);
}

}  // namespace
}  // namespace barloom
