#include "InstallSequence.h"

#include <stdexcept>

#include "engine/Engine.h"

std::string StartDir;
std::string DefaultTargetDir;

namespace {
InstallWindow* installed = nullptr;
constexpr int kProgressEnd = 350;
}  // namespace

InstallWindow& MainWindow() {
  if (!installed) throw std::logic_error("no main window");
  return *installed;
}

InstallWindow* SetMainWindow(InstallWindow* window) {
  InstallWindow* previous = installed;
  installed = window;
  SetHost(window);
  return previous;
}

void RunInstallSequence() {
  InstallWindow& window = MainWindow();
  SetupProceed = true;
  PrepareTarget();
  if (!SetupProceed) return;
  ExtractProgram();
  CopyCompanionFiles();
  window.Progress().SetPosition(kProgressEnd);
  window.ShowFinish();
}
