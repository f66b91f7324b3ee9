#include "ui/win32/frame_window.h"

namespace barloom {
namespace {

constexpr wchar_t FrameClassName[] = L"BarloomFrame";

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return SendMessageW(GetParent(window), message, wParam, lParam);
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

bool RegisterFrameClass(HINSTANCE instance) {
  WNDCLASSEXW frameClass{sizeof frameClass};
  if (GetClassInfoExW(instance, FrameClassName, &frameClass)) return true;
  // Painted anew whole when its size changes: its group box does not erase its own inside, and
  // an edge drawn at the old width would stay.
  frameClass.style = CS_HREDRAW | CS_VREDRAW;
  frameClass.lpfnWndProc = FrameProc;
  frameClass.hInstance = instance;
  frameClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  frameClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  frameClass.lpszClassName = FrameClassName;
  return RegisterClassExW(&frameClass) != 0;
}

}  // namespace

HWND CreateFrameWindow(HWND parent, int frameId, int groupBoxId, const RECT& place) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!RegisterFrameClass(instance)) return nullptr;
  const int width = place.right - place.left;
  const int height = place.bottom - place.top;
  HWND frame = CreateWindowExW(WS_EX_CONTROLPARENT, FrameClassName, nullptr, WS_CHILD | WS_CLIPSIBLINGS, place.left,
                               place.top, width, height, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(frameId)), instance, nullptr);
  if (!frame) return nullptr;
  CreateWindowExW(0, L"BUTTON", nullptr, WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0, 0, width, height, frame,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(groupBoxId)), instance, nullptr);
  return frame;
}

void PlaceFrameWindow(HWND frame, int groupBoxId, const RECT& place) {
  const int width = place.right - place.left;
  const int height = place.bottom - place.top;
  SetWindowPos(frame, nullptr, place.left, place.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(GetDlgItem(frame, groupBoxId), nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace barloom
