#pragma once
// The operating-system services that the setup uses, behind one narrow
// interface: the real Win32 implementation in win32/, in-memory doubles in the
// tests. The program installs its implementation once at start.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "RegistryApi.h"
#include "Stream.h"

namespace platform {

// An open file of untyped block input/output. Every operation returns the
// system's input/output result: 0 when it worked, otherwise the system's error
// code (2 file not found, 5 access denied, ...). BlockFile checks the results.
class RawFile {
 public:
  virtual ~RawFile() = default;  // closes the file unless Close did
  // `done` is the number of bytes read; fewer than `count` only at the end.
  virtual int Read(void* buffer, std::size_t count, std::size_t& done) = 0;
  // `done` is the number of bytes written; fewer than `count` when the disk is full.
  virtual int Write(const void* buffer, std::size_t count, std::size_t& done) = 0;
  // Whether the position has reached the size.
  virtual int AtEnd(bool& end) = 0;
  virtual int Close() = 0;

  RawFile() = default;
  RawFile(const RawFile&) = delete;
  RawFile& operator=(const RawFile&) = delete;
};

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

  // An existing file for reading only, shared with other readers; an
  // input/output result as RawFile's operations return it.
  virtual int OpenRawFile(const std::string& name, std::unique_ptr<RawFile>& file) = 0;
  // A new file for writing, replacing an existing one, not shared.
  virtual int CreateRawFile(const std::string& name, std::unique_ptr<RawFile>& file) = 0;

  // The Windows directory as the system reports it, such as C:\WINDOWS; empty when unknown.
  virtual std::string GetWindowsDir() = 0;

  // Free bytes on a drive: 0 the current drive, 1 A:, 2 B:, ...; -1 when unknown.
  virtual std::int64_t DiskFree(int drive) = 0;

  // The user's Start-menu programs folder as the system reports it; empty when unknown.
  virtual std::string GetProgramsDir() = 0;
};

System& Sys();
// Installs the implementation that Sys() hands out; returns the previous one.
System* SetSys(System* system);

}  // namespace platform
