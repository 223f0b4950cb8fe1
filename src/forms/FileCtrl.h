#pragma once
// The drive list and the directory list: a drop-down list of the machine's
// drives bound to a list of one directory's path and subdirectories. Both
// work on the process's current directory, as the classic file controls do.
#include <string>
#include <vector>

#include "Controls.h"

namespace forms {

class TDriveComboBox;

// The path of its directory, one entry per level from the root down, and
// below it the directory's subdirectories in alphabetical order. Opening an
// entry (double-click or Enter), a change of drive or an assignment to
// Directory makes that directory the process's current directory, reads it
// back, rebuilds the list and raises OnChange.
class TDirectoryListBox : public TWinControl {
 public:
  // Starts at the process's current directory.
  TDirectoryListBox();
  ~TDirectoryListBox() override;

  const std::string& Directory() const { return directory_; }
  // Empty text, or the directory the list holds already, changes nothing.
  // A directory that cannot be made current raises platform::Error.
  void SetDirectory(const std::string& directory);
  // The capital letter of the directory's drive; 0 when it has none (a network path).
  char Drive() const;
  // Switches to that drive's current directory.
  void SetDrive(char drive);

  int ItemHeight() const { return itemHeight_; }
  int Count() const { return static_cast<int>(entries_.size()); }
  // The name an entry shows ("C:\" for the root); empty beyond the end.
  std::string Item(int index) const;
  // The full path of the directory behind an entry.
  std::string ItemPath(int index) const;
  // The entry of the directory itself.
  int DirectoryIndex() const { return directoryIndex_; }
  // The entry that has the selection bar; it moves without changing the directory.
  int ItemIndex() const;
  void SetItemIndex(int index);
  // Opens an entry, as a double-click on it does.
  void OpenItem(int index);

  TNotifyEvent OnChange;
  // A layout row's handler is the change event; the row's style, when set, the item height.
  void AssignEvent(TNotifyEvent handler) override { OnChange = std::move(handler); }
  void Load(const ControlDef& row) override;
  bool Reflect(TMessage& message) override;
  void WndProc(TMessage& message) override;

 protected:
  void CreateWnd() override;

 private:
  friend class TDriveComboBox;
  struct Entry {
    std::string name;
    int level;
    bool open;  // the directory or one of its parents
  };
  void ReadDirectoryNames();
  void DrawItem(const DRAWITEMSTRUCT& item);

  std::string directory_;
  std::vector<Entry> entries_;
  int directoryIndex_ = 0;
  int itemHeight_ = 16;
  TDriveComboBox* driveCombo_ = nullptr;
};

enum TTextCase { tcLowerCase, tcUpperCase };

// The machine's logical drives in ascending letter order. An entry is the
// drive letter and a colon; fixed, RAM and CD drives add their volume name in
// brackets, network drives the name of the share. Choosing a drive switches
// the bound directory list to that drive's current directory.
class TDriveComboBox : public TWinControl {
 public:
  TDriveComboBox() = default;
  ~TDriveComboBox() override;

  // The selected drive as a capital letter; 0 when none is selected.
  char Drive() const { return drive_; }
  // Selects the drive's entry and switches the directory list to it.
  void SetDrive(char drive);
  TDirectoryListBox* DirList() const { return dirList_; }
  // Binds the directory list; the selection follows its drive from now on.
  void SetDirList(TDirectoryListBox* dirList);
  TTextCase TextCase() const { return textCase_; }

  // The entries. An index beyond the end reads as empty text and deletes nothing.
  int Count() const;
  std::string Item(int index) const;
  void Delete(int index);
  void Clear();
  void Add(const std::string& entry);
  int ItemIndex() const;

  TNotifyEvent OnChange;
  void AssignEvent(TNotifyEvent handler) override { OnChange = std::move(handler); }
  // The row's style is the text case.
  void Load(const ControlDef& row) override;
  bool Reflect(TMessage& message) override;

 protected:
  void CreateWnd() override;
  void BoundsChanged(const RECT& old) override;

 private:
  friend class TDirectoryListBox;
  void BuildList();
  // Moves the selection to the drive's entry without switching anything.
  void SelectEntry(char drive);
  // The user picked an entry.
  void Picked();

  char drive_ = 0;
  TTextCase textCase_ = tcLowerCase;
  TDirectoryListBox* dirList_ = nullptr;
};

}  // namespace forms
