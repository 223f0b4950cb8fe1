#include "Engine.h"

#include <stdexcept>

#include "DecompressionStream.h"
#include "InstallHost.h"
#include "platform/System.h"

std::string SourcePath;
std::string TargetPath;
bool SetupProceed = false;

namespace {
constexpr std::size_t kBlockSize = 4096;
}

std::string WithTrailingBackslash(const std::string& dir) {
  return (!dir.empty() && dir.back() == '\\') ? dir : dir + '\\';
}

void PrepareTarget() {
  InstallHost& host = Host();
  SourcePath = WithTrailingBackslash(host.StartDir());
  const std::string target = host.TargetText();
  if (target.empty()) throw std::invalid_argument("no target directory");
  TargetPath = WithTrailingBackslash(target);
  try {
    platform::System& sys = platform::Sys();
    if (!sys.SetCurrentDir(target) && !sys.CreateDir(target)) {
      host.ShowMessage("Verzeichnis konnte nicht erstellt werden! 015");
      SetupProceed = false;
    }
  } catch (...) {
    // Whatever went wrong here, the stage still reports its share of the bar.
  }
  host.Progress().StepBy(10);
}

void ExtractProgram() {
  platform::System& sys = platform::Sys();
  ProgressBar& bar = Host().Progress();
  // Declared in this order so that they are released reader first, source last.
  const auto source = sys.OpenFileStream(SourcePath + "mirvo98.dat");
  const auto target = sys.CreateFileStream(TargetPath + "mirvo98.exe");
  DecompressionStream reader(*source);
  char buffer[kBlockSize];
  for (;;) {
    const std::size_t count = reader.Read(buffer, sizeof buffer);
    if (count == 0) break;
    target->Write(buffer, count);
    bar.StepIt();
  }
}
