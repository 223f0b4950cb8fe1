#pragma once
#include <cstddef>
#include <cstdint>

namespace platform {

enum class SeekOrigin { Begin, Current, End };

// A byte stream. Read delivers fewer bytes than asked only at the end of the
// data; Write raises StreamError unless it could write every byte.
class Stream {
 public:
  virtual ~Stream() = default;
  virtual std::size_t Read(void* buffer, std::size_t count) = 0;
  virtual void Write(const void* buffer, std::size_t count) = 0;
  // Returns the new position.
  virtual std::int64_t Seek(std::int64_t offset, SeekOrigin origin) = 0;

  Stream() = default;
  Stream(const Stream&) = delete;
  Stream& operator=(const Stream&) = delete;
};

}  // namespace platform
