#pragma once
// The operating-system services that the setup uses, behind one narrow
// interface: the real Win32 implementation in win32/, in-memory doubles in the
// tests. The program installs its implementation once at start.
#include <cstdint>
#include <memory>
#include <string>

#include "RegistryApi.h"
#include "Stream.h"

namespace platform {

class System {
 public:
  virtual ~System() = default;

  virtual RegistryApi& Registry() = 0;

  virtual std::string GetCurrentDir() = 0;
  virtual bool SetCurrentDir(const std::string& dir) = 0;
  // Creates one directory level; the parent must exist.
  virtual bool CreateDir(const std::string& dir) = 0;

  // An existing file for reading only, not shared; raises StreamError.
  virtual std::unique_ptr<Stream> OpenFileStream(const std::string& name) = 0;
  // A new file for writing, replacing an existing one; raises StreamError.
  virtual std::unique_ptr<Stream> CreateFileStream(const std::string& name) = 0;

  // Free bytes on a drive: 0 the current drive, 1 A:, 2 B:, ...; -1 when unknown.
  virtual std::int64_t DiskFree(int drive) = 0;

  // A plain message box with an OK button.
  virtual void ShowMessage(const std::string& text) = 0;
};

System& Sys();
// Installs the implementation that Sys() hands out; returns the previous one.
System* SetSys(System* system);

}  // namespace platform
