// The setup main window under Wine: its show handler, both modes, the
// directory list, the free space, OK with the install sequence behind the
// window's own controls, cancel, the links and the progress bar.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <zlib.h>

#include <functional>
#include <string>
#include <vector>

#include "FormsTestKit.h"
#include "RegistrySandbox.h"
#include "ScratchDir.h"
#include "engine/Engine.h"
#include "platform/win32/Win32ShellLink.h"
#include "platform/win32/Win32System.h"
#include "resources/Links.h"
#include "setup/Final.h"
#include "setup/Install.h"
#include "setup/NewFolder.h"
#include "setup/ProgressBarControl.h"
#include "setup/ShellOpen.h"
#include "setup/aboutF.h"
#include "setup/license.h"

using namespace forms;

namespace {

constexpr char kCurrentVersion[] = "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION";

// The real system, with a free-space query that answers what the test says.
class DiskDouble : public platform::Win32System {
 public:
  std::int64_t DiskFree(int drive) override {
    asked.push_back(drive);
    return bytes;
  }
  std::int64_t bytes = 0;
  std::vector<int> asked;
};

struct Opened {
  HWND owner;
  std::string url;
};
std::vector<Opened> g_opened;
void RecordLink(HWND owner, const char* url) { g_opened.push_back({owner, url}); }

// The message boxes shown while a step runs, each answered with a button.
struct Box {
  std::string caption, text;
};
std::vector<Box> g_boxes;
int g_answer = IDOK;

void CALLBACK AnswerBox(HWND, UINT, UINT_PTR, DWORD) {
  HWND box = GetActiveWindow();
  char buffer[256] = "";
  if (!box || !GetClassNameA(box, buffer, sizeof buffer) || lstrcmpA(buffer, "#32770") != 0) return;
  Box seen;
  GetWindowTextA(box, buffer, sizeof buffer);
  seen.caption = buffer;
  // The message is the static text that is not the icon.
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    GetClassNameA(child, buffer, sizeof buffer);
    if (lstrcmpiA(buffer, "Static") != 0) continue;
    GetWindowTextA(child, buffer, sizeof buffer);
    if (buffer[0]) seen.text = buffer;
  }
  g_boxes.push_back(seen);
  PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(g_answer), reinterpret_cast<LPARAM>(GetDlgItem(box, g_answer)));
}

// Runs `step`, answering every message box that it shows with `answer`.
void AnsweringBoxes(int answer, const std::function<void()>& step) {
  g_answer = answer;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, &AnswerBox);
  step();
  KillTimer(nullptr, timer);
}

// A left click in the middle of a windowless control, through its parent.
// The pointer comes from elsewhere: a label that held the capture lets go.
void ClickOn(const TControl& control) {
  ReleaseCapture();
  const LPARAM at = At(control.Left() + control.Width() / 2, control.Top() + control.Height() / 2);
  SendMessageA(control.Parent()->Handle(), WM_MOUSEMOVE, 0, at);
  SendMessageA(control.Parent()->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(control.Parent()->Handle(), WM_LBUTTONUP, 0, at);
}

// An option button clicked as the user does.
void Select(TRadioButton& button) { SendMessageA(button.Handle(), BM_CLICK, 0, 0); }

bool ReadOnly(const TEdit& edit) { return (GetWindowLongA(edit.Handle(), GWL_STYLE) & ES_READONLY) != 0; }

bool QuitPosted() {
  MSG msg;
  return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != FALSE;
}

void PutText(HKEY root, const char* key, const char* name, const std::string& value) {
  ASSERT_EQ(RegSetKeyValueA(root, key, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1)),
            ERROR_SUCCESS);
}

void PutFile(const std::string& path, const std::string& data) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  ::WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
  CloseHandle(file);
}

