#pragma once
// A progress bar without a window, counting exactly as the platform's
// progress control does; the console runner and the tests use it.
#include "InstallHost.h"

class ProgressCounter final : public ProgressBar {
 public:
  ProgressCounter(int min, int max, int step) : min_(min), max_(max), step_(step), position_(min) {}
  void StepIt() override;
  void StepBy(int delta) override;
  void SetPosition(int position) override;
  int Position() const override { return position_; }

 private:
  int Clamp(int position) const;
  int min_, max_, step_, position_;
};
