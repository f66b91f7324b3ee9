#pragma once
#include <string_view>

namespace barloom {

enum class MessageIcon { Information, Error };

// A modal message with an OK button only. Behind an interface so that tests can see what the
// user would have been shown; the Win32 implementation waits until the box is closed.
class MessageBoxService {
 public:
  virtual ~MessageBoxService() = default;
  virtual void Show(std::string_view text, std::string_view title, MessageIcon icon) = 0;
};

}  // namespace barloom
