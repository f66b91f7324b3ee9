#pragma once
// An owner for POSIX file descriptors.
#include <unistd.h>

#include "platform/unique_owner.h"

namespace barloom {

struct FileDescriptorTraits {
  static int Invalid() noexcept { return -1; }
  static void Close(int fd) noexcept { ::close(fd); }
};
using UniqueFileDescriptor = UniqueHandle<FileDescriptorTraits>;

// Closes the descriptor now, for the answer of close: a write the system delayed may fail only
// there. The owner holds nothing afterwards, whatever the answer.
inline bool CloseNow(UniqueFileDescriptor& fd) { return ::close(fd.release()) == 0; }

}  // namespace barloom
