#include "DecompressionStream.h"

#include <algorithm>
#include <cstring>

namespace {
// Input is read and output made in large pieces: inflate runs best when it
// need not stop for either.
constexpr std::size_t kInputSize = 64 * 1024;
constexpr std::size_t kOutputSize = 64 * 1024;
}

DecompressionStream::DecompressionStream(platform::Stream& source)
    : source_(source),
      sourceStart_(source.Seek(0, platform::SeekOrigin::Current)),
      input_(kInputSize),
      output_(kOutputSize) {
  if (inflateInit(&zs_) != Z_OK) throw DecompressionError();
}

DecompressionStream::~DecompressionStream() { inflateEnd(&zs_); }

std::size_t DecompressionStream::Read(void* buffer, std::size_t count) {
  auto* out = static_cast<unsigned char*>(buffer);
  std::size_t delivered = 0;
  while (delivered < count) {
    if (outputStart_ == outputEnd_ && !Refill()) break;
    const std::size_t n = std::min(count - delivered, outputEnd_ - outputStart_);
    std::memcpy(out + delivered, output_.data() + outputStart_, n);
    outputStart_ += n;
    delivered += n;
  }
  position_ += static_cast<std::int64_t>(delivered);
  return delivered;
}

bool DecompressionStream::Refill() {
  // What inflate made before it met the damage has been handed out; now the error.
  if (failed_) throw DecompressionError();
  outputStart_ = outputEnd_ = 0;
  zs_.next_out = output_.data();
  zs_.avail_out = static_cast<uInt>(output_.size());
  while (zs_.avail_out > 0 && !finished_ && !failed_) {
    if (zs_.avail_in == 0) {
      const std::size_t got = source_.Read(input_.data(), input_.size());
      if (got == 0) {
        // An empty source holds no stream at all; one that ends inside its
        // stream is cut short, and what it inflated is not the whole file.
        failed_ = sourceSeen_;
        finished_ = !sourceSeen_;
        break;
      }
      sourceSeen_ = true;
      zs_.next_in = input_.data();
      zs_.avail_in = static_cast<uInt>(got);
    }
    const int result = inflate(&zs_, Z_NO_FLUSH);
    // Negative codes and a request for a preset dictionary alike are errors.
    finished_ = result == Z_STREAM_END;
    failed_ = result != Z_OK && result != Z_STREAM_END;
  }
  outputEnd_ = output_.size() - zs_.avail_out;
  if (outputEnd_ == 0 && failed_) throw DecompressionError();
  return outputEnd_ > 0;
}

void DecompressionStream::Write(const void*, std::size_t) { throw InvalidStreamOperation(); }

std::int64_t DecompressionStream::Seek(std::int64_t offset, platform::SeekOrigin origin) {
  std::int64_t target;
  switch (origin) {
    case platform::SeekOrigin::Begin:
      target = offset;
      break;
    case platform::SeekOrigin::Current:
      target = position_ + offset;
      break;
    default:
      throw InvalidStreamOperation();
  }
  if (origin == platform::SeekOrigin::Begin && offset == 0) {
    Restart();
    return 0;
  }
  if (target < position_) throw InvalidStreamOperation();
  unsigned char discard[4096];
  while (position_ < target) {
    const std::int64_t want = target - position_;
    const std::size_t chunk = want < static_cast<std::int64_t>(sizeof discard) ? static_cast<std::size_t>(want)
                                                                                : sizeof discard;
    if (Read(discard, chunk) == 0) break;
  }
  return position_;
}

void DecompressionStream::Restart() {
  if (inflateReset(&zs_) != Z_OK) throw DecompressionError();
  source_.Seek(sourceStart_, platform::SeekOrigin::Begin);
  zs_.next_in = nullptr;
  zs_.avail_in = 0;
  outputStart_ = outputEnd_ = 0;
  failed_ = false;
  position_ = 0;
  sourceSeen_ = false;
  finished_ = false;
}
