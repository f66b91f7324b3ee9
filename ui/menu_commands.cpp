#include "ui/menu_commands.h"

#include "build_info.h"
#include "core/bar_set_result.h"
#include "localisation/get_text.h"
#include "platform/file_exists.h"
#include "platform/message_box.h"
#include "platform/shell_open.h"
#include "settings/settings_file.h"

namespace barloom {
namespace {

constexpr std::string_view HelpFileName = "Readme.htm";
constexpr int FileNotFoundText = 3056;
constexpr int NotOpenedText = 750;

// The text of each reason; access and a file in use read as they do for a file that cannot be
// written.
std::string ShellReasonText(ShellOpenReason reason, const Settings& settings) {
  switch (reason) {
    case ShellOpenReason::NoAssociation: return GetText(751, settings);
    case ShellOpenReason::NotFound: return GetText(752, settings);
    case ShellOpenReason::ProgramNotStarted: return GetText(753, settings);
    case ShellOpenReason::ProgramDidNotAnswer: return GetText(754, settings);
    case ShellOpenReason::OutOfMemory: return GetText(755, settings);
    case ShellOpenReason::AccessDenied: return ReasonText(WriteFailureReason::AccessDenied, settings);
    case ShellOpenReason::FileInUse: return ReasonText(WriteFailureReason::FileInUse, settings);
  }
  return {};
}

}  // namespace

void OpenOrReport(std::uintptr_t ownerWindow, std::string_view target, const Settings& settings, ShellOpener& shell,
                  MessageBoxService& messages) {
  const std::optional<ShellOpenFailure> failure = shell.Open(ownerWindow, target);
  if (!failure) return;
  const std::string reason = failure->Reason ? ShellReasonText(*failure->Reason, settings) : std::string{};
  messages.Show(JoinLines({GetText(NotOpenedText, settings), target, reason, failure->SystemMessage}),
                build_info::ProductName, MessageIcon::Error);
}

void ShowReadme(std::uintptr_t ownerWindow, const Settings& settings, ShellOpener& shell,
                MessageBoxService& messages) {
  const std::string helpFile = settings.AppFolder + std::string{HelpFileName};
  if (FileExists(helpFile)) {
    OpenOrReport(ownerWindow, helpFile, settings, shell, messages);
  } else {
    messages.Show(GetText(FileNotFoundText, settings), build_info::ProductName, MessageIcon::Error);
  }
}

}  // namespace barloom
