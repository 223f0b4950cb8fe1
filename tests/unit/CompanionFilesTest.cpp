#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "Distribution.h"
#include "FakeSystem.h"
#include "FakeWindow.h"
#include "engine/Engine.h"
#include "platform/Errors.h"
#include "setup/InstallSequence.h"

using platform::RootKey;

namespace {

const std::string kUninstallEntry = "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\Uninstall\\Quandelwerk_Mirvo98";
const std::string kCurrentVersion = "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION";
const std::string kUninstaller = "C:\\WINDOWS\\System\\UninstallMirvo98.exe";

class CompanionFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dist.LayOut(*sys);
    sys->AddDir("C:\\Ziel");
    StartDir = dist.dir;
    window.target = "C:\\Ziel";
    SourcePath = "C:\\Setup\\";
    TargetPath = "C:\\Ziel\\";
  }
  std::optional<std::string> Entry(const std::string& name) {
    return sys->Reg().GetString(RootKey::LocalMachine, kUninstallEntry, name);
  }
  // Bar steps of the first `count` companion files.
  int StepsOfFirst(std::size_t count) const {
    Distribution first = dist;
    first.companions.resize(count);
    return first.CompanionSteps();
  }

  ScopedFakeSystem sys;
  FakeWindow window;
  Distribution dist;
};

}  // namespace

TEST_F(CompanionFilesTest, CopiesTheFilesPlacesTheUninstallerAndRegistersIt) {
  CopyCompanionFiles();
  for (const auto& [name, data] : dist.companions) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(sys->FileExists("C:\\Ziel\\" + name));
    EXPECT_TRUE(sys->FileData("C:\\Ziel\\" + name) == data);
  }
  EXPECT_TRUE(sys->FileData(kUninstaller) == dist.uninstaller);
  EXPECT_EQ(Entry("DisplayName"), "Mirvo 98");
  EXPECT_EQ(Entry("UninstallString"), kUninstaller);  // no blank: left as it is
  // One step per companion block, none for the uninstaller's five, and the final 10.
  EXPECT_EQ(window.bar.Position(), dist.CompanionSteps() + 10);
  EXPECT_TRUE(window.messages.empty());
  EXPECT_EQ(sys->OpenStreams(), 0);
  EXPECT_EQ(sys->Reg().OpenHandles(), 0);
}

