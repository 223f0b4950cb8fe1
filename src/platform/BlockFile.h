#pragma once
// An untyped file moved in blocks of bytes, bound to a name before it is
// opened. Every operation checks the input/output result and raises InOutError
// when it reports a failure, so that no failure passes unnoticed. The file is
// closed on destruction when an error left it open.
#include <cstddef>
#include <memory>
#include <string>

#include "System.h"

namespace platform {

class BlockFile {
 public:
  explicit BlockFile(std::string name);
  ~BlockFile();
  BlockFile(const BlockFile&) = delete;
  BlockFile& operator=(const BlockFile&) = delete;

  // Opens the existing file for reading only.
  void Reset();
  // Creates the file for writing; an existing one is replaced.
  void Rewrite();
  bool Eof();
  // Reads up to `count` bytes; returns how many it got.
  std::size_t BlockRead(void* buffer, std::size_t count);
  // Writes all `count` bytes; fewer is a disk write error.
  void BlockWrite(const void* buffer, std::size_t count);
  void Close();

  const std::string& Name() const { return name_; }

 private:
  void Check(int result);
  RawFile& Open();

  std::string name_;
  std::unique_ptr<RawFile> file_;
};

// The input/output result codes that the block file reports itself.
constexpr int kDiskWriteError = 101;
constexpr int kFileNotOpen = 103;

}  // namespace platform
