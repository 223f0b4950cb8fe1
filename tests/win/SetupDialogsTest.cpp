// The setup's dialogs under Wine: real windows, real modal loops, clicks
// sent to the places of the controls.
#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "FormsTestKit.h"
#include "RegistrySandbox.h"
#include "components/Mylabel.h"
#include "engine/Engine.h"
#include "resources/Links.h"
#include "platform/win32/Win32System.h"
#include "setup/Final.h"
#include "setup/Install.h"
#include "setup/NewFolder.h"
#include "setup/ShellOpen.h"
#include "setup/aboutF.h"
#include "setup/license.h"

using namespace forms;

namespace {

// A left click in the middle of a control, sent to the window that routes it.
void ClickOn(const TControl& control) {
  const int x = control.Left() + control.Width() / 2, y = control.Top() + control.Height() / 2;
  if (control.IsWindowed()) {
    HWND hwnd = static_cast<const TWinControl&>(control).Handle();
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(control.Width() / 2, control.Height() / 2));
    SendMessageA(hwnd, WM_LBUTTONUP, 0, At(control.Width() / 2, control.Height() / 2));
    return;
  }
  HWND parent = control.Parent()->Handle();
  SendMessageA(parent, WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
  SendMessageA(parent, WM_LBUTTONUP, 0, At(x, y));
}

// The keyboard's close command, as Alt+F4 gives it.
void SystemClose(const TForm& form) { SendMessageA(form.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }

struct Opened {
  HWND owner;
  std::string url;
};
std::vector<Opened> g_opened;
void RecordLink(HWND owner, const char* url) { g_opened.push_back({owner, url}); }

class SetupDialogsTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    g_opened.clear();
    previousOpener_ = SetLinkOpener(&RecordLink);
  }
  void TearDown() override {
    SetLinkOpener(previousOpener_);
    FormsTest::TearDown();
    LicenseF = nullptr;
    FinalF = nullptr;
    about = nullptr;
    NewFolderF = nullptr;
  }

 private:
  LinkOpener previousOpener_ = nullptr;
};

// Stands in for the setup main window: its show handler shows the licence first.
class TStandInF : public TForm {
 public:
  TStandInF() : TForm(FormDef{"Setup von Mirvo 98", 300, 200}) {
    OnShow = [this](TObject*) {
      licenseResult = LicenseF->ShowModal();
      showWentOn = true;
    };
  }
  int licenseResult = -1;
  bool showWentOn = false;
};

std::string LicenseResource() {
  HMODULE self = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(self, "LICENSE", MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  if (!found) return "";
  return std::string(static_cast<const char*>(LockResource(LoadResource(self, found))), SizeofResource(self, found));
}

}  // namespace

TEST_F(SetupDialogsTest, TheDialogsHaveTheirFramesSizesAndNoTitleBarButtons) {
  app.CreateForm(LicenseF);
  app.CreateForm(FinalF);
  app.CreateForm(about);
  const struct {
    TForm* form;
    const char* caption;
    int width, height;
  } kCases[] = {
      {LicenseF, "Lizenzbedingungen", 472, 364},
      {FinalF, "und tsch\xFCss ...", 375, 283},
      {about, "INFO ...", 302, 174},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.caption);
    char caption[64] = "";
    GetWindowTextA(c.form->Handle(), caption, sizeof caption);
    EXPECT_STREQ(caption, c.caption);
    RECT client{};
    GetClientRect(c.form->Handle(), &client);
    EXPECT_EQ(client.right, c.width);
    EXPECT_EQ(client.bottom, c.height);
    const LONG style = GetWindowLongA(c.form->Handle(), GWL_STYLE);
    EXPECT_EQ(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    // Centred on the screen.
    RECT frame{};
    GetWindowRect(c.form->Handle(), &frame);
    EXPECT_NEAR(frame.left + frame.right, GetSystemMetrics(SM_CXSCREEN), 1);
    EXPECT_NEAR(frame.top + frame.bottom, GetSystemMetrics(SM_CYSCREEN), 1);
  }
}

