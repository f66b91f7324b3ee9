#include "ui/create_run.h"

#include <exception>
#include <utility>

namespace barloom {

CreateResult FailedCreate(std::string_view why) {
  CreateResult result;
  result.Report.Failure = why;
  result.Build.Error.emplace();
  return result;
}

CreateRun::~CreateRun() {
  if (worker_.joinable()) worker_.join();
}

void CreateRun::Start(CreateJob job, Notify notify) {
  if (worker_.joinable()) worker_.join();
  notify_ = std::move(notify);
  result_ = {};
  value_ = 0;
  maximum_ = 0;
  visible_ = false;
  announced_ = false;
  lastAnnounced_ = {};
  worker_ = std::thread([this, job = std::move(job)] {
    Display display{*this};
    CreateResult result;
    try {
      result = CreateBarSet(job.Choices, job.ProgramSettings, job.Texts, job.CommanderFolder, display, job.Sources);
    } catch (const std::exception& error) {
      // Nothing may escape the thread; the window says why as it says any failure.
      result = FailedCreate(error.what());
    }
    result_ = std::move(result);
    notify_(true);
  });
}

ProgressFigures CreateRun::Figures() {
  announced_ = false;
  return {value_.load(), maximum_.load(), visible_.load()};
}

CreateResult CreateRun::Finish() {
  if (worker_.joinable()) worker_.join();
  return std::move(result_);
}

void CreateRun::Changed() {
  if (announced_.load(std::memory_order_relaxed)) return;
  const auto now = std::chrono::steady_clock::now();
  if (now - lastAnnounced_ < Interval) return;
  lastAnnounced_ = now;
  announced_ = true;
  notify_(false);
}

void CreateRun::Display::SetMaximum(int maximum) {
  run_.maximum_ = maximum;
  run_.Changed();
}

void CreateRun::Display::SetValue(int value) {
  run_.value_ = value;
  run_.Changed();
}

void CreateRun::Display::SetVisible(bool visible) {
  run_.visible_ = visible;
  run_.Changed();
}

}  // namespace barloom
