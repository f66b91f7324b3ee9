#include "platform/file_open_dialog.h"

#include <cstdlib>


namespace barloom {

void cCommonDialog::Setup(FileOpenDialog& comDlg, std::string_view strInitDir) {
  comDlg_ = &comDlg;
  defaultInitDir_ = strInitDir;
  filters_[0] = "All Files (*.*)|*.*";
  filters_[1] = "TC button bar file (*.bar)|*.bar|" + filters_[0];
}

std::optional<std::string> cCommonDialog::BrowseForOpen(std::string_view strInitDir, std::string_view strFileName,
                                                        std::int32_t lngFilter, std::string_view strTitle,
                                                        bool blnUnloadIfCancel) {
  std::optional<std::string> chosen;
  if (comDlg_ != nullptr && (lngFilter == 0 || lngFilter == 1)) {
    FileOpenRequest request;
    request.InitDir = strInitDir.empty() ? defaultInitDir_ : std::string(strInitDir);
    request.Title = strTitle.empty() ? "Open" : std::string(strTitle);
    request.Flags = OpenFlags;
    request.Filter = filters_[static_cast<std::size_t>(lngFilter)];
    request.FileName = strFileName;
    chosen = comDlg_->ShowOpen(request);
  }
  if (chosen) return chosen;
  if (blnUnloadIfCancel) std::_Exit(EXIT_SUCCESS);  // ends at once: no destructors, no handlers
  return std::nullopt;
}

}  // namespace barloom