// The terms, read-only, scrollable, with the keyboard focus; the glyphs on the buttons.
TEST_F(SetupDialogsTest, TheLicenceDialogShowsTheTermsOfTheResource) {
  app.CreateForm(LicenseF);
  const std::string terms = LicenseResource();
  ASSERT_FALSE(terms.empty());
  EXPECT_EQ(LicenseF->Memo1->Text(), terms);
  const LONG style = GetWindowLongA(LicenseF->Memo1->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & ES_READONLY);
  EXPECT_TRUE(style & WS_VSCROLL);
  EXPECT_FALSE(style & ES_AUTOHSCROLL);  // wraps
  for (TSpeedButton* button : {LicenseF->SBOK, LicenseF->SBAbbrechen}) {
    EXPECT_EQ(button->NumGlyphs(), 2);
    EXPECT_TRUE(button->Flat());
  }
  EXPECT_EQ(LicenseF->myLabel3d1->AStyle3D(), Raised3d);
  EXPECT_EQ(LicenseF->myLabel3d2->AStyle3D(), Resit3d);
}

TEST_F(SetupDialogsTest, TheLicenceDialogClosesOnlyAfterTheTermsAreAccepted) {
  app.CreateForm(LicenseF);
  LicenseAccepted = true;  // from an earlier showing: the show clears it
  Later([&] {
    EXPECT_TRUE(LicenseF->Showing());
    EXPECT_FALSE(LicenseAccepted);
    EXPECT_TRUE(LicenseF->Memo1->Focused());
    SystemClose(*LicenseF);
    SendMessageA(LicenseF->Handle(), WM_CLOSE, 0, 0);
    // Escape and Enter through the loop, as the keyboard sends them to the text box.
    PostMessageA(LicenseF->Memo1->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
    PostMessageA(LicenseF->Memo1->Handle(), WM_KEYDOWN, VK_RETURN, 1);
  });
  Later([&] {
    EXPECT_TRUE(LicenseF->Showing());
    EXPECT_EQ(LicenseF->ModalResult(), mrNone);
    EXPECT_EQ(LicenseF->Memo1->Text(), LicenseResource());  // nothing typed into it
    ClickOn(*LicenseF->SBOK);
  });
  EXPECT_EQ(LicenseF->ShowModal(), mrCancel);
  EXPECT_TRUE(LicenseAccepted);
  EXPECT_FALSE(LicenseF->Showing());

  // Shown again, the terms must be accepted again.
  Later([&] {
    EXPECT_FALSE(LicenseAccepted);
    SystemClose(*LicenseF);
  });
  Later([&] {
    EXPECT_TRUE(LicenseF->Showing());
    ClickOn(*LicenseF->SBOK);
  });
  LicenseF->ShowModal();
  EXPECT_TRUE(LicenseAccepted);
}

// Declining ends the modal loop at once, without the close query; the main
// window's show handler goes on, and then the program's loop ends.
TEST_F(SetupDialogsTest, DecliningTheLicenceEndsTheProgramWithoutTheCloseQuery) {
  TStandInF* main = nullptr;
  app.CreateForm(main);
  app.CreateForm(LicenseF);
  int queries = 0;
  auto query = LicenseF->OnCloseQuery;
  LicenseF->OnCloseQuery = [&](TObject* sender, bool& canClose) {
    ++queries;
    query(sender, canClose);
  };
  Later([&] {
    EXPECT_TRUE(LicenseF->Showing());
    EXPECT_FALSE(main->Showing());
    ClickOn(*LicenseF->SBAbbrechen);
  });
  app.Run();
  EXPECT_TRUE(app.Terminated());
  EXPECT_EQ(main->licenseResult, mrCancel);
  EXPECT_TRUE(main->showWentOn);
  EXPECT_EQ(queries, 0);
  EXPECT_FALSE(LicenseAccepted);
  EXPECT_FALSE(LicenseF->Showing());
}

// With the real windows, created as the program creates them: the main
// window finishes its start-up after the decline, and the program ends
// before an install step could run.
TEST_F(SetupDialogsTest, AfterDecliningTheMainWindowFinishesItsStartUpAndNoInstallStepRuns) {
  RegistrySandbox sandbox;
  platform::Win32System sys;
  platform::System* previousSys = platform::SetSys(&sys);
  StartDir.clear();
  SetupProceed = false;
  app.CreateForm(InstallF);
  app.CreateForm(about);
  app.CreateForm(LicenseF);
  app.CreateForm(FinalF);
  app.CreateForm(NewFolderF);
  bool finishShown = false;
  FinalF->OnShow = [&](TObject*) { finishShown = true; };
  Later([&] {
    EXPECT_TRUE(LicenseF->Showing());
    EXPECT_FALSE(InstallF->Showing());
    ClickOn(*LicenseF->SBAbbrechen);
  });
  app.Run();
  EXPECT_TRUE(app.Terminated());
  EXPECT_FALSE(LicenseF->Showing());
  EXPECT_EQ(StartDir, sys.GetCurrentDir());
  EXPECT_EQ(InstallF->EInput->Text(), StartDir);
  EXPECT_EQ(InstallF->EOutput->Text(), DefaultTargetDir);
  EXPECT_FALSE(SetupProceed);
  EXPECT_EQ(InstallF->PB1->Position(), 0);
  EXPECT_FALSE(finishShown);
  platform::SetSys(previousSys);
}

TEST_F(SetupDialogsTest, TheFinishDialogsLinksOpenTheWebPageAndTheMailOwnedByTheApplication) {
  app.CreateForm(FinalF);
  FinalF->Show();
  TmyLabel3d* const kWeb[] = {FinalF->myLabel3d4, FinalF->myLabel3d5, FinalF->myLabel3d8, FinalF->myLabel3d9};
  TmyLabel3d* const kMail[] = {FinalF->myLabel3d6, FinalF->myLabel3d7, FinalF->myLabel3d11};
  for (TmyLabel3d* label : kWeb) {
    SCOPED_TRACE(label->Name());
    g_opened.clear();
    EXPECT_EQ(label->Cursor(), crHandPoint);
    ClickOn(*label);
    ASSERT_EQ(g_opened.size(), 1u);
    EXPECT_EQ(g_opened[0].url, links::kMakerUrl);
    EXPECT_EQ(g_opened[0].owner, app.Handle());
  }
  for (TmyLabel3d* label : kMail) {
    SCOPED_TRACE(label->Name());
    g_opened.clear();
    ClickOn(*label);
    ASSERT_EQ(g_opened.size(), 1u);
    EXPECT_EQ(g_opened[0].url, links::kMailUrl);
    EXPECT_EQ(g_opened[0].owner, app.Handle());
  }
  EXPECT_EQ(std::string(links::kMailUrl), std::string("mailto:") + links::kMailAddress);
  EXPECT_EQ(FinalF->myLabel3d8->Caption() + FinalF->myLabel3d9->Caption(),
            std::string(links::kMakerUrl).substr(std::string("http://").size()));
  EXPECT_EQ(FinalF->myLabel3d11->Caption(), links::kMailAddress);
  // The address labels keep the sizes of the layout: the texts fit them.
  EXPECT_LE(FinalF->myLabel3d8->Width(), 170);
  EXPECT_LE(FinalF->myLabel3d9->Width(), 75);
  EXPECT_LE(FinalF->myLabel3d11->Width(), 168);
  EXPECT_TRUE(FinalF->Showing());  // the links leave the dialog as it is
}

// Its button has the focus: Enter, Alt+S, a click and the keyboard's close command each close it.
TEST_F(SetupDialogsTest, TheFinishDialogClosesByItsButtonAndTheKeyboard) {
  app.CreateForm(FinalF);
  const std::vector<std::function<void()>> kWays = {
      [] { PostMessageA(FinalF->Button1->Handle(), WM_KEYDOWN, VK_RETURN, 1); },
      [] { PostMessageA(FinalF->Button1->Handle(), WM_SYSCHAR, 's', 1 << 29); },
      [] { ClickOn(*FinalF->Button1); },
      [] { SystemClose(*FinalF); },
  };
  for (std::size_t i = 0; i < kWays.size(); ++i) {
    SCOPED_TRACE(i);
    bool focused = false;
    Later([&, i] {
      focused = FinalF->Button1->Focused();
      kWays[i]();
    });
    EXPECT_EQ(FinalF->ShowModal(), mrCancel);
    EXPECT_TRUE(focused);
    EXPECT_FALSE(FinalF->Showing());
  }
  EXPECT_TRUE(g_opened.empty());
}

TEST_F(SetupDialogsTest, TheInfoDialogShowsItsPicturesAndClosesByItsButtonAndTheKeyboard) {
  app.CreateForm(about);
  EXPECT_EQ(about->Image1->Width(), 200);
  EXPECT_EQ(about->Image1->Height(), 50);
  EXPECT_EQ(about->Image2->Width(), 100);
  EXPECT_EQ(about->Image2->Height(), 50);
  EXPECT_EQ(about->SBOK->NumGlyphs(), 2);
  EXPECT_FALSE(about->SBOK->Flat());
  bool nothingFocused = false;
  Later([&] {
    HWND focus = GetFocus();
    nothingFocused = !focus || !IsChild(about->Handle(), focus);
    ClickOn(*about->Image2);  // only a picture here
    EXPECT_TRUE(about->Showing());
    ClickOn(*about->SBOK);
  });
  EXPECT_EQ(about->ShowModal(), mrCancel);
  EXPECT_TRUE(nothingFocused);
  Later([&] { SystemClose(*about); });
  EXPECT_EQ(about->ShowModal(), mrCancel);
  EXPECT_FALSE(about->Showing());
  EXPECT_TRUE(g_opened.empty());
}

namespace {

// What the plain message boxes of a step said; each is answered with OK.
std::vector<std::string> g_messages;

void CALLBACK AnswerBox(HWND, UINT, UINT_PTR, DWORD) {
  HWND box = GetActiveWindow();
  char text[256] = "";
  if (!box || !GetClassNameA(box, text, sizeof text) || lstrcmpA(text, "#32770") != 0) return;
  // The message is the longest text among the box's children.
  std::string message;
  EnumChildWindows(
      box,
      [](HWND child, LPARAM param) {
        char buffer[256] = "";
        GetWindowTextA(child, buffer, sizeof buffer);
        auto* longest = reinterpret_cast<std::string*>(param);
        if (std::string(buffer).size() > longest->size()) *longest = buffer;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&message));
  g_messages.push_back(message);
  PostMessageA(box, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
}

// Runs `step`, answering every message box that it shows.
void AnsweringBoxes(const std::function<void()>& step) {
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, &AnswerBox);
  step();
  KillTimer(nullptr, timer);
}

bool IsDirectory(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void RemoveTree(const std::string& dir) {
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(dir + "\\" + name);
      else
        DeleteFileA((dir + "\\" + name).c_str());
    } while (FindNextFileA(find, &found));
    FindClose(find);
  }
  RemoveDirectoryA(dir.c_str());
}

const char kMessage018[] = "Das Verzeichnis konnte nicht erstellt werden! 018";

// The new-folder dialog over the real main window's directory list, in a
// scratch folder that holds one folder, "Vorhanden".
class NewFolderTest : public SetupDialogsTest {
 protected:
  void SetUp() override {
    SetupDialogsTest::SetUp();
    previousSys_ = platform::SetSys(&sys_);
    previousDir_ = sys_.GetCurrentDir();
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    scratch_ = std::string(temp) + "mirvo-newfolder-" + std::to_string(GetCurrentProcessId());
    RemoveTree(scratch_);
    ASSERT_TRUE(CreateDirectoryA(scratch_.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((scratch_ + "\\Vorhanden").c_str(), nullptr));
    g_messages.clear();
    app.CreateForm(InstallF);
    app.CreateForm(NewFolderF);
    InstallF->DirectoryListBox1->SetDirectory(scratch_);
  }
  void TearDown() override {
    SetCurrentDirectoryA(previousDir_.c_str());
    RemoveTree(scratch_);
    platform::SetSys(previousSys_);
    SetupDialogsTest::TearDown();
  }

  // Shows the dialog, types the name and presses OK; then, when the dialog
  // is still open, `open` looks at it and "&Abbrechen" closes it.
  void Create(const std::string& name, const std::function<void()>& open = [] {}) {
    Later([this, name] {
      EXPECT_EQ(NewFolderF->Edit1->Text(), "");
      EXPECT_TRUE(NewFolderF->Edit1->Focused());
      EXPECT_EQ(NewFolderF->Label2->Caption(), "... " + InstallF->DirectoryListBox1->Directory() + "\\ erstellen");
      NewFolderF->Edit1->SetText(name);
      AnsweringBoxes([] { ClickOn(*NewFolderF->SBOK); });
    });
    Later([open] {
      if (!NewFolderF->Showing()) return;
      open();
      ClickOn(*NewFolderF->SBAbbrechen);
    });
    NewFolderF->ShowModal();
    EXPECT_FALSE(NewFolderF->Showing());
    Pump();  // the second action, when OK has closed the dialog already
  }

  platform::Win32System sys_;
  platform::System* previousSys_ = nullptr;
  std::string previousDir_;
  std::string scratch_;
};

}  // namespace

TEST_F(NewFolderTest, ANameThatCannotBeCreatedGivesMessage018AndKeepsTheDialogOpen) {
  const struct {
    const char* name;
    const char* why;
  } kCases[] = {
      {"", "empty"},
      {"Vorhanden", "exists"},
      {"Fehlt\\Neu", "first level missing"},
      {"Neu?", "refused by the file system"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.why);
    g_messages.clear();
    bool open = false;
    Create(c.name, [&] {
      open = true;
      EXPECT_EQ(NewFolderF->Edit1->Text(), c.name);  // the name stays for another try
    });
    EXPECT_TRUE(open);
    EXPECT_EQ(g_messages, std::vector<std::string>{kMessage018});
    EXPECT_EQ(InstallF->DirectoryListBox1->Directory(), scratch_);
    EXPECT_EQ(InstallF->EOutput->Text(), scratch_);
  }
  EXPECT_FALSE(IsDirectory(scratch_ + "\\Fehlt"));
}

// The new folder becomes the list's directory, the process's current
// directory and the target; the next showing starts from there.
TEST_F(NewFolderTest, ANewFolderMovesTheDirectoryListAndTheTargetIntoIt) {
  const struct {
    const char* name;
    std::string path;
  } kSteps[] = {
      {"Vorhanden\\Zweite Ebene", scratch_ + "\\Vorhanden\\Zweite Ebene"},  // two levels, the first exists
      {"M\xFCller & S\xF6hne", scratch_ + "\\Vorhanden\\Zweite Ebene\\M\xFCller & S\xF6hne"},
  };
  for (const auto& step : kSteps) {
    SCOPED_TRACE(step.name);
    bool open = false;
    Create(step.name, [&] { open = true; });
    EXPECT_FALSE(open);
    EXPECT_TRUE(g_messages.empty());
    EXPECT_TRUE(IsDirectory(step.path));
    EXPECT_EQ(InstallF->DirectoryListBox1->Directory(), step.path);
    EXPECT_EQ(InstallF->EOutput->Text(), step.path);
    EXPECT_EQ(sys_.GetCurrentDir(), step.path);
  }
}

TEST_F(NewFolderTest, CancelCreatesNothingAndKeepsTheTarget) {
  Later([] {
    NewFolderF->Edit1->SetText("Abgebrochen");
    ClickOn(*NewFolderF->SBAbbrechen);
  });
  NewFolderF->ShowModal();
  EXPECT_FALSE(IsDirectory(scratch_ + "\\Abgebrochen"));
  EXPECT_EQ(InstallF->EOutput->Text(), scratch_);
  EXPECT_TRUE(g_messages.empty());
}

// The list's folder went away while the dialog was open: OK does nothing
// visible, and nothing is created in the folder that happens to be current.
TEST_F(NewFolderTest, OkDoesNothingWhenTheListsFolderIsGone) {
  const std::string gone = scratch_ + "\\Weg";
  ASSERT_TRUE(CreateDirectoryA(gone.c_str(), nullptr));
  InstallF->DirectoryListBox1->SetDirectory(gone);
  ASSERT_TRUE(SetCurrentDirectoryA(scratch_.c_str()));
  ASSERT_TRUE(RemoveDirectoryA(gone.c_str()));
  bool open = false;
  Create("Neu", [&] { open = true; });
  EXPECT_TRUE(open);
  EXPECT_TRUE(g_messages.empty());
  EXPECT_FALSE(IsDirectory(scratch_ + "\\Neu"));
  EXPECT_EQ(InstallF->DirectoryListBox1->Directory(), gone);
}

// A drive's root ends in its backslash already: the prompt shows no second one.
TEST_F(NewFolderTest, ThePromptAtADrivesRootHasOneBackslash) {
  InstallF->DirectoryListBox1->SetDirectory("C:\\");
  ASSERT_EQ(InstallF->DirectoryListBox1->Directory(), "C:\\");
  Later([] { ClickOn(*NewFolderF->SBAbbrechen); });
  NewFolderF->ShowModal();
  EXPECT_EQ(NewFolderF->Label2->Caption(), "... C:\\ erstellen");
}
