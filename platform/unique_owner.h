#pragma once
// The one owner type for handles of the system (Win32 handles: platform/unique_handle.h; POSIX
// file descriptors: platform/unique_file_descriptor.h): the value is given back when its owner
// goes, on every path.
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

}  // namespace barloom
