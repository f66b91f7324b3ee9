#pragma once
// Owners for Win32 handles and memory: every handle the program obtains has exactly one owner
// (UniqueHandle, platform/unique_owner.h).
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <ole2.h>

#include "platform/unique_owner.h"

namespace barloom {

struct FileHandleTraits {
  static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE handle) noexcept { ::CloseHandle(handle); }
};
// Handles that are NULL when there is none (processes, threads, events).
struct KernelObjectTraits {
  static HANDLE Invalid() noexcept { return nullptr; }
  static void Close(HANDLE handle) noexcept { ::CloseHandle(handle); }
};
struct FindHandleTraits {
  static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE handle) noexcept { ::FindClose(handle); }
};
struct RegistryKeyTraits {
  static HKEY Invalid() noexcept { return nullptr; }
  static void Close(HKEY key) noexcept { ::RegCloseKey(key); }
};
template <typename T>
struct LocalMemoryTraits {
  static T Invalid() noexcept { return nullptr; }
  static void Close(T memory) noexcept { ::LocalFree(reinterpret_cast<HLOCAL>(memory)); }
};
// Fonts, brushes, bitmaps and the other objects that DeleteObject gives back (gdi32).
template <typename T>
struct GdiObjectTraits {
  static T Invalid() noexcept { return nullptr; }
  static void Close(T object) noexcept { ::DeleteObject(object); }
};

// Memory the shell and COM hand out (item identifier lists, strings).
template <typename T>
struct CoTaskMemoryTraits {
  static T Invalid() noexcept { return nullptr; }
  static void Close(T memory) noexcept { ::CoTaskMemFree(memory); }
};

// OLE on the calling thread for as long as the owner lives: the shell's dialogs need it, and
// nothing else does, so the program starts without loading OLE and each dialog brings it up.
class OleSession {
 public:
  OleSession() noexcept : result_(::OleInitialize(nullptr)) {}
  ~OleSession() {
    if (SUCCEEDED(result_)) ::OleUninitialize();
  }
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;

 private:
  HRESULT result_;
};

struct IconTraits {
  static HICON Invalid() noexcept { return nullptr; }
  static void Close(HICON icon) noexcept { ::DestroyIcon(icon); }
};
struct MenuTraits {
  static HMENU Invalid() noexcept { return nullptr; }
  static void Close(HMENU menu) noexcept { ::DestroyMenu(menu); }
};
struct ImageListTraits {
  static HIMAGELIST Invalid() noexcept { return nullptr; }
  static void Close(HIMAGELIST images) noexcept { ::ImageList_Destroy(images); }
};
// A device context the program made (CreateCompatibleDC).
struct MemoryDcTraits {
  static HDC Invalid() noexcept { return nullptr; }
  static void Close(HDC dc) noexcept { ::DeleteDC(dc); }
};

// The device context of a window (or of the screen, for no window), borrowed from the system for
// as long as the owner lives.
class WindowDc {
 public:
  explicit WindowDc(HWND window) noexcept : window_(window), dc_(::GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ::ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const noexcept { return dc_; }
  explicit operator bool() const noexcept { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// An object selected into a device context for as long as the owner lives; the one selected
// before comes back when it goes.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(::SelectObject(dc, object)) {}
  ~SelectedObject() {
    if (previous_) ::SelectObject(dc_, previous_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

using UniqueFileHandle = UniqueHandle<FileHandleTraits>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueKernelObject = UniqueHandle<KernelObjectTraits>;
using UniqueFindHandle = UniqueHandle<FindHandleTraits>;
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;
template <typename T>
using UniqueLocalMemory = UniqueHandle<LocalMemoryTraits<T>>;
template <typename T>
using UniqueGdiObject = UniqueHandle<GdiObjectTraits<T>>;
using UniqueFont = UniqueGdiObject<HFONT>;
using UniqueBitmap = UniqueGdiObject<HBITMAP>;
using UniqueBrush = UniqueGdiObject<HBRUSH>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueImageList = UniqueHandle<ImageListTraits>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;

}  // namespace barloom
