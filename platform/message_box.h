#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace barloom {

enum class MessageIcon { Information, Error };

// A modal message with an OK button only, or a question. Behind an interface so that tests can see what the
// user would have been shown (the whole text); the Win32 implementation waits until the box is
// closed.
class MessageBoxService {
 public:
  virtual ~MessageBoxService() = default;
  virtual void Show(std::string_view text, std::string_view title, MessageIcon icon) = 0;
  // A modal question with the warning icon and the buttons Yes and No (No the default, so that a
  // hasty Enter changes nothing): true for Yes.
  virtual bool Ask(std::string_view text, std::string_view title) = 0;

  // A question: `text` with a warning icon and one button for each of `answers` (their captions,
  // "&" before an access key), the first the default; the last is the one that changes nothing,
  // which Esc and the close box give too. Returns the index of the answer given, or nullopt when
  // the box was closed without one (it could not be shown).
  virtual std::optional<std::size_t> Choose(std::string_view text, std::string_view title,
                                            std::span<const std::string> answers) = 0;
};

#ifdef _WIN32
// MessageBoxW owned by a window of the program (0: none); Error shows the critical icon. Right to
// left, the text reads and is aligned from the right. A text too long for the screen is
// shortened first (FitMessage, measured in the message font at the owner's DPI against the work
// area of the owner's monitor), so that the box and its button stay on the screen.
class SystemMessageBox final : public MessageBoxService {
 public:
  explicit SystemMessageBox(std::uintptr_t ownerWindow = 0) : ownerWindow_(ownerWindow) {}
  void SetOwner(std::uintptr_t ownerWindow) { ownerWindow_ = ownerWindow; }
  void SetRightToLeft(bool rightToLeft) { rightToLeft_ = rightToLeft; }
  // The language's font character set: a set other than the default (1) or ANSI (0) gives the
  // box's text the message font in that set, so that the system picks a face with its letters.
  void SetCharset(int charset) { charset_ = charset; }
  void Show(std::string_view text, std::string_view title, MessageIcon icon) override;
  bool Ask(std::string_view text, std::string_view title) override;
  // A task dialog with a button for each answer (Esc and the close box give the last). Where the
  // system has no task dialogs, a message box whose Yes, No and Cancel stand for the first three.
  std::optional<std::size_t> Choose(std::string_view text, std::string_view title,
                                    std::span<const std::string> answers) override;

 private:
  std::uintptr_t ownerWindow_;
  int Run(std::string_view text, std::string_view title, unsigned style);

  bool rightToLeft_ = false;
  int charset_ = 1;
};
#endif

}  // namespace barloom
