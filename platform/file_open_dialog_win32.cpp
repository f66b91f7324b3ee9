#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "platform/file_open_dialog.h"
#include "platform/unique_handle.h"
#include "platform/code_page.h"

namespace barloom {
namespace {

// Room for the longest path the system handles (long paths included), with its terminator.
constexpr std::size_t LongPathCapacity = 32768;

// "desc|pattern|desc|pattern" as the dialog takes it: every item ended by a NUL, the list by a
// second NUL.
std::wstring FilterList(std::string_view filter) {
  std::wstring list = WideFromUtf8(filter);
  std::replace(list.begin(), list.end(), L'|', L'\0');
  list.append(2, L'\0');
  return list;
}

}  // namespace

std::optional<std::string> SystemFileOpenDialog::ShowOpen(const FileOpenRequest& request) {
  const std::wstring filter = FilterList(request.Filter);
  const std::wstring initDir = WideFromUtf8(request.InitDir);
  const std::wstring title = WideFromUtf8(request.Title);
  const std::wstring presetName = WideFromUtf8(request.FileName);
  std::vector<wchar_t> fileName(std::max(LongPathCapacity, presetName.size() + 1), L'\0');
  std::copy(presetName.begin(), presetName.end(), fileName.begin());

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = reinterpret_cast<HWND>(ownerWindow_);
  dialog.lpstrFilter = request.Filter.empty() ? nullptr : filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = fileName.data();
  dialog.nMaxFile = static_cast<DWORD>(fileName.size());
  dialog.lpstrInitialDir = initDir.empty() ? nullptr : initDir.c_str();
  dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
  dialog.Flags = request.Flags;
  // The dialog shows the shell's namespace, whose extensions expect OLE on this thread.
  const OleSession ole;
  if (!GetOpenFileNameW(&dialog)) return std::nullopt;  // cancelled, or CommDlgExtendedError says why
  return Utf8FromWide(fileName.data());
}

}  // namespace barloom
