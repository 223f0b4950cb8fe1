#pragma once
// The main window as the tests play it: a target text, a counting progress
// bar, and a record of the messages and of the finish dialog.
#include <string>
#include <vector>

#include "engine/ProgressCounter.h"
#include "setup/InstallSequence.h"

class FakeWindow final : public InstallWindow {
 public:
  FakeWindow() : previous_(SetMainWindow(this)) {}
  ~FakeWindow() override { SetMainWindow(previous_); }

  std::string TargetText() const override { return target; }
  ProgressBar& Progress() override { return bar; }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void ShowFinish() override { ++finishShown; }

  std::string target;
  ProgressCounter bar{0, 350, 1};
  std::vector<std::string> messages;
  int finishShown = 0;

 private:
  InstallWindow* previous_;
};
