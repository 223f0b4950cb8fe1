#pragma once
// The seam between the install engine and the setup main window: what the
// stages read of the window's module and which of its controls they move.
// The window, the console runner and the tests each implement it, so that all
// of them drive the very same stages.
#include <string>

// The progress bar with the semantics of the platform's progress control.
class ProgressBar {
 public:
  virtual ~ProgressBar() = default;
  // One step by the step size; passing the maximum starts over from the minimum
  // (by the overshoot).
  virtual void StepIt() = 0;
  // Advances by `delta`, held within the range.
  virtual void StepBy(int delta) = 0;
  virtual void SetPosition(int position) = 0;
  virtual int Position() const = 0;
};

class InstallHost {
 public:
  virtual ~InstallHost() = default;
  virtual const std::string& StartDir() const = 0;
  // The text of the target field.
  virtual std::string TargetText() const = 0;
  virtual ProgressBar& Progress() = 0;
  // A plain message box with an OK button.
  virtual void ShowMessage(const std::string& text) = 0;
};

InstallHost& Host();
// Installs the host that Host() hands out; returns the previous one.
InstallHost* SetHost(InstallHost* host);
