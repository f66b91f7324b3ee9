#pragma once
#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/bar_import.h"
#include "core/bar_set_result.h"
#include "core/progress.h"
#include "core/wizard_state.h"

// The imports of a set whose bars are written once each, with their imports, in slot order
// (BuildBarSet): each import gives what it would give after every bar had been written as
// generated (with the buttons it keeps of its own) and the imports of the slots before it had been
// made.
namespace barloom {

// A bar of the set as it is written before its import: how many buttons it has, and where its
// import goes.
struct BaseBar {
  int Buttons = 0;
  ImportPlace Place{0};
};
using BaseBars = std::array<BaseBar, MaxBarCount + 1>;

class SetImports {
 public:
  // Looks at the sources before any bar is written: which of them are bars of the set (the same
  // file, however spelled), and how many buttons each import brings. `baseBar(j)` gives the bytes
  // of bar j as written before its import, described by bases[j].
  // A source that cannot be read, or is missing without naming a bar of the set, is an error
  // (Error) before anything is written; a source that is no bar or has no buttons a warning
  // (Warnings, once a file, in slot order). Values of UTF-8 sources are stored in `codePage`.
  SetImports(const SetPaths& paths, const SlotTable& importFiles, const BaseBars& bases,
             std::function<std::string(int)> baseBar, unsigned codePage);

  const std::optional<FileError>& Error() const { return error_; }
  const std::vector<BuildWarning>& Warnings() const { return warnings_; }

  // False when a source is missing while a bar of the set is missing too: only once that bar is
  // written can it be told whether the source names it.
  bool SourcesKnown() const { return sourcesKnown_; }

  // The buttons the imports of slots 1..BarCount bring, all told, as far as it can be told before
  // any bar is written: a missing source counts none, though it may turn out to be a bar of the set.
  int PlannedButtons() const { return plannedButtons_; }

  // The imports whose source is a bar of the set that is there before the run: they read the bar
  // as the set makes it, not as it is now.
  std::vector<ReplacedImport> ReplacedImports() const;

  // The bytes of `spelling`, a source, as they were before the run, where they are kept: always for
  // a backup of a bar of the set (the run itself may change the file), and for the file imported
  // first. nullptr for any other file, read when it is imported.
  const std::string* EarlierBytes(const std::string& spelling) const;

  // Makes bar `bar`'s import into `target`, the bar as written before its import, once bars
  // 1..bar-1 are written with their imports: a bar after it is read as written before its import,
  // a bar before it and any other file as the file is. A source imported into several bars at the
  // same place is read once. A clamped count adds its warning to `warnings`; a source that cannot
  // be read by then is the error returned.
  std::optional<FileError> ImportInto(int bar, IniDocument& target, Progress& progress, std::vector<BuildWarning>& warnings);

 private:
  struct Source {
    int Bar = 0;       // the bar of the set the file is, 0 for none
    int LastSlot = 0;  // the last slot that imports it
    std::optional<std::string> CountText;  // its count as read before the run; nullopt: not there
    std::optional<std::string> Earlier;    // its bytes as read before the run, kept until they are imported
    bool There = false;                    // it was there before the run
    bool IsBackup = false;                 // a backup of a bar of the set, which the run may write over
    std::optional<ButtonImport> Read;      // its writes, kept while a later slot imports it
    int ReadFor = 0;                       // the place (After) the writes are numbered for
  };

  void PlanButtons();

  const SetPaths& paths_;
  const SlotTable& importFiles_;
  const BaseBars& bases_;
  std::function<std::string(int)> baseBar_;
  std::map<std::string, Source> sources_;  // by the spelling the slots give
  unsigned codePage_;
  bool sourcesKnown_ = true;
  int plannedButtons_ = 0;
  std::optional<FileError> error_;
  std::vector<BuildWarning> warnings_;
};

}  // namespace barloom
