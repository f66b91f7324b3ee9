#pragma once
// The one owner type for handles of the system (Win32 handles: platform/unique_handle.h; POSIX
// file descriptors: UniqueFileDescriptor below): the value is given back when its owner
// goes, on every path.
#include <utility>

#ifndef _WIN32
#include <unistd.h>
#endif

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

#ifndef _WIN32
// An owner for POSIX file descriptors.
struct FileDescriptorTraits {
  static int Invalid() noexcept { return -1; }
  static void Close(int fd) noexcept { ::close(fd); }
};
using UniqueFileDescriptor = UniqueHandle<FileDescriptorTraits>;

// Closes the descriptor now, for the answer of close: a write the system delayed may fail only
// there. The owner holds nothing afterwards, whatever the answer.
inline bool CloseNow(UniqueFileDescriptor& fd) { return ::close(fd.release()) == 0; }
#endif

}  // namespace barloom
