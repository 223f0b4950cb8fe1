#pragma once
// The system's shell link object (CLSID_ShellLink) through COM.
#include "platform/ShellLinkApi.h"

namespace platform {

class Win32ShellLinkApi final : public ShellLinkApi {
 public:
  ComResult Initialize() override;
  void Uninitialize() override;
  ComResult CreateShellLink(std::unique_ptr<ShellLinkObject>& link) override;
};

}  // namespace platform
