#pragma once
// The system's shell link object as the shortcut component drives it: COM set
// up and given up per thread, one object per shortcut with its IShellLinkA
// setters, and its IPersistFile that writes the file. Results keep the COM
// convention (negative means failure) so that the caller decides what counts.
// Dropping a pointer object releases the interface it stands for.
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

using ComResult = std::int32_t;

inline bool ComFailed(ComResult result) { return result < 0; }

// IPersistFile of a shell link object.
class PersistFile {
 public:
  virtual ~PersistFile() = default;  // Release
  // Converts `name` from the ANSI code page into a UTF-16 buffer of 260 units
  // and saves under it, with the given remember flag. A name that does not
  // convert fails like a save that did not happen.
  virtual ComResult Save(const std::string& name, bool remember) = 0;
};

// IShellLinkA of a shell link object. Texts go over as zero-terminated ANSI strings.
class ShellLinkObject {
 public:
  virtual ~ShellLinkObject() = default;  // Release
  // QueryInterface for IID_IPersistFile; `file` is set only on success.
  virtual ComResult QueryPersistFile(std::unique_ptr<PersistFile>& file) = 0;
  virtual void SetDescription(const std::string& text) = 0;
  virtual void SetPath(const std::string& path) = 0;
  virtual void SetWorkingDirectory(const std::string& dir) = 0;
  virtual void SetArguments(const std::string& args) = 0;
  virtual void SetShowCmd(std::int32_t showCmd) = 0;
  virtual void SetHotkey(std::uint16_t hotkey) = 0;
  virtual void SetIconLocation(const std::string& file, std::int32_t index) = 0;
};

class ShellLinkApi {
 public:
  virtual ~ShellLinkApi() = default;
  virtual ComResult Initialize() = 0;  // CoInitialize(NULL): single-threaded apartment
  virtual void Uninitialize() = 0;     // CoUninitialize
  // CoCreateInstance(CLSID_ShellLink, no outer object, CLSCTX_INPROC_SERVER,
  // IID_IShellLinkA); `link` is set only on success.
  virtual ComResult CreateShellLink(std::unique_ptr<ShellLinkObject>& link) = 0;
};

ShellLinkApi& ShellLinks();
// Installs the implementation that ShellLinks() hands out; returns the previous one.
ShellLinkApi* SetShellLinks(ShellLinkApi* api);

}  // namespace platform
