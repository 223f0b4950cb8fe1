// Lays out a distribution directory for the setup:
//   mkdist --out DIR --program FILE [--help FILE] [--order-txt FILE]
//          [--order-doc FILE] [--readme FILE] [--file-id FILE] [--uninstaller FILE]
// The program is packed into "mirvo98.dat" as one zlib stream at the best
// compression; every other file is copied under the name the setup looks for.
// A file that is not given is left out, so that tests can build incomplete
// distributions.
#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::map<std::string, std::string> kCompanionNames = {
    {"--help", "Mirvo98.hlp"},  {"--order-txt", "order.txt"}, {"--order-doc", "Bestell.doc"},
    {"--readme", "Readme.txt"}, {"--file-id", "FILE_ID.DIZ"}, {"--uninstaller", "ui.dat"},
};

bool Pack(const fs::path& from, const fs::path& to) {
  std::ifstream in(from, std::ios::binary);
  std::ofstream out(to, std::ios::binary | std::ios::trunc);
  if (!in || !out) return false;
  z_stream zs{};
  if (deflateInit(&zs, Z_BEST_COMPRESSION) != Z_OK) return false;
  std::vector<unsigned char> input(1 << 20);
  std::vector<unsigned char> output(1 << 20);
  int flush;
  do {
    in.read(reinterpret_cast<char*>(input.data()), static_cast<std::streamsize>(input.size()));
    zs.next_in = input.data();
    zs.avail_in = static_cast<uInt>(in.gcount());
    flush = in.eof() ? Z_FINISH : Z_NO_FLUSH;
    do {
      zs.next_out = output.data();
      zs.avail_out = static_cast<uInt>(output.size());
      deflate(&zs, flush);
      out.write(reinterpret_cast<char*>(output.data()), static_cast<std::streamsize>(output.size() - zs.avail_out));
    } while (zs.avail_out == 0);
  } while (flush != Z_FINISH);
  deflateEnd(&zs);
  return static_cast<bool>(out);
}

int Usage() {
  std::cerr << "usage: mkdist --out DIR --program FILE [--help FILE] [--order-txt FILE] [--order-doc FILE]\n"
               "              [--readme FILE] [--file-id FILE] [--uninstaller FILE]\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::map<std::string, fs::path> given;
  for (int i = 1; i < argc; i += 2) {
    const std::string option = argv[i];
    if (i + 1 >= argc || (option != "--out" && option != "--program" && !kCompanionNames.count(option)))
      return Usage();
    given[option] = argv[i + 1];
  }
  if (!given.count("--out")) return Usage();
  const fs::path out = given["--out"];
  std::error_code error;
  fs::create_directories(out, error);
  if (error) {
    std::cerr << "mkdist: cannot create " << out << ": " << error.message() << '\n';
    return 1;
  }
  if (given.count("--program") && !Pack(given["--program"], out / "mirvo98.dat")) {
    std::cerr << "mkdist: cannot pack " << given["--program"] << '\n';
    return 1;
  }
  for (const auto& [option, name] : kCompanionNames) {
    if (!given.count(option)) continue;
    fs::copy_file(given[option], out / name, fs::copy_options::overwrite_existing, error);
    if (error) {
      std::cerr << "mkdist: cannot copy " << given[option] << ": " << error.message() << '\n';
      return 1;
    }
  }
  return 0;
}