std::string FileText(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  std::string data(GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  ::ReadFile(file, &data[0], static_cast<DWORD>(data.size()), &read, nullptr);
  CloseHandle(file);
  return data;
}

// The five windows of the program in its order, in a sandboxed registry,
// started from a scratch folder.
class MainWindowTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    g_opened.clear();
    g_boxes.clear();
    previousOpener_ = SetLinkOpener(&RecordLink);
    previousSys_ = platform::SetSys(&sys_);
    previousLinks_ = platform::SetShellLinks(&links_);
    ::StartDir.clear();
    DefaultTargetDir.clear();
    start = scratch.MakeDir("Start");
    SetCurrentDirectoryA(start.c_str());
    app.CreateForm(InstallF);
    app.CreateForm(about);
    app.CreateForm(LicenseF);
    app.CreateForm(FinalF);
    app.CreateForm(NewFolderF);
  }
  void TearDown() override {
    platform::SetShellLinks(previousLinks_);
    platform::SetSys(previousSys_);
    SetLinkOpener(previousOpener_);
    FormsTest::TearDown();
    about = nullptr;
    LicenseF = nullptr;
    FinalF = nullptr;
    NewFolderF = nullptr;
  }

  // Shows the main window; the licence is accepted from inside its own loop,
  // after `whileLicence` has looked around.
  void ShowMain(const std::function<void()>& whileLicence = [] {}) {
    Later([whileLicence] {
      EXPECT_TRUE(LicenseF->Showing());
      EXPECT_FALSE(InstallF->Showing());
      whileLicence();
      ClickOn(*LicenseF->SBOK);
    });
    InstallF->Show();
    Pump();
  }
  void ProgramFilesDir(const std::string& dir) { PutText(HKEY_LOCAL_MACHINE, kCurrentVersion, "ProgramFilesDir", dir); }

  RegistrySandbox sandbox;
  ScratchDir scratch{"mirvo-mainwindow"};
  std::string start;
  DiskDouble sys_;
  platform::Win32ShellLinkApi links_;

 private:
  LinkOpener previousOpener_ = nullptr;
  platform::System* previousSys_ = nullptr;
  platform::ShellLinkApi* previousLinks_ = nullptr;
};

}  // namespace

TEST_F(MainWindowTest, ShowingFillsInTheStartValuesAfterTheLicenceAndStartsAutomatic) {
  ProgramFilesDir("C:\\Programme");
  sys_.bytes = 2621440;
  const std::string later = scratch.MakeDir("Anderswo");
  // The start directory is the current directory once the licence has closed.
  ShowMain([&] { SetCurrentDirectoryA(later.c_str()); });

  char date[80] = "";
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, sizeof date);
  EXPECT_EQ(InstallF->ST1->Caption(), date);
  EXPECT_EQ(::StartDir, later);
  EXPECT_EQ(InstallF->EInput->Text(), later);
  EXPECT_EQ(DefaultTargetDir, "C:\\Programme\\Quandelwerk - Mirvo98");
  EXPECT_EQ(InstallF->EOutput->Text(), DefaultTargetDir);
  EXPECT_TRUE(ReadOnly(*InstallF->EOutput));
  EXPECT_EQ(InstallF->ST4->Caption(), "Freier Speicher auf Laufwerk C:");
  EXPECT_EQ(InstallF->ST5->Caption(), "2 MB");
  EXPECT_EQ(sys_.asked, std::vector<int>{3});

  EXPECT_TRUE(InstallF->Showing());
  EXPECT_TRUE(InstallF->RBAuto->Checked());
  EXPECT_FALSE(InstallF->RBUser->Checked());
  EXPECT_TRUE(InstallF->PInternet->Showing());
  EXPECT_FALSE(InstallF->PZielDriveFolder->Showing());
  EXPECT_FALSE(InstallF->PB1->Showing());
  EXPECT_FALSE(InstallF->LPB->Visible());
  EXPECT_TRUE(InstallF->Memo1->Showing());
  EXPECT_TRUE(g_boxes.empty());
  // The date stays inside its panel, whatever the date format.
  EXPECT_LE(InstallF->ST1->Left() + InstallF->ST1->Width(), InstallF->PRelease->Width());
}

TEST_F(MainWindowTest, TheDefaultTargetFollowsTheProgramFilesValue) {
  const DWORD number = 1;
  const struct {
    const char* why;
    std::function<void()> put;
    const char* target;
    std::vector<std::string> messages;
  } kCases[] = {
      {"no value", [] {}, "\\Quandelwerk - Mirvo98", {}},
      {"a number", [&] { RegSetKeyValueA(HKEY_LOCAL_MACHINE, kCurrentVersion, "ProgramFilesDir", REG_DWORD, &number,
                                         sizeof number); },
       "", {"Registry Fehler! 017"}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.why);
    InstallF->Hide();
    DefaultTargetDir.clear();
    g_boxes.clear();
    sys_.asked.clear();
    sys_.bytes = -1;
    c.put();
    AnsweringBoxes(IDOK, [this] { ShowMain(); });
    std::vector<std::string> messages;
    for (const auto& box : g_boxes) messages.push_back(box.text);
    EXPECT_EQ(messages, c.messages);
    EXPECT_EQ(DefaultTargetDir, c.target);
    EXPECT_EQ(InstallF->EOutput->Text(), c.target);
    // The show handler went on: free space of the current drive for a target without a letter.
    EXPECT_EQ(sys_.asked, std::vector<int>{0});
    EXPECT_EQ(InstallF->ST5->Caption(), "0 MB");
  }
}

