#include "ShellLnk.h"

#include <memory>

#include "platform/Registry.h"
#include "platform/ShellLinkApi.h"

const std::int32_t WindowStateShowCmds[3] = {
    1,  // SW_SHOWNORMAL
    7,  // SW_SHOWMINNOACTIVE
    3,  // SW_SHOWMAXIMIZED
};

const char* const ShellFolderNames[11] = {
    "",         "Desktop", "Favorites",  "Fonts",   "Personal",  "Programs",
    "Recent",   "SendTo",  "Start Menu", "Startup", "Templates",
};

namespace {

const char kShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// What the shell link object takes: 255 characters per text, 259 per file name.
const std::size_t kMaxText = 255;
const std::size_t kMaxFileName = 259;

const std::int32_t kShowNormal = 1;

std::string Upper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

// The text after the last "\" or ":".
std::string FilePart(const std::string& path) {
  const std::size_t sep = path.find_last_of("\\:");
  return sep == std::string::npos ? path : path.substr(sep + 1);
}

// From the file part's last "." on; empty when it has none.
std::string Extension(const std::string& path) {
  const std::string file = FilePart(path);
  const std::size_t dot = file.rfind('.');
  return dot == std::string::npos ? std::string() : file.substr(dot);
}

// The folder's path as the registry holds it; empty when the key or value is missing.
std::string ShellFolderPath(TShellFolder folder) {
  platform::Registry reg;
  reg.SetRootKey(platform::RootKey::CurrentUser);
  reg.OpenKey(kShellFoldersKey, false);
  return reg.ReadString(ShellFolderNames[folder]);
}

void RefuseLongText(const std::string& text) {
  if (text.size() > kMaxText) throw EPBShellLink("Texte trop long.");
}

// COM for the calling thread, for one save. A CoInitialize that failed (the
// thread lives in another apartment) is not answered with a CoUninitialize:
// that would take COM away from whoever set the thread up.
class ComScope {
 public:
  explicit ComScope(platform::ShellLinkApi& api) : api_(api), initialized_(!platform::ComFailed(api.Initialize())) {}
  ~ComScope() {
    if (initialized_) api_.Uninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  platform::ShellLinkApi& api_;
  bool initialized_;
};

}  // namespace

TShortCut TPBShellLink::HotKey() const {
  const unsigned key = hotKeyWord_ & 0xFFu;
  const unsigned flags = hotKeyWord_ >> 8;
  unsigned shortcut = key;
  if (flags & 1u) shortcut |= 0x2000u;
  if (flags & 2u) shortcut |= 0x4000u;
  if (flags & 4u) shortcut |= 0x8000u;
  return static_cast<TShortCut>(shortcut);
}

void TPBShellLink::SetHotKey(TShortCut value) {
  const unsigned key = value & 0x1FFFu;
  unsigned flags = 0;
  if (value & 0x2000u) flags += 1;
  if (value & 0x4000u) flags += 2;
  if (value & 0x8000u) flags += 4;
  hotKeyWord_ = static_cast<std::uint16_t>(key + 256u * flags);
}

TWindowState TPBShellLink::WindowState() const {
  switch (showCmd_) {
    case 3:
      return wsMaximized;
    case 7:
      return wsMinimized;
    default:
      return wsNormal;
  }
}

void TPBShellLink::SetWindowState(TWindowState value) { showCmd_ = WindowStateShowCmds[value]; }

void TPBShellLink::SetFileName(const std::string& value) {
  if (value == fileName_) return;
  std::string name = value;
  if (shellFolder_ != sfNone) name = ShellFolderPath(shellFolder_) + "\\" + FilePart(name);
  if (Upper(Extension(name)) != ".LNK") name += ".lnk";
  if (Upper(FilePart(name)) == ".LNK") name.clear();
  fileName_ = name;
}

void TPBShellLink::SetShellFolder(TShellFolder value) {
  if (value == shellFolder_) return;
  shellFolder_ = value;
  // The name moves as it is, without the ".lnk" rule: an empty name becomes the folder and "\".
  if (value != sfNone) fileName_ = ShellFolderPath(value) + "\\" + FilePart(fileName_);
}

void TPBShellLink::SaveToFile(const std::string& name) const {
  for (const std::string* text : {&description_, &target_, &workingDir_, &arguments_, &fileIcon_.FileName})
    RefuseLongText(*text);
  if (name.size() > kMaxFileName) throw EPBShellLink("Nom de fichier trop long.");

  platform::ShellLinkApi& shell = platform::ShellLinks();
  // Declared in this order so that leaving, also by an exception, releases
  // IPersistFile, then IShellLinkA, then gives COM up.
  ComScope com(shell);
  std::unique_ptr<platform::ShellLinkObject> link;
  if (platform::ComFailed(shell.CreateShellLink(link))) throw EPBShellLink("\"CoCreateInstance\" a \xE9" "chou\xE9.");
  std::unique_ptr<platform::PersistFile> file;
  if (platform::ComFailed(link->QueryPersistFile(file)))
    throw EPBShellLink("\"PersistFile QueryInterface\" a \xE9" "chou\xE9.");

  link->SetDescription(description_);
  link->SetPath(target_);
  link->SetWorkingDirectory(workingDir_);
  link->SetArguments(arguments_);
  // A component whose window state was never written would start its target hidden (0).
  link->SetShowCmd(showCmd_ == 0 ? kShowNormal : showCmd_);
  link->SetHotkey(hotKeyWord_);
  link->SetIconLocation(fileIcon_.FileName, fileIcon_.IconIndex);

  if (platform::ComFailed(file->Save(name, true))) throw EPBShellLink("Erreur en \xE9" "criture.");
}
