#include "FileCtrl.h"

#include <algorithm>

#include "platform/Errors.h"

namespace forms {

namespace {

// Room for the dropped-down drive list below the selection field.
constexpr int kDropDownHeight = 160;
// Indent of one path level in the directory list.
constexpr int kLevelIndent = 7;

// Keeps the system's "no disk in the drive" box away while drives are probed.
class QuietDriveErrors {
 public:
  QuietDriveErrors() : old_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
  ~QuietDriveErrors() { SetErrorMode(old_); }
  QuietDriveErrors(const QuietDriveErrors&) = delete;
  QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

 private:
  UINT old_;
};

std::string CurrentDirectory() {
  char path[MAX_PATH] = "";
  const DWORD length = GetCurrentDirectoryA(MAX_PATH, path);
  if (length == 0 || length >= MAX_PATH) return std::string();
  return path;
}

char UpperLetter(char ch) { return ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch; }

// The drive letter of a path, as a capital; 0 for a network path.
char DriveOf(const std::string& path) {
  if (path.size() < 2 || path[1] != ':') return 0;
  const char letter = UpperLetter(path[0]);
  return letter >= 'A' && letter <= 'Z' ? letter : 0;
}

// Splits a full path into its root ("C:\" or "\\server\share\") and the names below it.
std::string SplitPath(const std::string& path, std::vector<std::string>& names) {
  std::string root;
  size_t rest = 0;
  if (path.size() >= 2 && path[1] == ':') {
    root = path.substr(0, 2) + "\\";
    rest = 2;
  } else if (path.compare(0, 2, "\\\\") == 0) {
    size_t end = path.find('\\', 2);
    if (end != std::string::npos) end = path.find('\\', end + 1);
    root = path.substr(0, end) + "\\";
    rest = end == std::string::npos ? path.size() : end;
  }
  names.clear();
  while (rest < path.size()) {
    const size_t start = path.find_first_not_of('\\', rest);
    if (start == std::string::npos) break;
    size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    names.push_back(path.substr(start, end - start));
    rest = end;
  }
  return root;
}

std::string Join(const std::string& dir, const std::string& name) {
  return dir.empty() || dir.back() == '\\' ? dir + name : dir + "\\" + name;
}

// The visible subdirectories, sorted as a person reads them.
std::vector<std::string> Subdirectories(const std::string& dir) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(Join(dir, "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const DWORD attributes = found.dwFileAttributes;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) || (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)))
      continue;
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; });
  return names;
}

// The share behind a network drive, such as \\server\share; empty when unknown.
std::string NetworkName(char letter) {
  using GetConnectionFn = DWORD(WINAPI*)(LPCSTR, LPSTR, LPDWORD);
  // Loaded when needed, from the system folder, so that the program imports no more than it must.
  static const GetConnectionFn getConnection = [] {
    HMODULE mpr = LoadLibraryA("mpr.dll");
    return mpr ? reinterpret_cast<GetConnectionFn>(reinterpret_cast<void*>(GetProcAddress(mpr, "WNetGetConnectionA")))
               : nullptr;
  }();
  if (!getConnection) return std::string();
  const char local[] = {letter, ':', 0};
  char remote[MAX_PATH] = "";
  DWORD size = sizeof remote;
  return getConnection(local, remote, &size) == NO_ERROR ? std::string(remote) : std::string();
}

std::string DriveEntry(char letter) {
  const char root[] = {letter, ':', '\\', 0};
  std::string entry{letter, ':'};
  switch (GetDriveTypeA(root)) {
    case DRIVE_REMOVABLE:
      break;  // asking a floppy drive for its name would make it spin
    case DRIVE_REMOTE: {
      const std::string share = NetworkName(letter);
      if (!share.empty()) entry += " " + share;
      break;
    }
    default: {
      char volume[MAX_PATH + 1] = "";
      if (GetVolumeInformationA(root, volume, sizeof volume, nullptr, nullptr, nullptr, nullptr, 0) && volume[0])
        entry += std::string(" [") + volume + "]";
    }
  }
  return entry;
}

// A folder picture of 16 x 16 pixels; an open one for the directory and its parents.
void DrawFolder(HDC dc, int x, int y, bool open) {
  const COLORREF outline = RGB(128, 128, 0);
  HPEN pen = CreatePen(PS_SOLID, 1, outline);
  HBRUSH back = CreateSolidBrush(RGB(255, 255, 128));
  HBRUSH front = CreateSolidBrush(RGB(255, 255, 0));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, back);
  const POINT tab[] = {{x + 1, y + 3}, {x + 5, y + 3}, {x + 6, y + 4}, {x + 13, y + 4}, {x + 13, y + 13}, {x + 1, y + 13}};
  Polygon(dc, tab, 6);
  SelectObject(dc, front);
  if (open) {
    const POINT lid[] = {{x + 1, y + 13}, {x + 4, y + 7}, {x + 16, y + 7}, {x + 13, y + 13}};
    Polygon(dc, lid, 4);
  } else {
    Rectangle(dc, x + 1, y + 6, x + 14, y + 14);
  }
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(front);
  DeleteObject(back);
  DeleteObject(pen);
}

}  // namespace