TEST_F(MainWindowTest, TheModesSwapThePanelsAndTheTarget) {
  ProgramFilesDir("C:\\Programme");
  ShowMain();
  sys_.asked.clear();

  Select(*InstallF->RBUser);
  EXPECT_TRUE(InstallF->PZielDriveFolder->Showing());
  EXPECT_FALSE(InstallF->PInternet->Showing());
  EXPECT_FALSE(ReadOnly(*InstallF->EOutput));
  // Right after the start: the folder the program was started in.
  EXPECT_EQ(InstallF->EOutput->Text(), start);
  EXPECT_EQ(InstallF->DirectoryListBox1->Directory(), start);
  EXPECT_EQ(InstallF->ST4->Caption(), std::string("Freier Speicher auf Laufwerk ") + start[0] + ":");
  EXPECT_EQ(sys_.asked, std::vector<int>{start[0] - 'A' + 1});

  // Selecting the selected option again does nothing.
  Select(*InstallF->RBUser);
  EXPECT_EQ(sys_.asked.size(), 1u);

  Select(*InstallF->RBAuto);
  EXPECT_FALSE(InstallF->PZielDriveFolder->Showing());
  EXPECT_TRUE(InstallF->PInternet->Showing());
  EXPECT_TRUE(ReadOnly(*InstallF->EOutput));
  EXPECT_EQ(InstallF->EOutput->Text(), "C:\\Programme\\Quandelwerk - Mirvo98");
  EXPECT_EQ(sys_.asked.size(), 1u);  // the free space lies hidden
}

TEST_F(MainWindowTest, TheTargetFollowsTheDirectoryListWithItsFreeSpace) {
  ShowMain();
  Select(*InstallF->RBUser);
  const std::string inner = scratch.MakeDir("Start\\Inner");
  sys_.asked.clear();
  sys_.bytes = std::int64_t{5} << 30;

  InstallF->DirectoryListBox1->SetDirectory(inner);
  EXPECT_EQ(InstallF->EOutput->Text(), inner);
  EXPECT_EQ(InstallF->ST5->Caption(), "5120 MB");
  // Opening the parent entry, as Enter or a double-click does.
  InstallF->DirectoryListBox1->OpenItem(InstallF->DirectoryListBox1->DirectoryIndex() - 1);
  EXPECT_EQ(InstallF->EOutput->Text(), start);
  EXPECT_EQ(sys_.asked, (std::vector<int>{start[0] - 'A' + 1, start[0] - 'A' + 1}));

  // A typed target is what the sequence takes; the free space stays as it was.
  SetWindowTextA(InstallF->EOutput->Handle(), "D:\\Getippt");
  EXPECT_EQ(InstallF->TargetText(), "D:\\Getippt");
  EXPECT_EQ(sys_.asked.size(), 2u);
}

TEST_F(MainWindowTest, TheFreeSpaceNamesTheTargetsDriveInMegabytes) {
  const struct {
    const char* target;
    std::int64_t bytes;
    const char* drive;
    const char* megabytes;
    int number;
  } kCases[] = {
      {"C:\\Programme\\Quandelwerk - Mirvo98", 1572864, "C", "2 MB", 3},
      {"d:\\Daten", 2621440, "d", "2 MB", 4},
      {"A:\\", 524288, "A", "0 MB", 1},
      {"I:\\", -1, "I", "0 MB", 9},
      // Beyond the old range of C to I, and beyond 2 GiB.
      {"J:\\Spiele", (std::int64_t{3} << 30) + 524288, "J", "3072 MB", 10},
      {"z:\\", std::int64_t{3} << 40, "z", "3145728 MB", 26},
      {"b:\\", 7340032, "b", "7 MB", 2},
      // No drive letter: the current drive, which the directory list has made the target's.
      {"\\\\server\\freigabe\\Ziel", std::int64_t{4} << 30, "\\", "4096 MB", 0},
      {"", 1048576, "?", "1 MB", 0},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.target);
    sys_.asked.clear();
    sys_.bytes = c.bytes;
    InstallF->EOutput->SetText(c.target);
    InstallF->UpdateFreeSpace();
    EXPECT_EQ(InstallF->ST4->Caption(), std::string("Freier Speicher auf Laufwerk ") + c.drive + ":");
    EXPECT_EQ(InstallF->ST5->Caption(), c.megabytes);
    EXPECT_EQ(sys_.asked, std::vector<int>{c.number});
  }
}

