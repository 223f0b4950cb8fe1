#pragma once
// Test data: zlib streams made with the real deflate.
#include <zlib.h>

#include <random>
#include <stdexcept>
#include <string>

inline std::string Deflate(const std::string& data, const std::string& dictionary = "") {
  z_stream zs{};
  if (deflateInit(&zs, Z_BEST_COMPRESSION) != Z_OK) throw std::runtime_error("deflateInit");
  if (!dictionary.empty())
    deflateSetDictionary(&zs, reinterpret_cast<const Bytef*>(dictionary.data()), static_cast<uInt>(dictionary.size()));
  std::string out(deflateBound(&zs, static_cast<uLong>(data.size())) + 16, '\0');
  zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  zs.avail_in = static_cast<uInt>(data.size());
  zs.next_out = reinterpret_cast<Bytef*>(out.data());
  zs.avail_out = static_cast<uInt>(out.size());
  if (deflate(&zs, Z_FINISH) != Z_STREAM_END) throw std::runtime_error("deflate");
  out.resize(zs.total_out);
  deflateEnd(&zs);
  return out;
}

// Bytes that compress only a little, so that streams span many input pieces.
inline std::string SampleBytes(std::size_t size, unsigned seed = 1) {
  std::mt19937 rng(seed);
  std::string data(size, '\0');
  for (auto& c : data) c = static_cast<char>("Mirvo 98 Quandelwerk"[rng() % 20] ^ (rng() % 4));
  return data;
}
