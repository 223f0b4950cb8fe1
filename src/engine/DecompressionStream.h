#pragma once
// A read-only stream that inflates one zlib stream read from another stream.
#include <cstdint>
#include <vector>
#include <zlib.h>

#include "platform/Errors.h"
#include "platform/Stream.h"

// Inflate failed, the stream could not be set up, or its data ended early.
struct DecompressionError : platform::Error {
  DecompressionError() : platform::Error("error") {}
};

// Writing, and seeking anywhere but to the start or forward.
struct InvalidStreamOperation : platform::Error {
  InvalidStreamOperation() : platform::Error("Invalid stream operation") {}
};

class DecompressionStream final : public platform::Stream {
 public:
  // Starts at the source's current position.
  explicit DecompressionStream(platform::Stream& source);
  ~DecompressionStream() override;

  // Delivers exactly `count` bytes while inflated data remains, fewer only at
  // its end; 0 from then on. Bytes after the end of the zlib stream are ignored.
  std::size_t Read(void* buffer, std::size_t count) override;
  void Write(const void* buffer, std::size_t count) override;
  // To the very start restarts inflation; forward reads and discards.
  std::int64_t Seek(std::int64_t offset, platform::SeekOrigin origin) override;

 private:
  void Restart();

  platform::Stream& source_;
  std::int64_t sourceStart_;
  z_stream zs_{};
  std::vector<unsigned char> input_;
  std::int64_t position_ = 0;
  bool sourceSeen_ = false;  // any byte read from the source since the start
  bool finished_ = false;
};