TEST_F(MainWindowTest, DriveEntriesOfAAndBGoAndAllOthersStay) {
  using List = std::vector<std::string>;
  const struct {
    List drives, kept;
  } kCases[] = {
      {{"A:", "B:", "C: [SYSTEM]", "D: [DATEN]"}, {"C: [SYSTEM]", "D: [DATEN]"}},
      {{"A:", "C: [SYSTEM]", "D: [DATEN]"}, {"C: [SYSTEM]", "D: [DATEN]"}},
      {{"B:", "C: [SYSTEM]"}, {"C: [SYSTEM]"}},
      {{"A:", "C: [SYSTEM]"}, {"C: [SYSTEM]"}},
      {{"C: [SYSTEM]", "D: [DATEN]"}, {"C: [SYSTEM]", "D: [DATEN]"}},
      {{"C: [SYSTEM]"}, {"C: [SYSTEM]"}},
      {{"A:", "B:", "C: [SYSTEM]", "E:", "F: \\\\SERVER\\FREIGABE"}, {"C: [SYSTEM]", "E:", "F: \\\\SERVER\\FREIGABE"}},
      {{"A:", "B:"}, {}},
      {{}, {}},
  };
  TDriveComboBox& drives = *InstallF->DriveComboBox1;
  for (const auto& c : kCases) {
    drives.Clear();
    for (const auto& entry : c.drives) drives.Add(entry);
    RemoveDriveEntries(drives);
    List kept;
    for (int i = 0; i < drives.Count(); ++i) kept.push_back(drives.Item(i));
    EXPECT_EQ(kept, c.kept) << c.drives.size() << " drives";
  }
}

