#pragma once
#include <cstdint>
#include <string_view>

namespace barloom {

// Opens a document or web address with the program the system associates with it.
class ShellOpener {
 public:
  virtual ~ShellOpener() = default;
  // Returns without waiting for the document to open. A target the system cannot open is
  // reported by the system itself, if at all; the caller learns nothing of it.
  virtual void Open(std::uintptr_t ownerWindow, std::string_view target) = 0;
};

#ifdef _WIN32
// ShellExecuteW with the verb "open" in a normal window.
class SystemShellOpener final : public ShellOpener {
 public:
  void Open(std::uintptr_t ownerWindow, std::string_view target) override;
};
#endif

}  // namespace barloom
