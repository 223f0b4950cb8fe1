#include <gtest/gtest.h>

#include <sstream>

#include "Distribution.h"
#include "FakeSystem.h"
#include "FakeWindow.h"
#include "engine/Engine.h"
#include "platform/ShellLinkApi.h"
#include "setup/InstallSequence.h"

using platform::RootKey;

namespace {

const char kShellFolders[] = "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\EXPLORER\\SHELL FOLDERS";
const char kPrograms[] = "C:\\WINDOWS\\Startmen\xFC\\Programme";
const char kGroup[] = "C:\\WINDOWS\\Startmen\xFC\\Programme\\Mirvo 98\\";

// A shell link object that writes its shortcut as a small text file into the
// fake file system, so that folders, replacement and failures behave as on disk.
class FileShellLinks final : public platform::ShellLinkApi {
 public:
  platform::ComResult Initialize() override { return 0; }
  void Uninitialize() override {}
  platform::ComResult CreateShellLink(std::unique_ptr<platform::ShellLinkObject>& link) override {
    link = std::make_unique<Link>();
    return 0;
  }

 private:
  struct Values {
    std::string description, path, dir, args, icon;
    int showCmd = 0, iconIndex = 0, hotkey = 0;
  };
  class File final : public platform::PersistFile {
   public:
    explicit File(const Values& v) : v_(v) {}
    platform::ComResult Save(const std::string& name, bool) override {
      try {
        std::ostringstream text;
        text << v_.path << '|' << v_.dir << '|' << v_.description << '|' << v_.icon << ',' << v_.iconIndex << '|'
             << v_.showCmd << '|' << v_.hotkey << '|' << v_.args;
        const std::string data = text.str();
        platform::Sys().CreateFileStream(name)->Write(data.data(), data.size());
        return 0;
      } catch (const platform::Error&) {
        return static_cast<platform::ComResult>(0x80070003);  // path not found
      }
    }

   private:
    const Values& v_;
  };
  class Link final : public platform::ShellLinkObject {
   public:
    platform::ComResult QueryPersistFile(std::unique_ptr<platform::PersistFile>& file) override {
      file = std::make_unique<File>(v_);
      return 0;
    }
    void SetDescription(const std::string& t) override { v_.description = t; }
    void SetPath(const std::string& p) override { v_.path = p; }
    void SetWorkingDirectory(const std::string& d) override { v_.dir = d; }
    void SetArguments(const std::string& a) override { v_.args = a; }
    void SetShowCmd(std::int32_t s) override { v_.showCmd = s; }
    void SetHotkey(std::uint16_t h) override { v_.hotkey = h; }
    void SetIconLocation(const std::string& f, std::int32_t i) override {
      v_.icon = f;
      v_.iconIndex = i;
    }

   private:
    Values v_;
  };
};

class ShortcutStagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previousLinks_ = platform::SetShellLinks(&links_);
    dist.LayOut(*sys);
    sys->AddDir(kPrograms);
    sys->Reg().PutString(RootKey::CurrentUser, kShellFolders, "Programs", kPrograms);
    StartDir = dist.dir;
    window.target = "C:\\Programme\\Mirvo";
    sys->AddDir("C:\\Programme");
  }
  void TearDown() override { platform::SetShellLinks(previousLinks_); }

  // The four shortcut files as the fake shell link object wrote them, by name.
  std::string Link(const std::string& group, const std::string& name) { return sys->FileData(group + name + ".lnk"); }

  ScopedFakeSystem sys;
  FakeWindow window;
  Distribution dist;
  FileShellLinks links_;

 private:
  platform::ShellLinkApi* previousLinks_ = nullptr;
};

const char* const kLinkNames[] = {"Mirvo 98", "Mirvo 98 - Hilfe", "Bestellformular im Word-Format",
                                  "Bestellformular im TXT-Format"};

}  // namespace

TEST_F(ShortcutStagesTest, AFreshSystemGetsTheProductRecordAndFourShortcuts) {
  RunInstallSequence();
  EXPECT_EQ(sys->Reg().GetString(RootKey::LocalMachine, "SOFTWARE\\Quandelwerk\\Mirvo98v2", "Pfad"),
            "C:\\Programme\\Mirvo\\");
  const std::string t = "C:\\Programme\\Mirvo\\";
  EXPECT_EQ(Link(kGroup, kLinkNames[0]), t + "Mirvo98.exe|" + t + "|Mirvo 98|" + t + "Mirvo98.exe,0|1|0|");
  EXPECT_EQ(Link(kGroup, kLinkNames[1]), t + "Mirvo98.hlp|" + t + "|Mirvo 98 - Hilfe|" + t + "Mirvo98.hlp,0|1|0|");
  EXPECT_EQ(Link(kGroup, kLinkNames[2]),
            t + "Bestell.doc|" + t + "|Bestellformular im Word-Format|" + t + "Bestell.doc,0|1|0|");
  EXPECT_EQ(Link(kGroup, kLinkNames[3]),
            t + "Order.txt|" + t + "|Bestellformular im TXT-Format|" + t + "Order.txt,0|1|0|");
  EXPECT_EQ(sys->GetCurrentDir(), kPrograms);
  EXPECT_TRUE(window.messages.empty());
  EXPECT_EQ(window.bar.Position(), 350);
  EXPECT_EQ(window.finishShown, 1);
}

