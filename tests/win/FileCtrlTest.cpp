// The drive list and the directory list over the real file system and the
// process's real current directory.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FormsTestKit.h"
#include "ScratchDir.h"
#include "forms/FileCtrl.h"

using namespace forms;

namespace {

class TFilesF : public TForm {
 public:
  TFilesF();
  void Changed(TObject*) { changes.push_back(list->Directory()); }
  TDriveComboBox* drives;
  TDirectoryListBox* list;
  std::vector<std::string> changes;
};

const ControlDef kRows[] = {
    Row<TDriveComboBox>("DriveComboBox1").At(24, 50, 145, 19).Style(tcUpperCase),
    Row<TDirectoryListBox>("DirectoryListBox1").At(24, 72, 145, 111).On<&TFilesF::Changed>(),
};

TFilesF::TFilesF() : TForm(FormDef{"Laufwerke", 200, 200}) {
  Build(kRows);
  drives = &Control<TDriveComboBox>("DriveComboBox1");
  list = &Control<TDirectoryListBox>("DirectoryListBox1");
  drives->SetDirList(list);
}

std::string CurrentDir() {
  char path[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, path);
  return path;
}

std::vector<std::string> Items(const TDirectoryListBox& list) {
  std::vector<std::string> items;
  for (int i = 0; i < list.Count(); ++i) items.push_back(list.Item(i));
  return items;
}

std::vector<std::string> Items(const TDriveComboBox& drives) {
  std::vector<std::string> items;
  for (int i = 0; i < drives.Count(); ++i) items.push_back(drives.Item(i));
  return items;
}

class FileCtrlTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    base = scratch.MakeDir("Basis");
    scratch.MakeDir("Basis\\beta");
    scratch.MakeDir("Basis\\Alpha\\innen");
    scratch.MakeDir("Basis\\gamma");
    SetFileAttributesA(scratch.MakeDir("Basis\\versteckt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    CloseHandle(CreateFileA((base + "\\datei.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    SetCurrentDirectoryA(base.c_str());
  }
  ScratchDir scratch{"mirvo-filectrl"};
  std::string base;
};

}  // namespace

TEST_F(FileCtrlTest, TheListShowsThePathFromTheRootAndTheVisibleSubdirectoriesSorted) {
  TFilesF form;
  TDirectoryListBox& list = *form.list;
  EXPECT_EQ(list.Directory(), base);  // the current directory when it was made

  std::vector<std::string> expected = {base.substr(0, 3)};
  size_t start = 3;
  for (size_t end; (end = base.find('\\', start)) != std::string::npos; start = end + 1)
    expected.push_back(base.substr(start, end - start));
  expected.push_back("Basis");
  const int self = static_cast<int>(expected.size()) - 1;
  for (const char* sub : {"Alpha", "beta", "gamma"}) expected.push_back(sub);
  EXPECT_EQ(Items(list), expected);
  EXPECT_EQ(list.DirectoryIndex(), self);
  EXPECT_EQ(list.ItemIndex(), self);
  EXPECT_EQ(list.ItemPath(0), base.substr(0, 3));
  EXPECT_EQ(list.ItemPath(self - 1), base.substr(0, base.rfind('\\')));
  EXPECT_EQ(list.ItemPath(self), base);
  EXPECT_EQ(list.ItemPath(self + 2), base + "\\beta");
  EXPECT_EQ(SendMessageA(list.Handle(), LB_GETITEMHEIGHT, 0, 0), 16);
  EXPECT_EQ(SendMessageA(list.Handle(), LB_GETCOUNT, 0, 0), list.Count());
}

TEST_F(FileCtrlTest, AnAssignmentMovesTheCurrentDirectoryAndRaisesOneChange) {
  TFilesF form;
  TDirectoryListBox& list = *form.list;

  list.SetDirectory(base + "\\Alpha");
  EXPECT_EQ(list.Directory(), base + "\\Alpha");
  EXPECT_EQ(CurrentDir(), base + "\\Alpha");
  EXPECT_EQ(Items(list).back(), "innen");
  EXPECT_EQ(form.changes, std::vector<std::string>{base + "\\Alpha"});

  // Empty text and the directory it holds (in any case) change nothing.
  SetCurrentDirectoryA(base.c_str());
  list.SetDirectory("");
  list.SetDirectory(base + "\\ALPHA");
  EXPECT_EQ(form.changes.size(), 1u);
  EXPECT_EQ(CurrentDir(), base);

  // A relative name is taken from the list's directory, not the process's.
  list.SetDirectory("innen");
  EXPECT_EQ(list.Directory(), base + "\\Alpha\\innen");

  // A directory that cannot be entered raises and leaves everything as it was.
  SetCurrentDirectoryA(base.c_str());
  EXPECT_THROW(list.SetDirectory(base + "\\fehlt"), platform::Error);
  EXPECT_EQ(list.Directory(), base + "\\Alpha\\innen");
  EXPECT_EQ(CurrentDir(), base);
  EXPECT_EQ(form.changes.size(), 2u);
}

