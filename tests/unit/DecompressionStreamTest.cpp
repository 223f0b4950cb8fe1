#include <gtest/gtest.h>

#include "MemoryStream.h"
#include "Zlib.h"
#include "engine/DecompressionStream.h"

namespace {

// Reads the whole reader in 4096-byte requests, checking that each request is
// filled exactly until the data is exhausted.
std::string ReadAll(DecompressionStream& reader, std::size_t expectedSize) {
  std::string out;
  char buffer[4096];
  for (;;) {
    const std::size_t n = reader.Read(buffer, sizeof buffer);
    const std::size_t left = expectedSize - out.size();
    EXPECT_EQ(n, std::min(left, sizeof buffer));
    if (n == 0) break;
    out.append(buffer, n);
  }
  return out;
}

}  // namespace

TEST(DecompressionStream, DeliversExactCountsThenZeroForEverySize) {
  for (std::size_t size : {0u, 1u, 4095u, 4096u, 4097u, 300000u}) {
    SCOPED_TRACE(size);
    const std::string data = SampleBytes(size);
    MemoryStream source(Deflate(data));
    DecompressionStream reader(source);
    EXPECT_TRUE(ReadAll(reader, data.size()) == data);
    char c;
    EXPECT_EQ(reader.Read(&c, 1), 0u);
  }
}

TEST(DecompressionStream, AnEmptySourceDeliversNothingWithoutError) {
  MemoryStream source("");
  DecompressionStream reader(source);
  char buffer[16];
  EXPECT_EQ(reader.Read(buffer, sizeof buffer), 0u);
  EXPECT_EQ(reader.Read(buffer, sizeof buffer), 0u);
}

TEST(DecompressionStream, BrokenStreamsRaiseError) {
  const std::string data = SampleBytes(200000);
  const std::string good = Deflate(data);
  std::string badHeader = good;
  badHeader[0] = 0x79;
  std::string badChecksum = good;
  badChecksum.back() ^= 0x01;
  std::string badData = good;
  for (std::size_t i = 100; i < 140; ++i) badData[i] = static_cast<char>(0xff);
  const struct {
    const char* name;
    std::string stream;
  } cases[] = {
      {"bad header", badHeader},
      {"bad checksum", badChecksum},
      {"bad data", badData},
      {"cut after the header", good.substr(0, 2)},
      {"cut in the middle", good.substr(0, good.size() / 2)},
      {"cut before the checksum", good.substr(0, good.size() - 4)},
      {"one header byte", good.substr(0, 1)},
      {"needs a preset dictionary", Deflate(data, "Mirvo 98 Quandelwerk")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryStream source(c.stream);
    DecompressionStream reader(source);
    char buffer[4096];
    try {
      while (reader.Read(buffer, sizeof buffer) != 0) {
      }
      ADD_FAILURE() << "no error";
    } catch (const DecompressionError& error) {
      EXPECT_STREQ(error.what(), "error");
    }
  }
}

TEST(DecompressionStream, IgnoresBytesAfterTheEndOfTheStreamAndReadsNoFurther) {
  const std::string data = SampleBytes(5000);
  MemoryStream source(Deflate(data) + std::string(1 << 20, 'x'));
  DecompressionStream reader(source);
  EXPECT_TRUE(ReadAll(reader, data.size()) == data);
  const int reads = source.Reads();
  char c;
  EXPECT_EQ(reader.Read(&c, 1), 0u);
  EXPECT_EQ(source.Reads(), reads);
}

TEST(DecompressionStream, StartsAtTheSourcesPosition) {
  const std::string data = SampleBytes(10000);
  MemoryStream source("prefix" + Deflate(data));
  source.Seek(6, platform::SeekOrigin::Begin);
  DecompressionStream reader(source);
  EXPECT_TRUE(ReadAll(reader, data.size()) == data);
}

TEST(DecompressionStream, SeeksToTheStartOrForwardOnlyAndRefusesWrites) {
  const std::string data = SampleBytes(20000);
  MemoryStream source("ab" + Deflate(data));
  source.Seek(2, platform::SeekOrigin::Begin);
  DecompressionStream reader(source);
  char buffer[8];

  EXPECT_EQ(reader.Seek(10000, platform::SeekOrigin::Begin), 10000);
  ASSERT_EQ(reader.Read(buffer, 8), 8u);
  EXPECT_EQ(std::string(buffer, 8), data.substr(10000, 8));
  EXPECT_EQ(reader.Seek(100, platform::SeekOrigin::Current), 10108);
  ASSERT_EQ(reader.Read(buffer, 8), 8u);
  EXPECT_EQ(std::string(buffer, 8), data.substr(10108, 8));

  EXPECT_EQ(reader.Seek(0, platform::SeekOrigin::Begin), 0);  // restarts
  ASSERT_EQ(reader.Read(buffer, 8), 8u);
  EXPECT_EQ(std::string(buffer, 8), data.substr(0, 8));

  EXPECT_EQ(reader.Seek(50000, platform::SeekOrigin::Begin), 20000);  // stops at the end
  EXPECT_THROW(reader.Seek(5, platform::SeekOrigin::Begin), InvalidStreamOperation);
  EXPECT_THROW(reader.Seek(-1, platform::SeekOrigin::Current), InvalidStreamOperation);
  EXPECT_THROW(reader.Seek(0, platform::SeekOrigin::End), InvalidStreamOperation);
  try {
    reader.Write(buffer, 1);
    ADD_FAILURE() << "write accepted";
  } catch (const InvalidStreamOperation& error) {
    EXPECT_STREQ(error.what(), "Invalid stream operation");
  }
}