// ---- TDirectoryListBox

TDirectoryListBox::TDirectoryListBox() : directory_(CurrentDirectory()) {
  SetParentColor(false);
  SetColor(clWindow);
  ReadDirectoryNames();
}

TDirectoryListBox::~TDirectoryListBox() {
  if (driveCombo_) driveCombo_->dirList_ = nullptr;
}

char TDirectoryListBox::Drive() const { return DriveOf(directory_); }

void TDirectoryListBox::SetDirectory(const std::string& directory) {
  if (directory.empty() || lstrcmpiA(directory.c_str(), directory_.c_str()) == 0) return;
  {
    QuietDriveErrors quiet;
    const std::string previous = CurrentDirectory();
    // A relative name is taken from the list's directory, wherever the process stands now.
    SetCurrentDirectoryA(directory_.c_str());
    if (!SetCurrentDirectoryA(directory.c_str())) {
      SetCurrentDirectoryA(previous.c_str());
      throw platform::Error("Das Verzeichnis " + directory + " ist nicht erreichbar.");
    }
  }
  directory_ = CurrentDirectory();
  ReadDirectoryNames();
  if (driveCombo_) {
    driveCombo_->drive_ = Drive();
    driveCombo_->SelectEntry(Drive());
  }
  if (OnChange) OnChange(this);
}

void TDirectoryListBox::SetDrive(char drive) {
  drive = UpperLetter(drive);
  if (drive < 'A' || drive > 'Z' || drive == Drive()) return;
  // The drive's own current directory, which the system keeps per drive.
  const char name[] = {drive, ':', 0};
  char path[MAX_PATH] = "";
  const DWORD length = GetFullPathNameA(name, MAX_PATH, path, nullptr);
  SetDirectory(length > 0 && length < MAX_PATH ? std::string(path) : std::string(name) + "\\");
}

std::string TDirectoryListBox::Item(int index) const {
  return index >= 0 && index < Count() ? entries_[static_cast<size_t>(index)].name : std::string();
}

std::string TDirectoryListBox::ItemPath(int index) const {
  if (index < 0 || index >= Count()) return std::string();
  if (index > directoryIndex_) return Join(directory_, entries_[static_cast<size_t>(index)].name);
  std::string path = entries_[0].name;
  for (int i = 1; i <= index; ++i) path = Join(path, entries_[static_cast<size_t>(i)].name);
  return path;
}

int TDirectoryListBox::ItemIndex() const {
  return handle_ ? static_cast<int>(SendMessageA(handle_, LB_GETCURSEL, 0, 0)) : directoryIndex_;
}

