#pragma once

namespace barloom {

// The window's progress bar as the bar-set building drives it: maximum, value, visibility.
// Tests record the calls; barloom-cli shows nothing.
class ProgressDisplay {
 public:
  virtual ~ProgressDisplay() = default;
  virtual void SetMaximum(int maximum) = 0;
  virtual void SetValue(int value) = 0;
  virtual void SetVisible(bool visible) = 0;
};

class NoProgressDisplay final : public ProgressDisplay {
 public:
  void SetMaximum(int) override {}
  void SetValue(int) override {}
  void SetVisible(bool) override {}
};

// The figures of one run, forwarded to the display at every change. The maximum covers the whole
// run from the start, so the value only grows towards it and the bar never runs back. Counts are
// capped (the import limits them long before), so the figures can never overflow. Nothing here is
// shared: a run may go on another thread, with a display that posts the figures back.
class Progress {
 public:
  explicit Progress(ProgressDisplay& display) : display_(display) {}

  // Value first, then the maximum, then visible: the order in which the bar is set up.
  void Start(int value, int maximum) {
    value_ = value;
    maximum_ = maximum;
    display_.SetValue(value_);
    display_.SetMaximum(maximum_);
    display_.SetVisible(true);
  }
  // `steps` steps further (as many single steps would go, told to the display once). The value
  // stays below the maximum: should a run bring more than was counted at its start (a source
  // changed by another program meanwhile), the maximum grows along rather than the value passing
  // it.
  void Step(int steps = 1) {
    value_ = steps >= Limit - value_ ? Limit : value_ + steps;
    if (value_ >= maximum_ && maximum_ < Limit) {
      maximum_ = value_ < Limit ? value_ + 1 : Limit;
      display_.SetMaximum(maximum_);
    }
    display_.SetValue(value_);
  }
  void Hide() { display_.SetVisible(false); }

  int Value() const { return value_; }
  int Maximum() const { return maximum_; }

 private:
  static constexpr int Limit = 0x7FFFFFFF;
  ProgressDisplay& display_;
  int value_ = 0;
  int maximum_ = 0;
};

}  // namespace barloom
