#include "ProgressCounter.h"

void ProgressCounter::StepIt() {
  // As measured on the real control: passing the maximum wraps around by the overshoot.
  position_ += step_;
  if (position_ > max_) position_ = min_ + (position_ - min_) % (max_ - min_);
}

void ProgressCounter::StepBy(int delta) { position_ = Clamp(position_ + delta); }

void ProgressCounter::SetPosition(int position) { position_ = Clamp(position); }

int ProgressCounter::Clamp(int position) const {
  if (position < min_) return min_;
  if (position > max_) return max_;
  return position;
}
