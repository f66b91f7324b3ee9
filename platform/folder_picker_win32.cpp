#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "platform/folder_picker.h"
#include "platform/unique_handle.h"
#include "platform/code_page.h"

namespace barloom {
namespace {

// Longest path the system can give back (long paths included), with its terminator.
constexpr DWORD LongPathCapacity = 32768;

// Selects and reveals the start folder (passed as the callback data; 0 when there is none) once
// the dialog exists. A folder that cannot be selected is ignored by the dialog itself.
int CALLBACK SelectStartFolder(HWND dialog, UINT message, LPARAM, LPARAM startFolder) {
  if (message == BFFM_INITIALIZED && startFolder != 0) SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, startFolder);
  return 0;
}

using UniqueItemList = UniqueHandle<CoTaskMemoryTraits<PIDLIST_ABSOLUTE>>;

// Wine tells folders apart by the bytes of their items, last-access time included, and the
// first read of a folder after a change in it (a new file, say) moves that time. The dialog
// reads the start folder's path while it looks for it and then no longer recognises the folders
// it read. Reading the path once beforehand settles those times.
void ResolveOnce(const std::wstring& folder) {
  if (folder.empty()) return;
  PIDLIST_ABSOLUTE resolved = nullptr;
  SHParseDisplayName(folder.c_str(), nullptr, &resolved, 0, nullptr);
  const UniqueItemList discarded{resolved};
}

}  // namespace

std::string ShellFolderPicker::BrowseFolder(std::string_view startFolder, std::uintptr_t ownerWindow,
                                            std::string_view title) {
  const std::wstring wideStart = WideFromUtf8(startFolder);
  const std::wstring wideTitle = WideFromUtf8(title);
  std::vector<wchar_t> displayName(MAX_PATH, L'\0');  // required by the call; the name is not used

  BROWSEINFOW info{};
  info.hwndOwner = reinterpret_cast<HWND>(ownerWindow);
  info.pszDisplayName = displayName.data();
  info.lpszTitle = wideTitle.empty() ? nullptr : wideTitle.c_str();
  // No edit box: Wine ignores what is typed into it and returns the selected folder instead,
  // so the user would get a different folder from the one typed.
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  info.lpfn = SelectStartFolder;
  info.lParam = wideStart.empty() ? 0 : reinterpret_cast<LPARAM>(wideStart.c_str());

  const OleSession ole;
  ResolveOnce(wideStart);
  const UniqueItemList chosen{SHBrowseForFolderW(&info)};
  if (!chosen) return {};
  std::vector<wchar_t> path(LongPathCapacity, L'\0');
  if (!SHGetPathFromIDListEx(chosen.get(), path.data(), LongPathCapacity, GPFIDL_DEFAULT)) return {};
  return Utf8FromWide(path.data());
}

}  // namespace barloom
