#include "FreeSpace.h"

int TargetDriveNumber(const std::string& target) {
  if (target.empty()) return 0;
  char letter = target[0];
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  return letter >= 'A' && letter <= 'Z' ? letter - 'A' + 1 : 0;
}

std::string FreeSpaceDriveCaption(const std::string& target) {
  return "Freier Speicher auf Laufwerk " + (target.empty() ? std::string("?") : target.substr(0, 1)) + ":";
}

std::int64_t BytesToMegabytes(std::int64_t bytes) {
  constexpr std::int64_t kMegabyte = std::int64_t{1} << 20;
  const bool negative = bytes < 0;
  // Rounded on the magnitude, so that the halves go to even on both sides of zero.
  const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(bytes) : static_cast<std::uint64_t>(bytes);
  std::uint64_t whole = magnitude / kMegabyte;
  const std::uint64_t rest = magnitude % kMegabyte;
  if (rest > kMegabyte / 2 || (rest == kMegabyte / 2 && whole % 2 == 1)) ++whole;
  return negative ? -static_cast<std::int64_t>(whole) : static_cast<std::int64_t>(whole);
}

std::string FreeSpaceCaption(std::int64_t bytes) { return std::to_string(BytesToMegabytes(bytes)) + " MB"; }
