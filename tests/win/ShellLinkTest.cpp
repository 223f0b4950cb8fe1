#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include "RegistrySandbox.h"
#include "components/ShellLnk.h"
#include "platform/win32/Win32ShellLink.h"
#include "platform/win32/Win32System.h"

namespace {

// A shortcut file as the shell link object reads it back.
struct ReadBack {
  bool loaded = false;
  std::string path, workingDir, arguments, description, iconFile;
  int showCmd = 0, iconIndex = 0;
  WORD hotkey = 0;
};

ReadBack ReadLink(const std::string& name) {
  ReadBack r;
  CoInitialize(nullptr);
  IShellLinkA* link = nullptr;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&link))) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, wide, MAX_PATH);
    if (SUCCEEDED(file->Load(wide, STGM_READ))) {
      r.loaded = true;
      char text[1024];
      auto take = [&](HRESULT result) { return std::string(SUCCEEDED(result) ? text : "<failed>"); };
      r.path = take(link->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH));
      r.workingDir = take(link->GetWorkingDirectory(text, sizeof text));
      r.arguments = take(link->GetArguments(text, sizeof text));
      r.description = take(link->GetDescription(text, sizeof text));
      r.iconFile = take(link->GetIconLocation(text, sizeof text, &r.iconIndex));
      link->GetShowCmd(&r.showCmd);
      link->GetHotkey(&r.hotkey);
    }
  }
  if (file) file->Release();
  if (link) link->Release();
  CoUninitialize();
  return r;
}

bool Exists(const std::string& name) { return GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The ShowCommand field of a shortcut file's header (4 bytes at 0x3C, little-endian).
int HeaderShowCommand(const std::string& name) {
  unsigned char header[0x4C] = {};
  std::ifstream(name, std::ios::binary).read(reinterpret_cast<char*>(header), sizeof header);
  return header[0x3C] | header[0x3D] << 8 | header[0x3E] << 16 | header[0x3F] << 24;
}

bool UnderWine() { return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr; }

class ShellLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previousSys_ = platform::SetSys(&sys_);
    previousShell_ = platform::SetShellLinks(&shell_);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    dir = std::string(temp) + "mirvo-shelllink-" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr));
    target = dir + "\\Mirvo98.exe";
    std::ofstream(target) << "program";
  }
  void TearDown() override {
    platform::SetShellLinks(previousShell_);
    platform::SetSys(previousSys_);
    std::string cmd = "cmd /c rmdir /s /q \"" + dir + "\" >nul 2>nul";
    (void)system(cmd.c_str());
  }

  std::string dir, target;

 private:
  platform::Win32System sys_;
  platform::Win32ShellLinkApi shell_;
  platform::System* previousSys_ = nullptr;
  platform::ShellLinkApi* previousShell_ = nullptr;
};

}  // namespace

TEST_F(ShellLinkTest, SaveWritesAShortcutThatReadsBackWithEveryValue) {
  const struct {
    TWindowState state;
    int showCmd;
    TShortCut hotKey;
    WORD hotkeyWord;
  } cases[] = {
      {wsMinimized, SW_SHOWMINNOACTIVE, 0xC074, MAKEWORD(VK_F5, HOTKEYF_CONTROL | HOTKEYF_ALT)},
      {wsMaximized, SW_SHOWMAXIMIZED, 0x2041, MAKEWORD('A', HOTKEYF_SHIFT)},
      {wsNormal, SW_SHOWNORMAL, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.showCmd);
    TPBShellLink link;
    link.SetDescription("Bestellformular f\xFCr Kunden");
    link.SetTarget(target);
    link.SetWorkingDir(dir + "\\");
    link.SetArguments("/hilfe \"zwei W\xF6rter\"");
    link.SetWindowState(c.state);
    link.SetHotKey(c.hotKey);
    link.FileIcon().FileName = dir + "\\Mirvo98.hlp";
    link.FileIcon().IconIndex = 2;
    link.SetFileName(dir + "\\Mirvo 98");
    link.Save();

    const ReadBack r = ReadLink(dir + "\\Mirvo 98.lnk");
    ASSERT_TRUE(r.loaded);
    EXPECT_EQ(r.path, target);
    EXPECT_EQ(r.workingDir, dir + "\\");
    EXPECT_EQ(r.arguments, "/hilfe \"zwei W\xF6rter\"");
    EXPECT_EQ(r.description, "Bestellformular f\xFCr Kunden");
    EXPECT_EQ(HeaderShowCommand(dir + "\\Mirvo 98.lnk"), c.showCmd);
    if (UnderWine())  // Wine writes the show command but does not load it: it reads back as normal
      EXPECT_EQ(r.showCmd, SW_SHOWNORMAL);
    else
      EXPECT_EQ(r.showCmd, c.showCmd);
    EXPECT_EQ(r.hotkey, c.hotkeyWord);
    EXPECT_EQ(r.iconFile, dir + "\\Mirvo98.hlp");
    EXPECT_EQ(r.iconIndex, 2);
  }
}

