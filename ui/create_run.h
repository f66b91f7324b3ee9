#pragma once
#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "core/create_bar_set.h"
#include "core/progress.h"
#include "core/wizard_state.h"
#include "localisation/language_file.h"
#include "settings/settings_file.h"

// Create on a worker thread, so that the window keeps painting and answering while the set is
// written. The worker gets copies of everything it reads and shares nothing with the wizard but
// the figures of the progress (atomics) and, once it has ended, its result.
namespace barloom {

// What a Create reads, copied when it starts: later changes to the wizard cannot reach the run.
struct CreateJob {
  WizardState Choices;
  Settings ProgramSettings;  // the prefix, the program's folder
  LoadedLanguage Texts;      // the language of the report, as it was loaded
  std::optional<std::string> CommanderFolder;
  CommanderFolderSources Sources = SystemCommanderFolderSources();  // where Total Commander's wincmd.ini is found
};

// A Create that could not run or ended by an exception: a failure whose report says `why`.
CreateResult FailedCreate(std::string_view why);

// The progress bar's figures as the run last set them.
struct ProgressFigures {
  int Value = 0;
  int Maximum = 0;
  bool Visible = false;
  friend bool operator==(const ProgressFigures&, const ProgressFigures&) = default;
};

class CreateRun {
 public:
  // Called on the worker: `finished` false when the figures changed, true once, after the result
  // is complete. It should only post a message to the window's thread, which then asks for the
  // figures or the result. Figures are announced at most once per interval, and not again until
  // the window has taken the last ones, however often the run moves the bar.
  using Notify = std::function<void(bool finished)>;
  static constexpr std::chrono::milliseconds Interval{33};  // about 30 times a second

  CreateRun() = default;
  CreateRun(const CreateRun&) = delete;
  CreateRun& operator=(const CreateRun&) = delete;
  // Waits for a run still going: the files are never left half-written by the program's end.
  ~CreateRun();

  // Starts `job` on a worker thread (after waiting for an earlier run that was not finished).
  void Start(CreateJob job, Notify notify);
  bool Running() const { return worker_.joinable(); }
  // The figures as they are now; the next change may be announced again.
  ProgressFigures Figures();
  // Waits for the worker (at once, after it announced the end) and hands over its result.
  CreateResult Finish();

 private:
  class Display final : public ProgressDisplay {
   public:
    explicit Display(CreateRun& run) : run_(run) {}
    void SetMaximum(int maximum) override;
    void SetValue(int value) override;
    void SetVisible(bool visible) override;

   private:
    CreateRun& run_;
  };
  void Changed();

  std::thread worker_;
  Notify notify_;
  CreateResult result_;  // written by the worker, read after it was joined
  std::atomic<int> value_{0};
  std::atomic<int> maximum_{0};
  std::atomic<bool> visible_{false};
  std::atomic<bool> announced_{false};  // figures announced and not yet taken
  std::chrono::steady_clock::time_point lastAnnounced_{};  // the worker's own
};

}  // namespace barloom
