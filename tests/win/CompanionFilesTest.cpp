// The companion-file stage against real files and the real registry.
#include <windows.h>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <vector>

#include "RegistrySandbox.h"
#include "engine/Engine.h"
#include "engine/InstallHost.h"
#include "engine/ProgressCounter.h"
#include "platform/BlockFile.h"
#include "platform/Errors.h"
#include "platform/win32/Win32System.h"

namespace {

const char kCurrentVersion[] = "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION";
const char kUninstall[] = "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\Uninstall";
const char kEntry[] = "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\Uninstall\\Quandelwerk_Mirvo98";

class TestHost final : public InstallHost {
 public:
  const std::string& StartDir() const override { return start; }
  std::string TargetText() const override { return std::string(); }
  ProgressBar& Progress() override { return bar; }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }

  std::string start;
  ProgressCounter bar{0, 350, 1};
  std::vector<std::string> messages;
};

std::string Bytes(std::size_t size, unsigned seed) {
  std::string data(size, '\0');
  for (std::size_t i = 0; i < size; ++i) data[i] = static_cast<char>((i * 131 + seed * 7 + i / 251) & 0xff);
  return data;
}

void Put(const std::string& name, const std::string& data) { std::ofstream(name, std::ios::binary) << data; }

std::string Get(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

struct CloseFile {
  void operator()(HANDLE handle) const {
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
};
using Holder = std::unique_ptr<void, CloseFile>;

bool Exists(const std::string& name) { return GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string WindowsDir() {
  char dir[MAX_PATH] = "";
  GetWindowsDirectoryA(dir, MAX_PATH);
  return dir;
}

class CompanionFilesWin : public ::testing::Test {
 protected:
  void SetUp() override {
    previousSys_ = platform::SetSys(&sys);
    previousHost_ = SetHost(&host);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    dir = std::string(temp) + "mirvo-companion-" + std::to_string(GetCurrentProcessId());
    for (const char* sub : {"", "\\Setup", "\\Ziel", "\\Win", "\\Win\\System"})
      ASSERT_TRUE(CreateDirectoryA((dir + sub).c_str(), nullptr)) << dir + sub;
    for (const auto& [name, data] : companions) Put(dir + "\\Setup\\" + name, data);
    Put(dir + "\\Setup\\ui.dat", uninstaller);
    host.start = dir + "\\Setup";
    SourcePath = dir + "\\Setup\\";
    TargetPath = dir + "\\Ziel\\";
  }
  void TearDown() override {
    SetHost(previousHost_);
    platform::SetSys(previousSys_);
    for (const auto& c : companions) SetFileAttributesA((dir + "\\Setup\\" + c.first).c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesA((dir + "\\Setup\\ui.dat").c_str(), FILE_ATTRIBUTE_NORMAL);
    std::string cmd = "cmd /c rmdir /s /q \"" + dir + "\" >nul 2>nul";
    (void)system(cmd.c_str());
  }
  static void PutSystemRoot(DWORD type, const void* data, DWORD size) {
    ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, kCurrentVersion, "SystemRoot", type, data, size), ERROR_SUCCESS);
  }
  int CompanionSteps() const {
    int steps = 0;
    for (const auto& c : companions) steps += static_cast<int>((c.second.size() + 4095) / 4096);
    return steps;
  }

  RegistrySandbox sandbox;
  platform::Win32System sys;
  TestHost host;
  std::string dir;
  const std::vector<std::pair<std::string, std::string>> companions = {
      {"Mirvo98.hlp", Bytes(9000, 1)}, {"order.txt", Bytes(0, 2)}, {"Bestell.doc", Bytes(4096, 3)},
      {"Readme.txt", Bytes(4097, 4)},  {"FILE_ID.DIZ", Bytes(120, 5)},
  };
  const std::string uninstaller = Bytes(20000, 6);

 private:
  platform::System* previousSys_ = nullptr;
  InstallHost* previousHost_ = nullptr;
};

}  // namespace

// The distribution as a CD-ROM or a read-only share offers it: no file can be
// opened for writing. Wine lets root write read-only files, so a reader that
// denies writing holds every file open as well.
TEST_F(CompanionFilesWin, CopiesFromAReadOnlyMediumPlacesAndRegistersTheUninstallerAndRunsAgain) {
  std::vector<std::string> sources{dir + "\\Setup\\ui.dat"};
  for (const auto& c : companions) sources.push_back(dir + "\\Setup\\" + c.first);
  std::vector<Holder> holders;
  for (const auto& source : sources) {
    ASSERT_TRUE(SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_READONLY));
    holders.emplace_back(CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_NE(holders.back().get(), INVALID_HANDLE_VALUE);
  }
  const std::string root = dir + "\\Win";
  PutSystemRoot(REG_SZ, root.c_str(), static_cast<DWORD>(root.size() + 1));
  const std::string placed = root + "\\System\\UninstallMirvo98.exe";

  for (int run = 1; run <= 2; ++run) {
    SCOPED_TRACE(run);
    CopyCompanionFiles();
    for (const auto& [name, data] : companions) {
      EXPECT_TRUE(Exists(dir + "\\Ziel\\" + name)) << name;
      EXPECT_TRUE(Get(dir + "\\Ziel\\" + name) == data) << name;
    }
    EXPECT_TRUE(Get(placed) == uninstaller);
    EXPECT_EQ(RegistrySandbox::ReadText(HKEY_LOCAL_MACHINE, kEntry, "DisplayName"), "Mirvo 98");
    EXPECT_EQ(RegistrySandbox::ReadText(HKEY_LOCAL_MACHINE, kEntry, "UninstallString"), placed);
    EXPECT_EQ(RegistrySandbox::TypeOf(HKEY_LOCAL_MACHINE, kEntry, "UninstallString"), static_cast<DWORD>(REG_SZ));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.bar.Position(), run * (CompanionSteps() + 10));
  }
}

