#pragma once
// The window's progress control as the install stages see it.
#include "engine/InstallHost.h"
#include "forms/ExtCtrls.h"

class ProgressBarControl final : public ProgressBar {
 public:
  explicit ProgressBarControl(forms::TProgressBar& bar) : bar_(bar) {}
  void StepIt() override { bar_.StepIt(); }
  void StepBy(int delta) override { bar_.StepBy(delta); }
  void SetPosition(int position) override { bar_.SetPosition(position); }
  int Position() const override { return bar_.Position(); }

 private:
  forms::TProgressBar& bar_;
};