TEST_F(MainWindowTest, OkShowsTheProgressLayoutAndAFailedInstallLeavesTheWindowOpen) {
  // The start folder holds no program file: the sequence fails after preparing the target.
  ProgramFilesDir(scratch.Path());
  const struct {
    bool user;
    const char* remaining;
  } kCases[] = {{false, "Automatisches Setup"}, {true, "Benutzerdefiniertes Setup"}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.remaining);
    InstallF->Hide();
    InstallF->RBAuto->SetCaption("Automatisches Setup");
    InstallF->RBUser->Show();
    InstallF->Memo1->Show();
    InstallF->Memo2->Show();
    InstallF->Progress().SetPosition(0);
    ShowMain();
    if (c.user) {
      Select(*InstallF->RBUser);
      InstallF->DirectoryListBox1->SetDirectory(scratch.MakeDir("Eigenes"));
    } else {
      Select(*InstallF->RBAuto);
    }
    const std::string target = InstallF->EOutput->Text();

    AnsweringBoxes(IDOK, [] { ClickOn(*InstallF->SBOK); });
    EXPECT_TRUE(g_boxes.empty());  // swallowed without a word
    EXPECT_FALSE(InstallF->Memo1->Visible());
    EXPECT_FALSE(InstallF->Memo2->Visible());
    EXPECT_FALSE(InstallF->RBUser->Visible());
    EXPECT_EQ(InstallF->RBAuto->Caption(), c.remaining);
    EXPECT_TRUE(InstallF->PB1->Showing());
    EXPECT_TRUE(InstallF->LPB->Visible());
    EXPECT_TRUE(InstallF->PInternet->Showing());
    EXPECT_FALSE(InstallF->PZielDriveFolder->Showing());
    EXPECT_EQ(InstallF->PB1->Position(), 10);  // the target was prepared
    EXPECT_NE(GetFileAttributesA(target.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(InstallF->Showing());
    EXPECT_FALSE(QuitPosted());

    // OK again runs the whole sequence again, on from where the bar stands.
    AnsweringBoxes(IDOK, [] { ClickOn(*InstallF->SBOK); });
    EXPECT_EQ(InstallF->PB1->Position(), 20);
    EXPECT_TRUE(InstallF->Showing());
  }
}

TEST_F(MainWindowTest, ACompletedInstallShowsTheFullBarAndTheFinishThenEnds) {
  // A distribution in the start folder; the system and programs folders in the scratch folder.
  const std::string program(100000, 'M');
  std::string packed(compressBound(static_cast<uLong>(program.size())), '\0');
  uLongf packedSize = static_cast<uLongf>(packed.size());
  ASSERT_EQ(compress2(reinterpret_cast<Bytef*>(&packed[0]), &packedSize,
                      reinterpret_cast<const Bytef*>(program.data()), static_cast<uLong>(program.size()), 9),
            Z_OK);
  packed.resize(packedSize);
  PutFile(start + "\\mirvo98.dat", packed);
  for (const char* name : {"Mirvo98.hlp", "order.txt", "Bestell.doc", "Readme.txt", "FILE_ID.DIZ", "ui.dat"})
    PutFile(start + "\\" + name, std::string("Inhalt von ") + name);
  const std::string windows = scratch.MakeDir("Windows\\System");
  PutText(HKEY_LOCAL_MACHINE, kCurrentVersion, "SystemRoot", scratch.Path() + "\\Windows");
  PutText(HKEY_CURRENT_USER, "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\EXPLORER\\SHELL FOLDERS", "Programs",
          scratch.MakeDir("Programme"));
  ProgramFilesDir(scratch.Path());
  ShowMain();

  int barAtFinish = -1;
  Later([&] {
    EXPECT_TRUE(FinalF->Showing());
    EXPECT_FALSE(IsWindowEnabled(InstallF->Handle()));
    barAtFinish = static_cast<int>(SendMessageA(InstallF->PB1->Handle(), PBM_GETPOS, 0, 0));
    FinalF->Button1Click(nullptr);
  });
  AnsweringBoxes(IDOK, [] { ClickOn(*InstallF->SBOK); });
  EXPECT_TRUE(g_boxes.empty());
  EXPECT_EQ(barAtFinish, 350);
  EXPECT_EQ(FileText(DefaultTargetDir + "\\mirvo98.exe"), program);
  EXPECT_FALSE(InstallF->Showing());
  EXPECT_TRUE(QuitPosted());  // closing the main window ends the program
}

TEST_F(MainWindowTest, CancelAsksAndOnlyJaClosesTheWindow) {
  ShowMain();
  for (int answer : {IDNO, IDYES}) {
    SCOPED_TRACE(answer == IDYES ? "Ja" : "Nein");
    g_boxes.clear();
    AnsweringBoxes(answer, [] { ClickOn(*InstallF->SBAbbrechen); });
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0].caption, "Warnung");
    EXPECT_EQ(g_boxes[0].text, "Wollen Sie wirklich das Setup-Programm abbrechen?");
    EXPECT_EQ(InstallF->Showing(), answer == IDNO);
    EXPECT_EQ(QuitPosted(), answer == IDYES);
  }
}

TEST_F(MainWindowTest, LinksOpenTheirAddressesOwnedByTheApplicationWindow) {
  ShowMain();
  const std::string maker = links::kMakerUrl, mail = links::kMailUrl, partner = links::kPartnerUrl;
  const struct {
    TControl* control;
    std::string url;
  } kCases[] = {
      {InstallF->myLabel3d4, maker}, {InstallF->myLabel3d5, maker},  {InstallF->myLabel3d8, maker},
      {InstallF->myLabel3d9, maker}, {InstallF->Image3, maker},      {InstallF->Image2, partner},
      {InstallF->myLabel3d6, mail},  {InstallF->myLabel3d7, mail},   {InstallF->myLabel3d11, mail},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.control->Name());
    g_opened.clear();
    ClickOn(*c.control);
    ASSERT_EQ(g_opened.size(), 1u);
    EXPECT_EQ(g_opened[0].url, c.url);
    EXPECT_EQ(g_opened[0].owner, app.Handle());
    EXPECT_NE(g_opened[0].owner, InstallF->Handle());
  }
}

