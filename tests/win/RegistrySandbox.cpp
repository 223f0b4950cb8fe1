#include "RegistrySandbox.h"

#include <stdexcept>
#include <vector>

namespace {
HKEY CreateScratch(const std::string& path) {
  HKEY key = nullptr;
  RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
  if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    throw std::runtime_error("cannot create scratch key " + path);
  return key;
}
}  // namespace

RegistrySandbox::RegistrySandbox() : scratch_("Software\\MirvoSetupTests\\" + std::to_string(GetCurrentProcessId())) {
  machine_ = CreateScratch(scratch_ + "\\HKLM");
  user_ = CreateScratch(scratch_ + "\\HKCU");
  RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine_);
  RegOverridePredefKey(HKEY_CURRENT_USER, user_);
}

RegistrySandbox::~RegistrySandbox() {
  RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  RegCloseKey(machine_);
  RegCloseKey(user_);
  RegDeleteTreeA(HKEY_CURRENT_USER, scratch_.c_str());
}

std::string RegistrySandbox::ReadText(HKEY root, const std::string& key, const std::string& name) {
  char data[1024] = "";
  DWORD size = sizeof data - 1;
  if (RegGetValueA(root, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
    return std::string();
  return data;
}

DWORD RegistrySandbox::TypeOf(HKEY root, const std::string& key, const std::string& name) {
  DWORD type = REG_NONE;
  if (RegGetValueA(root, key.c_str(), name.c_str(), RRF_RT_ANY, &type, nullptr, nullptr) != ERROR_SUCCESS)
    return REG_NONE;
  return type;
}
