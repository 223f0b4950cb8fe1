#pragma once
// The window's progress control as the install stages see it. A large
// install makes many thousands of single steps, and every position sent to
// the control costs a repaint through the window system. So the count is
// kept here, exactly as the control counts, and a single step reaches the
// control only when it moves the bar's fill by a pixel, and then at most once
// per screen frame. An advance or a new position is passed on at once, and
// Flush() brings the control up to the count before the sequence waits.
#include <windows.h>

#include <chrono>

#include "engine/InstallHost.h"
#include "engine/ProgressCounter.h"
#include "forms/ExtCtrls.h"

class ProgressBarControl final : public ProgressBar {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr Clock::duration kFrame = std::chrono::milliseconds(15);

  explicit ProgressBarControl(forms::TProgressBar& bar, Clock::duration frame = kFrame)
      : bar_(bar), counter_(bar.Min(), bar.Max(), bar.Step()), shown_(bar.Position()), frame_(frame) {
    counter_.SetPosition(shown_);
  }
  void StepIt() override {
    counter_.StepIt();
    if (!DrawnDiffers(counter_.Position(), shown_)) return;
    if (frame_ > Clock::duration::zero() && Clock::now() - shownAt_ < frame_) return;
    Show();
  }
  void StepBy(int delta) override {
    counter_.StepBy(delta);
    Show();
  }
  void SetPosition(int position) override {
    counter_.SetPosition(position);
    Show();
  }
  int Position() const override { return counter_.Position(); }
  // Shows the count now: before a message box, the finish dialog, or the end of the sequence.
  void Flush() {
    if (shown_ != counter_.Position()) Show();
  }

 private:
  // The fill's right edge as the control computes it, inside its one-pixel frame.
  bool DrawnDiffers(int a, int b) const {
    const int range = bar_.Max() - bar_.Min();
    if (range <= 0) return a != b;
    const int width = bar_.ClientWidth() - 2;
    return MulDiv(a - bar_.Min(), width, range) != MulDiv(b - bar_.Min(), width, range);
  }
  void Show() {
    shown_ = counter_.Position();
    bar_.SetPosition(shown_);
    shownAt_ = Clock::now();
  }

  forms::TProgressBar& bar_;
  ProgressCounter counter_;
  int shown_;  // the position the control holds
  Clock::duration frame_;
  Clock::time_point shownAt_{};
};