TEST_F(CompanionFilesTest, StepsOncePerBlockAndNeverForTheUninstaller) {
  const struct {
    std::size_t size;
    int stepsPerFile;
  } cases[] = {{0, 0}, {1, 1}, {4096, 1}, {4097, 2}, {8193, 3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    const std::string data = SampleBytes(c.size, 9);
    for (const auto& companion : dist.companions) sys->PutFile("C:\\Setup\\" + companion.first, data);
    sys->PutFile("C:\\Setup\\ui.dat", data);
    window.bar.SetPosition(0);
    CopyCompanionFiles();
    for (const auto& companion : dist.companions) {
      EXPECT_TRUE(sys->FileExists("C:\\Ziel\\" + companion.first));
      EXPECT_TRUE(sys->FileData("C:\\Ziel\\" + companion.first) == data);
    }
    EXPECT_TRUE(sys->FileData(kUninstaller) == data);
    EXPECT_EQ(window.bar.Position(), 5 * c.stepsPerFile + 10);
  }
}

TEST_F(CompanionFilesTest, AMissingCompanionFileEndsTheSequenceSilentlyAfterTheOnesBeforeIt) {
  const int programSteps = static_cast<int>((dist.program.size() + 4095) / 4096);
  for (std::size_t missing = 0; missing < dist.companions.size(); ++missing) {
    SCOPED_TRACE(dist.companions[missing].first);
    ScopedFakeSystem fresh;
    FakeWindow freshWindow;
    freshWindow.target = "C:\\Ziel";
    Distribution partial = dist;
    partial.companions.erase(partial.companions.begin() + static_cast<long>(missing));
    partial.LayOut(*fresh);

    try {
      RunInstallSequence();
      ADD_FAILURE() << "the sequence went on";
    } catch (const platform::InOutError& error) {
      EXPECT_EQ(error.code, 2);
    }
    for (std::size_t i = 0; i < dist.companions.size(); ++i) {
      const std::string target = "C:\\Ziel\\" + dist.companions[i].first;
      EXPECT_EQ(fresh->FileExists(target), i < missing) << target;
      if (i < missing) {
        EXPECT_TRUE(fresh->FileData(target) == dist.companions[i].second) << target;
      }
    }
    EXPECT_FALSE(fresh->FileExists(kUninstaller));
    EXPECT_FALSE(fresh->Reg().HasKey(RootKey::LocalMachine, kUninstallEntry));
    EXPECT_TRUE(freshWindow.messages.empty());
    EXPECT_EQ(freshWindow.finishShown, 0);
    EXPECT_EQ(freshWindow.bar.Position(), 10 + programSteps + StepsOfFirst(missing));
    EXPECT_EQ(fresh->OpenStreams(), 0);
  }
}

TEST_F(CompanionFilesTest, AFailureInTheMiddleOfACopyKeepsWhatWasWrittenAndClosesBothFiles) {
  const std::string& help = dist.companions[0].second;  // 9000 bytes: three blocks
  const struct {
    const char* name;
    std::function<void()> inject;
    int code;
    std::string kept;
    int steps;
  } cases[] = {
      {"disk full", [&] { sys->LimitSpace(5000); }, 101, help.substr(0, 5000), 1},
      {"read error", [&] { sys->FailReadAt("C:\\Setup\\Mirvo98.hlp", 8192); }, 30, help.substr(0, 8192), 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    dist.LayOut(*sys);
    sys->LimitSpace(1 << 30);
    window.bar.SetPosition(0);
    c.inject();
    try {
      CopyCompanionFiles();
      ADD_FAILURE() << "the copy went on";
    } catch (const platform::InOutError& error) {
      EXPECT_EQ(error.code, c.code);
    }
    EXPECT_TRUE(sys->FileData("C:\\Ziel\\Mirvo98.hlp") == c.kept);
    EXPECT_FALSE(sys->FileExists("C:\\Ziel\\order.txt"));
    EXPECT_EQ(window.bar.Position(), c.steps);
    EXPECT_EQ(sys->OpenStreams(), 0);
    EXPECT_TRUE(window.messages.empty());
  }
}

TEST_F(CompanionFilesTest, ExistingTargetsAndAnExistingUninstallerAreReplaced) {
  const std::string longer = SampleBytes(30000, 11);
  for (const auto& companion : dist.companions) sys->PutFile("C:\\ZIEL\\" + companion.first, longer);
  sys->PutFile("c:\\windows\\system\\uninstallmirvo98.exe", longer);
  CopyCompanionFiles();
  for (const auto& [name, data] : dist.companions) EXPECT_TRUE(sys->FileData("C:\\Ziel\\" + name) == data) << name;
  EXPECT_TRUE(sys->FileData(kUninstaller) == dist.uninstaller);
}

TEST_F(CompanionFilesTest, TheUninstallerGoesToTheSystemFolderOfSystemRootOrElseOfTheWindowsDirectory) {
  const struct {
    const char* name;
    std::function<void(FakeSystem&)> arrange;
    std::string uninstaller;
    std::string command;
    std::vector<std::string> messages;
  } cases[] = {
      {"SystemRoot present",
       [](FakeSystem& s) { s.Reg().PutString(RootKey::LocalMachine, kCurrentVersion, "SystemRoot", "D:\\WIN95"); },
       "D:\\WIN95\\System\\UninstallMirvo98.exe", "D:\\WIN95\\System\\UninstallMirvo98.exe", {}},
      {"SystemRoot with a blank",
       [](FakeSystem& s) { s.Reg().PutString(RootKey::LocalMachine, kCurrentVersion, "SystemRoot", "C:\\Mein Win"); },
       "C:\\Mein Win\\System\\UninstallMirvo98.exe", "\"C:\\Mein Win\\System\\UninstallMirvo98.exe\"", {}},
      {"SystemRoot missing", [](FakeSystem&) {}, "C:\\WINNT\\System\\UninstallMirvo98.exe",
       "C:\\WINNT\\System\\UninstallMirvo98.exe", {}},
      {"SystemRoot empty",
       [](FakeSystem& s) { s.Reg().PutString(RootKey::LocalMachine, kCurrentVersion, "SystemRoot", ""); },
       "C:\\WINNT\\System\\UninstallMirvo98.exe", "C:\\WINNT\\System\\UninstallMirvo98.exe", {}},
      {"Windows directory with a blank",
       [](FakeSystem& s) {
         s.SetWindowsDir("C:\\Mein Windows");
         s.AddDir("C:\\Mein Windows\\System");
       },
       "C:\\Mein Windows\\System\\UninstallMirvo98.exe", "\"C:\\Mein Windows\\System\\UninstallMirvo98.exe\"", {}},
      {"SystemRoot not text",
       [](FakeSystem& s) { s.Reg().PutOther(RootKey::LocalMachine, kCurrentVersion, "SystemRoot"); },
       "C:\\WINNT\\System\\UninstallMirvo98.exe", "C:\\WINNT\\System\\UninstallMirvo98.exe",
       {"Registry Fehler! 014"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScopedFakeSystem fresh;
    FakeWindow freshWindow;
    dist.LayOut(*fresh);
    fresh->AddDir("C:\\Ziel");
    fresh->AddDir("D:\\WIN95\\System");
    fresh->AddDir("C:\\Mein Win\\System");
    fresh->SetWindowsDir("C:\\WINNT");
    fresh->AddDir("C:\\WINNT\\System");
    c.arrange(*fresh);

    CopyCompanionFiles();
    EXPECT_TRUE(fresh->FileData(c.uninstaller) == dist.uninstaller);
    EXPECT_EQ(fresh->Reg().GetString(RootKey::LocalMachine, kUninstallEntry, "UninstallString"), c.command);
    EXPECT_EQ(fresh->Reg().GetString(RootKey::LocalMachine, kUninstallEntry, "DisplayName"), "Mirvo 98");
    EXPECT_EQ(freshWindow.messages, c.messages);
    EXPECT_EQ(freshWindow.bar.Position(), dist.CompanionSteps() + 10);
    EXPECT_EQ(fresh->Reg().OpenHandles(), 0);
  }
}

TEST_F(CompanionFilesTest, AWindowsDirectoryWithoutItsSystemFolderEndsTheStageBeforeRegistering) {
  sys->SetWindowsDir("C:\\WINNT");
  sys->AddDir("C:\\WINNT");
  EXPECT_THROW(CopyCompanionFiles(), platform::InOutError);
  EXPECT_FALSE(sys->DirExists("C:\\WINNT\\System"));
  EXPECT_FALSE(sys->Reg().HasKey(RootKey::LocalMachine, kUninstallEntry));
  EXPECT_TRUE(window.messages.empty());
  EXPECT_EQ(sys->OpenStreams(), 0);
}

TEST_F(CompanionFilesTest, ARegistrationThatFailsShowsMessage013AndTheStageStillEnds) {
  const struct {
    const char* name;
    std::function<void(FakeRegistry&)> deny;
  } cases[] = {
      {"subkey cannot be created", [](FakeRegistry& r) { r.DenyCreate(RootKey::LocalMachine, kUninstallEntry); }},
      {"value cannot be written", [](FakeRegistry& r) { r.DenyWrite(RootKey::LocalMachine, kUninstallEntry); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScopedFakeSystem fresh;
    FakeWindow freshWindow;
    freshWindow.target = "C:\\Ziel";
    dist.LayOut(*fresh);
    c.deny(fresh->Reg());

    RunInstallSequence();
    EXPECT_EQ(freshWindow.messages, std::vector<std::string>{"Registry Fehler! 013"});
    EXPECT_EQ(fresh->Reg().GetString(RootKey::LocalMachine, kUninstallEntry, "DisplayName"), std::nullopt);
    EXPECT_EQ(fresh->Reg().GetString(RootKey::LocalMachine, kUninstallEntry, "UninstallString"), std::nullopt);
    EXPECT_TRUE(fresh->FileData(kUninstaller) == dist.uninstaller);
    EXPECT_EQ(freshWindow.finishShown, 1);  // the sequence goes on
    EXPECT_EQ(fresh->Reg().OpenHandles(), 0);
  }
  // The final advance is there after the failure too.
  sys->Reg().DenyWrite(RootKey::LocalMachine, kUninstallEntry);
  CopyCompanionFiles();
  EXPECT_EQ(window.bar.Position(), dist.CompanionSteps() + 10);
}

TEST_F(CompanionFilesTest, ASecondRunWritesBothValuesAgainWithoutAMessage) {
  CopyCompanionFiles();
  sys->Reg().PutString(RootKey::LocalMachine, kUninstallEntry, "DisplayName", "alt");
  sys->Reg().PutString(RootKey::LocalMachine, kUninstallEntry, "UninstallString", "C:\\alt.exe");
  CopyCompanionFiles();
  EXPECT_EQ(Entry("DisplayName"), "Mirvo 98");
  EXPECT_EQ(Entry("UninstallString"), kUninstaller);
  EXPECT_TRUE(window.messages.empty());
}
