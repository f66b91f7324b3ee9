// Every cause a failed write can have, provoked through the real file system wherever this
// platform allows it (natively and in the Windows build under Wine): the reason the user reads,
// and no folder left behind that the run made. Each case prints the message it gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <iostream>
#include <set>

#include "core/bar_set.h"
#include "platform/file_writing.h"
#include "platform/message_fit.h"
#include "platform/path_text.h"
#include "tests/core/test_support.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mount.h>
#endif

namespace barloom {
namespace {

namespace fs = std::filesystem;
using core_testing::NativePath;
using core_testing::RecordingProgress;
using test_support::TempFolder;

constexpr char Sep = PathSeparator;

// What a case gave: the error the user reads (nullopt: this platform cannot provoke the cause).
using Outcome = std::optional<FileError>;

struct Case {
  const char* Cause;
  WriteFailureReason Expected;
  std::function<Outcome(const TempFolder& temp)> Provoke;
};

// Every name below `folder`, however deep.
std::set<std::string> Tree(const fs::path& folder) {
  std::set<std::string> names;
  std::error_code error;
  for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
    names.insert(Utf8FromPath(it->path()));
  if (error) names.insert("<not listed: " + error.message() + ">");
  return names;
}

// Create of a set of two bars into `folder`, with `prefix`: it fails, and what is below the
// temporary folder is as it was before.
Outcome Create(const TempFolder& temp, const std::string& folder, const std::string& prefix = "Bar_") {
  const std::set<std::string> before = Tree(temp.Path());
  WizardState state;
  state.BarCount = 2;
  state.SaveFolder = folder;
  RecordingProgress display;
  BuildResult result = BuildBarSet(state, BarSetOptions{NativePath("C:\\App\\"), prefix, std::nullopt, 1252}, display);
  EXPECT_EQ(Tree(temp.Path()), before) << folder.substr(0, 300) << ": the run left what it made, or took what was there";
  if (!result.Error) return FileError{FileProblem::BarFileNotWritten, folder, "<no error>"};
  return std::move(result.Error);
}

// A write the system refused as `failure` says, as a bar's would read.
Outcome Refused(const std::string& file, WriteFailure failure) {
  return WriteError(FileProblem::BarFileNotWritten, file, std::move(failure));
}

// `parts` folder names of 100 characters below `folder`.
std::string Deep(std::string folder, int parts) {
  for (int part = 0; part < parts; ++part) folder += Sep + std::string(100, static_cast<char>('a' + part % 26));
  return folder;
}

std::vector<Case> Cases() {
  std::vector<Case> cases = {
      {"name too long: a folder name of 300 characters", WriteFailureReason::FileNameTooLong,
       [](const TempFolder& t) {
         // "kept" was there before, empty: it stays; "bars" is the run's own.
         fs::create_directory(t.Path() / "kept");
         return Create(t, t.Folder() + "kept" + Sep + "bars" + Sep + std::string(300, 'n') + Sep + "set");
       }},
      {"name too long: a prefix of 300 characters", WriteFailureReason::FileNameTooLong,
       [](const TempFolder& t) { return Create(t, t.Folder() + "bars", std::string(300, 'p')); }},
      // Beyond what any system takes: Linux 4,096 bytes, Windows 32,767 characters.
      {"path too long: 33,000 characters", WriteFailureReason::PathTooLong,
       [](const TempFolder& t) { return Create(t, Deep(t.Folder() + "bars", 330)); }},
      {"folder missing (a file written into it)", WriteFailureReason::FolderMissing,
       [](const TempFolder& t) {
         const std::string file = t.Folder() + "gone" + Sep + "Bar_01.bar";
         WriteFailure failure;
         ReplaceFileAtomically(PathFromUtf8(file), "x", &failure);
         return Refused(file, failure);
       }},
      {"a file stands where a folder is needed", WriteFailureReason::NameIsFile,
       [](const TempFolder& t) { return Create(t, t.Write("plain", "x") + Sep + "bars"); }},
      {"characters a name may not hold: a*b", WriteFailureReason::InvalidCharacters,
       [](const TempFolder& t) { return Create(t, t.Folder() + "bars" + Sep + "a*b"); }},
      {"read-only: the bar file", WriteFailureReason::FileReadOnly,
       [](const TempFolder& t) {
         const std::string file = t.Write("Bar_01.bar", "old");
#ifdef _WIN32
         SetFileAttributesW(PathFromUtf8(file).c_str(), FILE_ATTRIBUTE_READONLY);
#else
         test_support::SetWritable(PathFromUtf8(file), false);
#endif
         return Create(t, t.Folder());
       }},
      {"no rights: a folder in /sys", WriteFailureReason::AccessDenied,
       [](const TempFolder& t) -> Outcome {
         const std::string kernel = NativePath(
#ifdef _WIN32
             "Z:"
#endif
             "\\sys\\kernel");
         if (KindOf(PathFromUtf8(kernel)) != ItemKind::Folder) return std::nullopt;
         return Create(t, kernel + Sep + "barloom-test" + Sep + "bars");
       }},
  };
#ifdef _WIN32
  cases.push_back({"drive not there", WriteFailureReason::DriveMissing, [](const TempFolder& t) -> Outcome {
                     for (char drive = 'Q'; drive <= 'Z'; ++drive)
                       if (GetDriveTypeA((std::string(1, drive) + ":\\").c_str()) == DRIVE_NO_ROOT_DIR)
                         return Create(t, std::string(1, drive) + ":\\x");
                     return std::nullopt;
                   }});
  cases.push_back({"share not there", WriteFailureReason::DriveMissing,
                   [](const TempFolder& t) { return Create(t, "\\\\barloom-no-server\\share\\bars"); }});
  cases.push_back({"file in use: held open without sharing", WriteFailureReason::FileInUse, [](const TempFolder& t) {
                     const HANDLE held = CreateFileW(PathFromUtf8(t.Write("Bar_01.bar", "old")).c_str(), GENERIC_READ,
                                                     0, nullptr, OPEN_EXISTING, 0, nullptr);
                     Outcome outcome = Create(t, t.Folder());
                     CloseHandle(held);
                     return outcome;
                   }});
  cases.push_back({"characters: the system's own answer (a*b made directly)", WriteFailureReason::InvalidCharacters,
                   [](const TempFolder& t) {
                     const FolderCreation made = CreateFolders(t.Path() / L"a*b");
                     return Refused(t.PathOf("a*b"), made.Failure.value_or(WriteFailure{}));
                   }});
  // Wine's test process can mount no small disk; a write to the device that is always full gives
  // the system's answer for a full disk.
  cases.push_back({"disk full: a write to Z:\\dev\\full", WriteFailureReason::DiskFull, [](const TempFolder&) -> Outcome {
                     const HANDLE full = CreateFileW(L"Z:\\dev\\full", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
                     if (full == INVALID_HANDLE_VALUE) return std::nullopt;
                     DWORD written = 0;
                     const bool refused = !WriteFile(full, "bar", 3, &written, nullptr);
                     const DWORD code = GetLastError();
                     CloseHandle(full);
                     return refused ? Refused("Z:\\dev\\full", FailureFromSystem(code, L"Z:\\dev\\full")) : std::nullopt;
                   }});
#else
  cases.push_back({"disk full: a disk of 256 KB", WriteFailureReason::DiskFull, [](const TempFolder& t) -> Outcome {
                     const auto disk = core_testing::SmallFileSystem(t.Path() / "disk", 256 * 1024);
                     if (!disk) return std::nullopt;
                     core_testing::FillDisk(AddBackslash(Utf8FromPath(*disk)));
                     Outcome outcome = Create(t, Utf8FromPath(*disk / "bars"));
                     ::umount2(disk->c_str(), MNT_DETACH);
                     return outcome;
                   }});
  cases.push_back({"read-only: the drive", WriteFailureReason::DriveReadOnly, [](const TempFolder& t) -> Outcome {
                     const auto disk = core_testing::SmallFileSystem(t.Path() / "disk", 64 * 1024, true);
                     if (!disk) return std::nullopt;
                     Outcome outcome = Create(t, Utf8FromPath(*disk / "bars"));
                     ::umount2(disk->c_str(), MNT_DETACH);
                     return outcome;
                   }});
#endif
  return cases;
}

TEST(FailureReasons, EachCauseIsNamedAndNoFolderMadeIsLeft) {
  for (const Case& c : Cases()) {
    TempFolder temp;
    const Outcome error = c.Provoke(temp);
    if (!error) {
      std::cout << "[ cannot   ] " << c.Cause << ": not here\n";
      continue;
    }
    EXPECT_EQ(error->Reason, c.Expected) << c.Cause << ":\n" << MessageOf(*error);
    // Lines of up to 120 characters, as a box would show them.
    const auto characters = [](std::string_view line) {
      return static_cast<int>(std::count_if(line.begin(), line.end(), [](char c) { return (c & 0xC0) != 0x80; }));
    };
    std::cout << "[ reason   ] " << c.Cause << ":\n" << FitMessage(MessageOf(*error), {120, 100, 1, 120}, characters) << "\n";
  }
}

}  // namespace
}  // namespace barloom
