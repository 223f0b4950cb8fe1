#pragma once
// TPBShellLink writes one Windows shortcut file (.lnk) through the system's
// shell link object. It normalises the shortcut's file name, can place it in
// one of the user's shell folders (found by name in the user's registry) and
// converts window states and keyboard shortcuts into what the shell stores.
#include <cstdint>
#include <string>

#include "FileIcon.h"
#include "platform/Errors.h"

// A keyboard shortcut: virtual-key code in the low 13 bits, 0x2000 Shift,
// 0x4000 Ctrl, 0x8000 Alt; 0 for none.
using TShortCut = std::uint16_t;

enum TWindowState : std::uint8_t { wsNormal, wsMinimized, wsMaximized };

// Show commands handed to the shell, by window state.
extern const std::int32_t WindowStateShowCmds[3];

enum TShellFolder : std::uint8_t {
  sfNone,
  sfDesktop,
  sfFavorites,
  sfFonts,
  sfPersonal,
  sfPrograms,
  sfRecent,
  sfSendTo,
  sfStartMenu,
  sfStartup,
  sfTemplates,
};

// Value names under the user's Shell Folders key, by folder; sfNone has none.
extern const char* const ShellFolderNames[11];

// Raised by SaveToFile; the message says what failed.
struct EPBShellLink : platform::Error {
  using platform::Error::Error;
};

class TPBShellLink {
 public:
  TPBShellLink() = default;
  TPBShellLink(const TPBShellLink&) = delete;
  TPBShellLink& operator=(const TPBShellLink&) = delete;

  const std::string& Arguments() const { return arguments_; }
  void SetArguments(const std::string& value) { arguments_ = value; }
  const std::string& Description() const { return description_; }
  void SetDescription(const std::string& value) { description_ = value; }
  // The owned icon record; setting copies into it.
  TFileIcon& FileIcon() { return fileIcon_; }
  const TFileIcon& FileIcon() const { return fileIcon_; }
  void SetFileIcon(const TFileIcon& value) { fileIcon_.Assign(value); }
  TShortCut HotKey() const;
  void SetHotKey(TShortCut value);
  const std::string& FileName() const { return fileName_; }
  // Re-bases the name into the shell folder, if one is set, and makes it end
  // in ".lnk"; a name without a file part becomes empty.
  void SetFileName(const std::string& value);
  const std::string& Target() const { return target_; }
  void SetTarget(const std::string& value) { target_ = value; }
  // wsNormal for any show command other than those of minimised and maximised.
  TWindowState WindowState() const;
  void SetWindowState(TWindowState value);
  const std::string& WorkingDir() const { return workingDir_; }
  void SetWorkingDir(const std::string& value) { workingDir_ = value; }
  TShellFolder ShellFolder() const { return shellFolder_; }
  // Moves the file name into the new folder; sfNone leaves it where it is.
  void SetShellFolder(TShellFolder value);

  // What the shell is handed: 0 until a window state is written.
  std::int32_t ShowCmd() const { return showCmd_; }
  // The shell's hot-key word: key code in the low byte, 1 Shift, 2 Ctrl, 4 Alt in the high byte.
  std::uint16_t HotKeyWord() const { return hotKeyWord_; }

  // Writes the shortcut file named by FileName, replacing an existing one.
  void Save() const { SaveToFile(fileName_); }
  // Writes the shortcut under `name` as given. Raises EPBShellLink when the
  // shell link object cannot be had or the file cannot be written, and refuses
  // texts over 255 characters and names over 259: cut, they would make a
  // different shortcut.
  void SaveToFile(const std::string& name) const;

 private:
  std::string fileName_;
  std::string target_;
  std::string workingDir_;
  std::string description_;
  std::string arguments_;
  std::int32_t showCmd_ = 0;
  std::uint16_t hotKeyWord_ = 0;
  TFileIcon fileIcon_;
  TShellFolder shellFolder_ = sfNone;
};
