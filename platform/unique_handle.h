#pragma once
// Owners for Win32 handles and memory: every handle the program obtains has exactly one owner.
#include <windows.h>
#include <objbase.h>

#include <utility>

namespace barloom {

// A move-only owner of a handle-like value. Traits says which value means "none"
// (static T Invalid()) and how to give a value back (static void Close(T)).
template <typename Traits>
class UniqueHandle {
 public:
  using Value = decltype(Traits::Invalid());

  UniqueHandle() noexcept = default;
  explicit UniqueHandle(Value value) noexcept : value_(value) {}
  UniqueHandle(UniqueHandle&& other) noexcept : value_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  Value get() const noexcept { return value_; }
  explicit operator bool() const noexcept { return value_ != Traits::Invalid(); }
  Value release() noexcept { return std::exchange(value_, Traits::Invalid()); }
  void reset(Value value = Traits::Invalid()) noexcept {
    if (value_ != Traits::Invalid()) Traits::Close(value_);
    value_ = value;
  }

 private:
  Value value_ = Traits::Invalid();
};

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

using UniqueFileHandle = UniqueHandle<FileHandleTraits>;
using UniqueKernelObject = UniqueHandle<KernelObjectTraits>;
using UniqueFindHandle = UniqueHandle<FindHandleTraits>;
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;
template <typename T>
using UniqueLocalMemory = UniqueHandle<LocalMemoryTraits<T>>;
template <typename T>
using UniqueGdiObject = UniqueHandle<GdiObjectTraits<T>>;
using UniqueFont = UniqueGdiObject<HFONT>;

}  // namespace barloom
