#include "InstallSequence.h"

#include <stdexcept>

#include "engine/Engine.h"
#include "platform/Registry.h"
#include "platform/System.h"

std::string StartDir;
std::string DefaultTargetDir;

namespace {
InstallWindow* installed = nullptr;
constexpr int kProgressEnd = 350;
}  // namespace

namespace {

// The shortcut components' stored settings, as the main window's layout holds them.
const char* const kShortcutDescriptions[4] = {
    "Mirvo 98",
    "Mirvo 98 - Hilfe",
    "Bestellformular im Word-Format",
    "Bestellformular im TXT-Format",
};

// What the shortcut stage sets on each component: the installed file it
// opens, and the shortcut's name inside the programs folder.
struct ShortcutPlan {
  const char* target;
  const char* link;
};
const ShortcutPlan kShortcutPlans[4] = {
    {"Mirvo98.exe", "\\Mirvo 98\\Mirvo 98.lnk"},
    {"Mirvo98.hlp", "\\Mirvo 98\\Mirvo 98 - Hilfe.lnk"},
    {"Bestell.doc", "\\Mirvo 98\\Bestellformular im Word-Format.lnk"},
    {"Order.txt", "\\Mirvo 98\\Bestellformular im TXT-Format.lnk"},
};

}  // namespace

InstallWindow::InstallWindow() {
  TPBShellLink* links[4] = {&PBShellLink1, &PBShellLink2, &PBShellLink3, &PBShellLink4};
  for (int i = 0; i < 4; ++i) {
    links[i]->SetDescription(kShortcutDescriptions[i]);
    links[i]->FileIcon().IconIndex = 0;
    links[i]->SetHotKey(0);
    links[i]->SetWindowState(wsNormal);
  }
}

void WriteProductRecord() {
  try {
    platform::Registry reg;
    reg.SetRootKey(platform::RootKey::LocalMachine);
    reg.OpenKey("SOFTWARE\\Quandelwerk\\Mirvo98v2", true);
    reg.WriteString("Pfad", TargetPath);
    reg.CloseKey();
  } catch (...) {
    MainWindow().ShowMessage("Registry Fehler! 011");
  }
}

void CreateShortcuts() {
  InstallWindow& window = MainWindow();
  platform::System& sys = platform::Sys();
  std::string ProgramsDir;
  try {
    platform::Registry reg;
    reg.SetRootKey(platform::RootKey::CurrentUser);
    reg.OpenKey("SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\EXPLORER\\SHELL FOLDERS", true);
    ProgramsDir = reg.ReadString("Programs");
    reg.CloseKey();
  } catch (...) {
    window.ShowMessage("Registry Fehler! 010");
    // The value is unusable; the system still knows where the user's programs folder is.
    ProgramsDir = sys.GetProgramsDir();
  }
  sys.SetCurrentDir(ProgramsDir);
  sys.CreateDir("Mirvo 98");
  try {
    TPBShellLink* links[4] = {&window.PBShellLink1, &window.PBShellLink2, &window.PBShellLink3, &window.PBShellLink4};
    for (int i = 0; i < 4; ++i) {
      links[i]->SetWorkingDir(TargetPath);
      links[i]->SetTarget(TargetPath + kShortcutPlans[i].target);
      links[i]->FileIcon().FileName = TargetPath + kShortcutPlans[i].target;
      links[i]->SetFileName(ProgramsDir + kShortcutPlans[i].link);
      links[i]->Save();
    }
  } catch (...) {
    // A shortcut that cannot be written leaves the rest unwritten, silently.
  }
  window.Progress().StepBy(10);
}

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
  WriteProductRecord();
  CreateShortcuts();
  window.Progress().SetPosition(kProgressEnd);
  window.ShowFinish();
}