void TDirectoryListBox::SetItemIndex(int index) {
  if (handle_) SendMessageA(handle_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TDirectoryListBox::OpenItem(int index) {
  if (index >= 0 && index < Count()) SetDirectory(ItemPath(index));
}

void TDirectoryListBox::Load(const ControlDef& row) {
  TWinControl::Load(row);
  if (row.style > 0) itemHeight_ = row.style;
}

void TDirectoryListBox::CreateWnd() {
  CreateHandle("LISTBOX",
               WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
               WS_EX_CLIENTEDGE);
  SendMessageA(handle_, LB_SETITEMHEIGHT, 0, itemHeight_);
  ReadDirectoryNames();
}

void TDirectoryListBox::ReadDirectoryNames() {
  std::vector<std::string> names;
  const std::string root = SplitPath(directory_, names);
  entries_.clear();
  entries_.push_back({root.empty() ? directory_ : root, 0, true});
  int level = 1;
  for (const auto& name : names) entries_.push_back({name, level++, true});
  directoryIndex_ = Count() - 1;
  for (const auto& name : Subdirectories(directory_)) entries_.push_back({name, level, false});
  if (!handle_) return;
  SendMessageA(handle_, WM_SETREDRAW, FALSE, 0);
  SendMessageA(handle_, LB_RESETCONTENT, 0, 0);
  for (const auto& entry : entries_) SendMessageA(handle_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.name.c_str()));
  SendMessageA(handle_, LB_SETCURSEL, static_cast<WPARAM>(directoryIndex_), 0);
  SendMessageA(handle_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(handle_, nullptr, TRUE);
}

void TDirectoryListBox::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  const RECT& rect = item.rcItem;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(dc, &rect, SolidBrush(selected ? clHighlight : Color()));
  if (item.itemID == static_cast<UINT>(-1) || static_cast<int>(item.itemID) >= Count()) {
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &rect);
    return;
  }
  const Entry& entry = entries_[item.itemID];
  const int x = rect.left + 2 + entry.level * kLevelIndent;
  DrawFolder(dc, x, rect.top + (rect.bottom - rect.top - 16) / 2, entry.open);
  RECT text{x + 20, rect.top, rect.right, rect.bottom};
  HGDIOBJ oldFont = SelectObject(dc, Font().Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(selected ? clHighlightText : Font().Color));
  DrawTextA(dc, entry.name.c_str(), static_cast<int>(entry.name.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  SelectObject(dc, oldFont);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &rect);
}

bool TDirectoryListBox::Reflect(TMessage& message) {
  if (message.Msg == WM_DRAWITEM) {
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam));
    message.Result = TRUE;
    return true;
  }
  if (message.Msg == WM_COMMAND && HIWORD(message.WParam) == LBN_DBLCLK) {
    OpenItem(ItemIndex());
    return true;
  }
  return message.Msg == WM_COMMAND;
}

void TDirectoryListBox::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_GETDLGCODE:
      DefaultHandler(message);
      // Enter opens the selected entry instead of going to the window.
      if (message.LParam) {
        const auto* msg = reinterpret_cast<const MSG*>(message.LParam);
        if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) message.Result |= DLGC_WANTMESSAGE;
      }
      return;
    case WM_KEYDOWN:
      if (message.WParam == VK_RETURN) {
        OpenItem(ItemIndex());
        return;
      }
      break;
    case WM_CHAR:
      if (message.WParam == '\r') return;
      break;
    default:
      break;
  }
  DefaultHandler(message);
}

// ---- TDriveComboBox

TDriveComboBox::~TDriveComboBox() {
  if (dirList_) dirList_->driveCombo_ = nullptr;
}

void TDriveComboBox::SetDrive(char drive) {
  drive = UpperLetter(drive);
  if (drive < 'A' || drive > 'Z' || drive == drive_) return;
  // Raises, and leaves everything as it was, when the drive cannot be entered.
  if (dirList_) dirList_->SetDrive(drive);
  drive_ = drive;
  SelectEntry(drive);
  if (OnChange) OnChange(this);
}

