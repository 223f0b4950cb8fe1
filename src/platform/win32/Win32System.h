#pragma once
// The real operating-system services over the Win32 API (ANSI functions).
#include "platform/System.h"

namespace platform {

class Win32RegistryApi final : public RegistryApi {
 public:
  KeyHandle Root(RootKey root) override;
  bool OpenKey(KeyHandle base, const std::string& subkey, bool create, KeyHandle& opened) override;
  void CloseKey(KeyHandle key) override;
  ValueType QueryValue(KeyHandle key, const std::string& name, std::string& data) override;
  bool SetStringValue(KeyHandle key, const std::string& name, const std::string& value) override;
};

class Win32System : public System {
 public:
  RegistryApi& Registry() override { return registry_; }
  std::string GetCurrentDir() override;
  bool SetCurrentDir(const std::string& dir) override;
  bool CreateDir(const std::string& dir) override;
  std::unique_ptr<Stream> OpenFileStream(const std::string& name) override;
  std::unique_ptr<Stream> CreateFileStream(const std::string& name) override;
  int OpenRawFile(const std::string& name, std::unique_ptr<RawFile>& file) override;
  int CreateRawFile(const std::string& name, std::unique_ptr<RawFile>& file) override;
  std::string GetWindowsDir() override;
  std::int64_t DiskFree(int drive) override;
  std::string GetProgramsDir() override;

 private:
  Win32RegistryApi registry_;
};

}  // namespace platform
