#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace barloom {

// Why the system could not open a document or web address.
enum class ShellOpenReason {
  NotFound,             // the file, its folder or the address is not there
  NoAssociation,        // no program is set up for that kind of file or address
  AccessDenied,         // the user may not open it
  FileInUse,            // another program holds it
  ProgramNotStarted,    // the program set up for it is broken (not a program, a library missing)
  ProgramDidNotAnswer,  // the program set up for it did not take the request in time
  OutOfMemory,
};

struct ShellOpenFailure {
  std::optional<ShellOpenReason> Reason;  // nullopt: SystemMessage says why
  std::string SystemMessage;              // the system's words, or empty

  bool operator==(const ShellOpenFailure&) const = default;
};

// Opens a document or web address with the program the system associates with it.
class ShellOpener {
 public:
  virtual ~ShellOpener() = default;
  // Returns without waiting for the document to open: nullopt when the system took the request,
  // otherwise why it could not. The system shows no message of its own; the caller tells the user.
  virtual std::optional<ShellOpenFailure> Open(std::uintptr_t ownerWindow, std::string_view target) = 0;
};

#ifdef _WIN32
// ShellExecuteExW with the verb "open" in a normal window, without the system's error dialogs.
class SystemShellOpener final : public ShellOpener {
 public:
  std::optional<ShellOpenFailure> Open(std::uintptr_t ownerWindow, std::string_view target) override;
};
#endif

}  // namespace barloom
