#pragma once
// A complete distribution directory in the fake file system, as mkdist lays it out.
#include <string>

#include "FakeSystem.h"
#include "Zlib.h"

struct Distribution {
  std::string dir = "C:\\Setup";
  std::string program = SampleBytes(10000);

  void LayOut(FakeSystem& sys) const { sys.PutFile(dir + "\\mirvo98.dat", Deflate(program)); }
};
