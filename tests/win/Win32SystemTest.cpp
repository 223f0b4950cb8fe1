#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "RegistrySandbox.h"
#include "engine/ProgressCounter.h"
#include "platform/Errors.h"
#include "platform/Registry.h"
#include "platform/win32/Win32System.h"

namespace {

class Win32SystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = platform::SetSys(&sys);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    dir = std::string(temp) + "mirvo-platform-" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(sys.CreateDir(dir));
  }
  void TearDown() override {
    platform::SetSys(previous_);
    SetCurrentDirectoryA("C:\\");
    std::string cmd = "cmd /c rmdir /s /q \"" + dir + "\" >nul 2>nul";
    (void)system(cmd.c_str());
  }
  static void Put(const std::string& name, const std::string& data) {
    std::ofstream(name, std::ios::binary) << data;
  }
  static std::string Get(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  platform::Win32System sys;
  std::string dir;

 private:
  platform::System* previous_ = nullptr;
};

}  // namespace

TEST_F(Win32SystemTest, DirectoriesAreEnteredAndCreatedOneLevelAtATime) {
  EXPECT_FALSE(sys.SetCurrentDir(dir + "\\a"));
  EXPECT_FALSE(sys.CreateDir(dir + "\\a\\b"));
  EXPECT_TRUE(sys.CreateDir(dir + "\\a"));
  EXPECT_FALSE(sys.CreateDir(dir + "\\a"));
  ASSERT_TRUE(sys.SetCurrentDir(dir + "\\a"));
  EXPECT_EQ(sys.GetCurrentDir(), dir + "\\a");
  EXPECT_TRUE(sys.CreateDir("relative"));
  EXPECT_TRUE(sys.SetCurrentDir(dir + "\\a\\relative"));
}

TEST_F(Win32SystemTest, FileStreamsOpenUnsharedReplaceOnCreateAndRaiseOnFailure) {
  const std::string name = dir + "\\data.bin";
  EXPECT_THROW(sys.OpenFileStream(name), platform::StreamError);
  Put(name, "0123456789");
  {
    auto in = sys.OpenFileStream(name);
    EXPECT_THROW(sys.OpenFileStream(name), platform::StreamError);  // not shared
    char buffer[16];
    EXPECT_EQ(in->Read(buffer, sizeof buffer), 10u);
    EXPECT_EQ(in->Read(buffer, sizeof buffer), 0u);
    EXPECT_EQ(in->Seek(2, platform::SeekOrigin::Begin), 2);
    EXPECT_THROW(in->Write("x", 1), platform::StreamError);  // opened for reading only
  }
  {
    auto out = sys.CreateFileStream(name);
    out->Write("abc", 3);
  }
  EXPECT_EQ(Get(name), "abc");
  EXPECT_THROW(sys.CreateFileStream(dir + "\\missing\\x.bin"), platform::StreamError);
}

TEST_F(Win32SystemTest, DiskFreeKnowsDriveCAndNotAMissingDrive) {
  EXPECT_GT(sys.DiskFree(3), 0);
  EXPECT_GT(sys.DiskFree(0), 0);
  EXPECT_EQ(sys.DiskFree(17), -1);  // Q: does not exist in the test prefix
}

TEST_F(Win32SystemTest, RegistryWritesTerminatedTextAndRefusesOtherTypesOnRead) {
  RegistrySandbox sandbox;
  {
    platform::Registry reg;
    reg.SetRootKey(platform::RootKey::LocalMachine);
    ASSERT_TRUE(reg.OpenKey("SOFTWARE\\Quandelwerk\\Test", true));
    reg.WriteString("Pfad", "C:\\Ziel\\");
    EXPECT_EQ(reg.ReadString("Pfad"), "C:\\Ziel\\");
    EXPECT_EQ(reg.ReadString("fehlt"), "");
  }
  DWORD size = 0;
  ASSERT_EQ(RegGetValueA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quandelwerk\\Test", "Pfad", RRF_RT_REG_SZ, nullptr, nullptr,
                         &size),
            ERROR_SUCCESS);
  EXPECT_EQ(size, 9u);  // eight characters and the terminator
  DWORD one = 1;
  RegSetKeyValueA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quandelwerk\\Test", "Zahl", REG_DWORD, &one, sizeof one);
  platform::Registry reg;
  reg.SetRootKey(platform::RootKey::LocalMachine);
  EXPECT_FALSE(reg.OpenKey("SOFTWARE\\Quandelwerk\\Fehlt", false));
  ASSERT_TRUE(reg.OpenKey("SOFTWARE\\Quandelwerk\\Test", false));
  EXPECT_THROW(reg.ReadString("Zahl"), platform::RegistryError);
}

// The counting bar of the console runner must count exactly as the real control does.
TEST(ProgressBarModel, CountsLikeTheRealProgressControl) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&icc);
  HWND bar = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_POPUP, 0, 0, 180, 12, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(bar, nullptr);
  SendMessageA(bar, PBM_SETRANGE32, 0, 350);
  SendMessageA(bar, PBM_SETSTEP, 1, 0);
  ProgressCounter model(0, 350, 1);
  auto same = [&] { return static_cast<int>(SendMessageA(bar, PBM_GETPOS, 0, 0)) == model.Position(); };
  auto step = [&] { SendMessageA(bar, PBM_STEPIT, 0, 0); model.StepIt(); };
  auto by = [&](int d) { SendMessageA(bar, PBM_DELTAPOS, static_cast<WPARAM>(d), 0); model.StepBy(d); };
  auto set = [&](int p) { SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(p), 0); model.SetPosition(p); };

  by(10);
  EXPECT_TRUE(same());
  for (int i = 0; i < 345; ++i) step();
  EXPECT_TRUE(same()) << model.Position();
  step();  // past the maximum
  EXPECT_TRUE(same()) << model.Position();
  by(400);
  EXPECT_TRUE(same()) << model.Position();
  set(500);
  EXPECT_TRUE(same()) << model.Position();
  set(-5);
  EXPECT_TRUE(same()) << model.Position();
  DestroyWindow(bar);
}
