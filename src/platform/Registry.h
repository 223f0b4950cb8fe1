#pragma once
// The registry access object: one per block of registry work, with a root key
// and at most one open key. Opening never raises; creating a key, reading a
// value that is not text and writing a value that the system refuses do.
#include <string>

#include "RegistryApi.h"

namespace platform {

class Registry {
 public:
  Registry();  // root HKEY_CURRENT_USER, no key open
  ~Registry();
  Registry(const Registry&) = delete;
  Registry& operator=(const Registry&) = delete;

  void SetRootKey(RootKey root);
  // A key without a leading backslash is relative to the open key, if any.
  bool OpenKey(const std::string& key, bool canCreate);
  void CreateKey(const std::string& key);
  // Empty text when no key is open or the value does not exist.
  std::string ReadString(const std::string& name);
  void WriteString(const std::string& name, const std::string& value);
  void CloseKey();

 private:
  KeyHandle BaseKey(bool relative);

  RegistryApi& api_;
  RootKey root_ = RootKey::CurrentUser;
  KeyHandle current_ = 0;
};

}  // namespace platform
