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
  // Damaged or cut-short data raises "error" once what inflate made of the
  // data before the damage has been delivered.
  std::size_t Read(void* buffer, std::size_t count) override;
  void Write(const void* buffer, std::size_t count) override;
  // To the very start restarts inflation; forward reads and discards.
  std::int64_t Seek(std::int64_t offset, platform::SeekOrigin origin) override;

 private:
  void Restart();
  // Inflates the next piece into the output buffer; false at the end of the data.
  bool Refill();

  platform::Stream& source_;
  std::int64_t sourceStart_;
  z_stream zs_{};
  std::vector<unsigned char> input_;
  // Inflated ahead in large pieces and handed out from here: inflate's fast
  // path stops short of the end of every output buffer, which costs dearly
  // when the caller reads in small blocks.
  std::vector<unsigned char> output_;
  std::size_t outputStart_ = 0, outputEnd_ = 0;
  std::int64_t position_ = 0;
  bool sourceSeen_ = false;  // any byte read from the source since the start
  bool failed_ = false;      // the data is broken past what the output buffer holds
  bool finished_ = false;
};
