#pragma once
// The window's progress control as the install stages see it. A large
// install makes many thousands of single steps, most of which do not move the
// bar by a pixel; the count is kept here, exactly as the control counts, and
// the control hears of a step only when its fill would be drawn differently.
// An advance or a new position is always passed on at once.
#include <windows.h>

#include "engine/InstallHost.h"
#include "engine/ProgressCounter.h"
#include "forms/ExtCtrls.h"

class ProgressBarControl final : public ProgressBar {
 public:
  explicit ProgressBarControl(forms::TProgressBar& bar)
      : bar_(bar), counter_(bar.Min(), bar.Max(), bar.Step()), shown_(bar.Position()) {
    counter_.SetPosition(shown_);
  }
  void StepIt() override {
    counter_.StepIt();
    if (DrawnDiffers(counter_.Position(), shown_)) Show();
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

 private:
  // The fill's right edge as the control computes it, inside its one-pixel
  // frame and, themed, without it: a change of either is a change on screen.
  bool DrawnDiffers(int a, int b) const {
    const int range = bar_.Max() - bar_.Min();
    if (range <= 0) return a != b;
    for (int width : {bar_.ClientWidth(), bar_.ClientWidth() - 2}) {
      if (MulDiv(a - bar_.Min(), width, range) != MulDiv(b - bar_.Min(), width, range)) return true;
    }
    return false;
  }
  void Show() {
    shown_ = counter_.Position();
    bar_.SetPosition(shown_);
  }

  forms::TProgressBar& bar_;
  ProgressCounter counter_;
  int shown_;  // the position the control holds
};