TEST_F(MainWindowTest, InfoAndNewFolderButtonsShowTheirDialogsModally) {
  ShowMain();
  Select(*InstallF->RBUser);
  const struct {
    TSpeedButton* button;
    TForm* dialog;
  } kCases[] = {{InstallF->SBHilfe, about}, {InstallF->SpeedButton1, NewFolderF}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.button->Name());
    bool seen = false;
    Later([&] {
      seen = c.dialog->Showing() && c.dialog->Modal() && !IsWindowEnabled(InstallF->Handle());
      c.dialog->Close();
    });
    ClickOn(*c.button);
    EXPECT_TRUE(seen);
    EXPECT_FALSE(c.dialog->Showing());
    EXPECT_TRUE(InstallF->Showing());
  }
}

namespace {

const ControlDef kBarRows[] = {
    Row<TProgressBar>("Raw").At(2, 10, 180, 12).Range(0, 350, 1),
    Row<TProgressBar>("Seen").At(2, 40, 180, 12).Range(0, 350, 1),
};

class TBarsF : public TForm {
 public:
  TBarsF() : TForm(FormDef{"Fortschritt", 200, 60}) {
    Build(kBarRows);
    Show();
  }
};

// Counts the positions that reach a progress control.
int g_sent = 0;
WNDPROC g_barProc = nullptr;
LRESULT CALLBACK CountingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == PBM_STEPIT || msg == PBM_SETPOS || msg == PBM_DELTAPOS) ++g_sent;
  return CallWindowProcA(g_barProc, hwnd, msg, wParam, lParam);
}

// Where the control's fill ends, in pixels inside its frame.
int Fill(const TProgressBar& bar, int position) { return MulDiv(position, bar.ClientWidth() - 2, 350); }

}  // namespace

TEST_F(MainWindowTest, TheProgressBarCountsAsTheControlAndShowsEveryPixel) {
  TBarsF form;
  TProgressBar& raw = form.Control<TProgressBar>("Raw");
  TProgressBar& seen = form.Control<TProgressBar>("Seen");
  // Without the frame limit every change of the fill is shown at once.
  ProgressBarControl bar(seen, ProgressBarControl::Clock::duration::zero());
  raw.StepBy(10);
  bar.StepBy(10);
  EXPECT_EQ(seen.Position(), 10);
  for (int i = 0; i < 750; ++i) {  // wraps around twice
    raw.StepIt();
    bar.StepIt();
    ASSERT_EQ(bar.Position(), raw.Position()) << "step " << i;
    ASSERT_EQ(Fill(seen, seen.Position()), Fill(raw, raw.Position())) << "step " << i;
  }
  raw.StepBy(500);
  bar.StepBy(500);
  EXPECT_EQ(bar.Position(), raw.Position());
  EXPECT_EQ(seen.Position(), 350);
  bar.SetPosition(123);
  EXPECT_EQ(seen.Position(), 123);
}

TEST_F(MainWindowTest, ALargeInstallsStepsReachTheControlOnlyWhenTheyShow) {
  TBarsF form;
  TProgressBar& seen = form.Control<TProgressBar>("Seen");
  g_barProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(seen.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingProc)));
  {
    // Three rounds of the bar with no frame limit: exactly the steps that move the fill go through.
    ProgressBarControl bar(seen, ProgressBarControl::Clock::duration::zero());
    ProgressCounter model(0, 350, 1);
    int moves = 0;
    g_sent = 0;
    for (int i = 0; i < 1050; ++i) {
      const int before = Fill(seen, model.Position());
      model.StepIt();
      if (Fill(seen, model.Position()) != before) ++moves;
      bar.StepIt();
    }
    EXPECT_EQ(bar.Position(), model.Position());
    EXPECT_EQ(g_sent, moves);
    EXPECT_LT(moves, 1050 * 6 / 10);
  }
  {
    // 64 MiB in 4096-byte blocks at most once per frame: a burst sends next to nothing, and Flush shows the count.
    ProgressBarControl bar(seen, std::chrono::hours(1));
    ProgressCounter model(0, 350, 1);
    model.SetPosition(seen.Position());
    g_sent = 0;
    for (int i = 0; i < 16384; ++i) {
      bar.StepIt();
      model.StepIt();
    }
    EXPECT_LE(g_sent, 1);
    bar.Flush();
    EXPECT_EQ(seen.Position(), model.Position());
  }
  SetWindowLongPtrA(seen.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_barProc));
}
