#pragma once
// In-memory doubles of the operating-system services, written to the Win32
// rules the setup relies on: names compare without regard to case, a
// directory is created one level at a time, relative names resolve against the
// current directory, a file stream is not shared, a block file being read is
// shared with other readers only. Faults can be injected.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/System.h"

class FakeRegistry final : public platform::RegistryApi {
 public:
  using RootKey = platform::RootKey;

  void PutString(RootKey root, const std::string& key, const std::string& name, const std::string& value);
  // A value of a type other than text (a DWORD, say).
  void PutOther(RootKey root, const std::string& key, const std::string& name);
  bool HasKey(RootKey root, const std::string& key) const;
  std::optional<std::string> GetString(RootKey root, const std::string& key, const std::string& name) const;
  // Creating this key (or anything below it) fails.
  void DenyCreate(RootKey root, const std::string& key);
  // Writing values into this key fails.
  void DenyWrite(RootKey root, const std::string& key);
  int OpenHandles() const { return static_cast<int>(handles_.size()); }

  platform::KeyHandle Root(RootKey root) override;
  bool OpenKey(platform::KeyHandle base, const std::string& subkey, bool create,
               platform::KeyHandle& opened) override;
  void CloseKey(platform::KeyHandle key) override;
  platform::ValueType QueryValue(platform::KeyHandle key, const std::string& name, std::string& data) override;
  bool SetStringValue(platform::KeyHandle key, const std::string& name, const std::string& value) override;

 private:
  struct Value {
    platform::ValueType type;
    std::string data;
  };
  static std::string Path(RootKey root, const std::string& key);
  std::string PathOf(platform::KeyHandle handle) const;
  void CreatePath(const std::string& path);

  std::map<std::string, std::map<std::string, Value>> keys_;  // upper-case full path -> upper-case name -> value
  std::set<std::string> denyCreate_, denyWrite_;
  std::map<platform::KeyHandle, std::string> handles_;
  platform::KeyHandle next_ = 100;
};

class FakeSystem final : public platform::System {
 public:
  // Drive C: holding only the Windows directory C:\WINDOWS with its System
  // folder; current directory C:\ .
  FakeSystem();

  // Set-up and inspection. Paths resolve as the system would resolve them now.
  void AddDir(const std::string& dir);  // with all missing parents
  void PutFile(const std::string& name, const std::string& data);
  bool DirExists(const std::string& dir) const;
  bool FileExists(const std::string& name) const;
  std::string FileData(const std::string& name) const;
  // No directory or file can be created inside this directory.
  void MakeReadOnly(const std::string& dir);
  // Only this many more bytes fit on the disk; further writes come up short.
  void LimitSpace(std::int64_t bytes) { space_ = bytes; }
  // Reading this file fails once `offset` bytes have been read.
  void FailReadAt(const std::string& name, std::size_t offset);
  void SetDiskFree(int drive, std::int64_t bytes) { diskFree_[drive] = bytes; }
  void SetWindowsDir(const std::string& dir) { windowsDir_ = dir; }
  // Open file streams and block files.
  int OpenStreams() const { return openStreams_; }
  // What the system reports as the user's programs folder.
  void SetProgramsDir(const std::string& dir) { programsDir_ = dir; }
  FakeRegistry& Reg() { return registry_; }

  platform::RegistryApi& Registry() override { return registry_; }
  std::string GetCurrentDir() override { return cwd_; }
  bool SetCurrentDir(const std::string& dir) override;
  bool CreateDir(const std::string& dir) override;
  std::unique_ptr<platform::Stream> OpenFileStream(const std::string& name) override;
  std::unique_ptr<platform::Stream> CreateFileStream(const std::string& name) override;
  int OpenRawFile(const std::string& name, std::unique_ptr<platform::RawFile>& file) override;
  int CreateRawFile(const std::string& name, std::unique_ptr<platform::RawFile>& file) override;
  std::string GetWindowsDir() override { return windowsDir_; }
  std::int64_t DiskFree(int drive) override;
  std::string GetProgramsDir() override { return programsDir_; }

 private:
  struct File;
  class FakeStream;
  class FakeRawFile;
  struct Resolved {
    std::string display;  // as spelled, e.g. C:\Setup\Mirvo98.hlp
    std::string key;      // upper-case, for lookups
    std::string parentKey;
  };
  Resolved Resolve(const std::string& path) const;
  bool Writable(const Resolved& r) const;

  std::string cwd_ = "C:\\";
  std::string windowsDir_ = "C:\\WINDOWS";
  std::set<std::string> dirs_;
  std::set<std::string> readOnly_;
  std::map<std::string, std::shared_ptr<File>> files_;
  std::map<int, std::int64_t> diskFree_;
  std::optional<std::int64_t> space_;
  int openStreams_ = 0;
  std::string programsDir_;
  FakeRegistry registry_;
};

// Installs a FakeSystem for the lifetime of a test and takes it out again.
class ScopedFakeSystem {
 public:
  ScopedFakeSystem() : previous_(platform::SetSys(&system_)) {}
  ~ScopedFakeSystem() { platform::SetSys(previous_); }
  FakeSystem* operator->() { return &system_; }
  FakeSystem& operator*() { return system_; }

 private:
  FakeSystem system_;
  platform::System* previous_;
};
