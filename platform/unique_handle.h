#pragma once
// Owners for Win32 handles and memory: every handle the program obtains has exactly one owner
// (UniqueHandle, platform/unique_owner.h).
#include <windows.h>
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

}  // namespace barloom
