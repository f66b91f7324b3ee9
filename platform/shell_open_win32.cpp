#include <windows.h>
#include <shellapi.h>

#include "platform/file_writing.h"
#include "platform/shell_open.h"
#include "platform/code_page.h"

namespace barloom {
namespace {

// The shell's answer (ShellExecute's SE_ERR_ codes, which ShellExecuteEx gives in hInstApp) read
// as a reason; the last error's words where none fits.
ShellOpenFailure FailureFromShell(INT_PTR answer, DWORD lastError) {
  switch (answer) {
    case SE_ERR_FNF:
    case SE_ERR_PNF: return {ShellOpenReason::NotFound, {}};
    case SE_ERR_NOASSOC:
    case SE_ERR_ASSOCINCOMPLETE: return {ShellOpenReason::NoAssociation, {}};
    case SE_ERR_ACCESSDENIED: return {ShellOpenReason::AccessDenied, {}};
    case SE_ERR_SHARE: return {ShellOpenReason::FileInUse, {}};
    case 0:  // "out of memory or resources", as ShellExecute answers
    case SE_ERR_OOM: return {ShellOpenReason::OutOfMemory, {}};
    case ERROR_BAD_FORMAT:
    case SE_ERR_DLLNOTFOUND: return {ShellOpenReason::ProgramNotStarted, {}};
    case SE_ERR_DDETIMEOUT:
    case SE_ERR_DDEFAIL:
    case SE_ERR_DDEBUSY: return {ShellOpenReason::ProgramDidNotAnswer, {}};
    default: return {std::nullopt, SystemMessage(lastError)};
  }
}

}  // namespace

std::optional<ShellOpenFailure> SystemShellOpener::Open(std::uintptr_t ownerWindow, std::string_view target) {
  const std::wstring wideTarget = WideFromUtf8(target);
  SHELLEXECUTEINFOW request{};
  request.cbSize = sizeof request;
  // The program tells what went wrong itself, in the user's language, naming the target.
  request.fMask = SEE_MASK_FLAG_NO_UI;
  request.hwnd = reinterpret_cast<HWND>(ownerWindow);
  request.lpVerb = L"open";
  request.lpFile = wideTarget.c_str();
  request.nShow = SW_SHOWNORMAL;
  if (ShellExecuteExW(&request)) return std::nullopt;
  const DWORD lastError = GetLastError();
  return FailureFromShell(reinterpret_cast<INT_PTR>(request.hInstApp), lastError);
}

}  // namespace barloom
