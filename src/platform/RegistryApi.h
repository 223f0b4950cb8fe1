#pragma once
// The raw registry as the system offers it: key handles and typed values.
// Registry (the registry access object) builds its open/read/write rules on it.
#include <cstdint>
#include <string>

namespace platform {

enum class RootKey { CurrentUser, LocalMachine };

using KeyHandle = std::uintptr_t;  // 0: no key

enum class ValueType { Missing, String, ExpandString, Other };

class RegistryApi {
 public:
  virtual ~RegistryApi() = default;
  virtual KeyHandle Root(RootKey root) = 0;
  // Opens (or, with create, creates and opens) `subkey` below `base` with full access.
  virtual bool OpenKey(KeyHandle base, const std::string& subkey, bool create, KeyHandle& opened) = 0;
  virtual void CloseKey(KeyHandle key) = 0;
  // Text data comes back without its terminator; other types leave `data` empty.
  virtual ValueType QueryValue(KeyHandle key, const std::string& name, std::string& data) = 0;
  // Writes a REG_SZ value; false when the system refuses.
  virtual bool SetStringValue(KeyHandle key, const std::string& name, const std::string& value) = 0;
};

}  // namespace platform
