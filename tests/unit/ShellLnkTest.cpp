#include <gtest/gtest.h>

#include <optional>

#include "FakeShellLink.h"
#include "FakeSystem.h"
#include "components/ShellLnk.h"
#include "platform/Errors.h"

using platform::RootKey;
using Calls = std::vector<std::string>;

namespace {

const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

void PutFolder(FakeSystem& sys, const std::string& name, const std::string& path) {
  sys.Reg().PutString(RootKey::CurrentUser, kShellFolders, name, path);
}

struct NameCase {
  const char* what;
  std::string start;                  // written first, with no shell folder
  std::optional<TShellFolder> folder;  // then written to ShellFolder
  std::optional<std::string> name;     // then written to FileName
  std::string expected;
};

const NameCase kNameCases[] = {
    {"an extension is added", "", {}, "Readme", "Readme.lnk"},
    {"any case of .lnk is kept", "", {}, "C:\\Links\\Tool.LnK", "C:\\Links\\Tool.LnK"},
    {"only the last extension counts", "", {}, "x.lnk.txt", "x.lnk.txt.lnk"},
    {"a trailing dot is an empty extension", "", {}, "name.", "name..lnk"},
    {"a dot in the folder is no extension", "", {}, "C:\\dir.d\\name", "C:\\dir.d\\name.lnk"},
    {"no file part but .lnk", "", {}, ".lnk", ""},
    {"a drive alone", "", {}, "C:", ""},
    {"a folder path", "", {}, "C:\\Links\\", ""},
    {"empty over a name", "Readme.lnk", {}, "", ""},
    {"the stem of the current name", "Readme.lnk", {}, "Readme", "Readme.lnk"},
    {"written into the folder, the old folder dropped", "", sfDesktop, "D:\\any\\Name",
     "C:\\WINDOWS\\Desktop\\Name.lnk"},
    {"a folder path into a folder", "", sfDesktop, "D:\\any\\", ""},
    {"a missing folder value is an empty path", "", sfRecent, "Name", "\\Name.lnk"},
    {"the folder path is used as read", "", sfFavorites, "Name", "C:\\Fav\\\\Name.lnk"},
    {"nothing is expanded", "", sfPersonal, "Name", "%USERPROFILE%\\Docs\\Name.lnk"},
    {"a folder re-bases the current name", "C:\\a\\b.lnk", sfPrograms, {},
     "C:\\WINDOWS\\Start Menu\\Programs\\b.lnk"},
    {"re-basing an empty name adds no extension", "", sfStartMenu, {}, "C:\\WINDOWS\\Start Menu\\"},
};

}  // namespace

TEST(ShellLnk, FileNameIsNormalisedAndReBasedIntoTheShellFolder) {
  ScopedFakeSystem sys;
  PutFolder(*sys, "Desktop", "C:\\WINDOWS\\Desktop");
  PutFolder(*sys, "Programs", "C:\\WINDOWS\\Start Menu\\Programs");
  PutFolder(*sys, "Start Menu", "C:\\WINDOWS\\Start Menu");
  PutFolder(*sys, "Favorites", "C:\\Fav\\");
  PutFolder(*sys, "Personal", "%USERPROFILE%\\Docs");
  for (const NameCase& c : kNameCases) {
    SCOPED_TRACE(c.what);
    TPBShellLink link;
    link.SetFileName(c.start);
    if (c.folder) link.SetShellFolder(*c.folder);
    if (c.name) link.SetFileName(*c.name);
    EXPECT_EQ(link.FileName(), c.expected);
  }
  EXPECT_EQ(sys->Reg().OpenHandles(), 0);
}

TEST(ShellLnk, EachShellFolderReadsItsOwnValueAndAMissingKeyReadsEmpty) {
  ScopedFakeSystem sys;
  {
    TPBShellLink link;
    link.SetShellFolder(sfSendTo);
    link.SetFileName("Name");
    EXPECT_EQ(link.FileName(), "\\Name.lnk");
  }
  const char* names[] = {"Desktop", "Favorites", "Fonts",      "Personal", "Programs",
                         "Recent",  "SendTo",    "Start Menu", "Startup",  "Templates"};
  for (const char* name : names) PutFolder(*sys, name, std::string("C:\\") + name);
  for (int f = sfDesktop; f <= sfTemplates; ++f) {
    TPBShellLink link;
    link.SetFileName("x.lnk");
    link.SetShellFolder(static_cast<TShellFolder>(f));
    EXPECT_EQ(link.FileName(), std::string("C:\\") + names[f - 1] + "\\x.lnk");
  }
}

