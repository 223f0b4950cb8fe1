#include "Engine.h"

#include <stdexcept>
#include <vector>

#include "DecompressionStream.h"
#include "InstallHost.h"
#include "platform/BlockFile.h"
#include "platform/Registry.h"
#include "platform/System.h"

std::string SourcePath;
std::string TargetPath;
bool SetupProceed = false;

namespace {

constexpr std::size_t kBlockSize = 4096;

// The product's files that lie beside the program file, copied under the same names.
const char* const kCompanionFiles[] = {"Mirvo98.hlp", "order.txt", "Bestell.doc", "Readme.txt", "FILE_ID.DIZ"};

constexpr char kCurrentVersionKey[] = "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION";
constexpr char kUninstallKey[] = "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\Uninstall";
constexpr char kUninstallSubkey[] = "Quandelwerk_Mirvo98";
constexpr char kUninstallerName[] = "\\UninstallMirvo98.exe";

// Collects the program's blocks and writes them in large pieces: each write is
// a trip into the system, and sixteen thousand of them cost more than the
// inflating. A failed write raises as it would have; on the way out of any
// other error, what was delivered so far is still written.
class WriteBehind {
 public:
  explicit WriteBehind(platform::Stream& target) : target_(target) { pending_.reserve(kPieceSize); }
  ~WriteBehind() {
    try {
      Flush();
    } catch (...) {
      // The error that brought us here is the one to report.
    }
  }
  WriteBehind(const WriteBehind&) = delete;
  WriteBehind& operator=(const WriteBehind&) = delete;

  void Write(const char* data, std::size_t count) {
    pending_.insert(pending_.end(), data, data + count);
    if (pending_.size() >= kPieceSize) Flush();
  }
  void Flush() {
    if (pending_.empty()) return;
    // Written or failed, these bytes are done with: never write them twice.
    struct Done {
      std::vector<char>& bytes;
      ~Done() { bytes.clear(); }
    } done{pending_};
    target_.Write(pending_.data(), pending_.size());
  }

 private:
  static constexpr std::size_t kPieceSize = 1 << 20;
  platform::Stream& target_;
  std::vector<char> pending_;
};

// Copies `from` to `to` block by block, stepping `bar` once per block when given.
// Both files are closed when an error passes, by their destructors.
void CopyInBlocks(const std::string& from, const std::string& to, ProgressBar* bar) {
  platform::BlockFile source(from);
  platform::BlockFile target(to);
  source.Reset();
  target.Rewrite();
  char buffer[kBlockSize];
  while (!source.Eof()) {
    const std::size_t count = source.BlockRead(buffer, sizeof buffer);
    target.BlockWrite(buffer, count);
    if (bar) bar->StepIt();
  }
  source.Close();
  target.Close();
}

// The system folder, where the uninstaller goes. Only the old consumer Windows
// keep "SystemRoot" under this key; everywhere else the folder of that name in
// the Windows directory that the system reports takes its place.
std::string ReadSystemDir() {
  std::string root;
  try {
    platform::Registry reg;
    reg.SetRootKey(platform::RootKey::LocalMachine);
    reg.OpenKey(kCurrentVersionKey, true);
    root = reg.ReadString("SystemRoot");
    reg.CloseKey();
  } catch (...) {
    Host().ShowMessage("Registry Fehler! 014");
    root.clear();
  }
  if (root.empty()) root = platform::Sys().GetWindowsDir();
  return root + "\\System";
}

// A path with a blank is quoted: unquoted, the system would try "C:\Program.exe"
// and the like before the uninstaller itself.
std::string CommandLineOf(const std::string& path) {
  return path.find(' ') == std::string::npos ? path : '"' + path + '"';
}

void RegisterUninstaller(const std::string& uninstaller) {
  try {
    platform::Registry reg;
    reg.SetRootKey(platform::RootKey::LocalMachine);
    reg.OpenKey(kUninstallKey, true);
    reg.CreateKey(kUninstallSubkey);
    reg.OpenKey(kUninstallSubkey, false);
    reg.WriteString("DisplayName", "Mirvo 98");
    reg.WriteString("UninstallString", CommandLineOf(uninstaller));
    reg.CloseKey();
  } catch (...) {
    Host().ShowMessage("Registry Fehler! 013");
  }
}

}  // namespace

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
  // Declared in this order so that they are released writer and reader first, source last.
  const auto source = sys.OpenFileStream(SourcePath + "mirvo98.dat");
  const auto target = sys.CreateFileStream(TargetPath + "mirvo98.exe");
  DecompressionStream reader(*source);
  WriteBehind writer(*target);
  char buffer[kBlockSize];
  for (;;) {
    const std::size_t count = reader.Read(buffer, sizeof buffer);
    if (count == 0) break;
    writer.Write(buffer, count);
    bar.StepIt();
  }
  writer.Flush();
}

void CopyCompanionFiles() {
  ProgressBar& bar = Host().Progress();
  for (const char* name : kCompanionFiles) CopyInBlocks(SourcePath + name, TargetPath + name, &bar);
  const std::string uninstaller = ReadSystemDir() + kUninstallerName;
  CopyInBlocks(SourcePath + "ui.dat", uninstaller, nullptr);
  RegisterUninstaller(uninstaller);
  bar.StepBy(10);
}
