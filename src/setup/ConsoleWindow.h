#pragma once
// The main window as the console runner plays it: the target text comes from
// the command line, messages and the finish dialog become lines on standard
// output, and the progress bar is counted.
#include <ostream>

#include "InstallSequence.h"
#include "engine/ProgressCounter.h"

class ConsoleWindow final : public InstallWindow {
 public:
  ConsoleWindow(std::string target, std::ostream& out) : target_(std::move(target)), out_(out) {}
  std::string TargetText() const override { return target_; }
  ProgressBar& Progress() override { return bar_; }
  void ShowMessage(const std::string& text) override { out_ << "message: " << text << '\n'; }
  void ShowFinish() override { out_ << "finished\n"; }

 private:
  std::string target_;
  std::ostream& out_;
  ProgressCounter bar_{0, 350, 1};
};
