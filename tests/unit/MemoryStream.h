#pragma once
// A stream over bytes in memory, for feeding the decompression reader.
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/Stream.h"

class MemoryStream final : public platform::Stream {
 public:
  explicit MemoryStream(std::string data) : data_(std::move(data)) {}
  std::size_t Read(void* buffer, std::size_t count) override {
    const std::size_t n = std::min(count, data_.size() - std::min(position_, data_.size()));
    std::memcpy(buffer, data_.data() + position_, n);
    position_ += n;
    reads_ += 1;
    return n;
  }
  void Write(const void*, std::size_t) override {}
  std::int64_t Seek(std::int64_t offset, platform::SeekOrigin origin) override {
    const std::int64_t base = origin == platform::SeekOrigin::Begin     ? 0
                              : origin == platform::SeekOrigin::Current ? static_cast<std::int64_t>(position_)
                                                                        : static_cast<std::int64_t>(data_.size());
    position_ = static_cast<std::size_t>(base + offset);
    return base + offset;
  }
  int Reads() const { return reads_; }

 private:
  std::string data_;
  std::size_t position_ = 0;
  int reads_ = 0;
};
