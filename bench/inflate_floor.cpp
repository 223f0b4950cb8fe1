// The floor for extraction: inflates one zlib stream from a file into a file
// with zlib and 1 MiB buffers, nothing else.
//   inflate_floor SOURCE TARGET
#include <zlib.h>

#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: inflate_floor SOURCE TARGET\n", stderr);
    return 2;
  }
  std::FILE* in = std::fopen(argv[1], "rb");
  std::FILE* out = std::fopen(argv[2], "wb");
  if (!in || !out) return 1;
  std::vector<unsigned char> input(1 << 20), output(1 << 20);
  z_stream zs{};
  if (inflateInit(&zs) != Z_OK) return 1;
  int result = Z_OK;
  while (result != Z_STREAM_END) {
    zs.avail_in = static_cast<uInt>(std::fread(input.data(), 1, input.size(), in));
    if (zs.avail_in == 0) break;
    zs.next_in = input.data();
    do {
      zs.next_out = output.data();
      zs.avail_out = static_cast<uInt>(output.size());
      result = inflate(&zs, Z_NO_FLUSH);
      if (result < 0 || result == Z_NEED_DICT) return 1;
      std::fwrite(output.data(), 1, output.size() - zs.avail_out, out);
    } while (zs.avail_out == 0);
  }
  inflateEnd(&zs);
  std::fclose(in);
  return std::fclose(out) == 0 && result == Z_STREAM_END ? 0 : 1;
}
