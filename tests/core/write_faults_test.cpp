// Faults injected under every kind of write the program makes (Create, an import, the settings
// writes): each fails with a message that says why, and leaves every file whole, old or new,
// with no temporary file beside it.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <map>
#include <set>

#include "core/bar_import.h"
#include "core/bar_layout.h"
#include "core/bar_set.h"
#include "platform/path_text.h"
#include "platform/file_writing.h"
#include "settings/private_profile.h"
#include "settings/profile.h"
#include "tests/core/test_support.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mount.h>
#include <sys/resource.h>
#endif

namespace barloom {
namespace {

namespace fs = std::filesystem;
using core_testing::NativePath;
using core_testing::RecordingProgress;
#ifndef _WIN32
using core_testing::FillDisk;
using core_testing::SmallFileSystem;
#endif
using test_support::ReadBytes;
using test_support::SetWritable;
using test_support::TempFolder;

constexpr int BarCount = 3;

// A folder with an earlier set, a settings file and a source to import, as a user has them.
struct Scene {
  std::string Folder;  // ends in the separator
  std::string Source;  // outside Folder
  std::map<std::string, std::string> OldFiles;  // name in Folder -> content

  std::string PathOf(const std::string& name) const { return Folder + name; }
};

std::string SettingsBytes() {
  // Large enough that the rewrite passes the file-size limit below.
  return "[Barloom]\r\nBarFilePrefix=Bar_\r\nPadding=" + std::string(24 * 1024, 'p') + "\r\n";
}

std::string SourceBytes() {
  std::string bytes = "[ButtonBar]\r\nButtonCount=2000\r\n";
  for (int k = 1; k <= 2000; ++k)
    bytes += "button" + std::to_string(k) + "=icon.ico\r\ncmd" + std::to_string(k) + "=cd some\\folder\r\n";
  return bytes;
}

Scene MakeScene(const std::string& folder, const std::string& sourceFolder) {
  Scene scene{AddBackslash(folder), AddBackslash(sourceFolder) + "source.bar", {}};
  fs::create_directories(PathFromUtf8(scene.Folder));
  test_support::WriteFile(scene.Source, SourceBytes());
  for (int bar = 1; bar <= BarCount; ++bar)
    scene.OldFiles["Bar_0" + std::to_string(bar) + ".bar"] = "[ButtonBar]\r\nold set, bar " + std::to_string(bar) + "\r\n";
  scene.OldFiles["barloom.ini"] = SettingsBytes();
  for (const auto& [name, bytes] : scene.OldFiles) test_support::WriteFile(scene.PathOf(name), bytes);
  return scene;
}

// What each operation gives: whether it failed, and the message the user reads.
struct Outcome {
  bool Failed = false;
  std::string Message;
  bool SaysWhy = false;  // a reason or the system's words, beside the problem and the file
  std::set<std::string> Targets;                  // the files the operation writes
  std::map<std::string, std::string> NewContent;  // where known exactly: what a target gets
  bool KeepsEarlier = false;                      // a target's earlier bytes may be kept beside it
};

Outcome RunCreate(const Scene& scene) {
  WizardState state;
  state.BarCount = BarCount;
  state.SaveFolder = scene.Folder;
  state.ImportFiles[2] = scene.Source;
  RecordingProgress display;
  const BuildResult result = BuildBarSet(state, BarSetOptions{NativePath("C:\\App\\"), "Bar_", std::nullopt, 1252}, display);
  Outcome outcome{result.Error.has_value(), result.Error ? MessageOf(*result.Error) : "",
                  result.Error && (result.Error->Reason || !result.Error->Detail.empty())};
  outcome.KeepsEarlier = true;
  for (int bar = 1; bar <= BarCount; ++bar) {
    const std::string name = "Bar_0" + std::to_string(bar) + ".bar";
    outcome.Targets.insert(name);
    // Bar 2 gets the import after it was written; a failed run may stop between the two.
    outcome.NewContent[name] = GeneratedBarBytes(SetPathsFor(state, NativePath("C:\\App\\"), "Bar_"), bar, std::nullopt, 1252);
  }
  return outcome;
}

Outcome RunImport(const Scene& scene) {
  RecordingProgress display;
  Progress progress{display};
  const ImportOutcome result = ImportBarFile(scene.Source, scene.PathOf("Bar_03.bar"), BarCount, progress);
  // A target another program holds without sharing cannot even be read: that is its reason.
  const bool saysWhy = result.Error && (result.Error->Reason || !result.Error->Detail.empty() ||
                                        result.Error->Problem == FileProblem::BarFileNotRead);
  return {result.Error.has_value(), result.Error ? MessageOf(*result.Error) : "", saysWhy, {"Bar_03.bar"}};
}

// The profile's contract: a refused write is lost without a message; the engine's write tells its
// caller by its result, and the file stays whole.
Outcome RunSettingsWrite(const Scene& scene) {
  const std::string file = scene.PathOf("barloom.ini");
  cProfile{}.WriteStringValue("Barloom", "LastPath", scene.Folder, file);
  const bool written = WriteIniValue("Barloom", "BarFilePrefix", "Set_", PathFromUtf8(file));
  return {!written, "", false, {"barloom.ini"}};
}

// A fault applied to a scene; the returned object undoes it when it goes.
using Undo = std::shared_ptr<void>;
Undo Nothing() { return nullptr; }

// How the settings write, which rewrites the file in place, meets a fault that the writes of new
// files meet otherwise.
enum class InPlace { AsTheOthers, Works, MayWork };

struct Fault {
  const char* Name;
  std::function<Undo(const Scene&)> Apply;
  bool Fails = true;  // false: the write works and must be whole
  InPlace SettingsWrite = InPlace::AsTheOthers;
};


std::vector<Fault> Faults() {
  std::vector<Fault> faults;
#ifdef _WIN32
  faults.push_back({"read-only files", [](const Scene& scene) {
                      for (const auto& [name, bytes] : scene.OldFiles)
                        SetFileAttributesW(PathFromUtf8(scene.PathOf(name)).c_str(), FILE_ATTRIBUTE_READONLY);
                      return Undo(nullptr, [scene](void*) {
                        for (const auto& [name, bytes] : scene.OldFiles)
                          SetFileAttributesW(PathFromUtf8(scene.PathOf(name)).c_str(), FILE_ATTRIBUTE_NORMAL);
                      });
                    }});
  faults.push_back({"files held open by another handle", [](const Scene& scene) {
                      auto handles = std::make_shared<std::vector<HANDLE>>();
                      for (const auto& [name, bytes] : scene.OldFiles)
                        handles->push_back(CreateFileW(PathFromUtf8(scene.PathOf(name)).c_str(), GENERIC_READ, 0,
                                                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
                      return Undo(nullptr, [handles](void*) {
                        for (HANDLE handle : *handles) CloseHandle(handle);
                      });
                    }});
#else
  faults.push_back({"a read-only folder", [](const Scene& scene) {
                      SetWritable(PathFromUtf8(scene.Folder), false);
                      return Undo(nullptr, [scene](void*) { SetWritable(PathFromUtf8(scene.Folder), true); });
                    },
                    true, InPlace::Works});
  faults.push_back({"read-only files", [](const Scene& scene) {
                      for (const auto& [name, bytes] : scene.OldFiles) SetWritable(PathFromUtf8(scene.PathOf(name)), false);
                      return Undo(nullptr, [scene](void*) {
                        for (const auto& [name, bytes] : scene.OldFiles) SetWritable(PathFromUtf8(scene.PathOf(name)), true);
                      });
                    }});
  faults.push_back({"a file-size limit", [](const Scene&) {
                      InstallTemporaryFileCleanup();  // as the program does: the limit must not end the test
                      rlimit old{};
                      ::getrlimit(RLIMIT_FSIZE, &old);
                      const rlimit limit{16 * 1024, old.rlim_max};
                      ::setrlimit(RLIMIT_FSIZE, &limit);
                      return Undo(nullptr, [old](void*) { ::setrlimit(RLIMIT_FSIZE, &old); });
                    }});
  faults.push_back({"a full disk", [](const Scene& scene) {
                      FillDisk(scene.Folder);
                      return Nothing();
                    },
                    true, InPlace::MayWork});
#endif
  faults.push_back({"a folder path beyond 260 characters", [](const Scene&) { return Nothing(); }, false});
  return faults;
}

// The system's own listing: the mingw runtime's directory iterator fails beyond 260 characters.
std::vector<std::string> Entries(const std::string& folder) {
  std::vector<std::string> names;
#ifdef _WIN32
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW((PathFromUtf8(folder) / L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return {"<not listed>"};
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names.push_back(Utf8FromPath(name));
  } while (FindNextFileW(search, &found));
  FindClose(search);
#else
  for (const auto& entry : fs::directory_iterator(PathFromUtf8(folder))) names.push_back(Utf8FromPath(entry.path().filename()));
#endif
  return names;
}

// Removes a scene file by file and folder by folder (which works at any length, unlike the
// mingw runtime's remove_all).
void RemoveScene(const Scene& scene, const std::string& top) {
  std::error_code ignored;
  for (const std::string& name : Entries(scene.Folder)) fs::remove(PathFromUtf8(scene.PathOf(name)), ignored);
  for (fs::path folder = PathFromUtf8(scene.Folder).parent_path(); folder != PathFromUtf8(top).parent_path();
       folder = folder.parent_path())
    fs::remove(folder, ignored);
}

TEST(WriteFaults, EveryWriteFailsWithAReasonAndLeavesEveryFileWhole) {
  const std::vector<std::pair<const char*, Outcome (*)(const Scene&)>> operations = {
      {"Create", RunCreate}, {"import", RunImport}, {"settings write", RunSettingsWrite}};
  int cases = 0;
  for (const Fault& fault : Faults()) {
    for (const auto& [operationName, run] : operations) {
      const std::string label = std::string(fault.Name) + ", " + operationName;
      TempFolder temp;
      std::string folder = temp.PathOf("set");
      std::shared_ptr<void> unmount;
      if (std::string_view(fault.Name) == "a folder path beyond 260 characters") {
        for (int level = 0; level < 3; ++level) folder += PathSeparator + std::string(100, static_cast<char>('a' + level));
      }
#ifndef _WIN32
      if (std::string_view(fault.Name) == "a full disk") {
        const auto disk = SmallFileSystem(temp.Path() / "disk", 256 * 1024);
        if (!disk) {
          std::cout << "[ skipped  ] " << label << ": no file system can be mounted here\n";
          continue;
        }
        unmount = Undo(nullptr, [at = *disk](void*) { ::umount2(at.c_str(), MNT_DETACH); });
        folder = Utf8FromPath(*disk / "set");
      }
#endif
      const Scene scene = MakeScene(folder, temp.Utf8());
      Outcome outcome;
      {
        const Undo undo = fault.Apply(scene);
        outcome = run(scene);
      }
      ++cases;
      const bool settings = operationName == std::string_view("settings write");
      if (!settings || fault.SettingsWrite == InPlace::AsTheOthers) {
        EXPECT_EQ(outcome.Failed, fault.Fails) << label << ": " << outcome.Message;
      } else if (fault.SettingsWrite == InPlace::Works) {
        EXPECT_FALSE(outcome.Failed) << label << ": a writable file is written where it is";
      }
      if (outcome.Failed && operationName != std::string_view("settings write")) {
        EXPECT_TRUE(outcome.SaysWhy) << label << ":\n" << outcome.Message;
        EXPECT_NE(outcome.Message.find(scene.Folder), std::string::npos) << label << ":\n" << outcome.Message;
      }
      // Each file old or new, whole: a failed write changes nothing but may leave the files
      // written before it; a write that worked changed its targets.
      std::set<std::string> expectedNames;
      for (const auto& [name, old] : scene.OldFiles) {
        expectedNames.insert(name);
        const std::string now = ReadBytes(scene.PathOf(name)).value_or("<missing>");
        const bool target = outcome.Targets.contains(name);
        const auto known = outcome.NewContent.find(name);
        const bool isNew = known != outcome.NewContent.end() ? now == known->second : now != old && !now.empty();
        if (!target) {
          EXPECT_EQ(now, old) << label << ": " << name << " is no target";
        } else if (outcome.Failed) {
          EXPECT_TRUE(now == old || isNew) << label << ": " << name << " is not whole";
        } else if (name != "Bar_02.bar") {  // generated, then imported into
          EXPECT_TRUE(isNew) << label << ": " << name << " was not written";
        }
      }
      for (const std::string& name : Entries(scene.Folder)) {
        // A backup holds the whole earlier file of a target.
        const std::string bar = name.ends_with(".bak") ? name.substr(0, name.size() - 4) : std::string{};
        if (outcome.KeepsEarlier && outcome.Targets.contains(bar)) {
          EXPECT_EQ(ReadBytes(scene.PathOf(name)), scene.OldFiles.at(bar)) << label << ": " << name;
          continue;
        }
        EXPECT_TRUE(expectedNames.contains(name) || name == "filler") << label << ": left behind: " << name;
      }
      RemoveScene(scene, temp.PathOf("set"));
    }
  }
  std::cout << "[ cases    ] " << cases << " fault and write combinations\n";
}

}  // namespace
}  // namespace barloom
