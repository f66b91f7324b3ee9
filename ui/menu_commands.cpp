#include "ui/menu_commands.h"

#include "build_info.h"
#include "core/bar_set_result.h"
#include "localisation/language.h"
#include "platform/file_bytes.h"
#include "platform/message_box.h"
#include "platform/shell_open.h"

namespace barloom {
namespace {

constexpr std::string_view HelpFileName = "Readme.htm";

// The text of each reason; access and a file in use read as they do for a file that cannot be
// written.
std::string ShellReasonText(ShellOpenReason reason, const Language& language) {
  switch (reason) {
    case ShellOpenReason::NoAssociation: return language.Text(TextId::NoAssociation);
    case ShellOpenReason::NotFound: return language.Text(TextId::OpenTargetNotFound);
    case ShellOpenReason::ProgramNotStarted: return language.Text(TextId::ProgramNotStarted);
    case ShellOpenReason::ProgramDidNotAnswer: return language.Text(TextId::ProgramDidNotAnswer);
    case ShellOpenReason::OutOfMemory: return language.Text(TextId::OutOfMemory);
    case ShellOpenReason::AccessDenied: return ReasonText(WriteFailureReason::AccessDenied, language.Current());
    case ShellOpenReason::FileInUse: return ReasonText(WriteFailureReason::FileInUse, language.Current());
  }
  return {};
}

}  // namespace

void OpenOrReport(std::uintptr_t ownerWindow, std::string_view target, const Language& language, ShellOpener& shell,
                  MessageBoxService& messages) {
  const std::optional<ShellOpenFailure> failure = shell.Open(ownerWindow, target);
  if (!failure) return;
  const std::string reason = failure->Reason ? ShellReasonText(*failure->Reason, language) : std::string{};
  messages.Show(JoinLines({language.Text(TextId::NotOpened), target, reason, failure->SystemMessage}),
                build_info::ProductName, MessageIcon::Error);
}

void ShowReadme(std::uintptr_t ownerWindow, std::string_view appFolder, const Language& language, ShellOpener& shell,
                MessageBoxService& messages) {
  const std::string helpFile = std::string{appFolder} + std::string{HelpFileName};
  if (FileExists(helpFile)) {
    OpenOrReport(ownerWindow, helpFile, language, shell, messages);
  } else {
    messages.Show(language.Text(TextId::FileNotFound), build_info::ProductName, MessageIcon::Error);
  }
}

}  // namespace barloom