TEST_F(ShellLinkTest, ASecondSaveReplacesTheFile) {
  TPBShellLink link;
  link.SetTarget(target);
  link.SetDescription("erste Fassung");
  link.SetArguments("--alt");
  link.SetFileName(dir + "\\Mirvo 98.lnk");
  link.Save();
  link.SetDescription("zweite");
  link.SetArguments("");
  link.Save();
  const ReadBack r = ReadLink(link.FileName());
  EXPECT_EQ(r.description, "zweite");
  EXPECT_EQ(r.arguments, "");
}

TEST_F(ShellLinkTest, SavingIntoAMissingFolderRaisesAWriteErrorAndLeavesNoFile) {
  TPBShellLink link;
  link.SetTarget(target);
  link.SetFileName(dir + "\\Mirvo 98\\Mirvo 98.lnk");
  try {
    link.Save();
    ADD_FAILURE() << "saved";
  } catch (const EPBShellLink& e) {
    EXPECT_STREQ(e.what(), "Erreur en \xE9" "criture.");
  }
  EXPECT_FALSE(Exists(link.FileName()));
  EXPECT_FALSE(Exists(dir + "\\Mirvo 98"));
}

TEST_F(ShellLinkTest, FileNamesGoOverInTheAnsiCodePageUpToTheirFullLength) {
  TPBShellLink link;
  link.SetTarget(target);
  link.SaveToFile(dir + "\\Bestellformular f\xFCr B\xFCro.lnk");
  const std::wstring wideDir(dir.begin(), dir.end());  // the temporary folder is plain ASCII
  EXPECT_NE(GetFileAttributesW((wideDir + L"\\Bestellformular f\u00FCr B\u00FCro.lnk").c_str()),
            INVALID_FILE_ATTRIBUTES);

  const std::string longest = dir + "\\" + std::string(259 - dir.size() - 5, 'n') + ".lnk";
  ASSERT_EQ(longest.size(), 259u);
  link.SaveToFile(longest);
  EXPECT_EQ(ReadLink(longest).path, target);
}

TEST_F(ShellLinkTest, AShellFolderPlacesTheShortcutWhereTheUsersRegistrySays) {
  RegistrySandbox sandbox;
  const std::string desktop = dir + "\\Desktop";
  ASSERT_TRUE(CreateDirectoryA(desktop.c_str(), nullptr));
  ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                            "Desktop", REG_SZ, desktop.c_str(), static_cast<DWORD>(desktop.size() + 1)),
            ERROR_SUCCESS);
  TPBShellLink link;
  link.SetTarget(target);
  link.SetShellFolder(sfDesktop);
  link.SetFileName("D:\\any\\Name");
  EXPECT_EQ(link.FileName(), desktop + "\\Name.lnk");
  link.Save();
  EXPECT_EQ(ReadLink(desktop + "\\Name.lnk").path, target);
}

TEST_F(ShellLinkTest, SaveLeavesTheThreadsCOMAsItFoundIt) {
  TPBShellLink link;
  link.SetTarget(target);
  link.SetFileName(dir + "\\a.lnk");

  link.Save();
  EXPECT_EQ(CoInitialize(nullptr), S_OK);  // nothing left initialised
  CoUninitialize();

  // A thread in the multi-threaded apartment: CoInitialize fails there, and
  // the save must not take that thread's COM away.
  HRESULT again = E_FAIL;
  bool saved = false;
  std::thread([&] {
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    try {
      link.Save();
      saved = true;
    } catch (const EPBShellLink&) {
    }
    again = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    CoUninitialize();
    CoUninitialize();
  }).join();
  EXPECT_TRUE(saved);
  EXPECT_EQ(again, S_FALSE);
}
