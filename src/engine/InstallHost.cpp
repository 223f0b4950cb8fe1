#include "InstallHost.h"

#include <stdexcept>

namespace {
InstallHost* installed = nullptr;
}

InstallHost& Host() {
  if (!installed) throw std::logic_error("no install host");
  return *installed;
}

InstallHost* SetHost(InstallHost* host) {
  InstallHost* previous = installed;
  installed = host;
  return previous;
}