void TDriveComboBox::SetDirList(TDirectoryListBox* dirList) {
  if (dirList_) dirList_->driveCombo_ = nullptr;
  dirList_ = dirList;
  if (!dirList) return;
  if (dirList->driveCombo_) dirList->driveCombo_->dirList_ = nullptr;
  dirList->driveCombo_ = this;
  drive_ = dirList->Drive();
  SelectEntry(drive_);
}

int TDriveComboBox::Count() const {
  return handle_ ? static_cast<int>(SendMessageA(handle_, CB_GETCOUNT, 0, 0)) : 0;
}

std::string TDriveComboBox::Item(int index) const {
  if (!handle_ || index < 0 || index >= Count()) return std::string();
  const LRESULT length = SendMessageA(handle_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR) return std::string();
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const LRESULT got = SendMessageA(handle_, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(got == CB_ERR ? 0 : static_cast<size_t>(got));
  return text;
}

void TDriveComboBox::Delete(int index) {
  if (!handle_ || index < 0 || index >= Count()) return;
  SendMessageA(handle_, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
  SelectEntry(drive_);
}

void TDriveComboBox::Clear() {
  if (handle_) SendMessageA(handle_, CB_RESETCONTENT, 0, 0);
}

void TDriveComboBox::Add(const std::string& entry) {
  if (!handle_) return;
  SendMessageA(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  SelectEntry(drive_);
}

int TDriveComboBox::ItemIndex() const {
  return handle_ ? static_cast<int>(SendMessageA(handle_, CB_GETCURSEL, 0, 0)) : -1;
}

void TDriveComboBox::Load(const ControlDef& row) {
  TWinControl::Load(row);
  textCase_ = row.style == tcUpperCase ? tcUpperCase : tcLowerCase;
}

void TDriveComboBox::CreateWnd() {
  CreateHandle("COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0);
  // The selection field takes the layout's height; the list drops below it.
  for (int itemHeight = Height() - 6, tries = 0; tries < 3 && itemHeight > 0; ++tries) {
    SendMessageA(handle_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight);
    RECT field;
    GetWindowRect(handle_, &field);
    const int error = Height() - (field.bottom - field.top);
    if (error == 0) break;
    itemHeight += error;
  }
  BoundsChanged(BoundsRect());
  BuildList();
  drive_ = dirList_ ? dirList_->Drive() : DriveOf(CurrentDirectory());
  SelectEntry(drive_);
}

void TDriveComboBox::BoundsChanged(const RECT&) {
  if (handle_) MoveWindow(handle_, Left(), Top(), Width(), Height() + kDropDownHeight, TRUE);
}

void TDriveComboBox::BuildList() {
  SendMessageA(handle_, CB_RESETCONTENT, 0, 0);
  QuietDriveErrors quiet;
  const DWORD drives = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (!(drives & (1u << i))) continue;
    std::string entry = DriveEntry(static_cast<char>('A' + i));
    if (textCase_ == tcUpperCase)
      CharUpperA(&entry[0]);
    else
      CharLowerA(&entry[0]);
    SendMessageA(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  }
}

void TDriveComboBox::SelectEntry(char drive) {
  if (!handle_) return;
  int found = -1;
  for (int i = 0, n = Count(); i < n && found < 0; ++i) {
    const std::string entry = Item(i);
    if (!entry.empty() && UpperLetter(entry[0]) == drive) found = i;
  }
  SendMessageA(handle_, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
}

void TDriveComboBox::Picked() {
  const std::string entry = Item(ItemIndex());
  if (entry.empty()) return;
  try {
    SetDrive(entry[0]);
  } catch (...) {
    SelectEntry(drive_);
    throw;
  }
}

bool TDriveComboBox::Reflect(TMessage& message) {
  if (message.Msg != WM_COMMAND) return false;
  switch (HIWORD(message.WParam)) {
    case CBN_SELCHANGE:
      // While the list is dropped the selection only browses; closing it picks.
      if (!SendMessageA(handle_, CB_GETDROPPEDSTATE, 0, 0)) Picked();
      break;
    case CBN_CLOSEUP:
      Picked();
      break;
    default:
      break;
  }
  return true;
}

}  // namespace forms
