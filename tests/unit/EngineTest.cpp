#include <gtest/gtest.h>

#include "Distribution.h"
#include "FakeSystem.h"
#include "FakeWindow.h"
#include "engine/DecompressionStream.h"
#include "engine/Engine.h"
#include "platform/Errors.h"
#include "setup/InstallSequence.h"

namespace {

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dist.LayOut(*sys);
    StartDir = dist.dir;
    window.target = "C:\\Ziel";
    SetupProceed = true;
  }
  ScopedFakeSystem sys;
  FakeWindow window;
  Distribution dist;
};

}  // namespace

TEST_F(EngineTest, PrefixesGetExactlyOneTrailingBackslash) {
  const struct {
    std::string start, target, sourcePath, targetPath;
  } cases[] = {
      {"C:\\", "C:\\Ziel", "C:\\", "C:\\Ziel\\"},
      {"C:\\Setup", "C:\\Ziel\\", "C:\\Setup\\", "C:\\Ziel\\"},
      {"C:\\Setup\\", "C:\\Ziel\\\\", "C:\\Setup\\", "C:\\Ziel\\\\"},
  };
  for (const auto& c : cases) {
    StartDir = c.start;
    window.target = c.target;
    PrepareTarget();
    EXPECT_EQ(SourcePath, c.sourcePath);
    EXPECT_EQ(TargetPath, c.targetPath);
  }
}

TEST_F(EngineTest, AnExistingTargetBecomesTheCurrentDirectory) {
  sys->AddDir("C:\\Ziel");
  PrepareTarget();
  EXPECT_EQ(sys->GetCurrentDir(), "C:\\Ziel");
  EXPECT_TRUE(window.messages.empty());
  EXPECT_TRUE(SetupProceed);
  EXPECT_EQ(window.bar.Position(), 10);
}

TEST_F(EngineTest, AMissingTargetIsCreatedOneLevelDeepWithoutEnteringIt) {
  PrepareTarget();
  EXPECT_TRUE(sys->DirExists("C:\\Ziel"));
  EXPECT_EQ(sys->GetCurrentDir(), "C:\\");
  EXPECT_TRUE(window.messages.empty());
  EXPECT_TRUE(SetupProceed);
  EXPECT_EQ(window.bar.Position(), 10);
}

TEST_F(EngineTest, ATargetWhoseParentIsMissingStopsTheSequenceAndOkRunsItAgain) {
  window.target = "C:\\Nicht\\Da";
  RunInstallSequence();
  EXPECT_EQ(window.messages, std::vector<std::string>{"Verzeichnis konnte nicht erstellt werden! 015"});
  EXPECT_FALSE(SetupProceed);
  EXPECT_FALSE(sys->DirExists("C:\\Nicht"));
  EXPECT_FALSE(sys->DirExists("C:\\Nicht\\Da"));
  EXPECT_EQ(window.bar.Position(), 10);
  EXPECT_EQ(window.finishShown, 0);

  RunInstallSequence();  // the bar goes on from where the first run left it
  EXPECT_EQ(window.bar.Position(), 20);
  EXPECT_EQ(window.messages.size(), 2u);
}

TEST_F(EngineTest, AnEmptyTargetTextIsAnErrorBeforeAnythingIsTouched) {
  window.target = "";
  EXPECT_THROW(RunInstallSequence(), std::exception);
  EXPECT_EQ(window.bar.Position(), 0);
  EXPECT_TRUE(window.messages.empty());
  EXPECT_EQ(window.finishShown, 0);
}

