#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace barloom {

// The system's folder-browsing dialog: the whole namespace with the desktop at the top, only
// file-system folders can be confirmed.
class FolderPicker {
 public:
  virtual ~FolderPicker() = default;
  // Shows the dialog with `startFolder` selected (when not empty and selectable) and `title` above
  // the folder tree (none when empty), owned by `ownerWindow` (0: none), and waits for the user.
  // The chosen folder exactly as the system gives it (no trailing separator except for a drive
  // root such as "C:\"), or "" when the user cancelled or the item has no file-system path.
  virtual std::string BrowseFolder(std::string_view startFolder, std::uintptr_t ownerWindow,
                                   std::string_view title) = 0;
};

#ifdef _WIN32
// SHBrowseForFolderW in its resizable style with a make-new-folder button. That style needs OLE
// on the calling thread, which the picker brings up for the time the dialog is open.
class ShellFolderPicker final : public FolderPicker {
 public:
  std::string BrowseFolder(std::string_view startFolder, std::uintptr_t ownerWindow, std::string_view title) override;
};
#endif

}  // namespace barloom
