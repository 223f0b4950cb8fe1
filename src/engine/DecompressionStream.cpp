#include "DecompressionStream.h"

namespace {
// Input is read in large pieces: inflate runs best when it need not stop for input.
constexpr std::size_t kInputSize = 64 * 1024;
}

DecompressionStream::DecompressionStream(platform::Stream& source)
    : source_(source), sourceStart_(source.Seek(0, platform::SeekOrigin::Current)), input_(kInputSize) {
  if (inflateInit(&zs_) != Z_OK) throw DecompressionError();
}

DecompressionStream::~DecompressionStream() { inflateEnd(&zs_); }

std::size_t DecompressionStream::Read(void* buffer, std::size_t count) {
  zs_.next_out = static_cast<Bytef*>(buffer);
  zs_.avail_out = static_cast<uInt>(count);
  while (zs_.avail_out > 0 && !finished_) {
    if (zs_.avail_in == 0) {
      const std::size_t got = source_.Read(input_.data(), input_.size());
      if (got == 0) {
        // An empty source holds no stream at all; one that ends inside its
        // stream is cut short, and what it inflated is not the whole file.
        if (sourceSeen_) throw DecompressionError();
        finished_ = true;
        break;
      }
      sourceSeen_ = true;
      zs_.next_in = input_.data();
      zs_.avail_in = static_cast<uInt>(got);
    }
    const int result = inflate(&zs_, Z_NO_FLUSH);
    if (result == Z_STREAM_END) {
      finished_ = true;
    } else if (result != Z_OK) {
      // Negative codes and a request for a preset dictionary alike.
      throw DecompressionError();
    }
  }
  const std::size_t delivered = count - zs_.avail_out;
  position_ += static_cast<std::int64_t>(delivered);
  return delivered;
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
  position_ = 0;
  sourceSeen_ = false;
  finished_ = false;
}
