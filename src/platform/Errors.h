#pragma once
// Failure kinds that the operating-system services raise. Callers that must
// tell them apart catch the concrete class; the install sequence's caller
// swallows them all.
#include <stdexcept>
#include <string>

namespace platform {

struct Error : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// File streams: a file that cannot be opened or created, a short write.
struct StreamError : Error {
  using Error::Error;
};

// Untyped block files: the input/output result of an operation reported a failure.
struct InOutError : Error {
  InOutError(int code, const std::string& message) : Error(message), code(code) {}
  int code;
};

// Registry: a key that cannot be created, a value that cannot be written or is not text.
struct RegistryError : Error {
  using Error::Error;
};

}  // namespace platform
