#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace barloom {

// What the system's file-open dialog is asked to show. `Filter` lists description and pattern
// pairs, every item separated from the next by "|" ("Text (*.txt)|*.txt|All Files (*.*)|*.*");
// the first pair is preselected. `Flags` are the dialog's numeric option flags (OFN_...), passed
// as given. Empty texts leave the choice to the system.
struct FileOpenRequest {
  std::string InitDir;
  std::string Title;
  std::uint32_t Flags = 0;
  std::string Filter;
  std::string FileName;

  bool operator==(const FileOpenRequest&) const = default;
};

class FileOpenDialog {
 public:
  virtual ~FileOpenDialog() = default;
  // Shows the dialog and waits for the user: the full path of the chosen file, or nullopt when
  // the user cancelled or the dialog failed.
  virtual std::optional<std::string> ShowOpen(const FileOpenRequest& request) = 0;
};

#ifdef _WIN32
// GetOpenFileNameW, owned by a window of the program (0: none).
class SystemFileOpenDialog final : public FileOpenDialog {
 public:
  explicit SystemFileOpenDialog(std::uintptr_t ownerWindow = 0) : ownerWindow_(ownerWindow) {}
  void SetOwner(std::uintptr_t ownerWindow) { ownerWindow_ = ownerWindow; }
  std::optional<std::string> ShowOpen(const FileOpenRequest& request) override;

 private:
  std::uintptr_t ownerWindow_;
};
#endif

// The program's file-open call: one dialog bound at start-up, asked for an existing file with
// one of two filter lists; "cancelled" comes back as nullopt.
class cCommonDialog {
 public:
  // OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY: only an existing
  // file can be chosen, and there is no read-only check box.
  static constexpr std::uint32_t OpenFlags = 0x81804;

  void Setup(FileOpenDialog& comDlg, std::string_view strInitDir);

  // The full path of the chosen file. Starts in strInitDir, or the folder given to Setup when
  // strInitDir is empty; titled strTitle, or "Open" when it is empty; lngFilter 0 offers all
  // files, 1 button bar files first and all files second. Cancelling, any failure, an unknown
  // lngFilter (no dialog is shown) and a call before Setup give nullopt, or, with
  // blnUnloadIfCancel, end the program at once.
  std::optional<std::string> BrowseForOpen(std::string_view strInitDir, std::string_view strFileName, std::int32_t lngFilter,
                            std::string_view strTitle, bool blnUnloadIfCancel);

 private:
  FileOpenDialog* comDlg_ = nullptr;
  std::string defaultInitDir_;
  std::array<std::string, 2> filters_;
};

}  // namespace barloom
