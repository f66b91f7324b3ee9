#pragma once
// Stand-ins for the dialogs that wait for a person: they answer from a script and remember what
// they were asked, so that tests can play the user.
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/file_open_dialog.h"
#include "platform/folder_picker.h"
#include "platform/message_box.h"
#include "platform/shell_open.h"

namespace barloom::test_support {

// The next scripted answer; `cancel` once the script has run out.
template <typename Answer>
Answer NextAnswer(std::deque<Answer>& answers, Answer cancel) {
  if (answers.empty()) return cancel;
  Answer answer = std::move(answers.front());
  answers.pop_front();
  return answer;
}

struct FolderRequest {
  std::string StartFolder;
  std::uintptr_t OwnerWindow = 0;
  std::string Title;

  bool operator==(const FolderRequest&) const = default;
};

// Answers: the folder the user picks, "" for cancel.
class ScriptedFolderPicker final : public FolderPicker {
 public:
  std::string BrowseFolder(std::string_view startFolder, std::uintptr_t ownerWindow, std::string_view title) override {
    Calls.push_back({std::string(startFolder), ownerWindow, std::string(title)});
    return NextAnswer<std::string>(Answers, "");
  }

  std::deque<std::string> Answers;
  std::vector<FolderRequest> Calls;
};

// Answers: the file the user picks, nullopt for cancel.
class ScriptedFileOpenDialog final : public FileOpenDialog {
 public:
  std::optional<std::string> ShowOpen(const FileOpenRequest& request) override {
    Calls.push_back(request);
    return NextAnswer<std::optional<std::string>>(Answers, std::nullopt);
  }

  std::deque<std::optional<std::string>> Answers;
  std::vector<FileOpenRequest> Calls;
};

struct OpenedTarget {
  std::uintptr_t OwnerWindow = 0;
  std::string Target;

  bool operator==(const OpenedTarget&) const = default;
};

// Answers: why the system could not open the target, nullopt (also once the script has run out)
// when it opened it.
class RecordingShellOpener final : public ShellOpener {
 public:
  std::optional<ShellOpenFailure> Open(std::uintptr_t ownerWindow, std::string_view target) override {
    Opened.push_back({ownerWindow, std::string(target)});
    return NextAnswer<std::optional<ShellOpenFailure>>(Answers, std::nullopt);
  }

  std::deque<std::optional<ShellOpenFailure>> Answers;
  std::vector<OpenedTarget> Opened;
};

struct ShownMessage {
  std::string Text;
  std::string Title;
  MessageIcon Icon = MessageIcon::Information;

  bool operator==(const ShownMessage&) const = default;
};

struct AskedQuestion {
  std::string Text;
  std::string Title;
  std::vector<std::string> Answers;

  bool operator==(const AskedQuestion&) const = default;
};

// Messages are recorded; Yes/No questions take `Answers`, choices take `Picks` (an index, nullopt
// for a box closed without an answer).
class RecordingMessageBox final : public MessageBoxService {
 public:
  void Show(std::string_view text, std::string_view title, MessageIcon icon) override {
    Shown.push_back({std::string(text), std::string(title), icon});
  }
  // Questions are kept apart from the messages; each takes the next answer, Yes when none is left.
  bool Ask(std::string_view text, std::string_view title) override {
    Asked.push_back({std::string(text), std::string(title), MessageIcon::Information});
    return NextAnswer<bool>(Answers, true);
  }
  // Choices take the next of `Picks`, closed without an answer once the script has run out.
  std::optional<std::size_t> Choose(std::string_view text, std::string_view title,
                                    std::span<const std::string> answers) override {
    Choices.push_back({std::string(text), std::string(title), {answers.begin(), answers.end()}});
    return NextAnswer<std::optional<std::size_t>>(Picks, std::nullopt);
  }

  std::vector<ShownMessage> Shown;
  std::vector<ShownMessage> Asked;
  std::deque<bool> Answers;
  std::vector<AskedQuestion> Choices;
  std::deque<std::optional<std::size_t>> Picks;
};

}  // namespace barloom::test_support
