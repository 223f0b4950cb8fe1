// The free-space display: drive of a target text, megabytes of a byte count.
#include <gtest/gtest.h>

#include "setup/FreeSpace.h"

namespace {

TEST(FreeSpace, EveryDriveLetterNamesItsOwnDrive) {
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    const int expected = letter - 'A' + 1;
    EXPECT_EQ(TargetDriveNumber(std::string(1, letter) + ":\\Programme"), expected) << letter;
    EXPECT_EQ(TargetDriveNumber(std::string(1, static_cast<char>(letter - 'A' + 'a')) + ":\\"), expected) << letter;
  }
}

TEST(FreeSpace, ATextWithoutDriveLetterAsksForTheCurrentDrive) {
  // Only a to z are letters here: the neighbours in the code table and
  // accented letters name no drive.
  for (const char* target : {"", "\\\\server\\share\\dir", "\\Programme", "1:\\", "@:\\", "[:\\", "`:\\", "{:\\",
                             "\xE4:\\", "\xC4:\\"})
    EXPECT_EQ(TargetDriveNumber(target), 0) << target;
}

TEST(FreeSpace, TheCaptionShowsTheFirstCharacterAsTyped) {
  EXPECT_EQ(FreeSpaceDriveCaption("d:\\Daten"), "Freier Speicher auf Laufwerk d:");
  EXPECT_EQ(FreeSpaceDriveCaption("C:\\Programme"), "Freier Speicher auf Laufwerk C:");
  EXPECT_EQ(FreeSpaceDriveCaption("\\\\server\\share"), "Freier Speicher auf Laufwerk \\:");
  EXPECT_EQ(FreeSpaceDriveCaption(""), "Freier Speicher auf Laufwerk ?:");
}

TEST(FreeSpace, MegabytesRoundToNearestWithHalvesToEven) {
  const std::int64_t mb = std::int64_t{1} << 20;
  const struct {
    std::int64_t bytes;
    const char* caption;
  } cases[] = {
      {1572864, "2 MB"},  // 1.5 to even 2
      {2621440, "2 MB"},  // 2.5 to even 2
      {524288, "0 MB"},   // 0.5 to even 0
      {-1, "0 MB"},       // a failed query
      {0, "0 MB"},
      {mb / 2 + 1, "1 MB"},
      {3 * mb / 2 - 1, "1 MB"},
      {7 * mb / 2, "4 MB"},
      // 2 GiB and more do not wrap or turn negative.
      {std::int64_t{2} << 30, "2048 MB"},
      {(std::int64_t{5} << 30) + mb / 2, "5120 MB"},
      {std::int64_t{3} << 40, "3145728 MB"},
  };
  for (const auto& c : cases) EXPECT_EQ(FreeSpaceCaption(c.bytes), c.caption) << c.bytes;
}

}  // namespace
