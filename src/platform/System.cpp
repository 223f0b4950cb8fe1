#include "System.h"

#include <stdexcept>

namespace platform {

namespace {
System* installed = nullptr;
}

System& Sys() {
  if (!installed) throw std::logic_error("no operating-system services installed");
  return *installed;
}

System* SetSys(System* system) {
  System* previous = installed;
  installed = system;
  return previous;
}

}  // namespace platform
