#include <windows.h>

#include <algorithm>
#include <thread>

#include "platform/unique_handle.h"
#include "platform/code_page.h"
#include "tests/cli/run_process.h"

namespace barloom::test_support {
namespace {

// One argument quoted by the documented rules, which the C runtime (wmain) and CommandLineToArgvW
// both undo exactly.
std::wstring Quoted(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) return argument;
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L"\"";
}

bool SameName(std::wstring_view a, std::wstring_view b) {
  return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

std::wstring ChildEnvironment(const EnvironmentChanges& changes) {
  std::vector<std::wstring> entries;
  if (wchar_t* block = GetEnvironmentStringsW()) {
    for (const wchar_t* entry = block; *entry; entry += wcslen(entry) + 1) {
      const std::wstring text{entry};
      const std::wstring name = text.substr(0, text.find(L'=', 1));  // "=C:=C:\..." entries start with "="
      const bool changed = std::any_of(changes.begin(), changes.end(),
                                       [&](const auto& change) { return SameName(WideFromUtf8(change.first), name); });
      if (!changed) entries.push_back(text);
    }
    FreeEnvironmentStringsW(block);
  }
  for (const auto& [name, value] : changes)
    if (value) entries.push_back(WideFromUtf8(name) + L"=" + WideFromUtf8(*value));
  std::wstring block;
  for (const auto& entry : entries) block += entry + L'\0';
  block += L'\0';
  return block;
}

void Drain(HANDLE pipe, std::string& sink) {
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0) sink.append(buffer, got);
}

}  // namespace

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const EnvironmentChanges& changes) {
  ProcessResult result;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE outRead = nullptr, outWrite = nullptr, errRead = nullptr, errWrite = nullptr;
  if (!CreatePipe(&outRead, &outWrite, &inherit, 0)) return result;
  UniqueFileHandle outReader{outRead}, outWriter{outWrite};
  if (!CreatePipe(&errRead, &errWrite, &inherit, 0)) return result;
  UniqueFileHandle errReader{errRead}, errWriter{errWrite};
  SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
  UniqueFileHandle input{CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING,
                                     0, nullptr)};

  std::wstring programPath = WideFromUtf8(program);
  std::replace(programPath.begin(), programPath.end(), L'/', L'\\');
  std::wstring commandLine = Quoted(programPath);
  for (const auto& argument : arguments) commandLine += L" " + Quoted(WideFromUtf8(argument));
  std::wstring environment = ChildEnvironment(changes);

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input.get();
  startup.hStdOutput = outWrite;
  startup.hStdError = errWrite;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(programPath.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                      CREATE_UNICODE_ENVIRONMENT | CREATE_NO_WINDOW, environment.data(), nullptr, &startup, &process))
    return result;
  UniqueFileHandle processHandle{process.hProcess}, threadHandle{process.hThread};
  // Only the child may hold the writing ends now, so the reads end when it does.
  outWriter.reset();
  errWriter.reset();
  std::thread errors{[&] { Drain(errRead, result.Errors); }};
  Drain(outRead, result.Output);
  errors.join();
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  if (GetExitCodeProcess(process.hProcess, &code)) result.ExitCode = static_cast<int>(code);
  return result;
}

std::string BarloomCliPath() { return std::string{BARLOOM_DIST_DIR} + "/barloom-cli.exe"; }

}  // namespace barloom::test_support