TEST(ShellLnk, UnchangedValuesReadNothingAndChangedOnesReadTheRegistryAgain) {
  ScopedFakeSystem sys;
  PutFolder(*sys, "Programs", "C:\\P1");
  TPBShellLink link;
  link.SetFileName("C:\\a\\b.lnk");
  link.SetShellFolder(sfPrograms);
  ASSERT_EQ(link.FileName(), "C:\\P1\\b.lnk");

  PutFolder(*sys, "Programs", "C:\\P2");
  link.SetShellFolder(sfPrograms);
  EXPECT_EQ(link.FileName(), "C:\\P1\\b.lnk");
  link.SetFileName("C:\\P1\\b.lnk");
  EXPECT_EQ(link.FileName(), "C:\\P1\\b.lnk");
  link.SetFileName("b");
  EXPECT_EQ(link.FileName(), "C:\\P2\\b.lnk");
  link.SetShellFolder(sfNone);
  EXPECT_EQ(link.FileName(), "C:\\P2\\b.lnk");
}

TEST(ShellLnk, AFolderValueThatIsNotTextRaisesAndLeavesTheNameAsItWas) {
  ScopedFakeSystem sys;
  sys->Reg().PutOther(RootKey::CurrentUser, kShellFolders, "Desktop");
  TPBShellLink link;
  link.SetFileName("C:\\a.lnk");
  EXPECT_THROW(link.SetShellFolder(sfDesktop), platform::RegistryError);
  EXPECT_EQ(link.ShellFolder(), sfDesktop);
  EXPECT_EQ(link.FileName(), "C:\\a.lnk");
  EXPECT_THROW(link.SetFileName("b"), platform::RegistryError);
  EXPECT_EQ(link.FileName(), "C:\\a.lnk");
  EXPECT_EQ(sys->Reg().OpenHandles(), 0);
}

TEST(ShellLnk, HotKeyAndWindowStateConvertToTheShellsValuesAndBack) {
  const struct {
    TShortCut shortcut;
    std::uint16_t word;
  } keys[] = {{0x2041, 0x0141} /* Shift+A */, {0xC074, 0x0674} /* Ctrl+Alt+F5 */, {0, 0}};
  for (const auto& k : keys) {
    TPBShellLink link;
    link.SetHotKey(k.shortcut);
    EXPECT_EQ(link.HotKeyWord(), k.word) << std::hex << k.shortcut;
    EXPECT_EQ(link.HotKey(), k.shortcut) << std::hex << k.shortcut;
  }

  const struct {
    TWindowState state;
    std::int32_t showCmd;
  } states[] = {{wsMinimized, 7}, {wsMaximized, 3}, {wsNormal, 1}};
  TPBShellLink link;
  for (const auto& s : states) {
    link.SetWindowState(s.state);
    EXPECT_EQ(link.ShowCmd(), s.showCmd);
    EXPECT_EQ(link.WindowState(), s.state);
  }
}

TEST(ShellLnk, SaveHandsEveryPropertyOverInOrderAndReleasesEverything) {
  ScopedFakeShellLinks shell;
  TPBShellLink link;
  link.SetDescription("Mirvo 98 - Hilfe");
  link.SetTarget("C:\\Programme\\Mirvo98.hlp");
  link.SetWorkingDir("C:\\Programme\\");
  link.SetArguments("/x \"y\"");
  link.SetWindowState(wsMaximized);
  link.SetHotKey(0xC074);
  TFileIcon icon;
  icon.FileName = "C:\\Programme\\Mirvo98.exe";
  icon.IconIndex = 2;
  link.SetFileIcon(icon);
  link.SetFileName("C:\\Start\\Mirvo 98 - Hilfe");
  link.Save();
  EXPECT_EQ(shell->calls, (Calls{"CoInitialize", "CoCreateInstance", "QueryInterface IPersistFile",
                                 "SetDescription Mirvo 98 - Hilfe", "SetPath C:\\Programme\\Mirvo98.hlp",
                                 "SetWorkingDirectory C:\\Programme\\", "SetArguments /x \"y\"", "SetShowCmd 3",
                                 "SetHotkey 1652", "SetIconLocation C:\\Programme\\Mirvo98.exe,2",
                                 "Save C:\\Start\\Mirvo 98 - Hilfe.lnk TRUE", "Release IPersistFile",
                                 "Release IShellLinkA", "CoUninitialize"}));
}

TEST(ShellLnk, ANewComponentSavesEmptyTextsAndTheNormalShowCommand) {
  ScopedFakeShellLinks shell;
  TPBShellLink link;
  EXPECT_EQ(link.ShowCmd(), 0);
  EXPECT_EQ(link.WindowState(), wsNormal);
  link.SaveToFile("C:\\x");  // taken as given, not normalised
  EXPECT_EQ(Calls(shell->calls.begin() + 3, shell->calls.end() - 3),
            (Calls{"SetDescription ", "SetPath ", "SetWorkingDirectory ", "SetArguments ", "SetShowCmd 1",
                   "SetHotkey 0", "SetIconLocation ,0", "Save C:\\x TRUE"}));
}