TEST_F(FileCtrlTest, DoubleClickAndEnterOpenTheSelectedEntry) {
  TFilesF form;
  form.Show();
  TDirectoryListBox& list = *form.list;
  const int self = list.DirectoryIndex();

  // A double-click on "gamma", the third subdirectory.
  RECT item{};
  SendMessageA(list.Handle(), LB_GETITEMRECT, static_cast<WPARAM>(self + 3), reinterpret_cast<LPARAM>(&item));
  const LPARAM at = At(item.left + 30, (item.top + item.bottom) / 2);
  SendMessageA(list.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(list.Handle(), WM_LBUTTONUP, 0, at);
  SendMessageA(list.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageA(list.Handle(), WM_LBUTTONUP, 0, at);
  Pump();
  EXPECT_EQ(list.Directory(), base + "\\gamma");

  // Up to the parent with the arrow key and Enter, as the dialog manager passes them on.
  list.SetFocus();
  for (UINT key : {VK_UP, VK_RETURN}) {
    MSG msg{list.Handle(), WM_KEYDOWN, key, 0, 0, {}};
    if (!IsDialogMessageA(form.Handle(), &msg)) DispatchMessageA(&msg);
  }
  EXPECT_EQ(list.Directory(), base);
  EXPECT_EQ(CurrentDir(), base);
  EXPECT_EQ(form.changes, (std::vector<std::string>{base + "\\gamma", base}));
}

TEST_F(FileCtrlTest, TheDriveListHoldsEveryDriveInLetterOrderInCapitals) {
  TFilesF form;
  const std::vector<std::string> entries = Items(*form.drives);
  std::string letters;
  const DWORD mask = GetLogicalDrives();
  for (int i = 0; i < 26; ++i)
    if (mask & (1u << i)) letters += static_cast<char>('A' + i);
  ASSERT_EQ(entries.size(), letters.size());
  for (size_t i = 0; i < entries.size(); ++i) {
    SCOPED_TRACE(entries[i]);
    EXPECT_EQ(entries[i].substr(0, 2), std::string(1, letters[i]) + ":");
    std::string upper = entries[i];
    CharUpperA(&upper[0]);
    EXPECT_EQ(entries[i], upper);
    const char root[] = {letters[i], ':', '\\', 0};
    if (GetDriveTypeA(root) == DRIVE_REMOVABLE) {
      EXPECT_EQ(entries[i].size(), 2u);
    }
  }
  // The drive of the directory list's directory is selected.
  EXPECT_EQ(form.drives->Drive(), base[0]);
  EXPECT_EQ(form.drives->Item(form.drives->ItemIndex())[0], base[0]);
}

TEST_F(FileCtrlTest, ChoosingADriveMovesTheListAndTheListMovesTheChoice) {
  TFilesF form;
  form.Show();
  // Another drive than the one the scratch folder lies on.
  const std::vector<std::string> entries = Items(*form.drives);
  int other = -1;
  for (size_t i = 0; i < entries.size() && other < 0; ++i) {
    const char root[] = {entries[i][0], ':', '\\', 0};
    if (entries[i][0] != base[0] && GetDriveTypeA(root) == DRIVE_FIXED) other = static_cast<int>(i);
  }
  ASSERT_GE(other, 0) << "the test needs a second fixed drive";
  const char letter = entries[static_cast<size_t>(other)][0];
  const char name[] = {letter, ':', 0};
  char expected[MAX_PATH] = "";
  GetFullPathNameA(name, MAX_PATH, expected, nullptr);

  // The user picks the entry from the closed list with the keyboard.
  SendMessageA(form.drives->Handle(), CB_SETCURSEL, static_cast<WPARAM>(other), 0);
  SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(form.drives->Handle()), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(form.drives->Handle()));
  EXPECT_EQ(form.drives->Drive(), letter);
  EXPECT_EQ(form.list->Directory(), expected);
  EXPECT_EQ(CurrentDir(), expected);
  EXPECT_EQ(form.changes, std::vector<std::string>{expected});

  form.list->SetDirectory(base);
  EXPECT_EQ(form.drives->Drive(), base[0]);
  EXPECT_EQ(form.drives->Item(form.drives->ItemIndex())[0], base[0]);
}