TEST_F(CompanionFilesWin, WithoutATextSystemRootTheUninstallerGoesToTheWindowsSystemFolder) {
  const DWORD one = 1;
  const struct {
    const char* name;
    std::function<void()> arrange;
    std::vector<std::string> messages;
  } cases[] = {
      {"no value", [] {}, {}},
      {"empty value", [] { PutSystemRoot(REG_SZ, "", 1); }, {}},
      {"a number", [&] { PutSystemRoot(REG_DWORD, &one, sizeof one); }, {"Registry Fehler! 014"}},
  };
  const std::string placed = WindowsDir() + "\\System\\UninstallMirvo98.exe";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DeleteFileA(placed.c_str());
    host.messages.clear();
    c.arrange();
    CopyCompanionFiles();
    EXPECT_TRUE(Get(placed) == uninstaller) << placed;
    EXPECT_EQ(RegistrySandbox::ReadText(HKEY_LOCAL_MACHINE, kEntry, "UninstallString"), placed);
    EXPECT_EQ(host.messages, c.messages);
    DeleteFileA(placed.c_str());
  }
}

TEST_F(CompanionFilesWin, AnUninstallSubkeyThatCannotBeCreatedShowsMessage013AndTheStageEnds) {
  const std::string root = dir + "\\Win";
  PutSystemRoot(REG_SZ, root.c_str(), static_cast<DWORD>(root.size() + 1));
  // Below a volatile key the system refuses to create a lasting one.
  HKEY uninstall = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kUninstall, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr,
                            &uninstall, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(uninstall);

  CopyCompanionFiles();
  EXPECT_EQ(host.messages, std::vector<std::string>{"Registry Fehler! 013"});
  HKEY entry = nullptr;
  EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kEntry, 0, KEY_READ, &entry), ERROR_SUCCESS);
  EXPECT_TRUE(Get(root + "\\System\\UninstallMirvo98.exe") == uninstaller);
  EXPECT_EQ(host.bar.Position(), CompanionSteps() + 10);
}

TEST_F(CompanionFilesWin, BlockFilesReportTheSystemsResultAndNeverEmptyTheirSource) {
  auto codeOf = [](const std::function<void()>& operation) {
    try {
      operation();
    } catch (const platform::InOutError& error) {
      return error.code;
    }
    return 0;
  };
  platform::BlockFile missing(dir + "\\Setup\\fehlt.txt");
  EXPECT_EQ(codeOf([&] { missing.Reset(); }), ERROR_FILE_NOT_FOUND);
  platform::BlockFile nowhere(dir + "\\fehlt\\x.txt");
  EXPECT_EQ(codeOf([&] { nowhere.Rewrite(); }), ERROR_PATH_NOT_FOUND);

  // Setup started in the target folder: source and target are the same file.
  const std::string same = dir + "\\Setup\\Readme.txt";
  platform::BlockFile source(same);
  platform::BlockFile target(same);
  source.Reset();
  EXPECT_EQ(codeOf([&] { target.Rewrite(); }), ERROR_SHARING_VIOLATION);
  char buffer[4096];
  EXPECT_EQ(source.BlockRead(buffer, sizeof buffer), 4096u);
  source.Close();
  EXPECT_TRUE(Get(same) == companions[3].second);
}
