#include "ui/menu_commands.h"

#include "build_info.h"
#include "localisation/get_text.h"
#include "platform/file_exists.h"
#include "platform/message_box.h"
#include "platform/shell_open.h"
#include "settings/settings_file.h"

namespace barloom {
namespace {

constexpr std::string_view HelpFileName = "Readme.htm";
constexpr int FileNotFoundText = 3056;

}  // namespace

void ShowReadme(std::uintptr_t ownerWindow, const Settings& settings, ShellOpener& shell,
                MessageBoxService& messages) {
  const std::string helpFile = settings.AppFolder + std::string{HelpFileName};
  if (FileExists(helpFile)) {
    shell.Open(ownerWindow, helpFile);
  } else {
    messages.Show(GetText(FileNotFoundText, settings), build_info::ProductName, MessageIcon::Error);
  }
}

}  // namespace barloom