TEST_F(EngineTest, ExtractionStepsOncePerBlockWritten) {
  const struct {
    const char* name;
    std::string dat;
    std::string program;
    int steps;
  } cases[] = {
      {"0-byte file", "", "", 0},
      {"empty stream", Deflate(""), "", 0},
      {"8192 bytes", Deflate(SampleBytes(8192)), SampleBytes(8192), 2},
      {"8193 bytes", Deflate(SampleBytes(8193)), SampleBytes(8193), 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    sys->PutFile("C:\\Setup\\mirvo98.dat", c.dat);
    window.bar.SetPosition(0);
    PrepareTarget();
    ExtractProgram();
    EXPECT_TRUE(sys->FileExists("C:\\Ziel\\mirvo98.exe"));
    EXPECT_TRUE(sys->FileData("C:\\Ziel\\mirvo98.exe") == c.program);
    EXPECT_EQ(window.bar.Position(), 10 + c.steps);
  }
}

TEST_F(EngineTest, ALongerExistingProgramIsReplacedEntirely) {
  sys->PutFile("C:\\Ziel\\MIRVO98.EXE", std::string(50000, 'o'));
  RunInstallSequence();
  EXPECT_TRUE(sys->FileData("C:\\Ziel\\mirvo98.exe") == dist.program);
}

TEST_F(EngineTest, AMissingProgramFileEndsTheSequenceSilentlyBeforeCreatingTheTarget) {
  sys->PutFile("C:\\Setup\\other", "");
  sys->AddDir("C:\\Leer");
  StartDir = "C:\\Leer";
  EXPECT_THROW(RunInstallSequence(), platform::StreamError);
  EXPECT_TRUE(sys->DirExists("C:\\Ziel"));
  EXPECT_FALSE(sys->FileExists("C:\\Ziel\\mirvo98.exe"));
  EXPECT_TRUE(window.messages.empty());
  EXPECT_EQ(window.bar.Position(), 10);
  EXPECT_EQ(window.finishShown, 0);
}

TEST_F(EngineTest, BrokenDataAndShortWritesKeepWhatWasWrittenAndCloseBothFiles) {
  const std::string program = SampleBytes(40000);
  const std::string good = Deflate(program);
  std::string corrupt = good;
  for (std::size_t i = good.size() / 2; i < good.size() / 2 + 64; ++i) corrupt[i] = static_cast<char>(0xff);

  sys->PutFile("C:\\Setup\\mirvo98.dat", corrupt);
  EXPECT_THROW(RunInstallSequence(), DecompressionError);
  EXPECT_EQ(sys->OpenStreams(), 0);
  const std::string written = sys->FileData("C:\\Ziel\\mirvo98.exe");
  // The blocks before the damage stay in place, right as far as the data was intact.
  ASSERT_GE(written.size(), 4096u);
  EXPECT_LT(written.size(), program.size());
  EXPECT_TRUE(written.compare(0, 4096, program, 0, 4096) == 0);
  EXPECT_EQ(window.bar.Position(), 10 + static_cast<int>(written.size() / 4096));

  sys->PutFile("C:\\Setup\\mirvo98.dat", good.substr(0, good.size() - 10));
  EXPECT_THROW(RunInstallSequence(), DecompressionError);  // cut short: not a complete program
  EXPECT_EQ(sys->OpenStreams(), 0);

  sys->PutFile("C:\\Setup\\mirvo98.dat", good);
  sys->LimitSpace(10000);
  EXPECT_THROW(RunInstallSequence(), platform::StreamError);
  EXPECT_EQ(sys->OpenStreams(), 0);
  EXPECT_TRUE(sys->FileData("C:\\Ziel\\mirvo98.exe") == program.substr(0, 10000));
  EXPECT_EQ(window.finishShown, 0);
}

TEST_F(EngineTest, ACompleteRunFillsTheBarAndShowsTheFinishDialogOnce) {
  RunInstallSequence();
  EXPECT_TRUE(SetupProceed);
  EXPECT_TRUE(sys->FileData("C:\\Ziel\\mirvo98.exe") == dist.program);
  EXPECT_EQ(window.bar.Position(), 350);
  EXPECT_EQ(window.finishShown, 1);
  EXPECT_TRUE(window.messages.empty());
}

TEST_F(EngineTest, AProgramOfSeveralMegabytesArrivesWholeAndADiskThatFillsUpOnTheWayStopsIt) {
  const std::string program = SampleBytes(3 * 1024 * 1024 + 5);
  sys->PutFile("C:\\Setup\\mirvo98.dat", Deflate(program));
  PrepareTarget();
  ExtractProgram();
  EXPECT_TRUE(sys->FileData("C:\\Ziel\\mirvo98.exe") == program);
  // 3 MiB and 5 bytes make 769 blocks; the bar starts over each time it passes 350.
  EXPECT_EQ(window.bar.Position(), (10 + 769) % 350);

  sys->LimitSpace(1536 * 1024);
  EXPECT_THROW(ExtractProgram(), platform::StreamError);
  EXPECT_EQ(sys->OpenStreams(), 0);
  EXPECT_TRUE(sys->FileData("C:\\Ziel\\mirvo98.exe") == program.substr(0, 1536 * 1024));
}
