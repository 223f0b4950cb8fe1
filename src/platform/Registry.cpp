#include "Registry.h"

#include "Errors.h"
#include "System.h"

namespace platform {

Registry::Registry() : api_(Sys().Registry()) {}

Registry::~Registry() { CloseKey(); }

void Registry::SetRootKey(RootKey root) {
  CloseKey();
  root_ = root;
}

KeyHandle Registry::BaseKey(bool relative) {
  return (current_ == 0 || !relative) ? api_.Root(root_) : current_;
}

bool Registry::OpenKey(const std::string& key, bool canCreate) {
  const bool relative = key.empty() || key[0] != '\\';
  const std::string path = relative ? key : key.substr(1);
  KeyHandle opened = 0;
  if (!api_.OpenKey(BaseKey(relative), path, canCreate && !path.empty(), opened)) return false;
  CloseKey();
  current_ = opened;
  return true;
}

void Registry::CreateKey(const std::string& key) {
  const bool relative = key.empty() || key[0] != '\\';
  const std::string path = relative ? key : key.substr(1);
  KeyHandle created = 0;
  if (!api_.OpenKey(BaseKey(relative), path, true, created))
    throw RegistryError("Failed to create key " + key);
  api_.CloseKey(created);
}

std::string Registry::ReadString(const std::string& name) {
  std::string data;
  if (current_ == 0) return data;
  switch (api_.QueryValue(current_, name, data)) {
    case ValueType::Missing:
      return std::string();
    case ValueType::String:
    case ValueType::ExpandString:
      return data;
    case ValueType::Other:
      break;
  }
  throw RegistryError("Invalid data type for '" + name + "'");
}

void Registry::WriteString(const std::string& name, const std::string& value) {
  if (current_ == 0 || !api_.SetStringValue(current_, name, value))
    throw RegistryError("Failed to set data for '" + name + "'");
}

void Registry::CloseKey() {
  if (current_ != 0) api_.CloseKey(current_);
  current_ = 0;
}

}  // namespace platform
