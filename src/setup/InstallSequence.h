#pragma once
// The portable half of the main window's module: the setup state it owns, the
// install-sequence driver and the window as the driver sees it. The windowed
// program and the console runner both implement InstallWindow.
#include <string>

#include "components/ShellLnk.h"
#include "engine/InstallHost.h"

// The directory the setup runs from: the current directory when the main window was shown.
extern std::string StartDir;
// The default target: the program-files directory followed by "\Quandelwerk - Mirvo98".
extern std::string DefaultTargetDir;

class InstallWindow : public InstallHost {
 public:
  // The shortcut components come with their stored settings.
  InstallWindow();
  const std::string& StartDir() const final { return ::StartDir; }
  // The finish dialog, shown modally; returns when it has been closed.
  virtual void ShowFinish() = 0;

  // The main window's shortcut components, one per Start-menu shortcut.
  TPBShellLink PBShellLink1;
  TPBShellLink PBShellLink2;
  TPBShellLink PBShellLink3;
  TPBShellLink PBShellLink4;
};

InstallWindow& MainWindow();
// Installs the window for the sequence (and as the engine's host); returns the previous one.
InstallWindow* SetMainWindow(InstallWindow* window);

// Records the installation path under the product key; message 011 when it cannot.
void WriteProductRecord();
// Creates the Start-menu group "Mirvo 98" and its four shortcuts; never raises.
void CreateShortcuts();

// Runs the stages in order; returns after the finish dialog, or early when the
// target could not be prepared. Any other failure leaves as an exception.
void RunInstallSequence();
