#pragma once
// Redirects HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER of this process onto
// fresh scratch keys for the lifetime of the object, so that tests use the
// real registry without touching the prefix's own keys.
#include <windows.h>

#include <string>

class RegistrySandbox {
 public:
  RegistrySandbox();
  ~RegistrySandbox();
  RegistrySandbox(const RegistrySandbox&) = delete;
  RegistrySandbox& operator=(const RegistrySandbox&) = delete;

  // Reads a value below the redirected root as text; empty when absent.
  static std::string ReadText(HKEY root, const std::string& key, const std::string& name);
  static DWORD TypeOf(HKEY root, const std::string& key, const std::string& name);

 private:
  std::string scratch_;
  HKEY machine_ = nullptr;
  HKEY user_ = nullptr;
};
