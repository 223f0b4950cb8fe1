#include <gtest/gtest.h>

#include <functional>

#include "FakeSystem.h"
#include "platform/BlockFile.h"
#include "platform/Errors.h"

using platform::BlockFile;
using platform::InOutError;

namespace {

int CodeOf(const std::function<void()>& operation) {
  try {
    operation();
  } catch (const InOutError& error) {
    return error.code;
  }
  return 0;
}

}  // namespace

TEST(BlockFile, EveryOperationOnAFileThatIsNotOpenIsAnError) {
  ScopedFakeSystem sys;
  sys->PutFile("C:\\a.bin", "abc");
  BlockFile file("C:\\a.bin");
  char buffer[4];
  EXPECT_EQ(CodeOf([&] { file.Eof(); }), 103);
  EXPECT_EQ(CodeOf([&] { file.BlockRead(buffer, 4); }), 103);
  EXPECT_EQ(CodeOf([&] { file.BlockWrite(buffer, 4); }), 103);
  EXPECT_EQ(CodeOf([&] { file.Close(); }), 103);
  file.Reset();
  file.Close();
  EXPECT_EQ(CodeOf([&] { file.Close(); }), 103);  // closed once only
  EXPECT_EQ(CodeOf([&] { file.BlockRead(buffer, 4); }), 103);
}

TEST(BlockFile, TheSystemsResultComesWithTheFileName) {
  ScopedFakeSystem sys;
  BlockFile file("C:\\fehlt.txt");
  try {
    file.Reset();
    ADD_FAILURE() << "opened a missing file";
  } catch (const InOutError& error) {
    EXPECT_EQ(error.code, 2);
    EXPECT_NE(std::string(error.what()).find("C:\\fehlt.txt"), std::string::npos) << error.what();
  }
}

TEST(BlockFile, AShortWriteIsADiskWriteErrorAndTheFileIsClosedWhenTheErrorPasses) {
  ScopedFakeSystem sys;
  sys->LimitSpace(3);
  try {
    BlockFile file("C:\\voll.bin");
    file.Rewrite();
    EXPECT_EQ(sys->OpenStreams(), 1);
    file.BlockWrite("12345", 5);
    ADD_FAILURE() << "a short write passed";
  } catch (const InOutError& error) {
    EXPECT_EQ(error.code, 101);
  }
  EXPECT_EQ(sys->OpenStreams(), 0);
  EXPECT_EQ(sys->FileData("C:\\voll.bin"), "123");
}