TEST(ShellLnk, NegativeResultsFailWithTheirMessageAfterReleasingWhatWasHeld) {
  const std::int32_t kFail = static_cast<std::int32_t>(0x80004005);  // E_FAIL
  const std::int32_t kPathNotFound = static_cast<std::int32_t>(0x80070003);
  const Calls kUpToSave = {"CoInitialize", "CoCreateInstance", "QueryInterface IPersistFile", "SetDescription ",
                           "SetPath ", "SetWorkingDirectory ", "SetArguments ", "SetShowCmd 1", "SetHotkey 0",
                           "SetIconLocation ,0", "Save C:\\x.lnk TRUE"};
  Calls full = kUpToSave;
  full.insert(full.end(), {"Release IPersistFile", "Release IShellLinkA", "CoUninitialize"});

  const struct {
    const char* what;
    std::int32_t create, query, save;
    const char* message;  // nullptr: no failure
    Calls calls;
  } cases[] = {
      {"no object", kFail, 0, 0, "\"CoCreateInstance\" a \xE9" "chou\xE9.",
       {"CoInitialize", "CoCreateInstance", "CoUninitialize"}},
      {"no IPersistFile", 0, kFail, 0, "\"PersistFile QueryInterface\" a \xE9" "chou\xE9.",
       {"CoInitialize", "CoCreateInstance", "QueryInterface IPersistFile", "Release IShellLinkA", "CoUninitialize"}},
      {"not written", 0, 0, kPathNotFound, "Erreur en \xE9" "criture.", full},
      {"S_FALSE and other positive results succeed", 1, 1, 0x7FFFFFFF, nullptr, full},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScopedFakeShellLinks shell;
    shell->createResult = c.create;
    shell->queryResult = c.query;
    shell->saveResult = c.save;
    TPBShellLink link;
    try {
      link.SaveToFile("C:\\x.lnk");
      EXPECT_EQ(c.message, nullptr);
    } catch (const EPBShellLink& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
    EXPECT_EQ(shell->calls, c.calls);
  }
}

TEST(ShellLnk, COMIsGivenUpOnlyWhenThisSaveSetItUp) {
  const struct {
    std::int32_t initialize;
    bool uninitialized;
  } cases[] = {
      {0, true},                                         // S_OK
      {1, true},                                         // S_FALSE: already set up here, still counted
      {static_cast<std::int32_t>(0x80010106), false},  // RPC_E_CHANGED_MODE: another apartment
  };
  for (const auto& c : cases) {
    ScopedFakeShellLinks shell;
    shell->initializeResult = c.initialize;
    TPBShellLink link;
    link.SaveToFile("C:\\x.lnk");
    EXPECT_EQ(shell->saved.count("C:\\x.lnk"), 1u);
    EXPECT_EQ(shell->calls.back() == "CoUninitialize", c.uninitialized) << std::hex << c.initialize;
  }
}

TEST(ShellLnk, OverlongTextsAndNamesAreRefusedBeforeCOMNeverCut) {
  const std::string text255(255, 't'), name259 = "C:\\" + std::string(252, 'n') + ".lnk";
  ASSERT_EQ(name259.size(), 259u);
  const struct {
    const char* what;
    void (*grow)(TPBShellLink&);  // makes one text a character too long
    const char* message;
  } cases[] = {
      {"description", [](TPBShellLink& l) { l.SetDescription(l.Description() + "x"); }, "Texte trop long."},
      {"target", [](TPBShellLink& l) { l.SetTarget(l.Target() + "x"); }, "Texte trop long."},
      {"working folder", [](TPBShellLink& l) { l.SetWorkingDir(l.WorkingDir() + "x"); }, "Texte trop long."},
      {"arguments", [](TPBShellLink& l) { l.SetArguments(l.Arguments() + "x"); }, "Texte trop long."},
      {"icon file", [](TPBShellLink& l) { l.FileIcon().FileName += "x"; }, "Texte trop long."},
      {"file name", [](TPBShellLink& l) { l.SetFileName("C:\\" + std::string(253, 'n') + ".lnk"); },
       "Nom de fichier trop long."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScopedFakeShellLinks shell;
    TPBShellLink link;
    link.SetDescription(text255);
    link.SetTarget(text255);
    link.SetWorkingDir(text255);
    link.SetArguments(text255);
    link.FileIcon().FileName = text255;
    link.SetFileName(name259);
    link.Save();  // at the limits everything goes over whole
    const FakeShellLinks::Shortcut& saved = shell->saved.at(name259);
    EXPECT_EQ(saved.description, text255);
    EXPECT_EQ(saved.iconFile, text255);
    shell->calls.clear();

    c.grow(link);
    try {
      link.Save();
      ADD_FAILURE() << "saved";
    } catch (const EPBShellLink& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
    EXPECT_TRUE(shell->calls.empty());
  }
}
