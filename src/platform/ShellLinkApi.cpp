#include "ShellLinkApi.h"

#include <stdexcept>

namespace platform {

namespace {
ShellLinkApi* installed = nullptr;
}

ShellLinkApi& ShellLinks() {
  if (!installed) throw std::logic_error("no shell link services installed");
  return *installed;
}

ShellLinkApi* SetShellLinks(ShellLinkApi* api) {
  ShellLinkApi* previous = installed;
  installed = api;
  return previous;
}

}  // namespace platform
