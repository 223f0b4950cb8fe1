#pragma once
// The main window as the console runner plays it: the target text comes from
// the command line, messages and the finish dialog become lines on standard
// output, and the progress bar is counted.
#include <cstdio>

#include "InstallSequence.h"
#include "engine/ProgressCounter.h"

class ConsoleWindow final : public InstallWindow {
 public:
  ConsoleWindow(std::string target, std::FILE* out) : target_(std::move(target)), out_(out) {}
  std::string TargetText() const override { return target_; }
  ProgressBar& Progress() override { return bar_; }
  void ShowMessage(const std::string& text) override { std::fprintf(out_, "message: %s\n", text.c_str()); }
  void ShowFinish() override { std::fputs("finished\n", out_); }

 private:
  std::string target_;
  std::FILE* out_;
  ProgressCounter bar_{0, 350, 1};
};