TEST_F(ShortcutStagesTest, AProductRecordThatCannotBeWrittenIsReportedAndTheRestGoesOn) {
  for (const char* denied : {"SOFTWARE\\Quandelwerk", "SOFTWARE\\Quandelwerk\\Mirvo98v2"}) {
    SCOPED_TRACE(denied);
    ScopedFakeSystem fresh;
    dist.LayOut(*fresh);
    fresh->AddDir(kPrograms);
    fresh->AddDir("C:\\Programme");
    fresh->Reg().PutString(RootKey::CurrentUser, kShellFolders, "Programs", kPrograms);
    if (std::string(denied) == "SOFTWARE\\Quandelwerk") {
      fresh->Reg().DenyCreate(RootKey::LocalMachine, denied);  // the key cannot be created
    } else {
      fresh->Reg().PutString(RootKey::LocalMachine, denied, "Alt", "x");
      fresh->Reg().DenyWrite(RootKey::LocalMachine, denied);  // "Pfad" cannot be written
    }
    window.messages.clear();
    window.finishShown = 0;
    RunInstallSequence();
    EXPECT_EQ(window.messages, std::vector<std::string>{"Registry Fehler! 011"});
    EXPECT_TRUE(fresh->FileExists(std::string(kGroup) + "Bestellformular im TXT-Format.lnk"));
    EXPECT_EQ(window.bar.Position(), 350);
    EXPECT_EQ(window.finishShown, 1);
  }
}

TEST_F(ShortcutStagesTest, WithoutAProgramsValueTheGroupLandsInTheCurrentDirectoryAndSavingFailsSilently) {
  ScopedFakeSystem fresh;
  dist.LayOut(*fresh);
  fresh->AddDir("C:\\Programme\\Mirvo");  // exists, so it becomes the current directory
  fresh->Reg().PutString(RootKey::CurrentUser, kShellFolders, "Desktop", "C:\\Desktop");
  RunInstallSequence();
  EXPECT_TRUE(fresh->DirExists("C:\\Programme\\Mirvo\\Mirvo 98"));
  EXPECT_FALSE(fresh->FileExists("C:\\Programme\\Mirvo\\Mirvo 98\\Mirvo 98.lnk"));
  EXPECT_FALSE(fresh->DirExists("C:\\Mirvo 98"));  // the names point to the drive's root
  EXPECT_TRUE(window.messages.empty());
  EXPECT_EQ(window.bar.Position(), 350);
  EXPECT_EQ(window.finishShown, 1);
}

TEST_F(ShortcutStagesTest, AProgramsValueThatIsNotTextIsReportedAndTheSystemsProgramsFolderIsUsed) {
  sys->Reg().PutOther(RootKey::CurrentUser, kShellFolders, "Programs");
  sys->SetProgramsDir(kPrograms);
  RunInstallSequence();
  EXPECT_EQ(window.messages, std::vector<std::string>{"Registry Fehler! 010"});
  for (const char* name : kLinkNames) EXPECT_TRUE(sys->FileExists(std::string(kGroup) + name + ".lnk")) << name;
  EXPECT_EQ(window.finishShown, 1);
}

TEST_F(ShortcutStagesTest, AProgramsFolderWithoutRoomForTheGroupWritesNoShortcutAndStillFinishes) {
  sys->MakeReadOnly(kPrograms);
  RunInstallSequence();
  EXPECT_FALSE(sys->DirExists(std::string(kPrograms) + "\\Mirvo 98"));
  EXPECT_TRUE(window.messages.empty());
  EXPECT_EQ(window.bar.Position(), 350);
  EXPECT_EQ(window.finishShown, 1);
}

TEST_F(ShortcutStagesTest, AShortcutThatCannotBeWrittenSkipsTheOnesAfterIt) {
  sys->AddDir(std::string(kGroup) + "Mirvo 98 - Hilfe.lnk");  // a folder where the second shortcut goes
  RunInstallSequence();
  EXPECT_TRUE(sys->FileExists(std::string(kGroup) + "Mirvo 98.lnk"));
  EXPECT_FALSE(sys->FileExists(std::string(kGroup) + "Bestellformular im Word-Format.lnk"));
  EXPECT_FALSE(sys->FileExists(std::string(kGroup) + "Bestellformular im TXT-Format.lnk"));
  EXPECT_TRUE(window.messages.empty());
  EXPECT_EQ(window.bar.Position(), 350);
  EXPECT_EQ(window.finishShown, 1);
}

TEST_F(ShortcutStagesTest, ASecondInstallationElsewhereOverwritesThePathAndReplacesTheShortcuts) {
  RunInstallSequence();
  window.target = "D:\\Anders";
  sys->AddDir("D:\\");
  RunInstallSequence();
  EXPECT_EQ(sys->Reg().GetString(RootKey::LocalMachine, "SOFTWARE\\Quandelwerk\\Mirvo98v2", "Pfad"), "D:\\Anders\\");
  for (const char* name : kLinkNames)
    EXPECT_EQ(Link(kGroup, name).rfind("D:\\Anders\\", 0), 0u) << Link(kGroup, name);
  EXPECT_TRUE(window.messages.empty());
  EXPECT_EQ(window.finishShown, 2);
}
