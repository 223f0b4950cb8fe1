// Any bytes fed to the decompression reader: it must come to an end, raise
// only its own error, and deliver exactly what inflate produces, never more.
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/DecompressionStream.h"
#include "MemoryStream.h"

namespace {

// What zlib itself makes of the bytes, up to the first error; `complete` when
// the stream ended properly.
std::string Reference(const std::uint8_t* data, std::size_t size, bool& complete) {
  std::string out;
  z_stream zs{};
  complete = false;
  if (inflateInit(&zs) != Z_OK) return out;
  zs.next_in = const_cast<Bytef*>(data);
  zs.avail_in = static_cast<uInt>(size);
  unsigned char buffer[1024];
  for (;;) {
    zs.next_out = buffer;
    zs.avail_out = sizeof buffer;
    const int result = inflate(&zs, Z_NO_FLUSH);
    out.append(reinterpret_cast<char*>(buffer), sizeof buffer - zs.avail_out);
    if (result == Z_STREAM_END) complete = true;
    if (result != Z_OK) break;
    if (zs.avail_in == 0 && zs.avail_out != 0) break;
  }
  inflateEnd(&zs);
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  bool complete = false;
  const std::string expected = Reference(data, size, complete);
  MemoryStream source(std::string(reinterpret_cast<const char*>(data), size));
  DecompressionStream reader(source);
  std::string delivered;
  char buffer[4096];
  bool failed = false;
  try {
    for (;;) {
      const std::size_t n = reader.Read(buffer, sizeof buffer);
      if (n > sizeof buffer) std::abort();
      if (n == 0) break;
      delivered.append(buffer, n);
      if (delivered.size() > expected.size()) std::abort();  // more than inflate produced
    }
  } catch (const DecompressionError&) {
    failed = true;
  }
  // A complete stream is delivered whole and without error; anything else
  // (but the empty input) raises, having delivered no more than a prefix.
  if (complete && (failed || delivered != expected)) std::abort();
  if (!complete && size > 0 && !failed) std::abort();
  if (expected.compare(0, delivered.size(), delivered) != 0) std::abort();
  return 0;
}
