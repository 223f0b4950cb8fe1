#include "BlockFile.h"

#include "Errors.h"

namespace platform {

namespace {

std::string ResultText(int code) {
  switch (code) {
    case 2: return "File not found";
    case 3: return "Path not found";
    case 4: return "Too many open files";
    case 5: return "File access denied";
    case 30: return "Disk read error";
    case 32: return "File in use";
    case kDiskWriteError: return "Disk write error";
    case kFileNotOpen: return "File not open";
    case 112: return "Disk full";
    default: return "I/O error " + std::to_string(code);
  }
}

}  // namespace

BlockFile::BlockFile(std::string name) : name_(std::move(name)) {}

// Only reached with the file still open when an error passes; that error is
// the one to report, so a failing close here stays quiet.
BlockFile::~BlockFile() = default;

void BlockFile::Check(int result) {
  if (result != 0) throw InOutError(result, ResultText(result) + " \"" + name_ + "\"");
}

RawFile& BlockFile::Open() {
  if (!file_) Check(kFileNotOpen);
  return *file_;
}

void BlockFile::Reset() {
  file_.reset();
  Check(Sys().OpenRawFile(name_, file_));
}

void BlockFile::Rewrite() {
  file_.reset();
  Check(Sys().CreateRawFile(name_, file_));
}

bool BlockFile::Eof() {
  bool end = true;
  Check(Open().AtEnd(end));
  return end;
}

std::size_t BlockFile::BlockRead(void* buffer, std::size_t count) {
  std::size_t done = 0;
  Check(Open().Read(buffer, count, done));
  return done;
}

void BlockFile::BlockWrite(const void* buffer, std::size_t count) {
  std::size_t done = 0;
  Check(Open().Write(buffer, count, done));
  if (done != count) Check(kDiskWriteError);
}

void BlockFile::Close() {
  const int result = Open().Close();
  file_.reset();
  Check(result);
}

}  // namespace platform
