#pragma once
// A complete distribution directory in the fake file system, as mkdist lays it out.
#include <string>
#include <utility>
#include <vector>

#include "FakeSystem.h"
#include "Zlib.h"

struct Distribution {
  std::string dir = "C:\\Setup";
  std::string program = SampleBytes(10000);
  // The companion files in the order the setup copies them, with their contents.
  std::vector<std::pair<std::string, std::string>> companions = {
      {"Mirvo98.hlp", SampleBytes(9000, 2)}, {"order.txt", SampleBytes(300, 3)},
      {"Bestell.doc", SampleBytes(4096, 4)}, {"Readme.txt", SampleBytes(4097, 5)},
      {"FILE_ID.DIZ", SampleBytes(120, 6)},
  };
  std::string uninstaller = SampleBytes(20000, 7);

  void LayOut(FakeSystem& sys) const {
    sys.PutFile(dir + "\\mirvo98.dat", Deflate(program));
    for (const auto& [name, data] : companions) sys.PutFile(dir + "\\" + name, data);
    sys.PutFile(dir + "\\ui.dat", uninstaller);
  }
  // Bar steps of the companion files: one per block of up to 4096 bytes.
  int CompanionSteps() const {
    int steps = 0;
    for (const auto& c : companions) steps += static_cast<int>((c.second.size() + 4095) / 4096);
    return steps;
  }
};
